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

void TTabSheet::SetBadge(const QString &badge)
{
    if (badge == m_badge)
        return;
    m_badge = badge;
    emit Changed();
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
        auto *message = new QLabel(
            QString::fromUtf8("这一页的显示进程意外结束了，可能是内存不足或程序出错。"), m_ended);
        message->setAlignment(Qt::AlignCenter);
        message->setWordWrap(true);
        auto *again = new QPushButton(QString::fromUtf8("重新加载(&R)"), m_ended);
        again->setObjectName(QStringLiteral("LoadAgain"));
        again->setToolTip(QString::fromUtf8("重新加载此页 (F5)"));
        // F5 is the window's: it reloads the current page, whatever that shows.
        connect(again, &QPushButton::clicked, this, &TTabSheet::LoadAgain);
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
        m_ended->findChild<QPushButton *>()->setFocus(Qt::OtherFocusReason);
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
