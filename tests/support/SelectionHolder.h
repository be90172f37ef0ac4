#pragma once

// Another program holding the selected or copied text on an X display: the built SelectionOwner,
// for as long as the holder lives.

#include "tests/support/XSession.h"

#include <QProcess>
#include <QString>

namespace tellaria::test {

class SelectionHolder
{
public:
    // Holds `selection` ("primary" or "clipboard") with `text`, through the `owner` executable.
    SelectionHolder(const XSession &session,
                    const QString &owner,
                    const QString &selection,
                    const QString &text)
    {
        m_process.setProcessEnvironment(session.Environment());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(owner, {selection});
        m_process.write(text.toUtf8());
        m_process.closeWriteChannel();
    }
    ~SelectionHolder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    SelectionHolder(const SelectionHolder &) = delete;
    SelectionHolder &operator=(const SelectionHolder &) = delete;

    // Waits until the X server has it as the selection's holder.
    bool Held()
    {
        while (m_process.waitForReadyRead(10000)) {
            if (m_process.readAll().startsWith("held"))
                return true;
        }
        return false;
    }

private:
    QProcess m_process;
};

} // namespace tellaria::test
