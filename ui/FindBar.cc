#include "ui/FindBar.h"

#include "browser/PageState.h"

#include "browser/WebBrowser.h"
#include "ui/ResultPages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QToolButton>
#include <QWebEngineFindTextResult>

namespace tellaria {

namespace {

QToolButton *Button(QWidget *parent,
                    const char *name,
                    const QString &text,
                    QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(text);
    button->setAccessibleName(text);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TFindBar::TFindBar(TResultPages *pages, QWidget *parent)
    : QFrame(parent)
    , m_pages(pages)
    , m_field(new QLineEdit(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("FindBar"));
    setAccessibleName(tr("Find"));
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    auto *label = new QLabel(tr("Find:"), this);
    label->setBuddy(m_field);
    m_field->setObjectName(QStringLiteral("EdtFind"));
    m_field->setAccessibleName(tr("Text to find in all pages"));
    m_field->setClearButtonEnabled(true);
    m_field->setMinimumWidth(180);
    m_field->installEventFilter(this);
    m_status->setObjectName(QStringLiteral("LblFindStatus"));
    m_prior = Button(this, "BtnFindPrior", tr("Previous match (Shift+F3)"), QStyle::SP_ArrowUp);
    m_next = Button(this, "BtnFindNext", tr("Next match (F3)"), QStyle::SP_ArrowDown);
    QToolButton *close = Button(this, "BtnFindClose", tr("Close the find bar (Esc)"),
                                QStyle::SP_DialogCloseButton);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addWidget(m_prior);
    layout->addWidget(m_next);
    layout->addWidget(m_status, 1);
    layout->addWidget(close);
    connect(m_field, &QLineEdit::textChanged, this, &TFindBar::Search);
    connect(m_prior, &QToolButton::clicked, this, &TFindBar::FindPrior);
    connect(m_next, &QToolButton::clicked, this, &TFindBar::FindNext);
    connect(close, &QToolButton::clicked, this, &TFindBar::Close);
    // A new query, or a page closed: what is open is searched again.
    connect(pages, &TResultPages::PagesChanged, this, [this] {
        if (!isVisible())
            return;
        bool same = m_found.size() == m_pages->count();
        for (int index = 0; same && index < m_pages->count(); ++index)
            same = m_found.contains(m_pages->Page(index));
        if (same)
            ShowStatus();
        else
            Search();
    });
    // A page that loads while the bar is open is searched once its document is in.
    connect(pages, &TResultPages::PageOpened, this, [this](TTabSheet *page) {
        connect(page->Browser()->page(), &QWebEnginePage::loadFinished, page, [this, page] {
            if (!isVisible() || m_field->text().isEmpty())
                return;
            m_found.insert(page, {});
            SearchPage(page, false, true);
        });
    });
    hide();
}

void TFindBar::Open(const QString &text)
{
    if (!isVisible()) {
        QWidget *focus = QApplication::focusWidget();
        m_returnFocus = focus && !isAncestorOf(focus) ? focus : nullptr;
        show();
    }
    if (m_field->text() != text)
        m_field->setText(text);
    else
        Search();
    m_field->selectAll();
    m_field->setFocus(Qt::ShortcutFocusReason);
}

void TFindBar::Close()
{
    if (!isVisible())
        return;
    ++m_generation;
    for (int index = 0; index < m_pages->count(); ++index) {
        if (TWebBrowser *browser = m_pages->Page(index)->Browser())
            browser->page()->findText(QString());
    }
    m_found.clear();
    const bool hadFocus = isAncestorOf(QApplication::focusWidget());
    hide();
    if (hadFocus) {
        QWidget *back = m_returnFocus ? m_returnFocus.data() : m_pages->ActiveBrowser();
        if (back)
            back->setFocus(Qt::OtherFocusReason);
    }
    PublishCounts();
}

int TFindBar::MatchesOf(const TTabSheet *page) const
{
    if (!isVisible() || m_field->text().isEmpty())
        return -1;
    return m_found.value(page).Matches;
}

void TFindBar::PublishCounts()
{
    for (int index = 0; index < m_pages->count(); ++index) {
        const TTabSheet *page = m_pages->Page(index);
        if (TWebBrowser *browser = page->Browser())
            browser->State()->SetFindCount(MatchesOf(page));
    }
}

void TFindBar::Search()
{
    ++m_generation;
    m_found.clear();
    for (int index = 0; index < m_pages->count(); ++index) {
        TTabSheet *page = m_pages->Page(index);
        m_found.insert(page, {});
        SearchPage(page, false, true);
    }
    ShowStatus();
    PublishCounts();
}

void TFindBar::SearchPage(TTabSheet *page, bool backward, bool restart)
{
    TWebBrowser *browser = page->Browser();
    if (!browser)
        return;
    const QString text = m_field->text();
    // A search of the same text goes on from its match; a new one starts at the page's top.
    if (restart)
        browser->page()->findText(QString());
    if (text.isEmpty())
        return;
    QPointer<TTabSheet> guard(page);
    const int generation = m_generation;
    const auto flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    // The bar may go before the page, as the window closes.
    browser->page()->findText(
        text, flags,
        WhileOpen(*browser, this,
                  [this, guard, generation](const QWebEngineFindTextResult &result) {
                      if (!guard || generation != m_generation || !m_found.contains(guard))
                          return;
                      m_found[guard] = {result.numberOfMatches(), result.activeMatch()};
                      ShowStatus();
                      PublishCounts();
                  }));
}

void TFindBar::Go(bool forward)
{
    if (!isVisible()) {
        Open(m_field->text());
        return;
    }
    const int count = m_pages->count();
    if (count == 0 || m_field->text().isEmpty())
        return;
    const int current = std::max(m_pages->currentIndex(), 0);
    const TFound here = m_found.value(m_pages->Page(current));
    // Within the current page while it has a match in that direction.
    if (here.Matches > 0 && (forward ? here.Active < here.Matches : here.Active > 1)) {
        SearchPage(m_pages->Page(current), !forward, false);
        return;
    }
    // On to the next page with a match, round past the last; the current page last of all.
    for (int step = 1; step <= count; ++step) {
        const int index = ((forward ? current + step : current - step) % count + count) % count;
        TTabSheet *page = m_pages->Page(index);
        if (m_found.value(page).Matches == 0)
            continue;
        if (index != current)
            m_pages->Activate(index);
        m_field->setFocus(Qt::OtherFocusReason);
        // Its first match going forward, its last going back (a new search backward starts
        // from the end).
        SearchPage(page, !forward, true);
        return;
    }
}

void TFindBar::ShowStatus()
{
    int total = 0;
    int pagesWithMatches = 0;
    int before = 0; // matches on the pages before the current one
    const int current = m_pages->currentIndex();
    for (int index = 0; index < m_pages->count(); ++index) {
        const int matches = m_found.value(m_pages->Page(index)).Matches;
        total += matches;
        pagesWithMatches += matches > 0 ? 1 : 0;
        if (index < current)
            before += matches;
    }
    QString status;
    if (m_field->text().isEmpty())
        status.clear();
    else if (total == 0)
        status = tr("Not found");
    else if (const TFound here = m_found.value(m_pages->Page(current)); here.Active > 0)
        status = tr("Match %1 of %2, in %3 pages")
                     .arg(before + here.Active)
                     .arg(total)
                     .arg(pagesWithMatches);
    else
        status = tr("%1 matches, in %2 pages").arg(total).arg(pagesWithMatches);
    m_status->setText(status);
    m_prior->setEnabled(total > 0);
    m_next->setEnabled(total > 0);
}

bool TFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Go(!shift);
            return true;
        case Qt::Key_Escape:
            Close();
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace tellaria
