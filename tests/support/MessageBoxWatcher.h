#pragma once

// Answers the modal message boxes a test provokes, recording what each one said.

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace tellaria::test {

struct SeenMessageBox
{
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

class MessageBoxWatcher : public QObject
{
    Q_OBJECT
public:
    // Every box that appears while the watcher lives is answered with `answer`.
    explicit MessageBoxWatcher(QMessageBox::StandardButton answer = QMessageBox::Ok);

    const QList<SeenMessageBox> &Seen() const { return m_seen; }

private:
    void Poll();

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QList<SeenMessageBox> m_seen;
};

} // namespace tellaria::test
