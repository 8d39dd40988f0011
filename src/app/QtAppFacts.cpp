#include "app/QtAppFacts.h"

#include "app/InstanceGuard.h"

#include <QCoreApplication>
#include <QDir>

namespace wexel {

bool QtAppFacts::previousInstanceRunning() {
    return !guard_.claim();
}

std::string QtAppFacts::exeDirectory() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace wexel
