#pragma once

// Every command of the main window, once: its name (the object name tools and tests find it by),
// its caption with its letter, its keys, its status tip, the menu that shows it and its place
// there. The menus, the standard buttons, the key sheet and the README's key check all read
// this table; the role classes only say what runs a command, by its name.

#include <span>

namespace tellaria {

enum class TMenuName { None, File, Edit, View, Help };

namespace CommandTrait {
enum : unsigned {
    Checkable = 1u << 0,
    Checked = 1u << 1,
    // Its keys act from anywhere in the program, the floating toolbar and the pages included.
    AppWide = 1u << 2,
    // Disabled until its role class enables it.
    Disabled = 1u << 3,
    SeparatorBefore = 1u << 4,
    // A submenu, whose items its owner makes.
    Submenu = 1u << 5,
};
}

struct TCommandRow
{
    const char *Id;
    // English, translated in the context "Commands"; "&" marks the letter. Empty for a bound
    // item, which shows its action's caption.
    const char *Text;
    // The status bar's line for it (and the tool tip of its button); may be empty.
    const char *Tip;
    // PortableText key sequences, ";" between them; may be empty.
    const char *Keys;
    TMenuName Menu;
    unsigned Traits;
    // A menu item bound to an action follows its caption, icon, tip and state, and runs it.
    const char *Follows = nullptr;
    // Index in the image list, or -1.
    int Image = -1;
    // The standard button that shows it, if any.
    const char *Button = nullptr;
};

// The rows in menu order; a menu's items in the order they appear.
std::span<const TCommandRow> CommandTable();

// The menus in the order of the menu bar: name, object name and caption.
struct TMenuRow
{
    TMenuName Menu;
    const char *Id;
    const char *Text;
};
std::span<const TMenuRow> MenuTable();

// The standard buttons in their order on the toolbar.
std::span<const char *const> ButtonOrder();

} // namespace tellaria
