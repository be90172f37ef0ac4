#pragma once

// The query box: an editable combo box that tells of every input-method commit at the end of
// its text.
//
// The window system delivers keys and input-method events to the combo box, which is its line
// edit's focus proxy; the combo box passes them on to the line edit by direct calls that no event
// filter sees. So whoever watches the box's keys filters the combo box's own events, and its
// commits are told by the combo box itself, once it has handled them.

#include <QComboBox>

class QInputMethodEvent;

namespace tellaria {

class TQueryBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TQueryBox(QWidget *parent = nullptr);

    // Brings the box's window to the front and gives the box the focus with its whole text
    // selected, so that typing replaces it.
    void FocusAndSelectAll();

signals:
    // The box has inserted text that an input method committed at the end of the text: `typed`
    // is the text before the replaced selection plus the committed text. Text still being
    // composed (pre-edit) is never reported.
    void CommittedAtEnd(const QString &typed);

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;
};

} // namespace tellaria
