#pragma once

// A top-level window of the old form library's kind, whose close requests the window itself
// decides: the floating toolbar window's base.

#include <QWidget>

#include <functional>

namespace tellaria {

// What a close request ends in.
enum class TCloseAction { None, Hide };

// A top-level window whose close requests, from every route (close(), the window manager's
// close, the keyboard's close shortcut), go to OnClose first, which may refuse them by setting
// the action to None. The default action is Hide.
class TForm : public QWidget
{
    Q_OBJECT
public:
    explicit TForm(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    std::function<void(TCloseAction &action)> OnClose;

    // The program is ending: the window is hidden and every later close request is granted
    // without asking OnClose, so that the window cannot hold the application's quit up.
    void EndWithProgram();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_ending = false;
};

} // namespace tellaria
