#include "browser/PageDrawing.h"

#include <QByteArray>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

namespace tellaria {

bool DrawPagesInSoftwareWhereOpenGlIs()
{
    QOpenGLContext *context = QOpenGLContext::globalShareContext();
    if (!context || !context->isValid())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context->format());
    surface.create();
    if (!context->makeCurrent(&surface))
        return false;
    const QByteArray renderer
        = reinterpret_cast<const char *>(context->functions()->glGetString(GL_RENDERER));
    context->doneCurrent();
    // A window holding a page drawn through a software OpenGL is composed whole through it at
    // each repaint, which takes the processor from the engine; drawn in software, a repaint
    // copies only what changed.
    const bool software = renderer.contains("llvmpipe") || renderer.contains("softpipe")
                          || renderer.contains("SwiftShader")
                          || renderer.contains("Software Rasterizer");
    if (software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return software;
}

} // namespace tellaria
