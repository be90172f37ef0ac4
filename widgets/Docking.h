#pragma once

// Docking of a control or of a top-level window: the drag with its outline, the dock sites that
// accept or refuse it, floating a control into a new window of its floating window class, the
// programmatic dock, and windows whose close requests can be refused.
//
// Qt docks only its own toolbars and dock widgets inside a QMainWindow; the program needs a
// toolbar to leave a band area for a window of the program's own class and come back, so this
// small layer does it for any widget.

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

class QBoxLayout;
class QCloseEvent;
class QLayout;
class QKeyEvent;
class QRubberBand;

namespace tellaria {

// Whether the window system keeps the pointer's place on the screen and the windows' places to
// itself (Wayland): a drag between windows then goes by drag and drop, which delivers it to the
// window under the pointer, and a new window cannot be placed.
bool WindowsArePlacedByTheSystem();

// The data format of a window's docking drag by drag and drop.
inline constexpr char DockDragFormat[] = "application/x-tellaria-dock";

// True when `widget` was hidden by hide() or setVisible(false), not just by lying in a hidden
// window; such a control stays hidden when docked elsewhere.
bool ExplicitlyHidden(const QWidget *widget);

// The layout both kinds of dock target use: docked controls one below the other in a box
// layout, each across its whole width.
// The controls laid out in `layout`, first to last.
QList<QWidget *> DockedControls(const QLayout *layout);
// Makes `control` a child of `layout`'s widget and lays it out after the last docked control
// (before anything else at the end, such as a stretch); a control that was explicitly hidden
// stays hidden, any other shows with its new parent.
void InsertDockedControl(QBoxLayout *layout, QWidget *control);

// What a docking drag carries: the control or top-level window being dragged and the outline,
// in screen coordinates, of where it would go.
class TDragDockObject
{
public:
    TDragDockObject(QWidget *control, const QRect &dockRect);

    QWidget *Control() const { return m_control; }
    QRect DockRect() const { return m_dockRect; }
    // A dock site's dock-over handler may put the outline elsewhere.
    void SetDockRect(const QRect &rect) { m_dockRect = rect; }

private:
    QWidget *m_control;
    QRect m_dockRect;
};

// How the drag stands towards the site being asked.
enum class TDragState { Enter, Leave, Move };

// A container that controls can be docked into: a dock site, or a window of a floating window
// class.
class TDockTarget
{
public:
    virtual ~TDockTarget() = default;

    // The widget that becomes the docked controls' parent.
    virtual QWidget *DockWidget() = 0;
    // The docked controls, first to last.
    virtual QList<QWidget *> DockClients() const = 0;
    // Makes `control` a child of DockWidget() and lays it out; a control that was explicitly
    // hidden stays hidden, any other shows with its new parent.
    virtual void InsertControl(QWidget *control) = 0;
    // For a floating window class: what the window draws around its client area (caption,
    // border), so that a new window can be given a client area of the outline's size.
    virtual QMargins ClientMargins() const { return {}; }

    // Runs after a control has been docked here by TDockClient::ManualDock (floating included),
    // with that control as the dropped object; and, for a dock site, when a drag it accepted is
    // dropped on it, with the dragged object. Does nothing unless overridden.
    virtual void DockDrop(TDragDockObject &source, const QPoint &position);
};

// A dock site: found under the pointer during every docking drag and asked whether it takes the
// dragged object. Sites register themselves while they exist.
class TDockSite : public TDockTarget
{
public:
    TDockSite();
    ~TDockSite() override;
    TDockSite(const TDockSite &) = delete;
    TDockSite &operator=(const TDockSite &) = delete;

    // Asked on entering, at every move over the site, on leaving and once more at the drop:
    // whether the site takes the dragged object (where, it may say by the source's dock rect).
    // Refuses unless overridden.
    virtual bool DockOver(TDragDockObject &source, const QPoint &position, TDragState state);

    // The visible site whose widget covers `globalPosition`, or null.
    static TDockSite *SiteAt(const QPoint &globalPosition);

    // A window's drag by drag and drop, at `position` of the site's widget: asks DockOver as
    // the pointer's drag does, shows the outline it gives inside the site, and docks at the drop.
    // True when the site takes the dragged window there. Leave hides the outline.
    bool DragOver(const QPoint &position, TDragState state, bool drop);

private:
    QRubberBand *m_dropOutline = nullptr;
};

// Whether pressing on a control and moving the pointer starts a docking drag by itself.
enum class TDragMode { Manual, Automatic };

class TDockDrag;

// The docking attributes of a control or top-level window, attached to it as a child object:
// its own drag, its floating window class and its undocked size.
//
// With its own drag on, pressing the left button on the handle (the control itself, presses on
// its disabled or passive children included; for a window, the handle given, its caption strip)
// and moving past QApplication::startDragDistance() starts a docking drag. The mouse is grabbed
// and an outline follows the pointer, keeping the grabbed point at its relative place: the
// window's frame size for a window, the undocked size for a control. At every move, and once
// more at the release, the dock site under the pointer is asked (TDockSite::DockOver) and may
// replace the outline. At the release:
// - over a site that accepted: the site's DockDrop, with the dragged object;
// - over a site that refused: nothing;
// - over no site: a window moves to the outline's top-left; a control with a floating window
//   class floats into a new window of it (Float), and one without stays where it is.
// Where the window system places the windows (WindowsArePlacedByTheSystem), a window's drag is a
// drag and drop instead, which the dock site under the pointer follows (TDockSite::DragOver):
// dropped on a site that accepts, it docks there; anywhere else nothing changes.
class TDockClient : public QObject
{
    Q_OBJECT
public:
    // Makes a new window of the floating window class, hidden and without a parent.
    using FloatingWindowFactory = std::function<TDockTarget *()>;

    explicit TDockClient(QWidget *control, QWidget *handle = nullptr);
    ~TDockClient() override;

    // The client attached to `control`, or null.
    static TDockClient *Of(const QWidget *control);
    // The client whose window is being dragged by drag and drop, or null.
    static TDockClient *DraggedAcrossWindows();

    QWidget *Control() const { return m_control; }
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode mode) { m_dragMode = mode; }
    void SetFloatingWindowClass(FloatingWindowFactory factory);
    bool CanFloat() const { return bool(m_floatingWindowClass); }

    // The client size a new floating window gets: the control's current size until it has been
    // docked back from a floating window, then the size it had in that window.
    QSize UndockSize() const;

    // Moves the control into `target` (no reference control, no alignment), then runs the
    // target's DockDrop with the control as the dropped object.
    void ManualDock(TDockTarget *target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TDockDrag;

    void BeginDrag(const QPoint &globalPosition);
    void DragAcrossWindows();
    void EndDrag(const QPoint &globalPosition);
    // Floats the control into a new window whose outer top-left is `outline`'s and whose client
    // area has `outline`'s size; `position` is the drop's pointer position.
    void Float(const QRect &outline, const QPoint &position);
    void Dock(TDockTarget *target, TDragDockObject &source, const QPoint &position);

    QWidget *m_control;
    QPointer<QWidget> m_handle;
    TDragMode m_dragMode = TDragMode::Automatic;
    FloatingWindowFactory m_floatingWindowClass;
    QSize m_undockSize;
    // The window the control was last floated into, while it is there.
    QPointer<QWidget> m_floatingHost;
    bool m_pressed = false;
    QPoint m_pressPosition;
    std::unique_ptr<TDockDrag> m_drag;
};

} // namespace tellaria
