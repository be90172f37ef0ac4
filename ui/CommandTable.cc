#include "ui/CommandTable.h"

#include <QtGlobal>

namespace tellaria {

namespace {

using namespace CommandTrait;
constexpr TMenuName None = TMenuName::None, File = TMenuName::File, Edit = TMenuName::Edit,
                    View = TMenuName::View, Help = TMenuName::Help;

// The twelve actions of the old action list come first: they have no menu of their own, no keys
// (the keyboard reaches them through the menu items bound to them) and start disabled.
constexpr TCommandRow Rows[] = {
    {"ActPrior", "ActPrior", QT_TRANSLATE_NOOP("Commands", "Previous page"), "", None, Disabled,
     nullptr, 0, "ToolButton1"},
    {"ActNext", "ActNext", QT_TRANSLATE_NOOP("Commands", "Next page"), "", None, Disabled, nullptr,
     1, "ToolButton2"},
    {"ActClose", QT_TRANSLATE_NOOP("Commands", "&Close Page"),
     QT_TRANSLATE_NOOP("Commands", "Close the current page"), "", None, Disabled, nullptr, 2,
     "ToolButton3"},
    {"ActCloseAll", QT_TRANSLATE_NOOP("Commands", "Close All Pages"),
     QT_TRANSLATE_NOOP("Commands", "Close all pages"), "", None, Disabled, nullptr, 7,
     "ToolButton8"},
    {"ActSave", QT_TRANSLATE_NOOP("Commands", "&Save"), QT_TRANSLATE_NOOP("Commands", "Save"), "",
     None, Disabled, nullptr, 5, "ToolButton6"},
    {"ActPreview", QT_TRANSLATE_NOOP("Commands", "Print Pre&view"),
     QT_TRANSLATE_NOOP("Commands", "Print preview"), "", None, Disabled, nullptr, 6, "ToolButton7"},
    {"ActPrint", QT_TRANSLATE_NOOP("Commands", "&Print"), QT_TRANSLATE_NOOP("Commands", "Print"),
     "", None, Disabled, nullptr, 4, "ToolButton5"},
    {"ActPageSetup", QT_TRANSLATE_NOOP("Commands", "Page Set&up"), "", "", None, Disabled},
    {"ActCopy", QT_TRANSLATE_NOOP("Commands", "&Copy"), "", "", None, Disabled},
    {"ActCut", QT_TRANSLATE_NOOP("Commands", "Cu&t"), "", "", None, Disabled},
    {"ActPaste", QT_TRANSLATE_NOOP("Commands", "&Paste"), "", "", None, Disabled},
    {"ActSelectAll", QT_TRANSLATE_NOOP("Commands", "Select &All"), "", "", None, Disabled},

    {"N4", "", "", "", File, 0, "ActCloseAll"},
    {"N5", "", "", "", File, 0, "ActCloseAll"},
    {"mnuClose", "", "", "Ctrl+W", File, AppWide, "ActClose"},
    {"ActSave1", "", "", "Ctrl+S", File, AppWide | SeparatorBefore, "ActSave"},
    {"mnuOpenInBrowser", QT_TRANSLATE_NOOP("Commands", "Open in &Browser"),
     QT_TRANSLATE_NOOP("Commands", "Open the current page in the default web browser"), "", File,
     Disabled},
    {"mnuPageSetup", "", "", "", File, SeparatorBefore, "ActPageSetup"},
    {"mnuPreview", "", "", "", File, 0, "ActPreview"},
    {"mnuPrint", "", "", "Ctrl+P", File, AppWide, "ActPrint"},
    {"mnuRecordWindow", QT_TRANSLATE_NOOP("Commands", "Look-up Histor&y..."),
     QT_TRANSLATE_NOOP("Commands", "List the terms looked up by day, to search and export"),
     "Ctrl+H", File, SeparatorBefore},
    // Its state is the settings' once the user has changed it.
    {"mnuRecordQueries", QT_TRANSLATE_NOOP("Commands", "&Record Look-ups"),
     QT_TRANSLATE_NOOP("Commands", "Keep each look-up's time, mode and term in the record"), "",
     File, Checkable | Checked},
    {"mnuClearHistory", QT_TRANSLATE_NOOP("Commands", "Clear &History..."),
     QT_TRANSLATE_NOOP("Commands", "Clear every term looked up"), "", File, 0},
    {"mnuExit", QT_TRANSLATE_NOOP("Commands", "E&xit"), "", "Ctrl+Q", File,
     AppWide | SeparatorBefore},

    {"mnuCopy", "", "", "", Edit, 0, "ActCopy"},
    {"mnuCut", "", "", "", Edit, 0, "ActCut"},
    {"mnuPaste", "", "", "", Edit, 0, "ActPaste"},
    {"mnuSelectAll", "", "", "", Edit, SeparatorBefore, "ActSelectAll"},
    {"mnuKeepWord", QT_TRANSLATE_NOOP("Commands", "A&dd to Notebook..."),
     QT_TRANSLATE_NOOP("Commands",
                       "Keep the term in the query box in the notebook, with a note if you like"),
     "Ctrl+D", Edit, SeparatorBefore},
    {"mnuNotebook", QT_TRANSLATE_NOOP("Commands", "&Word Notebook..."),
     QT_TRANSLATE_NOOP("Commands", "List, search, export and import the words in the notebook"),
     "Ctrl+Shift+D", Edit, 0},
    {"mnuFind", QT_TRANSLATE_NOOP("Commands", "&Find..."),
     QT_TRANSLATE_NOOP("Commands", "Find in all pages"), "Ctrl+F", Edit, AppWide | SeparatorBefore},
    {"mnuFindNext", QT_TRANSLATE_NOOP("Commands", "Find &Next"), "", "F3", Edit, AppWide},
    {"mnuFindPrior", QT_TRANSLATE_NOOP("Commands", "Find Pre&vious"), "", "Shift+F3", Edit,
     AppWide},
    {"mnuManageSites", QT_TRANSLATE_NOOP("Commands", "&Manage Encyclopaedias..."),
     QT_TRANSLATE_NOOP("Commands", "Add, change, remove or reorder the encyclopaedias to consult"),
     "", Edit, SeparatorBefore},

    {"NViewStatusBar", QT_TRANSLATE_NOOP("Commands", "Status &Bar"), "", "", View,
     Checkable | Checked},
    {"NViewToolBar", QT_TRANSLATE_NOOP("Commands", "Standard &Buttons"), "", "", View,
     Checkable | Checked},
    {"NViewSideBySide", QT_TRANSLATE_NOOP("Commands", "&Side by Side"), "", "", View, Checkable},
    {"NViewReader", QT_TRANSLATE_NOOP("Commands", "Reader &Mode"),
     QT_TRANSLATE_NOOP("Commands", "Show only the main text of each page"), "F9", View,
     Checkable | AppWide},
    {"NViewHighlight", QT_TRANSLATE_NOOP("Commands", "&Highlight the Term"),
     QT_TRANSLATE_NOOP(
         "Commands",
         "Mark the term in every page and show how often it occurs beside the page's name"),
     "", View, Checkable},
    {"mnuBack", QT_TRANSLATE_NOOP("Commands", "Back"), "", "Alt+Left", View, AppWide | Disabled},
    {"mnuForward", QT_TRANSLATE_NOOP("Commands", "Forward"), "", "Alt+Right", View,
     AppWide | Disabled},
    // S is the side-by-side item's letter in this menu.
    {"mnuStop", QT_TRANSLATE_NOOP("Commands", "Sto&p\tEsc"),
     QT_TRANSLATE_NOOP("Commands", "Stop loading every page of this query that still loads"), "",
     View, Disabled},
    // Every browser reloads its page with F5 and Ctrl+R; the key also brings back a page whose
    // process has ended.
    {"mnuRefresh", QT_TRANSLATE_NOOP("Commands", "&Reload"),
     QT_TRANSLATE_NOOP("Commands", "Load the current page again"), "F5;Ctrl+R", View,
     AppWide | Disabled},
    // One sequence per key: Ctrl+Shift+= also gives Ctrl++, and a key two sequences of one item
    // match is ambiguous and does nothing (Ctrl++ has an item of its own, below).
    {"mnuZoomIn", QT_TRANSLATE_NOOP("Commands", "Zoom &In"), "", "Ctrl+=", View,
     AppWide | SeparatorBefore},
    {"mnuZoomOut", QT_TRANSLATE_NOOP("Commands", "Zoom &Out"), "", "Ctrl+-", View, AppWide},
    {"mnuActualSize", QT_TRANSLATE_NOOP("Commands", "&Actual Size"), "", "Ctrl+0", View, AppWide},
    // Named by the actions' tips: their captions are no text for a user. Their keys go round at
    // the ends, as a browser's do, while the buttons stop there: they are not bound to the
    // actions. One sequence for Ctrl+Shift+Tab, which the toolkit matches in more than one
    // spelling.
    {"mnuPrior", QT_TRANSLATE_NOOP("Commands", "Previous page"), "", "Ctrl+PgUp;Ctrl+Shift+Tab",
     View, AppWide | SeparatorBefore | Disabled, nullptr, 0},
    {"mnuNext", QT_TRANSLATE_NOOP("Commands", "Next page"), "", "Ctrl+PgDown;Ctrl+Tab", View,
     AppWide | Disabled, nullptr, 1},
    // F6 goes round between the query box and the page, as a browser's does.
    {"mnuPageOrQueryBox", QT_TRANSLATE_NOOP("Commands", "&Go Between Page and Query Box"),
     QT_TRANSLATE_NOOP("Commands",
                       "Move the keyboard focus into the current page, or from the page back to "
                       "the query box"),
     "F6", View, AppWide},
    {"mnuQueryBox", QT_TRANSLATE_NOOP("Commands", "Go to the &Query Box"), "", "Ctrl+L;Alt+D", View,
     AppWide},

    {"mnuKeys", QT_TRANSLATE_NOOP("Commands", "&Keyboard Shortcuts"),
     QT_TRANSLATE_NOOP("Commands", "List every key of the program"), "F1", Help, AppWide},
    {"mnuAbout", QT_TRANSLATE_NOOP("Commands", "&About Tellaria"),
     QT_TRANSLATE_NOOP("Commands", "Version, licence and data folder"), "", Help, 0},
    // Filled by its owner with the languages to choose from.
    {"mnuLanguageMenu", QT_TRANSLATE_NOOP("Commands", "&Language"),
     QT_TRANSLATE_NOOP("Commands", "The language of the menus and messages"), "", Help, Submenu},

    // Keys without an item of their own.
    {"KeyZoomInPlus", QT_TRANSLATE_NOOP("Commands", "Zoom &In"), "", "Ctrl++", None, AppWide},
    // F10 opens the first menu, from there the arrow keys lead on.
    {"KeyMenuBar", QT_TRANSLATE_NOOP("Commands", "Open the menu"), "", "F10", None, 0},
};

constexpr TMenuRow Menus[] = {
    {File, "MainMenu1File", QT_TRANSLATE_NOOP("Commands", "&File")},
    {Edit, "MainMenu1Edit", QT_TRANSLATE_NOOP("Commands", "&Edit")},
    {View, "MainMenu1View", QT_TRANSLATE_NOOP("Commands", "&View")},
    {Help, "MainMenu1Help", QT_TRANSLATE_NOOP("Commands", "&Help")},
};

constexpr const char *Buttons[] = {"ToolButton1", "ToolButton2", "ToolButton3", "ToolButton8",
                                   "ToolButton5", "ToolButton6", "ToolButton7"};

} // namespace

std::span<const TCommandRow> CommandTable()
{
    return Rows;
}

std::span<const TMenuRow> MenuTable()
{
    return Menus;
}

std::span<const char *const> ButtonOrder()
{
    return Buttons;
}

} // namespace tellaria
