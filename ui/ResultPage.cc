#include "ui/ResultPage.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineHistory>

namespace tellaria {

TTabSheet::TTabSheet(QWidget *parent)
    : QWidget(parent)
    , m_content(new QWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    auto *contentLayout = new QVBoxLayout(m_content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
}

void TTabSheet::SetBrowser(TWebBrowser *browser)
{
    m_browser = browser;
    connect(browser->State(), &TPageState::ReadingChanged, this, &TTabSheet::ShowReading);
}

void TTabSheet::ShowReading()
{
    const TPageState *state = m_browser ? m_browser->State() : nullptr;
    if (!state)
        return;
    const int found = state->FindCount();
    QString badge;
    QStringList notes;
    if (found >= 0) {
        badge = QString::number(found);
        notes << tr("%1 found").arg(found);
    } else if (state->Marking()) {
        badge = QString::number(state->TermCount());
        notes << tr("The term occurs %1 times").arg(state->TermCount());
    }
    if (state->Reader() && state->Article() == TPageState::TArticle::None)
        notes << tr("This page has no main text to extract");
    if (m_loadMark)
        m_loadMark->SetNote(notes.join(QLatin1Char('\n')));
    if (badge != m_badge) {
        m_badge = badge;
        emit Changed();
    }
}

void TTabSheet::SetLoadMark(TTabMark *mark)
{
    m_loadMark = mark;
    connect(mark, &TTabMark::Refreshed, this, &TTabSheet::Changed);
}

void TTabSheet::TakeContentBack()
{
    if (m_content->parentWidget() == this)
        return;
    layout()->addWidget(m_content);
    m_content->show();
}

void TTabSheet::ShowProcessEnded()
{
    if (!m_ended) {
        m_ended = new QWidget(m_content);
        m_ended->setObjectName(QStringLiteral("PageEnded"));
        m_ended->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(m_ended);
        auto *message = new QLabel(tr("The process showing this page ended unexpectedly, perhaps "
                                      "for lack of memory or through a fault."),
                                   m_ended);
        message->setAlignment(Qt::AlignCenter);
        message->setWordWrap(true);
        auto *again = new QPushButton(tr("&Reload"), m_ended);
        again->setObjectName(QStringLiteral("LoadAgain"));
        again->setToolTip(tr("Reload this page (F5)"));
        // F5 is the window's: it reloads the current page, whatever that shows.
        connect(again, &QPushButton::clicked, this, &TTabSheet::LoadAgain);
        m_again = again;
        layout->addStretch();
        layout->addWidget(message);
        layout->addWidget(again, 0, Qt::AlignHCenter);
        layout->addStretch();
        m_content->layout()->addWidget(m_ended);
    }
    const bool hadFocus = m_browser && m_browser->hasFocus();
    if (m_browser)
        m_browser->hide();
    m_ended->show();
    if (hadFocus)
        m_again->setFocus(Qt::OtherFocusReason);
}

void TTabSheet::LoadAgain()
{
    if (!m_browser || !m_ended || m_ended->isHidden())
        return;
    const bool hadFocus = m_ended->isAncestorOf(QApplication::focusWidget());
    m_ended->hide();
    m_browser->show();
    m_browser->reload();
    if (hadFocus)
        m_browser->setFocus(Qt::OtherFocusReason);
}

void TTabSheet::Reload()
{

    if (m_ended && !m_ended->isHidden())
        LoadAgain();
    else if (m_browser && m_browser->State()->Load() == TPageState::TLoad::Failed)
        // What shows is the program's page saying why: the address that failed is asked again.
        m_browser->Navigate(m_browser->State()->Address().toString(QUrl::FullyEncoded));
    else if (m_browser && m_browser->history()->count() == 0 && !m_url.isEmpty())
        // Stopped before its first answer: nothing was loaded to load again but the request.
        m_browser->Navigate(m_url);
    else if (m_browser)
        m_browser->reload();
}

} // namespace tellaria
