#pragma once

// The standard buttons' band (ToolBar2): the grip, the page buttons of the command table, the
// search panel (the mode selector, 查询： and the query box) and the query button. Dragged by
// its grip it leaves the band area for a floating window of its own (TToolbarDock).

#include <QToolBar>

class QComboBox;
class QLabel;
class QToolButton;

namespace tellaria {

class TCommands;
class TQueryBox;
class TSearchPanel;

class TQueryBand : public QToolBar
{
    Q_OBJECT
public:
    TQueryBand(const TCommands &commands, QWidget *parent);

    QComboBox *ModeSelector() const { return m_mode; }
    TQueryBox *QueryBox() const { return m_box; }
    QToolButton *QueryButton() const { return m_button; }

private:
    // The toolbar never puts the search panel into its » menu: it is as wide as its controls
    // at their narrowest, and the window with it.
    void KeepWhole();

    QComboBox *m_mode;
    TQueryBox *m_box;
    QToolButton *m_button;
};

} // namespace tellaria
