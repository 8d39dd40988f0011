#include "ui/converter/ChartLoader.h"

#include "ui/chart/ChartPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace wexel {

namespace {

QString& folder() {
    static QString path;
    return path;
}

} // namespace

void setChartPluginFolder(const QString& path) {
    folder() = path;
}

ChartPlugin* chartPlugin(QString* why) {
    // Only the program's own folder (its plugins folder): a plugin is code,
    // and that folder is as trusted as the program itself.
    static QPluginLoader loader(
        QDir(folder().isEmpty() ? QCoreApplication::applicationDirPath() : folder())
            .filePath(QStringLiteral("plugins/wexel-chart")));
    static ChartPlugin* plugin = qobject_cast<ChartPlugin*>(loader.instance());
    if (plugin == nullptr && why != nullptr) {
        // A build without Qt Charts (the Windows one) installs no plugin.
        *why = QFileInfo::exists(loader.fileName())
                   ? loader.errorString()
                   : QCoreApplication::translate("wexel", "the chart plugin is not installed "
                                                          "with the program");
    }
    return plugin;
}

} // namespace wexel
