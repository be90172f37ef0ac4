#pragma once

// The program's own timing notes ("tellaria.timing"), heard in the test's process while this
// lives: the log is turned on and each note counted by what it notes.

#include <QLoggingCategory>
#include <QMap>
#include <QRegularExpression>
#include <QString>

#include <cstdio>

namespace tellaria::test {

class TimingNotes
{
public:
    TimingNotes()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&TimingNotes::Hear);
        QLoggingCategory::setFilterRules(QStringLiteral("tellaria.timing.debug=true"));
    }
    ~TimingNotes()
    {
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    TimingNotes(const TimingNotes &) = delete;
    TimingNotes &operator=(const TimingNotes &) = delete;

    // How many notes of `what` were made since this began.
    int Count(const QString &what) const { return m_counts.value(what); }

private:
    static void Hear(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        static const QRegularExpression note(QStringLiteral("^timing \\d+ (.+) \\d+$"));
        const QRegularExpressionMatch match = note.match(message);
        if (s_current && qstrcmp(context.category, "tellaria.timing") == 0 && match.hasMatch()) {
            ++s_current->m_counts[match.captured(1)];
            return;
        }
        if (s_current && s_current->m_previous)
            s_current->m_previous(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }

    static inline TimingNotes *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    QMap<QString, int> m_counts;
};

} // namespace tellaria::test
