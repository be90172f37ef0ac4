#pragma once

// Where a result page's mouse and keys arrive: its browser's drawing surface (the focus proxy),
// not the browser itself. The surface comes with the page's first load, and may change at a load.

#include "ui/ResultPages.h"

namespace tellaria {

// Has `filter` see the events of `browser`'s surface, now and from each load on. Installing it
// again on the same surface keeps it once.
inline void FilterPageSurface(TWebBrowser *browser, QObject *filter)
{
    const auto install = [browser, filter] {
        if (QWidget *surface = browser->focusProxy())
            surface->installEventFilter(filter);
    };
    install();
    QObject::connect(browser->page(), &QWebEnginePage::loadStarted, filter, install);
}

// The page of `pages` whose browser draws on `surface`; null for none.
inline TTabSheet *PageOfSurface(const TResultPages &pages, const QObject *surface)
{
    for (int index = 0; index < pages.count(); ++index) {
        TTabSheet *page = pages.Page(index);
        if (page->Browser() && page->Browser()->focusProxy() == surface)
            return page;
    }
    return nullptr;
}

} // namespace tellaria
