#pragma once

// A program's controls as a screen reader finds them: its accessibility tree, read over AT-SPI
// from the accessibility bus of an XSession or a WaylandSession (StartAccessibilityBus). Tests
// take the places they click from here, as a user takes them from the screen, instead of from a
// table of offsets. Under Wayland the places are relative to each window, since a client never
// learns where the compositor shows its windows.

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace tellaria::test {

class XSession;
class AccessibilityBusConnection;

// One control, as it was when the tree was read.
struct AccessibleNode
{
    QString Role; // as a screen reader announces it: "push button", "combo box", "list item"
    QString Name;
    QString Description;
    QStringList LabelledBy; // the names of the labels that name it ("查询：")
    QRect Extents; // on the screen
    quint64 States = 0; // AT-SPI state bits
    int Parent = -1; // its parent's index in the reading; -1 for the application's windows
    QString Service; // where it is on the bus, for acting on it
    QString Path;

    bool Checked() const;
    bool Enabled() const;
    bool Focused() const;
    bool Selected() const;
};

// One reading of an application's tree: only what is on the screen, that is, showing itself and
// inside showing parents. A page's content (below a "web document") is the page's, not the
// program's, and is not read.
class AccessibleReading
{
public:
    QList<AccessibleNode> Nodes;

    // The first node with `role` and `name`, in the tree's order; null when there is none.
    const AccessibleNode *Find(const QString &role, const QString &name) const;
    const AccessibleNode *Find(const std::function<bool(const AccessibleNode &)> &matches) const;
    const AccessibleNode *Parent(const AccessibleNode &node) const;
    QList<const AccessibleNode *> Children(const AccessibleNode &node) const;
    // The window `node` belongs to: its ancestor that is a child of the application.
    const AccessibleNode *Window(const AccessibleNode &node) const;

    // Every node, one a line, indented below its parent: for a failing test's message.
    QString Describe() const;
};

class AccessibleTree
{
public:
    // The application whose accessible name is `application` (its application name), on the
    // session's accessibility bus.
    AccessibleTree(const XSession &session, const QString &application);
    // The same on the bus at the address `busAddress` gives, asked at the first reading: empty
    // while the bus does not run.
    AccessibleTree(std::function<QString()> busAddress, const QString &application);
    ~AccessibleTree();
    AccessibleTree(const AccessibleTree &) = delete;
    AccessibleTree &operator=(const AccessibleTree &) = delete;

    // Reads the tree as it is now; empty while the application has not registered.
    AccessibleReading Read() const;
    // The names of the application's windows, shown or not.
    QStringList WindowNames() const;

    // Reads the tree until `find` returns a node from a reading, and returns a copy of that
    // node; nothing when `timeoutMs` passes first.
    std::optional<AccessibleNode> WaitFor(
        const std::function<const AccessibleNode *(const AccessibleReading &)> &find,
        int timeoutMs = 10000) const;
    // The same for the first node on the screen with `role` and `name`.
    std::optional<AccessibleNode> WaitFor(const QString &role,
                                          const QString &name,
                                          int timeoutMs = 10000) const;
    // Reads the tree until `holds` is true of a reading; false when `timeoutMs` passes first.
    bool WaitUntil(const std::function<bool(const AccessibleReading &)> &holds,
                   int timeoutMs = 10000) const;

    // Carries out action `action` of `node` (a button's press, a check box's toggle), as a
    // screen reader does for its user; false when the program refused or did not answer.
    bool DoAction(const AccessibleNode &node, int action = 0) const;
    // Replaces the text of the editable `node` (a query box's text field).
    bool SetText(const AccessibleNode &node, const QString &text) const;
    // What a screen reader reads of the page below the web document `node`: the names and texts
    // of everything in it, a line each, in the tree's order.
    QStringList PageText(const AccessibleNode &node) const;

private:
    std::function<QString()> m_busAddress;
    QString m_application;
    mutable std::unique_ptr<AccessibilityBusConnection> m_connection;
};

// The AT-SPI bus launcher, where Debian puts it; empty when it is not installed.
QString AccessibilityBusLauncher();

// The address of the accessibility bus that the launcher started on the D-Bus session at
// `sessionBusAddress` serves, once it serves it; empty when it does not within `timeoutMs`.
QString AskAccessibilityBusAddress(const QString &sessionBusAddress, int timeoutMs = 10000);

} // namespace tellaria::test
