#pragma once

// What helps the user read the result pages, in tabs and in columns alike: the reader view
// (View > 阅读模式, F9), the query term marked and counted on every page (View > 突出显示查询词),
// find across all pages (Edit > 查找, Ctrl+F, F3) and each reference work's own zoom (View >
// 放大/缩小/实际大小, Ctrl+=, Ctrl+-, Ctrl+0, Ctrl+wheel). Its menu items join the window's menus;
// its choices are kept by the window's placement.

#include "ui/WindowPlacement.h"

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QComboBox;

namespace tellaria {

class TFindBar;
class TResultPages;
class TTabSheet;
class TWebBrowser;
class TCommands;
class TStatusLine;

class TReadingTools : public QObject
{
    Q_OBJECT
public:
    // Runs its commands of `commands`, for `pages`; puts its find bar above `status` and the
    // zoom on it; the find bar offers the query's term, or what `queryBox` holds; takes the
    // stored choices from `placement`.
    TReadingTools(QWidget *form,
                  TCommands &commands,
                  TResultPages *pages,
                  TStatusLine *status,
                  const QComboBox *queryBox,
                  const TWindowPlacement &placement);

    // The term of the query whose pages open next: the one they mark and the find bar offers.
    void SetTerm(const QString &term) { m_term = term; }
    // What the settings file keeps of the choices at close.
    TReadingSettings Settings() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PageOpened(TTabSheet *page);
    void Apply(TTabSheet *page);
    void ApplyAll();
    // Zooms the page `steps` steps in or out (0: back to actual size) and keeps it for its site.
    void Zoom(TTabSheet *page, int steps);
    int ZoomOf(const TTabSheet *page);
    void ShowZoom();

    TResultPages *m_pages;
    const TWindowPlacement &m_placement;
    TStatusLine *m_status;
    TFindBar *m_findBar;
    QAction *m_reader;
    QAction *m_highlight;
    QAction *m_zoomIn;
    QAction *m_zoomOut;
    QAction *m_actualSize;
    QString m_term;
    TReadingSettings m_settings;
};

} // namespace tellaria
