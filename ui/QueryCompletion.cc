#include "ui/QueryCompletion.h"

#include "core/QueryHistory.h"
#include "widgets/QueryBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tellaria {

TQueryCompletion::TQueryCompletion(TQueryBox *box, const QueryHistory &history)
    : QObject(box)
    , m_box(box)
    , m_history(history)
{
    connect(box, &TQueryBox::CommittedAtEnd, this, &TQueryCompletion::Complete);
}

void TQueryCompletion::RefreshItems()
{
    QLineEdit *edit = m_box->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blocker(m_box);
    m_box->clear();
    for (std::size_t index = 0; index < m_history.Count(); ++index)
        m_box->addItem(QString::fromStdString(m_history.EntryText(index)));
    m_box->setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

bool TQueryCompletion::Complete(const QString &typed)
{
    const std::optional<std::size_t> match = m_history.FindCompletion(typed.toStdString());
    if (!match)
        return false;
    const QString entry = QString::fromStdString(m_history.EntryText(*match));
    if (entry.size() < typed.size())
        return false;
    {
        const QSignalBlocker blocker(m_box);
        m_box->setCurrentIndex(int(*match));
    }
    QLineEdit *edit = m_box->lineEdit();
    edit->setText(typed + entry.mid(typed.size()));
    // The completed rest is selected so that the next character replaces it.
    edit->setSelection(int(edit->text().size()), -int(entry.size() - typed.size()));
    return true;
}

bool TQueryCompletion::KeyPress(QKeyEvent *event)
{
    const int key = event->key();
    const QString text = event->text();
    const bool printable
        = !text.isEmpty() && text.at(0).unicode() >= 0x20 && key != Qt::Key_Backspace
          && key != Qt::Key_Tab && key != Qt::Key_Escape && key != Qt::Key_Delete
          && key != Qt::Key_Return && key != Qt::Key_Enter
          && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!printable)
        return false;
    QLineEdit *edit = m_box->lineEdit();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    // Completion extends only what is typed at the end of the text; editing in the middle
    // must not cut off what follows the cursor.
    const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
    if (end != edit->text().size())
        return false;
    return Complete(edit->text().left(start) + text);
}

} // namespace tellaria
