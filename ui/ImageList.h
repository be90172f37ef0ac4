#pragma once

#include <QIcon>

namespace tellaria {

// The ten 16 x 16 images of the actions and the query button, by index 0 to 9.
QIcon ImageList1(int index);

} // namespace tellaria
