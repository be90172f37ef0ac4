#include "ui/EncyclopaediaDialog.h"

#include "core/SiteList.h"
#include "core/SiteTemplate.h"
#include "core/TermText.h"
#include "desktop/CoreWording.h"
#include "ui/PageNotices.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tellaria {

namespace {

// Where a row came from, kept on its name cell.
constexpr int OriginRole = Qt::UserRole + 1;

} // namespace

TEncyclopaediaDialog::TEncyclopaediaDialog(const SiteTable &sites, QWidget *parent)
    : QDialog(parent)
    , m_table(new QTableWidget(0, 2, this))
    , m_sample(new QLineEdit(tr("cat"), this))
    , m_tried(new QLabel(this))
{
    setObjectName(QStringLiteral("EncyclopaediaDialog"));
    setWindowTitle(tr("Manage encyclopaedias"));
    m_table->setObjectName(QStringLiteral("EncyclopaediaList"));
    m_table->setAccessibleName(tr("List of encyclopaedias"));
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Address template")});
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->installEventFilter(this);
    for (std::size_t row = 0; row < sites.size(); ++row)
        AddRow(sites[row], int(row));

    const auto button = [this](const char *name, const QString &text) {
        auto *made = new QPushButton(text, this);
        made->setObjectName(QLatin1String(name));
        made->setAutoDefault(false);
        return made;
    };
    QPushButton *add = button("BtnAddSite", tr("&Add"));
    QPushButton *remove = button("BtnRemoveSite", tr("&Delete"));
    QPushButton *up = button("BtnSiteUp", tr("Move &up"));
    QPushButton *down = button("BtnSiteDown", tr("Move dow&n"));
    QPushButton *defaults = button("BtnRestoreSites", tr("&Restore defaults"));
    QPushButton *tryIt = button("BtnTrySite", tr("&Try it"));
    connect(add, &QPushButton::clicked, this, &TEncyclopaediaDialog::Add);
    connect(remove, &QPushButton::clicked, this, &TEncyclopaediaDialog::Remove);
    connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Move(1); });
    connect(defaults, &QPushButton::clicked, this, &TEncyclopaediaDialog::RestoreDefaults);
    connect(tryIt, &QPushButton::clicked, this, &TEncyclopaediaDialog::Try);

    auto *side = new QVBoxLayout;
    for (QPushButton *item : {add, remove, up, down, defaults})
        side->addWidget(item);
    side->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_table, 1);
    top->addLayout(side);

    auto *sampleLabel = new QLabel(tr("&Sample term:"), this);
    sampleLabel->setBuddy(m_sample);
    m_sample->setObjectName(QStringLiteral("EdtSampleTerm"));
    m_tried->setObjectName(QStringLiteral("LblTriedAddress"));
    m_tried->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_tried->setWordWrap(true);
    auto *trial = new QHBoxLayout;
    trial->addWidget(sampleLabel);
    trial->addWidget(m_sample);
    trial->addWidget(tryIt);

    auto *hint = new QLabel(
        tr("The address must begin with http:// or https://. {term} is replaced by the term as it "
           "is, "
           "{utf8} by the term encoded as UTF-8, {gb18030} by the term encoded as GB18030; "
           "without any of these, the term is appended to the address."),
        this);
    hint->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TEncyclopaediaDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TEncyclopaediaDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(hint);
    layout->addLayout(trial);
    layout->addWidget(m_tried);
    layout->addWidget(buttons);
    resize(680, 420);
    if (m_table->rowCount() > 0)
        m_table->setCurrentCell(0, 0);
}

void TEncyclopaediaDialog::AddRow(const LookupSite &site, int origin)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto *name = new QTableWidgetItem(QString::fromStdString(site.Name));
    name->setData(OriginRole, origin);
    m_table->setItem(row, 0, name);
    m_table->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(site.Url)));
}

SiteTable TEncyclopaediaDialog::Sites() const
{
    SiteTable sites;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem *item = m_table->item(row, column);
            return item ? item->text().trimmed().toStdString() : std::string();
        };
        sites.push_back({text(0), text(1)});
    }
    return sites;
}

std::vector<int> TEncyclopaediaDialog::Origins() const
{
    std::vector<int> origins;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *name = m_table->item(row, 0);
        origins.push_back(name ? name->data(OriginRole).toInt() : -1);
    }
    return origins;
}

void TEncyclopaediaDialog::accept()
{
    std::vector<std::pair<std::string, std::string>> list;
    for (const LookupSite &site : Sites())
        list.emplace_back(site.Name, site.Url);
    if (const SiteError error = SiteListError(list); !error.Ok()) {
        QMessageBox::warning(this, windowTitle(), SiteErrorText(error));
        return;
    }
    QDialog::accept();
}

void TEncyclopaediaDialog::Add()
{
    if (m_table->rowCount() >= int(MostSites)) {
        QMessageBox::information(this, windowTitle(),
                                 tr("There can be at most %1 encyclopaedias.").arg(int(MostSites)));
        return;
    }
    AddRow({tr("New encyclopaedia").toStdString(), "https://"}, -1);
    const int row = m_table->rowCount() - 1;
    m_table->setCurrentCell(row, 0);
    m_table->editItem(m_table->item(row, 0));
}

void TEncyclopaediaDialog::Remove()
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    m_table->removeRow(row);
    if (m_table->rowCount() > 0)
        m_table->setCurrentCell(std::min(row, m_table->rowCount() - 1), 0);
}

void TEncyclopaediaDialog::Move(int by)
{
    const int row = m_table->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_table->rowCount())
        return;
    const int column = std::max(m_table->currentColumn(), 0);
    for (int cell = 0; cell < 2; ++cell) {
        QTableWidgetItem *here = m_table->takeItem(row, cell);
        QTableWidgetItem *there = m_table->takeItem(to, cell);
        m_table->setItem(row, cell, there);
        m_table->setItem(to, cell, here);
    }
    m_table->setCurrentCell(to, column);
}

void TEncyclopaediaDialog::RestoreDefaults()
{
    // A shipped row keeps the tick of the row of its name, if there is one; else it comes ticked,
    // as the shipped rows do.
    const SiteTable current = Sites();
    const std::vector<int> origins = Origins();
    m_table->setRowCount(0);
    for (const LookupSite &site : BuildSiteTable()) {
        int origin = RestoredSiteTicked;
        for (std::size_t row = 0; row < current.size(); ++row) {
            if (current[row].Name == site.Name)
                origin = origins[row];
        }
        AddRow(site, origin);
    }
    m_table->setCurrentCell(0, 0);
}

void TEncyclopaediaDialog::Try()
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    const std::string pattern = Sites()[std::size_t(row)].Url;
    if (const SiteError error = SiteTemplateError(pattern); !error.Ok()) {
        m_tried->setText(SiteErrorText(error));
        return;
    }
    const SiteAddress address
        = ExpandSiteTemplate(pattern, OneLineTerm(m_sample->text().toStdString()));
    if (address.Fault != AddressFault::None)
        m_tried->setText(HostMovedText(QString::fromStdString(Sites()[std::size_t(row)].Name)));
    else
        m_tried->setText(tr("Will open: %1").arg(QString::fromStdString(address.Url)));
}

bool TEncyclopaediaDialog::eventFilter(QObject *watched, QEvent *event)
{
    // While a cell is edited its keys go to the editor, not here.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete) {
            Remove();
            return true;
        }
        if (key->modifiers() & Qt::AltModifier
            && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            Move(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tellaria
