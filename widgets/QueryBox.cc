#include "widgets/QueryBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tellaria {

TQueryBox::TQueryBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
}

void TQueryBox::FocusAndSelectAll()
{
    window()->activateWindow();
    setFocus(Qt::ShortcutFocusReason);
    lineEdit()->selectAll();
}

void TQueryBox::inputMethodEvent(QInputMethodEvent *event)
{
    QLineEdit *edit = lineEdit();
    // Only a plain commit is typing; a commit that also replaces text around the cursor, or comes
    // with new pre-edit text, is the input method still editing.
    const bool plainCommit = edit && !event->commitString().isEmpty()
                             && event->preeditString().isEmpty() && event->replacementLength() == 0;
    QString before;
    bool atEnd = false;
    if (plainCommit) {
        const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
        before = edit->text().left(start);
        atEnd = end == edit->text().size();
    }
    QComboBox::inputMethodEvent(event);
    if (plainCommit && atEnd)
        emit CommittedAtEnd(before + event->commitString());
}

} // namespace tellaria
