#include "ui/CommandState.h"

#include "ui/ResultPages.h"
#include "widgets/Application.h"

namespace tellaria {

TCommandState::TCommandState(TResultPages *pages, std::function<void()> update)
    : QObject(pages)
    , m_pages(pages)
    , m_update(std::move(update))
{
    connect(pages, &TResultPages::PagesChanged, this, &TCommandState::PagesChanged);
    PagesChanged();
}

void TCommandState::PagesChanged()
{
    TWebBrowser *browser = m_pages->ActiveBrowser();
    if (browser != m_browser) {
        disconnect(m_browserConnection);
        m_browser = browser;
        if (browser)
            m_browserConnection
                = connect(browser, &TWebBrowser::CommandStateChanged, this, &TCommandState::Update);
    }
    Update();
}

void TCommandState::Update()
{
    NoteTime("command state");
    m_update();
}

} // namespace tellaria
