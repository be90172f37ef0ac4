#include "ui/PageArea.h"

#include "browser/WebBrowser.h"
#include "ui/ResultPages.h"

#include <QStackedLayout>
#include <QVBoxLayout>

namespace tellaria {

TPageArea::TPageArea(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    auto *stack = new QStackedLayout(this);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->setContentsMargins(1, 1, 1, 1);
    m_startPanel = new QFrame(this);
    m_startPanel->setObjectName(QStringLiteral("PnlWbAD"));
    auto *startLayout = new QVBoxLayout(m_startPanel);
    startLayout->setContentsMargins(0, 0, 0, 0);
    m_startBrowser = new TWebBrowser(m_startPanel);
    m_startBrowser->setObjectName(QStringLiteral("WbAd"));
    // Designed silent: the start page may not raise dialogs of its own either.
    m_startBrowser->SetSilent(true);
    startLayout->addWidget(m_startBrowser);
    m_pages = new TResultPages(this);
    stack->addWidget(m_startPanel);
    stack->addWidget(m_pages);
}

void TPageArea::ShowStartPanelWhenNoPages()
{
    m_pages->setVisible(m_pages->count() > 0);
    m_startPanel->setVisible(!m_pages->isVisible());
    if (m_pages->isVisible())
        m_pages->raise();
}

} // namespace tellaria
