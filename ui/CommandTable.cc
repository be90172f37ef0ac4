#include "ui/CommandTable.h"

namespace tellaria {

namespace {

using namespace CommandTrait;
constexpr TMenuName None = TMenuName::None, File = TMenuName::File, Edit = TMenuName::Edit,
                    View = TMenuName::View, Help = TMenuName::Help;

// The twelve actions of the old action list come first: they have no menu of their own, no keys
// (the keyboard reaches them through the menu items bound to them) and start disabled.
constexpr TCommandRow Rows[] = {
    {"ActPrior", "ActPrior", "前一页", "", None, Disabled, nullptr, 0, "ToolButton1"},
    {"ActNext", "ActNext", "后一页", "", None, Disabled, nullptr, 1, "ToolButton2"},
    {"ActClose", "关闭当前页(&C)", "关闭当前页", "", None, Disabled, nullptr, 2, "ToolButton3"},
    {"ActCloseAll", "关闭所有页", "关闭所有页", "", None, Disabled, nullptr, 7, "ToolButton8"},
    {"ActSave", "保存(&S)", "保存", "", None, Disabled, nullptr, 5, "ToolButton6"},
    {"ActPreview", "打印预览(&V)", "打印预览", "", None, Disabled, nullptr, 6, "ToolButton7"},
    {"ActPrint", "打印(&P)", "打印", "", None, Disabled, nullptr, 4, "ToolButton5"},
    {"ActPageSetup", "页面设置(&U)", "", "", None, Disabled},
    {"ActCopy", "复制(&C)", "", "", None, Disabled},
    {"ActCut", "剪切(&X)", "", "", None, Disabled},
    {"ActPaste", "粘贴(&P)", "", "", None, Disabled},
    {"ActSelectAll", "全选(&A)", "", "", None, Disabled},

    {"N4", "", "", "", File, 0, "ActCloseAll"},
    {"N5", "", "", "", File, 0, "ActCloseAll"},
    {"mnuClose", "", "", "Ctrl+W", File, AppWide, "ActClose"},
    {"ActSave1", "", "", "Ctrl+S", File, AppWide | SeparatorBefore, "ActSave"},
    {"mnuOpenInBrowser", "在浏览器中打开当前页(&B)", "在默认的网页浏览器中打开当前页", "", File,
     Disabled},
    {"mnuPageSetup", "", "", "", File, SeparatorBefore, "ActPageSetup"},
    {"mnuPreview", "", "", "", File, 0, "ActPreview"},
    {"mnuPrint", "", "", "Ctrl+P", File, AppWide, "ActPrint"},
    {"mnuClearHistory", "清除查询历史(&H)...", "清除所有查询过的词语", "", File, SeparatorBefore},
    {"mnuExit", "退出(&X)", "", "Ctrl+Q", File, AppWide | SeparatorBefore},

    {"mnuCopy", "", "", "", Edit, 0, "ActCopy"},
    {"mnuCut", "", "", "", Edit, 0, "ActCut"},
    {"mnuPaste", "", "", "", Edit, 0, "ActPaste"},
    {"mnuSelectAll", "", "", "", Edit, SeparatorBefore, "ActSelectAll"},
    {"mnuFind", "查找(&F)...", "在所有页中查找", "Ctrl+F", Edit, AppWide | SeparatorBefore},
    {"mnuFindNext", "查找下一个(&N)", "", "F3", Edit, AppWide},
    {"mnuFindPrior", "查找上一个(&V)", "", "Shift+F3", Edit, AppWide},
    {"mnuManageSites", "管理百科全书(&M)...", "添加、修改、删除或排列要查询的百科全书", "", Edit,
     SeparatorBefore},

    {"NViewStatusBar", "状态栏(&B)", "", "", View, Checkable | Checked},
    {"NViewToolBar", "标准按钮(&T)", "", "", View, Checkable | Checked},
    {"NViewSideBySide", "并排显示(&S)", "", "", View, Checkable},
    {"NViewReader", "阅读模式(&M)", "只显示每页的正文", "F9", View, Checkable | AppWide},
    {"NViewHighlight", "突出显示查询词(&H)", "在每页中标出查询词，并在页名旁显示出现次数", "", View,
     Checkable},
    {"mnuBack", "后退", "", "Alt+Left", View, AppWide | Disabled},
    {"mnuForward", "前进", "", "Alt+Right", View, AppWide | Disabled},
    // S is the side-by-side item's letter in this menu.
    {"mnuStop", "停止(&P)", "停止加载当前页", "", View, Disabled},
    // Every browser reloads its page with F5 and Ctrl+R; the key also brings back a page whose
    // process has ended.
    {"mnuRefresh", "刷新(&R)", "重新加载当前页", "F5;Ctrl+R", View, AppWide | Disabled},
    // One sequence per key: Ctrl+Shift+= also gives Ctrl++, and a key two sequences of one item
    // match is ambiguous and does nothing (Ctrl++ has an item of its own, below).
    {"mnuZoomIn", "放大(&I)", "", "Ctrl+=", View, AppWide | SeparatorBefore},
    {"mnuZoomOut", "缩小(&O)", "", "Ctrl+-", View, AppWide},
    {"mnuActualSize", "实际大小(&A)", "", "Ctrl+0", View, AppWide},
    // Named by the actions' tips: their captions are no text for a user. Their keys go round at
    // the ends, as a browser's do, while the buttons stop there: they are not bound to the
    // actions. One sequence for Ctrl+Shift+Tab, which the toolkit matches in more than one
    // spelling.
    {"mnuPrior", "前一页", "", "Ctrl+PgUp;Ctrl+Shift+Tab", View,
     AppWide | SeparatorBefore | Disabled, nullptr, 0},
    {"mnuNext", "后一页", "", "Ctrl+PgDown;Ctrl+Tab", View, AppWide | Disabled, nullptr, 1},
    {"mnuQueryBox", "转到查询框(&Q)", "", "Ctrl+L;Alt+D;F6", View, AppWide},

    {"mnuKeys", "键盘快捷键(&K)", "列出程序的所有快捷键", "F1", Help, AppWide},
    {"mnuAbout", "关于 Tellaria(&A)", "版本、许可证和数据文件夹", "", Help, 0},

    // Keys without an item of their own.
    {"KeyZoomInPlus", "放大(&I)", "", "Ctrl++", None, AppWide},
    // F10 opens the first menu, from there the arrow keys lead on.
    {"KeyMenuBar", "打开菜单", "", "F10", None, 0},
};

constexpr TMenuRow Menus[] = {
    {File, "MainMenu1File", "文件(&F)"},
    {Edit, "MainMenu1Edit", "编辑(&E)"},
    {View, "MainMenu1View", "查看(&V)"},
    {Help, "MainMenu1Help", "帮助(&H)"},
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
