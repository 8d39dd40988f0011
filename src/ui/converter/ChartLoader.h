#pragma once
// Finds the chart plugin in the program's plugins folder and loads it, once, when the
// chart or printing is first asked for.

#include <QString>

namespace wexel {

class ChartPlugin;

// The plugin, or null with `why` saying why not (not installed, or not
// loadable); later calls answer the same.
ChartPlugin* chartPlugin(QString* why);

// The folder whose plugins folder holds the plugin: the program's own unless
// set. The tests run from a folder of their own.
void setChartPluginFolder(const QString& folder);

} // namespace wexel
