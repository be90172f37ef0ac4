#pragma once

// The standard buttons' docking: the floating window made for each float of the toolbar, where
// the toolbar is, the band area's decisions on a drag over it and a drop on it, and the
// toolbar's showing and hiding from the View menu. Whenever the toolbar comes back on the screen
// or moves to another window, the keyboard focus goes to its query box, so that typing never
// goes nowhere.

#include <QList>
#include <QObject>
#include <QPointer>

class QToolBar;

namespace tellaria {

class TCoolBar;
class TDragDockObject;
class TfrmFloating;

class TToolbarDock : public QObject
{
    Q_OBJECT
public:
    // Makes TfrmFloating the floating window class of `toolbar`, which `bands` docks;
    // `queryBox` lies on the toolbar.
    TToolbarDock(QToolBar *toolbar, TCoolBar *bands, QWidget *queryBox);
    // The floating windows are the application's, but none outlives the dock.
    ~TToolbarDock() override;

    // The floating window that holds the toolbar, or null while it is docked.
    TfrmFloating *FloatingHost() const;

    // A drag over the band area: only a floating toolbar window docks there (the toolbar itself
    // never does), outlined as the band area's client rectangle.
    bool DockOver(TDragDockObject &source) const;
    // A drop on the band area: a floating toolbar window's toolbar becomes the last band, and the
    // emptied window is never used again.
    void DockDrop(TDragDockObject &source);

    // The View menu's item, now checked as `checked`: a docked toolbar is shown or hidden with
    // its band; a floating one with its window, whatever the check says, since only this item
    // shows or hides a window that holds the toolbar and so the two stay in step.
    void ViewToggled(bool checked);

    // The program is ending: no floating window may hold its quit up.
    void EndWithProgram();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ReturnFocus();

    QToolBar *m_toolbar;
    TCoolBar *m_bands;
    QWidget *m_queryBox;
    // Every floating window made for the toolbar, in order; each is used for one float only.
    QList<QPointer<TfrmFloating>> m_floatingWindows;
};

} // namespace tellaria
