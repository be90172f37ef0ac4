#include "platform/IdleTime.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPointer>

#include <vector>

namespace tellaria {

namespace {

class IdleHook : public QObject
{
public:
    IdleHook()
        : QObject(QCoreApplication::instance())
    {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                &IdleHook::Run);
    }

    void Add(QObject *context, std::function<void()> work)
    {
        m_entries.push_back({context, std::move(work)});
    }

private:
    void Run()
    {
        // Work may register more work or end a context: run over a snapshot, drop the dead.
        const std::vector<Entry> entries = m_entries;
        for (const Entry &entry : entries) {
            if (entry.Context)
                entry.Work();
        }
        std::erase_if(m_entries, [](const Entry &entry) { return !entry.Context; });
    }

    struct Entry
    {
        QPointer<QObject> Context;
        std::function<void()> Work;
    };
    std::vector<Entry> m_entries;
};

} // namespace

void AtIdle(QObject *context, std::function<void()> work)
{
    static QPointer<IdleHook> hook;
    if (!hook)
        hook = new IdleHook;
    hook->Add(context, std::move(work));
}

} // namespace tellaria
