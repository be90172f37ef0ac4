#pragma once

// The query box: an editable combo box that hands every key press and every input-method commit
// to its owner where they arrive.
//
// The window system delivers keys and input-method events to the combo box, which is its line
// edit's focus proxy; the combo box passes them on to the line edit by direct calls that no event
// filter sees. So the owner's handlers hang on the combo box's own event handlers instead.

#include <QComboBox>

#include <functional>

class QInputMethodEvent;
class QKeyEvent;

namespace tellaria {

class TQueryBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TQueryBox(QWidget *parent = nullptr);

    // Runs before the box handles a key press; returning true consumes the key.
    std::function<bool(QKeyEvent *event)> OnKeyPress;

    // Runs after the box has inserted text that an input method committed at the end of the
    // text, with `typed` the text before the replaced selection plus the committed text. Text
    // still being composed (pre-edit) is never reported.
    std::function<void(const QString &typed)> OnCommitAtEnd;

    // Brings the box's window to the front and gives the box the focus with its whole text
    // selected, so that typing replaces it.
    void FocusAndSelectAll();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};

} // namespace tellaria
