#include "tests/support/MessageBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>

namespace tellaria::test {

MessageBoxWatcher::MessageBoxWatcher(QMessageBox::StandardButton answer)
    : m_answer(answer)
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::Poll);
    m_timer.start(20);
}

void MessageBoxWatcher::Poll()
{
    const auto boxes = QApplication::topLevelWidgets();
    for (QWidget *widget : boxes) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || !box->isVisible() || box->property("answered").toBool())
            continue;
        box->setProperty("answered", true);
        m_seen.append({box->windowTitle(), box->text(), box->icon()});
        QAbstractButton *button = box->button(m_answer);
        if (!button)
            button = box->buttons().value(0);
        if (button)
            button->click();
    }
}

} // namespace tellaria::test
