#pragma once
// What the converter window asks of the chart plugin: a tier chart window and
// printing. They live in a plugin loaded when first asked for, so that Qt
// Charts and Qt's print support cost the window's start-up nothing. Only Qt
// types and plain data cross: the plugin holds none of the tier table.

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <functional>
#include <optional>

class QTextDocument;
class QWidget;

namespace wexel {

struct ChartCurve {
    QString title;         // "WXE007 (MSU)": from the data file, plain text
    QString unit;          // "MSU"
    QList<QPointF> points; // capacity, Wexels: where each band starts, then the end
    QStringList bands;     // each band's name, one fewer than the points
    QString description;   // the same in words, for those who cannot see it
};

class TierChart {
public:
    virtual ~TierChart() = default;
    // The chart's window, a tool window of the converter window.
    virtual QWidget* widget() = 0;
    virtual void setCurve(const ChartCurve& curve) = 0;
    // The point of the calculator in use, or none; `words` says it.
    virtual void setPoint(std::optional<QPointF> point, const QString& words) = 0;
};

class ChartPlugin {
public:
    virtual ~ChartPlugin() = default;
    // `readout` words a capacity (the Wexels it requires), for the mouse and
    // the arrow keys along the curve.
    virtual TierChart* createChart(QWidget* parent, std::function<QString(double)> readout) = 0;
    // The curve drawn on `size` pixels, for a printed or saved estimate.
    virtual QImage chartImage(const ChartCurve& curve, std::optional<QPointF> point,
                              QSize size) = 0;
    // Asks which printer in Qt's print dialog and prints `document`; false
    // when the user cancelled.
    virtual bool print(QWidget* parent, QTextDocument& document) = 0;
};

} // namespace wexel

#define WexelChartPlugin_iid "org.wexel.Converter.ChartPlugin/1"
Q_DECLARE_INTERFACE(wexel::ChartPlugin, WexelChartPlugin_iid)
