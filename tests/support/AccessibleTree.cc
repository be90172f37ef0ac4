#include "tests/support/AccessibleTree.h"

#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QAtomicInt>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFileInfo>
#include <QHash>

namespace tellaria::test {

namespace {

const char AccessibleInterface[] = "org.a11y.atspi.Accessible";
const char ComponentInterface[] = "org.a11y.atspi.Component";
const char PropertiesInterface[] = "org.freedesktop.DBus.Properties";

// AT-SPI's numbers: states are bits of a 64-bit set, relations a type each, coordinates by kind.
constexpr int StateChecked = 4;
constexpr int StateEnabled = 8;
constexpr int StateFocused = 12;
constexpr int StateSelected = 23;
constexpr int StateShowing = 25;
constexpr uint RelationLabelledBy = 2;
constexpr uint ScreenCoordinates = 0;

constexpr int CallTimeoutMs = 5000;

// An accessible object on the bus: the connection that serves it and its object path.
struct Reference
{
    QString Service;
    QString Path;

    QString Key() const { return Service + QLatin1Char('\n') + Path; }
};

QList<Reference> ReadReferences(const QDBusArgument &argument)
{
    QList<Reference> references;
    argument.beginArray();
    while (!argument.atEnd()) {
        QString service;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> service >> path;
        argument.endStructure();
        references.append({service, path.path()});
    }
    argument.endArray();
    return references;
}

QDBusArgument FirstArgument(const QDBusMessage &reply)
{
    return reply.arguments().value(0).value<QDBusArgument>();
}

bool Replied(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

} // namespace

bool AccessibleNode::Checked() const
{
    return (States >> StateChecked) & 1;
}

bool AccessibleNode::Focused() const
{
    return (States >> StateFocused) & 1;
}

bool AccessibleNode::Enabled() const
{
    return (States >> StateEnabled) & 1;
}

bool AccessibleNode::Selected() const
{
    return (States >> StateSelected) & 1;
}

// A connection of its own to the accessibility bus, named apart from any other.
class AccessibilityBusConnection
{
public:
    explicit AccessibilityBusConnection(const QString &address)
        : m_name(QStringLiteral("tellaria-test-accessibility-%1").arg(NextNumber()))
        , m_bus(QDBusConnection::connectToBus(address, m_name))
    {}
    ~AccessibilityBusConnection() { QDBusConnection::disconnectFromBus(m_name); }

    bool Connected() const { return m_bus.isConnected(); }

    QDBusPendingCall Call(const Reference &object,
                          const char *interface,
                          const char *method,
                          const QVariantList &arguments = {}) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            object.Service, object.Path, QLatin1String(interface), QLatin1String(method));
        message.setArguments(arguments);
        return m_bus.asyncCall(message, CallTimeoutMs);
    }

    static QDBusMessage Reply(QDBusPendingCall &call)
    {
        call.waitForFinished();
        return call.reply();
    }

    QList<Reference> Children(const Reference &object) const
    {
        QDBusPendingCall call = Call(object, AccessibleInterface, "GetChildren");
        const QDBusMessage reply = Reply(call);
        return Replied(reply) ? ReadReferences(FirstArgument(reply)) : QList<Reference>();
    }

    QString Name(const Reference &object, const char *property = "Name") const
    {
        QDBusPendingCall call = Call(object, PropertiesInterface, "Get",
                                     {QLatin1String(AccessibleInterface), QLatin1String(property)});
        const QDBusMessage reply = Reply(call);
        return Replied(reply)
                   ? reply.arguments().value(0).value<QDBusVariant>().variant().toString()
                   : QString();
    }

private:
    static int NextNumber()
    {
        static QAtomicInt number;
        return number.fetchAndAddRelaxed(1);
    }

    QString m_name;
    QDBusConnection m_bus;
};

namespace {

// Walks one application's tree into a reading, asking each object for everything at once.
class Walk
{
public:
    explicit Walk(const AccessibilityBusConnection &connection)
        : m_connection(connection)
    {}

    void Visit(const Reference &object, int parent)
    {
        using C = AccessibilityBusConnection;
        QDBusPendingCall role = m_connection.Call(object, AccessibleInterface, "GetRoleName");
        QDBusPendingCall state = m_connection.Call(object, AccessibleInterface, "GetState");
        QDBusPendingCall extents = m_connection.Call(object, ComponentInterface, "GetExtents",
                                                     {QVariant::fromValue(ScreenCoordinates)});
        QDBusPendingCall relations
            = m_connection.Call(object, AccessibleInterface, "GetRelationSet");
        const QString name = m_connection.Name(object);

        AccessibleNode node;
        node.Name = name;
        node.Description = m_connection.Name(object, "Description");
        node.Parent = parent;
        node.Service = object.Service;
        node.Path = object.Path;
        const QDBusMessage stateReply = C::Reply(state);
        if (Replied(stateReply)) {
            QList<uint> words;
            FirstArgument(stateReply) >> words;
            node.States = quint64(words.value(0)) | quint64(words.value(1)) << 32;
        }
        // What is not on the screen is not read further.
        if (!((node.States >> StateShowing) & 1))
            return;
        const QDBusMessage roleReply = C::Reply(role);
        node.Role = Replied(roleReply) ? roleReply.arguments().value(0).toString() : QString();
        const QDBusMessage extentsReply = C::Reply(extents);
        if (Replied(extentsReply))
            FirstArgument(extentsReply) >> node.Extents;
        const QDBusMessage relationsReply = C::Reply(relations);
        QStringList labels;
        if (Replied(relationsReply)) {
            const QDBusArgument argument = FirstArgument(relationsReply);
            argument.beginArray();
            while (!argument.atEnd()) {
                uint type = 0;
                argument.beginStructure();
                argument >> type;
                const QList<Reference> targets = ReadReferences(argument);
                argument.endStructure();
                if (type == RelationLabelledBy) {
                    for (const Reference &target : targets)
                        labels << target.Key();
                }
            }
            argument.endArray();
        }
        const int index = int(m_reading.Nodes.size());
        m_reading.Nodes.append(node);
        m_keys.insert(object.Key(), index);
        m_labels.append(labels);
        if (node.Role == QLatin1String("web document"))
            return;
        for (const Reference &child : m_connection.Children(object))
            Visit(child, index);
    }

    // The reading, with each label given by its name.
    AccessibleReading Finish()
    {
        for (qsizetype index = 0; index < m_reading.Nodes.size(); ++index) {
            for (const QString &key : std::as_const(m_labels[index])) {
                const int label = m_keys.value(key, -1);
                if (label >= 0)
                    m_reading.Nodes[index].LabelledBy << m_reading.Nodes[label].Name;
            }
        }
        return m_reading;
    }

private:
    const AccessibilityBusConnection &m_connection;
    AccessibleReading m_reading;
    QHash<QString, int> m_keys;
    QList<QStringList> m_labels;
};

} // namespace

const AccessibleNode *AccessibleReading::Find(const QString &role, const QString &name) const
{
    return Find([&](const AccessibleNode &node) { return node.Role == role && node.Name == name; });
}

const AccessibleNode *AccessibleReading::Find(
    const std::function<bool(const AccessibleNode &)> &matches) const
{
    for (const AccessibleNode &node : Nodes) {
        if (matches(node))
            return &node;
    }
    return nullptr;
}

const AccessibleNode *AccessibleReading::Parent(const AccessibleNode &node) const
{
    return node.Parent >= 0 ? &Nodes[node.Parent] : nullptr;
}

QList<const AccessibleNode *> AccessibleReading::Children(const AccessibleNode &node) const
{
    const qsizetype index = &node - Nodes.constData();
    QList<const AccessibleNode *> children;
    for (const AccessibleNode &candidate : Nodes) {
        if (candidate.Parent == index)
            children << &candidate;
    }
    return children;
}

const AccessibleNode *AccessibleReading::Window(const AccessibleNode &node) const
{
    const AccessibleNode *window = &node;
    while (window->Parent >= 0)
        window = &Nodes[window->Parent];
    return window;
}

QString AccessibleReading::Describe() const
{
    QString text;
    QList<int> depths;
    for (const AccessibleNode &node : Nodes) {
        const int depth = node.Parent >= 0 ? depths[node.Parent] + 1 : 0;
        depths << depth;
        text += QString(depth * 2, QLatin1Char(' '))
                + QStringLiteral("%1 \"%2\" %3,%4 %5x%6\n")
                      .arg(node.Role, node.Name)
                      .arg(node.Extents.x())
                      .arg(node.Extents.y())
                      .arg(node.Extents.width())
                      .arg(node.Extents.height());
    }
    return text;
}

AccessibleTree::AccessibleTree(const XSession &session, const QString &application)
    : AccessibleTree([&session] { return session.AccessibilityBusAddress(); }, application)
{}

AccessibleTree::AccessibleTree(std::function<QString()> busAddress, const QString &application)
    : m_busAddress(std::move(busAddress))
    , m_application(application)
{}

AccessibleTree::~AccessibleTree() = default;

AccessibleReading AccessibleTree::Read() const
{
    if (!m_connection) {
        const QString address = m_busAddress();
        if (address.isEmpty())
            return {};
        m_connection = std::make_unique<AccessibilityBusConnection>(address);
    }
    if (!m_connection->Connected())
        return {};
    // The registry lists every application on the bus; a second copy of a program, briefly
    // there, has no windows of its own.
    const Reference registry{QStringLiteral("org.a11y.atspi.Registry"),
                             QStringLiteral("/org/a11y/atspi/accessible/root")};
    Walk walk(*m_connection);
    for (const Reference &application : m_connection->Children(registry)) {
        if (m_connection->Name(application) != m_application)
            continue;
        for (const Reference &window : m_connection->Children(application))
            walk.Visit(window, -1);
    }
    return walk.Finish();
}

QStringList AccessibleTree::WindowNames() const
{
    QStringList names;
    if (Read().Nodes.isEmpty())
        return names;
    const Reference registry{QStringLiteral("org.a11y.atspi.Registry"),
                             QStringLiteral("/org/a11y/atspi/accessible/root")};
    for (const Reference &application : m_connection->Children(registry)) {
        if (m_connection->Name(application) != m_application)
            continue;
        for (const Reference &window : m_connection->Children(application))
            names << m_connection->Name(window);
    }
    return names;
}

bool AccessibleTree::DoAction(const AccessibleNode &node, int action) const
{
    if (!m_connection)
        return false;
    QDBusPendingCall call = m_connection->Call({node.Service, node.Path}, "org.a11y.atspi.Action",
                                               "DoAction", {QVariant::fromValue(action)});
    const QDBusMessage reply = AccessibilityBusConnection::Reply(call);
    return Replied(reply) && reply.arguments().value(0).toBool();
}

bool AccessibleTree::SetText(const AccessibleNode &node, const QString &text) const
{
    if (!m_connection)
        return false;
    QDBusPendingCall call = m_connection->Call(
        {node.Service, node.Path}, "org.a11y.atspi.EditableText", "SetTextContents", {text});
    const QDBusMessage reply = AccessibilityBusConnection::Reply(call);
    return Replied(reply) && reply.arguments().value(0).toBool();
}

QStringList AccessibleTree::PageText(const AccessibleNode &node) const
{
    QStringList lines;
    if (!m_connection)
        return lines;
    // Deep pages are not what the tests read: a bound keeps a broken tree from going on.
    QList<Reference> pending{{node.Service, node.Path}};
    for (int visited = 0; !pending.isEmpty() && visited < 2000; ++visited) {
        const Reference object = pending.takeFirst();
        const QString name = m_connection->Name(object);
        if (!name.isEmpty())
            lines << name;
        QDBusPendingCall call
            = m_connection->Call(object, "org.a11y.atspi.Text", "GetText",
                                 {QVariant::fromValue(0), QVariant::fromValue(-1)});
        const QDBusMessage reply = AccessibilityBusConnection::Reply(call);
        if (Replied(reply) && !reply.arguments().value(0).toString().trimmed().isEmpty())
            lines << reply.arguments().value(0).toString();
        pending = m_connection->Children(object) + pending;
    }
    return lines;
}

std::optional<AccessibleNode> AccessibleTree::WaitFor(
    const std::function<const AccessibleNode *(const AccessibleReading &)> &find,
    int timeoutMs) const
{
    std::optional<AccessibleNode> found;
    TestProxy::WaitFor(
        [&] {
            const AccessibleReading reading = Read();
            if (const AccessibleNode *node = find(reading))
                found = *node;
            return found.has_value();
        },
        timeoutMs);
    return found;
}

std::optional<AccessibleNode> AccessibleTree::WaitFor(const QString &role,
                                                      const QString &name,
                                                      int timeoutMs) const
{
    return WaitFor([&](const AccessibleReading &reading) { return reading.Find(role, name); },
                   timeoutMs);
}

bool AccessibleTree::WaitUntil(const std::function<bool(const AccessibleReading &)> &holds,
                               int timeoutMs) const
{
    return TestProxy::WaitFor([&] { return holds(Read()); }, timeoutMs);
}

QString AccessibilityBusLauncher()
{
    for (const char *path :
         {"/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"}) {
        if (QFileInfo(QLatin1String(path)).isExecutable())
            return QLatin1String(path);
    }
    return {};
}

QString AskAccessibilityBusAddress(const QString &sessionBusAddress, int timeoutMs)
{
    const QString connectionName = QStringLiteral("tellaria-test-session-") + sessionBusAddress;
    QString address;
    {
        QDBusConnection session = QDBusConnection::connectToBus(sessionBusAddress, connectionName);
        // Asked only once the launcher has its name: asked before, the bus would start a
        // launcher of its own.
        const auto ownerKnown = [&] {
            const QDBusReply<bool> owned
                = session.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus"));
            return owned.isValid() && owned.value();
        };
        if (session.isConnected() && TestProxy::WaitFor(ownerKnown, timeoutMs)) {
            const QDBusReply<QString> reply = session.call(QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
            if (reply.isValid())
                address = reply.value();
        }
    }
    QDBusConnection::disconnectFromBus(connectionName);
    return address;
}

} // namespace tellaria::test
