#include "ui/ToolbarDock.h"

#include "ui/Unit2.h"
#include "widgets/CoolBar.h"
#include "widgets/Docking.h"

#include <QEvent>
#include <QToolBar>
#include <QWindow>

namespace tellaria {

TToolbarDock::TToolbarDock(QToolBar *toolbar, TCoolBar *bands, QWidget *queryBox)
    : QObject(bands)
    , m_toolbar(toolbar)
    , m_bands(bands)
    , m_queryBox(queryBox)
{
    toolbar->installEventFilter(this);
    TDockClient::Of(toolbar)->SetFloatingWindowClass([this]() -> TDockTarget * {
        auto *window = new TfrmFloating;
        m_floatingWindows.append(window);
        if (WindowsArePlacedByTheSystem()) {
            window->winId();
            window->windowHandle()->setTransientParent(m_bands->window()->windowHandle());
        }
        return window;
    });
}

TToolbarDock::~TToolbarDock()
{
    for (const QPointer<TfrmFloating> &window : std::as_const(m_floatingWindows))
        delete window.data();
}

TfrmFloating *TToolbarDock::FloatingHost() const
{
    return qobject_cast<TfrmFloating *>(m_toolbar->window());
}

bool TToolbarDock::DockOver(TDragDockObject &source) const
{
    if (!qobject_cast<TfrmFloating *>(source.Control()))
        return false;
    const QRect client = m_bands->contentsRect();
    source.SetDockRect(QRect(m_bands->mapToGlobal(client.topLeft()), client.size()));
    return true;
}

void TToolbarDock::DockDrop(TDragDockObject &source)
{
    // Docking the toolbar below reports here again with the toolbar itself: nothing to do then.
    auto *window = qobject_cast<TfrmFloating *>(source.Control());
    if (!window)
        return;
    const QList<QWidget *> controls = window->DockClients();
    if (controls.isEmpty())
        return;
    TDockClient *client = TDockClient::Of(controls.first());
    client->SetDragMode(TDragMode::Automatic);
    client->ManualDock(m_bands);
    // Freed once its own drag has unwound.
    window->hide();
    window->deleteLater();
}

void TToolbarDock::ViewToggled(bool checked)
{
    if (TfrmFloating *window = FloatingHost()) {
        window->setVisible(!window->isVisible());
        return;
    }
    m_toolbar->setVisible(checked);
}

bool TToolbarDock::eventFilter(QObject *watched, QEvent *event)
{
    // Shown again, floated or docked: once the move is complete.
    if (watched == m_toolbar
        && (event->type() == QEvent::Show || event->type() == QEvent::ParentChange))
        QMetaObject::invokeMethod(this, &TToolbarDock::ReturnFocus, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void TToolbarDock::ReturnFocus()
{
    if (!m_queryBox->isVisible())
        return;
    m_queryBox->window()->activateWindow();
    m_queryBox->setFocus(Qt::OtherFocusReason);
}

void TToolbarDock::EndWithProgram()
{
    for (const QPointer<TfrmFloating> &window : std::as_const(m_floatingWindows)) {
        if (window)
            window->EndWithProgram();
    }
}

} // namespace tellaria
