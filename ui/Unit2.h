#pragma once

// The floating toolbar window: a top-level tool window, owned by the application, that holds the
// standard-buttons toolbar while it is undocked from the band area. It draws its own caption
// strip, whose drag is a docking drag of the whole window, and its own sizing border, so that it
// behaves the same under every window manager and under none. It is not a dock site.

#include "widgets/Docking.h"
#include "widgets/Form.h"

class QVBoxLayout;

namespace tellaria {

class TfrmFloating : public TForm, public TDockTarget
{
    Q_OBJECT
public:
    explicit TfrmFloating(QWidget *parent = nullptr);

    // The strip along the top that shows the title and starts the window's docking drag.
    QWidget *CaptionStrip() const { return m_caption; }
    // Where the docked toolbar lies, below the caption strip and inside the border.
    QWidget *ClientArea() const { return m_client; }

    QWidget *DockWidget() override { return m_client; }
    QList<QWidget *> DockClients() const override;
    void InsertControl(QWidget *control) override;
    QMargins ClientMargins() const override;

    // A control has been docked into this window.
    void FormDockDrop(TDragDockObject &source, const QPoint &position);
    void DockDrop(TDragDockObject &source, const QPoint &position) override
    {
        FormDockDrop(source, position);
    }
    // A request to close this window: always refused.
    void FormClose(TCloseAction &action);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Qt::Edges EdgesAt(const QPoint &position) const;

    QWidget *m_caption;
    QWidget *m_client;
    QVBoxLayout *m_clientLayout;
    // The sizing drag through the border: the edges held, where it started.
    Qt::Edges m_sizingEdges;
    QPoint m_sizingStart;
    QRect m_sizingGeometry;
};

} // namespace tellaria
