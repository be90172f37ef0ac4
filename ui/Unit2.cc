#include "ui/Unit2.h"

namespace tellaria {

TfrmFloating::TfrmFloating(QWidget *parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("frmFloating"));
    setWindowTitle(QStringLiteral("frmFloating"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(658, 65);
}

} // namespace tellaria
