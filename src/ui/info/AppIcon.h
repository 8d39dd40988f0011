#pragma once
// The application icon, shared by every window of the program.

#include <QIcon>
#include <QPixmap>

namespace wexel {

QPixmap applicationPixmap();
QIcon applicationIcon();

} // namespace wexel
