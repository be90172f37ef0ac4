#pragma once

// The status bar (StatusBar1): panel 0 shows the application's hint, panel 1 the current page's
// zoom when it is not the actual size.

#include <QStatusBar>

class QLabel;

namespace tellaria {

class TStatusLine : public QStatusBar
{
    Q_OBJECT
public:
    explicit TStatusLine(QWidget *parent);

    void ShowHint(const QString &hint);
    // `percent` of the actual size; nothing shown at 100.
    void ShowZoom(int percent);

private:
    QLabel *m_hint;
    QLabel *m_zoom;
};

} // namespace tellaria
