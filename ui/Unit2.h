#pragma once

// The floating toolbar window: a top-level tool window that holds the standard-buttons toolbar
// while it is undocked from the band area.

#include <QWidget>

namespace tellaria {

class TfrmFloating : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmFloating(QWidget *parent = nullptr);
};

} // namespace tellaria
