#include "ui/Unit2.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QWindow>

namespace tellaria {

namespace {

constexpr int BorderWidth = 4;

// The window's title bar, drawn by the window itself.
class TCaptionStrip : public QWidget
{
public:
    explicit TCaptionStrip(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("CaptionStrip"));
        QFont caption = font();
        caption.setBold(true);
        setFont(caption);
        setFixedHeight(fontMetrics().height() + 4);
    }

protected:
    bool event(QEvent *event) override
    {
        // The colours follow whether the window is the active one.
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
            update();
        return QWidget::event(event);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const bool active = window()->isActiveWindow();
        painter.fillRect(rect(), palette().color(active ? QPalette::Highlight : QPalette::Mid));
        painter.setPen(palette().color(active ? QPalette::HighlightedText : QPalette::WindowText));
        const QRect text = rect().adjusted(4, 0, -4, 0);
        painter.drawText(
            text, Qt::AlignLeft | Qt::AlignVCenter,
            fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, text.width()));
    }
};

} // namespace

TfrmFloating::TfrmFloating(QWidget *parent)
    : TForm(parent, Qt::Tool | Qt::FramelessWindowHint)
    , m_caption(new TCaptionStrip(this))
    , m_client(new QWidget(this))
    , m_clientLayout(new QVBoxLayout(m_client))
{
    setObjectName(QStringLiteral("frmFloating"));
    setWindowTitle(QStringLiteral("frmFloating"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // A window the user cannot close must not keep the program running either.
    setAttribute(Qt::WA_QuitOnClose, false);
    setMouseTracking(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addWidget(m_client, 1);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_clientLayout->setContentsMargins(0, 0, 0, 0);
    m_clientLayout->setSpacing(0);
    m_clientLayout->addStretch(1);

    // The form layout's size; every real window is placed and sized when it is made.
    resize(658, 65);

    new TDockClient(this, m_caption);
    connect(this, &TForm::CloseRequested, this, &TfrmFloating::FormClose, Qt::DirectConnection);
}

QList<QWidget *> TfrmFloating::DockClients() const
{
    return DockedControls(m_clientLayout);
}

void TfrmFloating::InsertControl(QWidget *control)
{
    // Along the top edge, across the whole width; the stretch below takes any extra height.
    InsertDockedControl(m_clientLayout, control);
}

QMargins TfrmFloating::ClientMargins() const
{
    return QMargins(BorderWidth, BorderWidth + m_caption->height(), BorderWidth, BorderWidth);
}

void TfrmFloating::FormDockDrop(TDragDockObject &source, const QPoint &)
{
    if (TDockClient *client = TDockClient::Of(source.Control()))
        client->SetDragMode(TDragMode::Manual);
    // Where the window system places the windows, a window of a fixed size that belongs to
    // another is one it floats over that other, rather than tiling the screen with it: the
    // toolbar then keeps every control in view.
    if (WindowsArePlacedByTheSystem())
        setFixedSize(sizeHint());
    show();
}

void TfrmFloating::FormClose(TCloseAction &action)
{
    action = TCloseAction::None;
}

void TfrmFloating::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.midLineWidth = 1;
    frame.state |= QStyle::State_Raised;
    frame.frameShape = QFrame::WinPanel;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
}

Qt::Edges TfrmFloating::EdgesAt(const QPoint &position) const
{
    Qt::Edges edges;
    if (position.x() < BorderWidth)
        edges |= Qt::LeftEdge;
    if (position.x() >= width() - BorderWidth)
        edges |= Qt::RightEdge;
    if (position.y() < BorderWidth)
        edges |= Qt::TopEdge;
    if (position.y() >= height() - BorderWidth)
        edges |= Qt::BottomEdge;
    return edges;
}

void TfrmFloating::mousePressEvent(QMouseEvent *event)
{
    m_sizingEdges
        = event->button() == Qt::LeftButton ? EdgesAt(event->position().toPoint()) : Qt::Edges();
    // The window system resizes the window where it can, as it does any window by its frame;
    // elsewhere (no window manager, or none that takes the request) the window sizes itself.
    if (m_sizingEdges && windowHandle() && windowHandle()->startSystemResize(m_sizingEdges)) {
        m_sizingEdges = {};
        event->accept();
        return;
    }
    m_sizingStart = event->globalPosition().toPoint();
    m_sizingGeometry = geometry();
    TForm::mousePressEvent(event);
}

void TfrmFloating::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_sizingEdges || !(event->buttons() & Qt::LeftButton)) {
        const Qt::Edges edges = EdgesAt(event->position().toPoint());
        const bool diagonal
            = (edges & (Qt::LeftEdge | Qt::RightEdge)) && (edges & (Qt::TopEdge | Qt::BottomEdge));
        if (!edges)
            unsetCursor();
        else if (diagonal)
            setCursor(
                (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
                    ? Qt::SizeFDiagCursor
                    : Qt::SizeBDiagCursor);
        else
            setCursor(edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor
                                                             : Qt::SizeVerCursor);
        TForm::mouseMoveEvent(event);
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_sizingStart;
    const QSize minimum = minimumSizeHint().expandedTo(minimumSize());
    QRect geometry = m_sizingGeometry;
    if (m_sizingEdges & Qt::LeftEdge)
        geometry.setLeft(
            std::min(geometry.left() + delta.x(), geometry.right() - minimum.width() + 1));
    if (m_sizingEdges & Qt::RightEdge)
        geometry.setRight(
            std::max(geometry.right() + delta.x(), geometry.left() + minimum.width() - 1));
    if (m_sizingEdges & Qt::TopEdge)
        geometry.setTop(
            std::min(geometry.top() + delta.y(), geometry.bottom() - minimum.height() + 1));
    if (m_sizingEdges & Qt::BottomEdge)
        geometry.setBottom(
            std::max(geometry.bottom() + delta.y(), geometry.top() + minimum.height() - 1));
    setGeometry(geometry);
}

void TfrmFloating::mouseReleaseEvent(QMouseEvent *event)
{
    m_sizingEdges = {};
    TForm::mouseReleaseEvent(event);
}

} // namespace tellaria
