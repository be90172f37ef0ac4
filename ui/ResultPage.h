#pragma once

// One result page: a tab whose tag is the PageId it shares with the browser inside it. What the
// page shows (its browser, or the message that its process has ended) is its content, which
// lies in the page while the pages are tabs and in a column while they are side by side.

#include "browser/PageReading.h"
#include "browser/WebBrowser.h"
#include "ui/TabMark.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace tellaria {

class TTabSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TTabSheet(QWidget *parent = nullptr);

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    // The browser inside, made with the page.
    TWebBrowser *Browser() const { return m_browser; }
    // Follows its state from then on: the tab and the column's header show what it says.
    void SetBrowser(TWebBrowser *browser);
    // The address the page was opened at.
    const QString &Url() const { return m_url; }
    void SetUrl(const QString &url) { m_url = url; }
    // Its host: the reference work the page shows, whatever links the user follows from there.
    QString Site() const { return QUrl(m_url).host(); }
    // Shown small beside the caption of its tab and column: how often the find bar's text, or
    // else the marked term, occurs.
    const QString &Badge() const { return m_badge; }
    // The reading aids of its browser, made with it.
    TPageReading *Reading() const { return m_reading; }
    void SetReading(TPageReading *reading) { m_reading = reading; }

    // The mark on its tab of how it loads; made with its browser.
    TTabMark *LoadMark() const { return m_loadMark; }
    void SetLoadMark(TTabMark *mark);

    // What the page shows; the browser's parent.
    QWidget *Content() const { return m_content; }
    // Lays the content out in the page again, from wherever it was shown.
    void TakeContentBack();

    // The page's process has ended (killed when memory ran out, or crashed): in place of the
    // browser's empty area, a message says so, with a button and F5 to load the page again.
    void ShowProcessEnded();
    // Loads the page again in its browser, which comes back in place of the message.
    void LoadAgain();
    // Loads the page again, whatever it shows.
    void Reload();

signals:
    // How its tab and its column's header show it may have changed: its load, title, address,
    // badge or what the reading aids found. Whatever shows the page hears it here, once.
    void Changed();

private:
    // The badge and the tab's note from what the reading aids and the find bar found.
    void ShowReading();

    int m_tag = 0;
    QPointer<TWebBrowser> m_browser;
    QString m_url;
    QString m_badge;
    QPointer<TPageReading> m_reading;
    QWidget *m_content;
    QPointer<TTabMark> m_loadMark;
    QWidget *m_ended = nullptr; // the message, made when first needed
    QWidget *m_again = nullptr; // its button
};

} // namespace tellaria
