#pragma once

// The dotted handle at the start of a toolbar that can be dragged off: it shows the user where
// to take hold, with the move pointer over it. A press on it is the toolbar's own (the event goes
// on to the toolbar), so dragging from it is the toolbar's docking drag.

#include <QWidget>

namespace tellaria {

class TToolbarGrip : public QWidget
{
    Q_OBJECT
public:
    explicit TToolbarGrip(QWidget *toolBar);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tellaria
