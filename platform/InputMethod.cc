#include "platform/InputMethod.h"

namespace tellaria {

void RequestInputMethod(QWidget *, const QString &) {}

} // namespace tellaria
