#pragma once

// A band area: one band per child control, each band on a row of its own, in the order the
// controls were added. A band shows only while its control is visible, and the area's height
// follows its visible bands, so showing or hiding a band moves whatever lies below. It is a dock
// site: a control docked into it gets a new band after the existing ones, and a control that
// leaves it takes its band along.

#include "widgets/Docking.h"

#include <QFrame>
#include <QList>

class QVBoxLayout;

namespace tellaria {

class TCoolBar : public QFrame, public TDockSite
{
    Q_OBJECT
public:
    explicit TCoolBar(QWidget *parent = nullptr);

    // Makes `control` a child of the band area, in a new band after every existing one.
    void AppendBand(QWidget *control);
    // The controls of the bands, in band order (hidden ones included).
    QList<QWidget *> BandControls() const;
    // The controls whose bands are showing, in band order.
    QList<QWidget *> VisibleBandControls() const;

    QWidget *DockWidget() override { return this; }
    QList<QWidget *> DockClients() const override { return BandControls(); }
    void InsertControl(QWidget *control) override;

protected:
    // A floating window dragged over the area by drag and drop: see TDockSite::DragOver.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QVBoxLayout *m_layout;
};

} // namespace tellaria
