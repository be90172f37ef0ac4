#pragma once

// The search panel on the standard buttons (Panel1): an empty stretch, then the mode selector,
// the label 查询： and the query box. At its design width the stretch is 96 px and the selector
// 145 px. Made narrower, the stretch gives its room first, then the selector down to what its
// longest label needs; the panel never gets narrower than that, so nothing of it is ever cut off
// or pushed out of reach. Room to type: in a main window wider than designed, the width beyond
// the design goes to the query box (as far as the band has it free); in the floating toolbar's
// window, all the room the toolbar has free does.

#include <QFrame>

class QComboBox;
class QLabel;

namespace tellaria {

class TSearchPanel : public QFrame
{
    Q_OBJECT
public:
    static constexpr int DesignWidth = 417;
    static constexpr int DesignIndent = 96;
    static constexpr int SelectorDesignWidth = 145;
    // The main window's design width, up to which the panel keeps its design.
    static constexpr int DesignWindowWidth = 729;

    explicit TSearchPanel(QWidget *parent = nullptr);

    // Lays out `selector`, `label` and `box`, children of the panel, in that order.
    void SetControls(QComboBox *selector, QLabel *label, QWidget *box);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Follows the toolbar's size, which follows its window's.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The width of everything but the stretch and the selector.
    int FixedWidth() const;
    // The narrowest the selector gets: its longest label, whole.
    int SelectorMinimum() const;
    int SelectorPreferred() const;
    int ContentHeight() const;
    void Arrange();

    QComboBox *m_selector = nullptr;
    QLabel *m_label = nullptr;
    QWidget *m_box = nullptr;
    int m_designWidth = DesignWidth;
    int m_boxDesignWidth = 0;
};

} // namespace tellaria
