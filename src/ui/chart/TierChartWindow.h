#pragma once
// The tier chart: Wexels required against capacity for the chosen
// conversion, each band's edge marked and named, and the point of the
// calculator in use. The mouse and the arrow keys read the curve out.

#include "ui/chart/ChartPlugin.h"

#include <QWidget>

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QScatterSeries;

namespace wexel {

class TierChartWindow : public QWidget, public TierChart {
    Q_OBJECT
public:
    TierChartWindow(QWidget* parent, std::function<QString(double)> readout);

    QWidget* widget() override { return this; }
    void setCurve(const ChartCurve& curve) override;
    void setPoint(std::optional<QPointF> point, const QString& words) override;

    // Draws `curve` and `point` into a chart of its own: a saved or printed
    // estimate shows what the window would.
    static QImage image(const ChartCurve& curve, std::optional<QPointF> point, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the curve out at `capacity` and marks it.
    void readAt(double capacity);
    void step(int direction);
    void fitAxes();
    void describe();
    void save();

    std::function<QString(double)> readout_;
    ChartCurve curve_;
    std::optional<QPointF> point_;
    QString pointWords_;
    double cursor_ = 0.0;
    QChart* chart_;
    QChartView* view_;
    QLineSeries* line_;
    QScatterSeries* edges_;
    QScatterSeries* pointSeries_;
    QScatterSeries* cursorSeries_;
    QLabel* readoutLabel_;
    QCheckBox* firstBands_;
};

} // namespace wexel
