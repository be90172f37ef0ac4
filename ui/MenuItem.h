#pragma once

// A menu item the window's role classes add to its menus: named (its object name, for tools
// and tests), captioned, and placed before `before` (at the end for none).

#include <QAction>
#include <QWidget>

namespace tellaria {

inline QAction *AddMenuItem(QWidget *menu, QAction *before, const char *name, const char *caption)
{
    auto *item = new QAction(QString::fromUtf8(caption), menu);
    item->setObjectName(QLatin1String(name));
    menu->insertAction(before, item);
    return item;
}

} // namespace tellaria
