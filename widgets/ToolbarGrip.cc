#include "widgets/ToolbarGrip.h"

#include <QPainter>

namespace tellaria {

TToolbarGrip::TToolbarGrip(QWidget *toolBar)
    : QWidget(toolBar)
{
    setObjectName(QStringLiteral("ToolBarGrip"));
    setCursor(Qt::SizeAllCursor);
    setToolTip(tr("Drag here to float the toolbar"));
    setAccessibleName(tr("Toolbar grip"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize TToolbarGrip::sizeHint() const
{
    return {8, 20};
}

void TToolbarGrip::paintEvent(QPaintEvent *)
{
    // Two columns of dots, as the classic toolbar handles have; the style's own handle is drawn
    // by most styles as nothing at all.
    QPainter painter(this);
    QColor dark = palette().color(QPalette::WindowText);
    dark.setAlpha(150);
    const QColor light = palette().color(QPalette::Light);
    const int top = 3;
    const int bottom = height() - 3;
    for (int y = top; y + 1 < bottom; y += 3) {
        for (const int x : {1, 4}) {
            painter.fillRect(x + 1, y + 1, 1, 1, light);
            painter.fillRect(x, y, 2, 2, dark);
        }
    }
}

} // namespace tellaria
