#include "widgets/Form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>

namespace tellaria {

TForm::TForm(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::Window)
{}

void TForm::EndWithProgram()
{
    m_ending = true;
    hide();
}

void TForm::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    TCloseAction action = TCloseAction::Hide;
    emit CloseRequested(action);
    if (action == TCloseAction::Hide)
        event->accept();
    else
        event->ignore();
}

void TForm::keyPressEvent(QKeyEvent *event)
{
    // Without a window manager nothing else turns the keyboard's close shortcut into a request.
    const bool altF4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier;
    if (altF4 || event->matches(QKeySequence::Close)) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tellaria
