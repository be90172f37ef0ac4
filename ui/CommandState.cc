#include "ui/CommandState.h"

#include "ui/MainControls.h"
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

void TCommandState::Apply(TMainControls &ui)
{
    const TResultPages &pages = *ui.PageControl1;
    const int index = pages.currentIndex();
    const int count = pages.count();
    ui.ActPrior->setEnabled(index > 0);
    ui.ActNext->setEnabled(index < count - 1);
    ui.ActClose->setEnabled(count > 0);
    ui.ActCloseAll->setEnabled(count > 0);
    ui.mnuRefresh->setEnabled(count > 0);

    // In the order of TBrowserCommand.
    QAction *const commandActions[] = {ui.ActSave, ui.ActPreview, ui.ActPrint, ui.ActPageSetup,
                                       ui.ActCopy, ui.ActCut,     ui.ActPaste, ui.ActSelectAll};
    const TWebBrowser *browser = pages.ActiveBrowser();
    for (std::size_t i = 0; i < std::size(commandActions); ++i) {
        const auto command = static_cast<TBrowserCommand>(i);
        commandActions[i]->setEnabled(browser && browser->CommandAvailable(command));
    }
}

void TCommandState::Update()
{
    NoteTime("command state");
    m_update();
}

} // namespace tellaria
