#include "ui/HelpMenu.h"

#include "core/SettingsFile.h"
#include "desktop/CommandLine.h"
#include "ui/Commands.h"
#include "ui/LanguageMenu.h"
#include "widgets/Application.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace tellaria {

namespace {

// A caption as the user reads it: without its mnemonic and trailing dots.
QString Plain(QString caption)
{
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    caption.remove(mnemonic);
    caption.remove(QLatin1Char('&'));
    while (caption.endsWith(QLatin1Char('.')) || caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption;
}

QString Keys(const QAction *action)
{
    QStringList keys;
    for (const QKeySequence &key : action->shortcuts())
        keys << key.toString(QKeySequence::NativeText);
    return keys.join(QCoreApplication::translate("KeySheet", ", "));
}

} // namespace

THelpMenu::THelpMenu(QWidget *form, TCommands &commands, const QString &dataDirectory)
    : QObject(form)
    , m_form(form)
    , m_commands(commands)
    , m_dataDirectory(dataDirectory)
{
    commands.SetRunner("mnuKeys", this, [this] { ShowKeys(); });
    commands.SetRunner("mnuAbout", this, [this] { ShowAbout(); });
    new TLanguageMenu(commands.Submenu("mnuLanguageMenu"),
                      dataDirectory + QString::fromLatin1(SettingsFileName));
}

void THelpMenu::ShowKeys()
{
    QDialog dialog(m_form);
    dialog.setObjectName(QStringLiteral("KeySheet"));
    dialog.setWindowTitle(tr("Keyboard shortcuts"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *sheet = new QTreeWidget(&dialog);
    sheet->setObjectName(QStringLiteral("KeyList"));
    sheet->setAccessibleName(tr("Keyboard shortcuts"));
    sheet->setHeaderLabels({tr("Command"), tr("Keys")});
    sheet->setRootIsDecorated(false);
    // Every menu is a group; its commands with keys, in the menu's order.
    for (const TMenuRow &menu : MenuTable()) {
        QTreeWidgetItem *group = nullptr;
        for (const TCommandRow &row : CommandTable()) {
            const QAction *item = m_commands.Action(row.Id);
            if (row.Menu != menu.Menu || item->shortcuts().isEmpty())
                continue;
            if (!group) {
                group = new QTreeWidgetItem(
                    sheet, {Plain(QCoreApplication::translate("Commands", menu.Text))});
                QFont bold = group->font(0);
                bold.setBold(true);
                group->setFont(0, bold);
                group->setFirstColumnSpanned(true);
            }
            new QTreeWidgetItem(sheet, {Plain(item->text()), Keys(item)});
        }
    }
    auto *other = new QTreeWidgetItem(sheet, {tr("Other")});
    QFont bold = other->font(0);
    bold.setBold(true);
    other->setFont(0, bold);
    other->setFirstColumnSpanned(true);
    const std::pair<const char *, const char *> always[] = {
        {QT_TRANSLATE_NOOP("KeySheet", "Look up (in the query box)"),
         QT_TRANSLATE_NOOP("KeySheet", "Enter")},
        {QT_TRANSLATE_NOOP("KeySheet", "Open the menu"), QT_TRANSLATE_NOOP("KeySheet", "F10, Alt")},
        {QT_TRANSLATE_NOOP("KeySheet", "Stop loading all pages of this query (while a page loads)"),
         QT_TRANSLATE_NOOP("KeySheet", "Esc")},
        {QT_TRANSLATE_NOOP("KeySheet",
                           "Close a menu, cancel dragging a toolbar, close the find bar"),
         QT_TRANSLATE_NOOP("KeySheet", "Esc")},
        {QT_TRANSLATE_NOOP("KeySheet", "Zoom the current page"),
         QT_TRANSLATE_NOOP("KeySheet", "Ctrl+Wheel")},
        {QT_TRANSLATE_NOOP("KeySheet", "Move between controls, into the page as well"),
         QT_TRANSLATE_NOOP("KeySheet", "Tab, Shift+Tab")},
    };
    for (const auto &[what, key] : always)
        new QTreeWidgetItem(sheet, {QCoreApplication::translate("KeySheet", what),
                                    QCoreApplication::translate("KeySheet", key)});
    sheet->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    sheet->setTextElideMode(Qt::ElideNone);
    layout->addWidget(sheet);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // As wide as its texts, within the screen: no key is cut short.
    for (int column = 0; column < sheet->columnCount(); ++column)
        sheet->resizeColumnToContents(column);
    const QMargins margins = layout->contentsMargins();
    const int needed = sheet->header()->length() + 2 * sheet->frameWidth()
                       + sheet->verticalScrollBar()->sizeHint().width() + margins.left()
                       + margins.right();
    const QScreen *screen = m_form->screen();
    dialog.resize(std::min(std::max(460, needed), screen->availableGeometry().width()), 520);
    dialog.exec();
}

void THelpMenu::ShowAbout()
{
    QDialog dialog(m_form);
    dialog.setObjectName(QStringLiteral("AboutBox"));
    dialog.setWindowTitle(tr("About Tellaria"));
    auto *layout = new QVBoxLayout(&dialog);
    const QString folder = QDir::toNativeSeparators(QDir(m_dataDirectory).absolutePath());
    auto *text = new QLabel(
        tr("<h2>Tellaria %1</h2>"
           "<p>Looks up words in several online reference works at once.</p>"
           "<p>Licence: GPL-3.0-or-later (GNU General Public License, version 3 or later)</p>"
           "<p>Browser engine: Qt WebEngine %2 (Chromium %3)</p>"
           "<p>Settings and query history are kept in:<br>%4</p>")
            .arg(VersionText().section(QLatin1Char(' '), 1).trimmed(),
                 QString::fromLatin1(qWebEngineVersion()),
                 QString::fromLatin1(qWebEngineChromiumVersion()), folder.toHtmlEscaped()),
        &dialog);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QPushButton *open = buttons->addButton(tr("&Open folder"), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("BtnOpenDataFolder"));
    connect(open, &QPushButton::clicked, this,
            [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace tellaria
