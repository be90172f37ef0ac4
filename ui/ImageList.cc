#include "ui/ImageList.h"

#include <QString>

namespace tellaria {

QIcon ImageList1(int index)
{
    if (index < 0 || index > 9)
        return {};
    return QIcon(QStringLiteral(":/images/image%1.xpm").arg(index));
}

} // namespace tellaria
