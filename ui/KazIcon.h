#pragma once

#include <QIcon>

namespace KazIcon {
// The program's window icon: two linked cards on the test window's green.
QIcon make();
} // namespace KazIcon
