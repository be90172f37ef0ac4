#include "widgets/Docking.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QCursor>
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QRubberBand>

#include <algorithm>
#include <vector>

namespace tellaria {

namespace {

std::vector<TDockSite *> &RegisteredSites()
{
    static std::vector<TDockSite *> sites;
    return sites;
}

QRect ScreenRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

} // namespace

bool ExplicitlyHidden(const QWidget *widget)
{
    return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

QList<QWidget *> DockedControls(const QLayout *layout)
{
    QList<QWidget *> controls;
    for (int index = 0; index < layout->count(); ++index) {
        if (QWidget *control = layout->itemAt(index)->widget())
            controls << control;
    }
    return controls;
}

void InsertDockedControl(QBoxLayout *layout, QWidget *control)
{
    const bool hidden = ExplicitlyHidden(control);
    int position = 0;
    for (int index = 0; index < layout->count(); ++index) {
        if (layout->itemAt(index)->widget())
            position = index + 1;
    }
    control->setParent(layout->parentWidget());
    layout->insertWidget(position, control);
    control->setVisible(!hidden);
}

TDragDockObject::TDragDockObject(QWidget *control, const QRect &dockRect)
    : m_control(control)
    , m_dockRect(dockRect)
{}

// ---------------------------------------------------------------------------------------------
// Dock sites

void TDockTarget::DockDrop(TDragDockObject &, const QPoint &) {}

bool TDockSite::DockOver(TDragDockObject &, const QPoint &, TDragState)
{
    return false;
}

TDockSite::TDockSite()
{
    RegisteredSites().push_back(this);
}

TDockSite::~TDockSite()
{
    std::erase(RegisteredSites(), this);
}

TDockSite *TDockSite::SiteAt(const QPoint &globalPosition)
{
    for (TDockSite *site : RegisteredSites()) {
        const QWidget *widget = site->DockWidget();
        if (widget->isVisible() && ScreenRect(widget).contains(globalPosition))
            return site;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The drag

// One docking drag, from the first move past the drag distance to the release: the outline,
// the mouse grab and the site the pointer is over.
class TDockDrag
{
public:
    TDockDrag(TDockClient &client, const QPoint &pressPosition);
    ~TDockDrag();

    void Move(const QPoint &globalPosition);
    void Drop(const QPoint &globalPosition);

private:
    QRect FreeOutline(const QPoint &globalPosition) const;
    // Finds the site under the pointer and asks it, leaving the answer in m_site/m_accepted.
    void Track(const QPoint &globalPosition);
    void Finish();

    TDockClient &m_client;
    QPointer<QWidget> m_grabber;
    QSize m_size;
    QPoint m_grabOffset;
    TDragDockObject m_source;
    TDockSite *m_site = nullptr;
    bool m_accepted = false;
    std::unique_ptr<QRubberBand> m_outline;
};

TDockDrag::TDockDrag(TDockClient &client, const QPoint &pressPosition)
    : m_client(client)
    , m_grabber(client.m_handle)
    , m_source(client.Control(), QRect())
{
    QWidget *dragged = client.Control();
    if (dragged->isWindow()) {
        const QRect frame = dragged->frameGeometry();
        m_size = frame.size();
        m_grabOffset = pressPosition - frame.topLeft();
    } else {
        // The outline has the undocked size; the grabbed point keeps its relative place in it.
        m_size = client.UndockSize();
        const QPoint offset = pressPosition - dragged->mapToGlobal(QPoint(0, 0));
        const QSize current = dragged->size();
        m_grabOffset
            = QPoint(current.width() > 0 ? offset.x() * m_size.width() / current.width() : 0,
                     current.height() > 0 ? offset.y() * m_size.height() / current.height() : 0);
    }
    m_outline = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
    m_outline->setObjectName(QStringLiteral("DockOutline"));
    // Moves outside the grabbing widget must still reach the drag, and Escape must cancel it
    // wherever the keyboard focus is.
    if (m_grabber && m_grabber->isVisible()) {
        m_grabber->grabMouse();
        m_grabber->grabKeyboard();
    }
}

TDockDrag::~TDockDrag()
{
    Finish();
}

void TDockDrag::Finish()
{
    if (m_grabber && QWidget::mouseGrabber() == m_grabber)
        m_grabber->releaseMouse();
    if (m_grabber && QWidget::keyboardGrabber() == m_grabber)
        m_grabber->releaseKeyboard();
    if (m_outline)
        m_outline->hide();
}

QRect TDockDrag::FreeOutline(const QPoint &globalPosition) const
{
    return QRect(globalPosition - m_grabOffset, m_size);
}

void TDockDrag::Track(const QPoint &globalPosition)
{
    TDockSite *site = TDockSite::SiteAt(globalPosition);
    if (m_site && m_site != site) {
        m_source.SetDockRect(FreeOutline(globalPosition));
        m_site->DockOver(m_source, globalPosition, TDragState::Leave);
    }
    const TDragState state = site == m_site ? TDragState::Move : TDragState::Enter;
    m_site = site;
    m_source.SetDockRect(FreeOutline(globalPosition));
    m_accepted = site && site->DockOver(m_source, globalPosition, state);
    if (!m_accepted)
        m_source.SetDockRect(FreeOutline(globalPosition));
}

void TDockDrag::Move(const QPoint &globalPosition)
{
    Track(globalPosition);
    m_outline->setGeometry(m_source.DockRect());
    m_outline->show();
}

void TDockDrag::Drop(const QPoint &globalPosition)
{
    Track(globalPosition);
    Finish();
    QWidget *dragged = m_client.Control();
    if (m_site) {
        // A refusing site under the pointer ends the drag with no change.
        if (m_accepted)
            m_site->DockDrop(m_source, globalPosition);
    } else if (dragged->isWindow()) {
        dragged->move(m_source.DockRect().topLeft());
    } else if (m_client.CanFloat()) {
        m_client.Float(m_source.DockRect(), globalPosition);
    }
}

// ---------------------------------------------------------------------------------------------
// Dock clients

TDockClient::TDockClient(QWidget *control, QWidget *handle)
    : QObject(control)
    , m_control(control)
    , m_handle(handle ? handle : control)
{
    setObjectName(QStringLiteral("DockClient"));
    m_handle->installEventFilter(this);
}

TDockClient::~TDockClient() = default;

TDockClient *TDockClient::Of(const QWidget *control)
{
    return control ? control->findChild<TDockClient *>(QString(), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

void TDockClient::SetFloatingWindowClass(FloatingWindowFactory factory)
{
    m_floatingWindowClass = std::move(factory);
}

QSize TDockClient::UndockSize() const
{
    return m_undockSize.isValid() ? m_undockSize : m_control->size();
}

void TDockClient::ManualDock(TDockTarget *target)
{
    TDragDockObject source(m_control, ScreenRect(m_control));
    Dock(target, source, QCursor::pos());
}

void TDockClient::Dock(TDockTarget *target, TDragDockObject &source, const QPoint &position)
{
    if (m_floatingHost && m_control->window() == m_floatingHost)
        m_undockSize = m_control->size();
    m_floatingHost = nullptr;
    target->InsertControl(m_control);
    target->DockDrop(source, position);
}

void TDockClient::Float(const QRect &outline, const QPoint &position)
{
    TDockTarget *target = m_floatingWindowClass();
    QWidget *window = target->DockWidget()->window();
    window->resize(outline.size().grownBy(target->ClientMargins()));
    window->move(outline.topLeft());
    TDragDockObject source(m_control, outline);
    Dock(target, source, position);
    m_floatingHost = window;
}

namespace {

TDockClient *g_draggedAcrossWindows = nullptr;

} // namespace

bool WindowsArePlacedByTheSystem()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

TDockClient *TDockClient::DraggedAcrossWindows()
{
    return g_draggedAcrossWindows;
}

void TDockClient::DragAcrossWindows()
{
    m_pressed = false;
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(DockDragFormat), QByteArray());
    QDrag drag(m_handle);
    drag.setMimeData(data);
    // The window itself follows the pointer, grabbed where it was pressed.
    drag.setPixmap(m_control->grab());
    drag.setHotSpot(m_control->mapFromGlobal(m_pressPosition));
    g_draggedAcrossWindows = this;
    drag.exec(Qt::MoveAction);
    g_draggedAcrossWindows = nullptr;
}

bool TDockSite::DragOver(const QPoint &position, TDragState state, bool drop)
{
    TDockClient *client = TDockClient::DraggedAcrossWindows();
    QWidget *site = DockWidget();
    if (!m_dropOutline) {
        m_dropOutline = new QRubberBand(QRubberBand::Rectangle, site);
        m_dropOutline->setObjectName(QStringLiteral("DropOutline"));
    }
    m_dropOutline->hide();
    if (!client)
        return false;
    const QPoint global = site->mapToGlobal(position);
    TDragDockObject source(client->Control(), QRect(global, client->Control()->size()));
    if (!DockOver(source, global, state) || state == TDragState::Leave)
        return false;
    if (drop) {
        DockDrop(source, global);
        return true;
    }
    m_dropOutline->setGeometry(
        QRect(site->mapFromGlobal(source.DockRect().topLeft()), source.DockRect().size()));
    m_dropOutline->show();
    return true;
}

void TDockClient::BeginDrag(const QPoint &globalPosition)
{
    if (m_control->isWindow() && WindowsArePlacedByTheSystem()) {
        DragAcrossWindows();
        return;
    }
    m_drag = std::make_unique<TDockDrag>(*this, m_pressPosition);
    m_drag->Move(globalPosition);
}

void TDockClient::EndDrag(const QPoint &globalPosition)
{
    m_drag->Drop(globalPosition);
    m_drag.reset();
}

bool TDockClient::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_handle)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_dragMode == TDragMode::Automatic && !m_drag) {
            m_pressed = true;
            m_pressPosition = mouse->globalPosition().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint position = mouse->globalPosition().toPoint();
        if (m_drag) {
            m_drag->Move(position);
            return true;
        }
        if (m_pressed && (mouse->buttons() & Qt::LeftButton)
            && (position - m_pressPosition).manhattanLength()
                   >= QApplication::startDragDistance()) {
            BeginDrag(position);
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        // Escape ends the drag where it is, with nothing changed.
        if (m_drag && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            m_drag.reset();
            m_pressed = false;
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        m_pressed = false;
        if (m_drag) {
            EndDrag(mouse->globalPosition().toPoint());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace tellaria
