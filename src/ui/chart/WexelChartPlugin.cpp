// The chart plugin: the tier chart window and printing, with Qt Charts and
// Qt's print support, loaded by the converter window when first asked for.
#include "ui/chart/ChartPlugin.h"
#include "ui/chart/TierChartWindow.h"

#include <QImage>
#include <QObject>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace wexel {

class WexelChartPlugin : public QObject, public ChartPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID WexelChartPlugin_iid)
    Q_INTERFACES(wexel::ChartPlugin)
public:
    TierChart* createChart(QWidget* parent, std::function<QString(double)> readout) override {
        return new TierChartWindow(parent, std::move(readout));
    }

    QImage chartImage(const ChartCurve& curve, std::optional<QPointF> point, QSize size) override {
        return TierChartWindow::image(curve, point, size);
    }

    bool print(QWidget* parent, QTextDocument& document) override {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("dlgPrint"));
        dialog.setWindowTitle(QObject::tr("Print Estimate"));
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        document.print(&printer);
        return true;
    }
};

} // namespace wexel

#include "WexelChartPlugin.moc"
