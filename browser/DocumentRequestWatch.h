#pragma once

// Tells when a page's document request leaves: set on the page as its request interceptor before
// a navigation, it sees each of the page's requests as the engine hands it to the network (on the
// user-interface thread) and tells of those for the page's main frame.

#include <QWebEngineUrlRequestInterceptor>

namespace tellaria {

class TDocumentRequestWatch : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

signals:
    // A request for the page's document (its main frame) has been handed to the network.
    void DocumentRequested();
};

} // namespace tellaria
