#include "ui/CommandState.h"

#include "ui/Commands.h"
#include "ui/ResultPages.h"
#include "widgets/Application.h"

namespace tellaria {

TCommandState::TCommandState(const TCommands &commands, TResultPages *pages)
    : QObject(pages)
    , m_pages(pages)
    , m_prior(commands.Action("ActPrior"))
    , m_next(commands.Action("ActNext"))
    , m_close(commands.Action("ActClose"))
    , m_closeAll(commands.Action("ActCloseAll"))
    , m_refresh(commands.Action("mnuRefresh"))
    , m_browserCommands{commands.Action("ActSave"),  commands.Action("ActPreview"),
                        commands.Action("ActPrint"), commands.Action("ActPageSetup"),
                        commands.Action("ActCopy"),  commands.Action("ActCut"),
                        commands.Action("ActPaste"), commands.Action("ActSelectAll")}
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
    const int index = m_pages->currentIndex();
    const int count = m_pages->count();
    m_prior->setEnabled(index > 0);
    m_next->setEnabled(index < count - 1);
    m_close->setEnabled(count > 0);
    m_closeAll->setEnabled(count > 0);
    m_refresh->setEnabled(count > 0);
    const TWebBrowser *browser = m_pages->ActiveBrowser();
    for (std::size_t i = 0; i < std::size(m_browserCommands); ++i) {
        const auto command = static_cast<TBrowserCommand>(i);
        m_browserCommands[i]->setEnabled(browser && browser->CommandAvailable(command));
    }
}

} // namespace tellaria
