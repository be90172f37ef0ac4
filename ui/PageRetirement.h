#pragma once

// The result pages taken down and not yet freed. Freeing a page's browser costs the user-interface
// thread several milliseconds, and the engine's own work for the pages just opened (which runs on
// that thread, task by task between the window's events) must not queue behind it; so a page
// retired lives on hidden for a moment, and goes with deleteLater, so that the engine's signals
// still queued for it are delivered first. A page whose browser still prints goes when the job
// ends. Not right after the new requests have left: old pages freed then, while the new pages
// were first drawn, now and then left this thread waiting for ever on a lock held by the engine's
// compositor thread (about one query in a thousand, with queries made back to back).

#include "ui/ResultPage.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace tellaria {

class TPageRetirement : public QObject
{
    Q_OBJECT
public:
    explicit TPageRetirement(QObject *parent = nullptr);

    // Takes `page` (already hidden, out of its tabs) to be freed `afterMs` from now.
    void Retire(TTabSheet *page, int afterMs = 400);
    // Frees at once the pages retired and not yet freed, but for those still printing: the next
    // query's, so that queries made in quick succession do not pile up hidden pages, and the
    // memory they leave behind scattered.
    void FreeAll();
    // The pages retired and not yet freed.
    int Count() const;

private:
    QList<QPointer<TTabSheet>> m_retired;
    // Gives the memory of freed pages back to the system: a page's browser leaves much freed
    // memory in the heap, which the C library keeps for later unless told otherwise, and query
    // after query the program would grow.
    QTimer m_releaseMemory;
};

} // namespace tellaria
