#include "ui/converter/Estimates.h"

#include "desktop/Windows.h"
#include "engine/Comparison.h"
#include "engine/Curve.h"
#include "engine/Estimate.h"
#include "engine/ModMath.h"
#include "engine/Sentences.h"
#include "engine/Working.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "tiers/TierList.h"
#include "tiers/TierQueries.h"
#include "ui/chart/ChartPlugin.h"
#include "ui/converter/ChartLoader.h"
#include "ui/converter/QtResultLabel.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>

namespace wexel {

Estimates::Estimates(QWidget* window, QPlainTextEdit* panel, QPlainTextEdit* comparison,
                     QtResultLabel* status, std::function<std::string()> conversionName)
    : QObject(window), panel_(panel), comparison_(comparison), status_(status),
      conversionName_(std::move(conversionName)), window_(window) {
    working_ = new QAction(tr("Show &Working"), window);
    working_->setObjectName(QStringLiteral("actWorking"));
    working_->setCheckable(true);
    working_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    working_->setShortcutContext(Qt::WindowShortcut);
    connect(working_, &QAction::toggled, this, &Estimates::showWorking);
    compare_ = new QAction(tr("Compare C&onversions"), window);
    compare_->setObjectName(QStringLiteral("actCompare"));
    compare_->setCheckable(true);
    compare_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    compare_->setShortcutContext(Qt::WindowShortcut);
    connect(compare_, &QAction::toggled, this, [this](bool shown) {
        comparison_->setVisible(shown);
        refreshComparison();
    });
    copy_ = new QAction(tr("Copy &Estimate"), window);
    copy_->setObjectName(QStringLiteral("actCopyEstimate"));
    copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy_->setShortcutContext(Qt::WindowShortcut);
    connect(copy_, &QAction::triggered, this, &Estimates::copy);
    savePdf_ = new QAction(tr("Save Estimate as &PDF..."), window);
    savePdf_->setObjectName(QStringLiteral("actSavePdf"));
    savePdf_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    savePdf_->setShortcutContext(Qt::WindowShortcut);
    connect(savePdf_, &QAction::triggered, this, &Estimates::savePdf);
    print_ = new QAction(tr("Pr&int Estimate..."), window);
    print_->setObjectName(QStringLiteral("actPrint"));
    print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print_->setShortcutContext(Qt::WindowShortcut);
    connect(print_, &QAction::triggered, this, &Estimates::print);
    chart_ = new QAction(tr("Tier C&hart"), window);
    chart_->setObjectName(QStringLiteral("actChart"));
    chart_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    chart_->setShortcutContext(Qt::WindowShortcut);
    connect(chart_, &QAction::triggered, this, &Estimates::showChart);
    for (QAction* action : {working_, compare_, copy_, savePdf_, print_, chart_}) {
        window->addAction(action);
    }
}

namespace {

// The curve as the chart draws it, and in words for a screen reader.
ChartCurve chartCurve(const std::string& name, double through) {
    ChartCurve curve;
    std::string unit;
    try {
        unit = GetSlopeUnits(name);
    } catch (const RuntimeError&) {
        return curve; // no conversion chosen: an empty chart
    }
    // Names come from the data file: control characters escaped.
    curve.title = QString::fromStdString(printable(name) + " (" + unit + ")");
    curve.unit = QString::fromStdString(unit);
    for (const CurvePoint& p : tierCurve(name, through)) {
        curve.points.append(QPointF(p.capacity, p.wexels));
        if (p.tier > 0) {
            curve.bands.append(QString::fromStdString(tierCaption(p.tier)));
        }
    }
    QStringList words{QObject::tr("Tiers of %1:").arg(curve.title)};
    for (const TierListRow& row : tierListRows(name)) {
        words << QObject::tr("%1, %2 %3 %4: %5 WX each")
                     .arg(QString::fromStdString(row.tier), QString::fromStdString(row.lowest),
                          QString::fromStdString(row.dash), QString::fromStdString(row.highest),
                          QString::fromStdString(row.slope));
    }
    curve.description = words.join(QLatin1Char('\n'));
    return curve;
}

// Calculator 1's rule at a capacity along the chart: the whole Wexels it
// requires, in the band it lies in.
QString readout(const std::string& name, double capacity) {
    const Capture quiet; // a failure reads as none, never as an error box
    const std::string amount = numberToText(capacity);
    const double wexels = MSU2WX(amount, name);
    QString band;
    for (const CurvePoint& p : tierCurve(name)) {
        // A band's first unit lies past its start: the start is the band before's last.
        if (p.tier == 1 || (p.tier > 0 && p.capacity < capacity)) {
            band = QString::fromStdString(tierCaption(p.tier));
        }
    }
    std::string unit = "MSU";
    try {
        unit = GetSlopeUnits(name);
    } catch (const RuntimeError&) {
        return {};
    }
    return QObject::tr("%1 %2s require %3 WX (%4).")
        .arg(QString::fromStdString(amount), QString::fromStdString(unit),
             QString::fromStdString(numberToText(roundedUp(wexels))), band);
}

} // namespace

Estimates::~Estimates() {
    // The chart is a window of its own: it goes with the converter window.
    if (chartWindow_ != nullptr) {
        delete chartWindow_->widget();
    }
}

void Estimates::use(const Panel* panel, int calculator) {
    used_ = panel;
    calculator_ = calculator;
    refresh();
}

QString Estimates::estimate() const {
    if (used_ == nullptr) {
        return {};
    }
    return QString::fromStdString(
        estimateText(calculator_, *used_, conversionName_(), panel_->isVisible()));
}

bool Estimates::given(const QString& notDone) {
    if (used_ == nullptr) {
        return false;
    }
    const std::string refusal = estimateRefusal(calculator_, *used_, conversionName_());
    if (!refusal.empty()) {
        say(tr("Calculator %1's estimate was %2: %3.")
                .arg(calculator_)
                .arg(notDone, QString::fromStdString(refusal)));
        return false;
    }
    return true;
}

void Estimates::copy() {
    // Refused, the clipboard keeps what it held: no quote with ERR in it.
    if (!given(tr("not copied"))) {
        return;
    }
    QGuiApplication::clipboard()->setText(estimate());
    say(tr("Copied calculator %1's estimate.").arg(calculator_));
}

void Estimates::savePdf() {
    if (!given(tr("not saved"))) {
        return;
    }
    QFileDialog dialog(window_, tr("Save Estimate as PDF"));
    dialog.setObjectName(QStringLiteral("dlgSavePdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("PDF documents (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("estimate.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(tr("Wexel Converter estimate"));
        writer.setCreator(QString::fromLatin1(kAppTitle));
        writer.setPageSize(QPageSize(QPageSize::A4));
        QTextDocument document;
        fillDocument(document);
        document.print(&writer);
    }
    // Written whole or not at all: a failed save leaves no half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf.data()) != pdf.size() ||
        !file.commit()) {
        say(tr("The estimate was not saved: %1.").arg(file.errorString()));
        return;
    }
    say(tr("Saved calculator %1's estimate as %2.")
            .arg(calculator_)
            .arg(QDir::toNativeSeparators(path)));
}

std::string Estimates::capacityInUse() const {
    const CalculatorDescription& c = calculator(calculator_);
    return calculator_ == 1 ? used_->fields[FieldCalc1Capacity]->text()
                            : used_->labels[c.results.back().label]->caption();
}

void Estimates::showChart() {
    QString why;
    ChartPlugin* plugin = chartPlugin(&why);
    if (plugin == nullptr) {
        say(tr("No tier chart: %1").arg(why));
        return;
    }
    if (chartWindow_ == nullptr) {
        // A window of its own, closed with the converter window.
        chartWindow_ = plugin->createChart(
            nullptr, [this](double capacity) { return readout(conversionName_(), capacity); });
        chartConversion_.clear();
        refreshChart();
        placeOnScreen(chartWindow_->widget(), Placement::Beside);
    }
    raiseWindow(chartWindow_->widget());
    chartWindow_->widget()->setFocus(Qt::ActiveWindowFocusReason);
}

void Estimates::refreshChart() {
    if (chartWindow_ == nullptr) {
        return;
    }
    const std::string name = conversionName_();
    const std::string capacity = used_ != nullptr ? capacityInUse() : std::string();
    const bool number = isNumeric(capacity);
    const double at = number ? textToDouble(capacity) : 0.0;
    // The curve is drawn again only for another conversion or a point past its end.
    if (foldKey(name) != foldKey(chartConversion_) || at > chartEnd_) {
        const ChartCurve curve = chartCurve(name, at);
        chartWindow_->setCurve(curve);
        chartConversion_ = name;
        chartEnd_ = curve.points.isEmpty() ? 0.0 : curve.points.constLast().x();
    }
    if (!number || chartEnd_ == 0.0) {
        chartWindow_->setPoint(std::nullopt,
                               tr("Calculator %1 shows no capacity.").arg(calculator_));
        return;
    }
    const Capture quiet;
    const double wexels = MSU2WX(capacity, name);
    chartWindow_->setPoint(QPointF(at, wexels),
                           tr("Calculator %1: %2").arg(calculator_).arg(readout(name, at)));
}

void Estimates::fillDocument(QTextDocument& document) const {
    // The estimate with its working, then the tiers it was reached through:
    // text, so that the PDF's words can be searched and copied.
    QString text =
        QString::fromStdString(estimateText(calculator_, *used_, conversionName_(), true));
    text += tr("Tiers of %1:\n").arg(QString::fromStdString(printable(conversionName_())));
    for (const TierListRow& row : tierListRows(conversionName_())) {
        text += QStringLiteral("%1\t%2 %3 %4\t%5 WX each\n")
                    .arg(QString::fromStdString(row.tier), QString::fromStdString(row.lowest),
                         QString::fromStdString(row.dash), QString::fromStdString(row.highest),
                         QString::fromStdString(row.slope));
    }
    document.setDefaultFont(panel_->font());
    document.setPlainText(text);
    // The chart last, when the plugin is there: the estimate reads whole without it.
    if (ChartPlugin* plugin = chartPlugin(nullptr)) {
        const std::string capacity = capacityInUse();
        std::optional<QPointF> point;
        const double at = isNumeric(capacity) ? textToDouble(capacity) : 0.0;
        if (isNumeric(capacity)) {
            const Capture quiet;
            point = QPointF(at, MSU2WX(capacity, conversionName_()));
        }
        const QImage chart =
            plugin->chartImage(chartCurve(conversionName_(), at), point, QSize(900, 560));
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart.png")),
                             chart);
        QTextImageFormat image;
        image.setName(QStringLiteral("chart.png"));
        image.setWidth(450);
        image.setHeight(280);
        cursor.insertImage(image);
    }
}

void Estimates::print() {
    if (!given(tr("not printed"))) {
        return;
    }
    QString why;
    ChartPlugin* plugin = chartPlugin(&why);
    if (plugin == nullptr) {
        say(tr("Calculator %1's estimate was not printed: %2").arg(calculator_).arg(why));
        return;
    }
    QTextDocument document;
    fillDocument(document);
    if (plugin->print(window_, document)) {
        say(tr("Printed calculator %1's estimate.").arg(calculator_));
    }
}

void Estimates::say(const QString& text) {
    status_->show();
    // The same words again are news again: a second copy is confirmed too.
    status_->setCaption({});
    status_->setCaption(text.toStdString());
}

void Estimates::showWorking(bool shown) {
    panel_->setVisible(shown);
    refresh();
}

void Estimates::refresh() {
    refreshComparison();
    refreshChart();
    if (!panel_->isVisible() || used_ == nullptr) {
        return;
    }
    std::string unit = "MSU";
    try {
        unit = GetSlopeUnits(conversionName_());
    } catch (const RuntimeError&) {
        // No conversion chosen: the sentence keeps its design's unit.
    }
    QStringList lines{QStringLiteral("Calculator %1: %2")
                          .arg(calculator_)
                          .arg(QString::fromStdString(sentenceText(calculator_, unit, used_)))};
    const std::vector<std::string> working =
        explainCalculator(calculator_, *used_, conversionName_());
    if (working.empty()) {
        lines << tr("No working: a field holds no number the calculator takes.");
    }
    for (const std::string& line : working) {
        lines << QString::fromStdString(line);
    }
    panel_->setPlainText(lines.join(QLatin1Char('\n')));
}

void Estimates::refreshComparison() {
    if (!comparison_->isVisible() || used_ == nullptr) {
        return;
    }
    std::string unit;
    try {
        unit = GetSlopeUnits(conversionName_());
    } catch (const RuntimeError&) {
        comparison_->setPlainText(tr("No comparison: no conversion is chosen."));
        return;
    }
    const std::string capacity = capacityInUse();
    std::vector<ConversionWexels> rows = wexelsUnderEveryConversion(capacity, unit);
    if (rows.empty() || rows.front().refused) {
        comparison_->setPlainText(
            tr("No comparison: calculator %1 shows no capacity to compare.").arg(calculator_));
        return;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        const bool aNumber = isNumeric(a.wexels);
        const bool bNumber = isNumeric(b.wexels);
        if (aNumber != bNumber) {
            return aNumber; // an ERR last
        }
        return aNumber && textToDouble(a.wexels) < textToDouble(b.wexels);
    });
    const QString units = QString::fromStdString(unit);
    QStringList lines{tr("Calculator %1's %2 %3s under every %3 conversion, fewest Wexels first:")
                          .arg(calculator_)
                          .arg(QString::fromStdString(capacity), units)};
    const std::string chosen = foldKey(conversionName_());
    for (const ConversionWexels& row : rows) {
        // Names come from the data file: plain text here, control characters escaped.
        lines << QStringLiteral("%1 WX\t%2%3")
                     .arg(QString::fromStdString(row.wexels),
                          QString::fromStdString(printableField(row.conversion->name)),
                          foldKey(row.conversion->name) == chosen ? tr("  (chosen)") : QString());
    }
    comparison_->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace wexel
