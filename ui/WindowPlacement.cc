#include "ui/WindowPlacement.h"

#include "core/LookupCatalogue.h"
#include "core/ZoomSteps.h"
#include "desktop/CoreWording.h"
#include "desktop/WindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tellaria {

TWindowPlacement::TWindowPlacement(QWidget *window, const std::string &path)
    : QObject(window)
    , m_window(window)
    , m_settings(std::make_unique<SettingsFile>(path))
{}

void TWindowPlacement::RestoreSize()
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    WindowSize stored;
    stored.Width = m_settings->ReadIntValue("Form", "Width", m_window->width());
    stored.Height = m_settings->ReadIntValue("Form", "height", m_window->height());
    const WindowSize size = CorrectWindowSize(stored, {screen.width(), screen.height()});
    // A window manager that tells its frame in advance lets the window appear at its outer size;
    // otherwise the frame is known once the window is on the screen, and it is resized then.
    m_outerSize = QSize(size.Width, size.Height);
    const std::optional<QMargins> frame = AskFrameMargins(m_window);
    m_window->resize(frame ? m_outerSize.shrunkBy(*frame) : m_outerSize);
    m_window->move(QGuiApplication::primaryScreen()->availableGeometry().center()
                   - m_window->rect().center());
    if (!m_awaitingFrame) {
        m_awaitingFrame = true;
        m_window->installEventFilter(this);
        // A window manager too busy to answer in time tells the frame once it draws it.
        if (TFrameWatch *watch = frame ? nullptr : WatchFrameMargins(m_window))
            connect(watch, &TFrameWatch::Framed, this, [this](const QMargins &framed) {
                if (!m_awaitingFrame || framed.isNull())
                    return;
                m_awaitingFrame = false;
                m_window->removeEventFilter(this);
                m_window->resize(m_outerSize.shrunkBy(framed));
            });
    }
}

bool TWindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_window && m_awaitingFrame && m_window->isVisible()
        && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)) {
        // A frame may have a title bar and no side borders (metacity): known as soon as
        // either dimension is. Without a window manager it stays null, and outer is client.
        const QSize frame = m_window->frameGeometry().size() - m_window->size();
        if (!frame.isNull()) {
            m_awaitingFrame = false;
            m_window->removeEventFilter(this);
            m_window->resize(m_outerSize - frame);
        }
    }
    return QObject::eventFilter(watched, event);
}

int TWindowPlacement::StoredLookupMode() const
{
    const int index = m_settings ? m_settings->ReadIntValue("Dictionary", "ID", 0) : 0;
    return index >= 0 && index < LookupModeCount ? index : -1;
}

namespace {

// What the settings say of a key the program added later when they say nothing.
constexpr int NothingStored = -1;

int Stored(const SettingsFile *settings, const char *section, const char *key)
{
    return settings ? settings->ReadIntValue(section, key, NothingStored) : NothingStored;
}

} // namespace

bool TWindowPlacement::StoredSideBySide() const
{
    return Stored(m_settings.get(), "View", "SideBySide") == 1;
}

int TWindowPlacement::StoredSites(int count) const
{
    const int sites = Stored(m_settings.get(), "Dictionary", "Sites");
    // The bits of rows that no longer exist are dropped.
    return sites == NothingStored ? AllSites(count) : sites & AllSites(count);
}

TReadingSettings TWindowPlacement::StoredReading() const
{
    return {Stored(m_settings.get(), "View", "Reader") == 1,
            Stored(m_settings.get(), "View", "Highlight") != 0,
            {}};
}

int TWindowPlacement::StoredZoom(const std::string &host) const
{
    const int stored = Stored(m_settings.get(), "Zoom", host.c_str());
    return stored == NothingStored ? ActualSize : std::clamp(stored, SmallestZoom, LargestZoom);
}

// Side by side, at most as many columns as there may be pages.
constexpr int MostColumns = 20;

QList<int> TWindowPlacement::StoredColumnWidths() const
{
    const int count = Stored(m_settings.get(), "Columns", "Count");
    QList<int> permille;
    for (int column = 1; column <= count && count <= MostColumns; ++column) {
        const int share
            = Stored(m_settings.get(), "Columns", ("Width" + std::to_string(column)).c_str());
        if (share <= 0 || share > 1000)
            return {};
        permille << share;
    }
    return permille;
}

void TWindowPlacement::SetColumnWidths(const QList<int> &permille)
{
    m_columnWidths = permille;
}

void TWindowPlacement::Save(bool shown, const View &view, QStringList &failures)
{
    if (!m_settings)
        return;
    const auto attempt = [&failures](const Status &written) {
        const QString message = StatusText(written);
        if (!written.Ok() && !failures.contains(message))
            failures << message;
    };
    const QSize outer = shown ? m_window->frameGeometry().size() : m_outerSize;
    const int mode = shown ? view.Mode : StoredLookupMode();
    attempt(m_settings->WriteIntValue("Form", "width", outer.width()));
    attempt(m_settings->WriteIntValue("Form", "Height", outer.height()));
    attempt(m_settings->WriteIntValue("Dictionary", "ID", mode));
    if (view.Sites != AllSites(view.SiteCount)
        || Stored(m_settings.get(), "Dictionary", "Sites") != NothingStored)
        attempt(m_settings->WriteIntValue("Dictionary", "Sites", view.Sites));
    if (view.SideBySide || Stored(m_settings.get(), "View", "SideBySide") != NothingStored)
        attempt(m_settings->WriteIntValue("View", "SideBySide", view.SideBySide ? 1 : 0));
    const TReadingSettings &reading = view.Reading;
    if (reading.Reader || Stored(m_settings.get(), "View", "Reader") != NothingStored)
        attempt(m_settings->WriteIntValue("View", "Reader", reading.Reader ? 1 : 0));
    if (!reading.Highlight || Stored(m_settings.get(), "View", "Highlight") != NothingStored)
        attempt(m_settings->WriteIntValue("View", "Highlight", reading.Highlight ? 1 : 0));
    for (const auto &[host, percent] : reading.Zoom) {
        if (percent != 100 || Stored(m_settings.get(), "Zoom", host.c_str()) != NothingStored)
            attempt(m_settings->WriteIntValue("Zoom", host, percent));
    }
    // Only once the user has resized them: the columns are even until then.
    if (m_columnWidths && m_columnWidths->size() <= MostColumns) {
        attempt(m_settings->WriteIntValue("Columns", "Count", int(m_columnWidths->size())));
        for (int column = 0; column < m_columnWidths->size(); ++column) {
            const std::string key = "Width" + std::to_string(column + 1);
            attempt(m_settings->WriteIntValue("Columns", key, m_columnWidths->at(column)));
        }
    }
    m_settings.reset();
}

} // namespace tellaria
