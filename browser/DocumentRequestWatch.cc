#include "browser/DocumentRequestWatch.h"

namespace tellaria {

void TDocumentRequestWatch::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        emit DocumentRequested();
}

} // namespace tellaria
