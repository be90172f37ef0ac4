#pragma once

// The search row of the record's and the notebook's windows: a label whose letter takes the
// keyboard to the field, and the field, which filters as one types.

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tellaria {

struct TSearchRow
{
    QHBoxLayout *Row;
    QLineEdit *Field;
};

inline TSearchRow MakeSearchRow(QWidget *parent,
                                const QString &caption,
                                const char *name,
                                const QString &accessibleName)
{
    auto *label = new QLabel(caption, parent);
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setClearButtonEnabled(true);
    label->setBuddy(field);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(field);
    return {row, field};
}

} // namespace tellaria
