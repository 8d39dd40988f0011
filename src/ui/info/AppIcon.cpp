#include "ui/info/AppIcon.h"

namespace wexel {

QPixmap applicationPixmap() {
    return QPixmap(QStringLiteral(":/wexel/wexel-icon.png"));
}

QIcon applicationIcon() {
    return QIcon(applicationPixmap());
}

} // namespace wexel
