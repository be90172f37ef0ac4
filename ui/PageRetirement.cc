#include "ui/PageRetirement.h"

#include "browser/PdfPrinting.h"
#include "browser/WebBrowser.h"

#include <algorithm>
#include <utility>

namespace tellaria {

namespace {

// How long after the last page was freed the freed memory goes back to the system.
constexpr int ReleaseMemoryAfterMs = 200;

} // namespace

TPageRetirement::TPageRetirement(QObject *parent)
    : QObject(parent)
{
    m_releaseMemory.setSingleShot(true);
    m_releaseMemory.setInterval(ReleaseMemoryAfterMs);
    connect(&m_releaseMemory, &QTimer::timeout, this, [] { ReturnFreedMemory(); });
}

void TPageRetirement::Retire(TTabSheet *page, int afterMs)
{
    m_retired << page;
    QTimer::singleShot(afterMs, page, [this, page] {
        m_retired.removeAll(page);
        DeleteWhenIdle(page, page->Browser());
        m_releaseMemory.start();
    });
}

void TPageRetirement::FreeAll()
{
    if (m_retired.isEmpty())
        return;
    for (const QPointer<TTabSheet> &page : std::exchange(m_retired, {})) {
        // A page whose browser still prints is left to its own time, which waits for the job.
        if (page && !(page->Browser() && page->Browser()->Printing()))
            delete page.data();
    }
    m_releaseMemory.start();
}

int TPageRetirement::Count() const
{
    return int(std::count_if(m_retired.begin(), m_retired.end(),
                             [](const QPointer<TTabSheet> &page) { return !page.isNull(); }));
}

} // namespace tellaria
