#pragma once

// A top-level window of the old form library's kind, whose close requests the window itself
// decides: the floating toolbar window's base.

#include <QWidget>

namespace tellaria {

// What a close request ends in.
enum class TCloseAction { None, Hide };

// A top-level window whose close requests, from every route (close(), the window manager's
// close, the keyboard's close shortcut), are emitted as CloseRequested first, whose receivers
// may refuse them by setting the action to None. The default action is Hide.
class TForm : public QWidget
{
    Q_OBJECT
public:
    explicit TForm(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // The program is ending: the window is hidden and every later close request is granted
    // without emitting CloseRequested, so that the window cannot hold the application's quit up.
    void EndWithProgram();

signals:
    // A close request; receivers connect directly, as `action` is theirs to change.
    void CloseRequested(tellaria::TCloseAction &action);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_ending = false;
};

} // namespace tellaria
