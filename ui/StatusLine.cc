#include "ui/StatusLine.h"

#include <QLabel>

namespace tellaria {

TStatusLine::TStatusLine(QWidget *parent)
    : QStatusBar(parent)
    , m_hint(new QLabel(this))
    , m_zoom(new QLabel(this))
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    m_hint->setObjectName(QStringLiteral("StatusPanel0"));
    m_hint->setFixedWidth(300);
    m_hint->setAccessibleName(tr("Hint"));
    m_zoom->setObjectName(QStringLiteral("StatusPanel1"));
    m_zoom->setFixedWidth(50);
    m_zoom->setAccessibleName(tr("Status"));
    addWidget(m_hint);
    addWidget(m_zoom);
}

void TStatusLine::ShowHint(const QString &hint)
{
    m_hint->setText(hint);
    m_hint->setAccessibleDescription(hint); // what a screen reader reads of it
}

void TStatusLine::ShowZoom(int percent)
{
    m_zoom->setText(percent == 100 ? QString() : QStringLiteral("%1%").arg(percent));
}

} // namespace tellaria
