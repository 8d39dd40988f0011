#include "ui/chart/TierChartWindow.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QShortcut>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace wexel {

namespace {

// Qt Charts reads titles and labels as markup: text from a data file is
// escaped first, so that it is only ever shown.
QString plain(const QString& text) {
    return text.toHtmlEscaped();
}

// The Wexels along the curve at `capacity`: straight between two points.
double wexelsAt(const QList<QPointF>& points, double capacity) {
    if (points.isEmpty()) {
        return 0.0;
    }
    for (qsizetype i = 1; i < points.size(); ++i) {
        const QPointF& a = points[i - 1];
        const QPointF& b = points[i];
        if (capacity <= b.x()) {
            return b.x() == a.x() ? b.y()
                                  : a.y() + (capacity - a.x()) * (b.y() - a.y()) / (b.x() - a.x());
        }
    }
    return points.back().y();
}

} // namespace

TierChartWindow::TierChartWindow(QWidget* parent, std::function<QString(double)> readout)
    : QWidget(parent, Qt::Window), readout_(std::move(readout)) {
    setObjectName(QStringLiteral("frmTierChart"));
    chart_ = new QChart();
    chart_->legend()->hide();
    line_ = new QLineSeries(chart_);
    line_->setObjectName(QStringLiteral("curve"));
    edges_ = new QScatterSeries(chart_);
    edges_->setMarkerSize(7);
    pointSeries_ = new QScatterSeries(chart_);
    pointSeries_->setObjectName(QStringLiteral("calculatorPoint"));
    pointSeries_->setMarkerSize(12);
    pointSeries_->setColor(QColor(200, 30, 30));
    cursorSeries_ = new QScatterSeries(chart_);
    cursorSeries_->setObjectName(QStringLiteral("cursor"));
    cursorSeries_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    cursorSeries_->setMarkerSize(9);
    cursorSeries_->setColor(QColor(20, 120, 20));
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(line_), static_cast<QAbstractSeries*>(edges_),
          static_cast<QAbstractSeries*>(pointSeries_),
          static_cast<QAbstractSeries*>(cursorSeries_)}) {
        chart_->addSeries(s);
    }
    auto* x = new QValueAxis(chart_);
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = new QValueAxis(chart_);
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTitleText(tr("Wexels required"));
    auto* bands = new QCategoryAxis(chart_);
    bands->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    bands->setGridLineVisible(true);
    bands->setObjectName(QStringLiteral("bands"));
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    chart_->addAxis(bands, Qt::AlignTop);
    for (QAbstractSeries* s : chart_->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    line_->attachAxis(bands);

    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("chartView"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->setMouseTracking(true);
    view_->setAccessibleName(tr("Tier chart"));
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    view_->setMinimumSize(480, 300);

    readoutLabel_ = new QLabel(this);
    readoutLabel_->setObjectName(QStringLiteral("lblChartReadout"));
    readoutLabel_->setTextFormat(Qt::PlainText);
    readoutLabel_->setWordWrap(true);
    readoutLabel_->setText(tr("Point at the curve, or use the arrow keys, to read it out."));

    firstBands_ = new QCheckBox(tr("Show the &first bands only"), this);
    firstBands_->setObjectName(QStringLiteral("chkFirstBands"));
    connect(firstBands_, &QCheckBox::toggled, this, [this] { fitAxes(); });
    auto* saveButton = new QPushButton(tr("&Save Image..."), this);
    saveButton->setObjectName(QStringLiteral("cmdSaveChart"));
    connect(saveButton, &QPushButton::clicked, this, &TierChartWindow::save);
    auto* closeButton = new QPushButton(tr("&Close"), this);
    closeButton->setObjectName(QStringLiteral("cmdCloseChart"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes it, as it closes the program's dialogs and its help.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(firstBands_);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(readoutLabel_);
    layout->addLayout(buttons);
    setFocusProxy(view_);
    // Its size before it is shown: where it opens depends on it.
    resize(sizeHint().expandedTo(QSize(640, 460)));
}

void TierChartWindow::setCurve(const ChartCurve& curve) {
    curve_ = curve;
    setWindowTitle(curve.title.isEmpty() ? tr("Tier Chart")
                                         : tr("Tier Chart - %1").arg(curve.title));
    chart_->setTitle(plain(curve.title.isEmpty() ? tr("No conversion is chosen.") : curve.title));
    line_->replace(curve.points);
    edges_->replace(curve.points.mid(0, curve.bands.size()));
    auto* x = static_cast<QValueAxis*>(chart_->axes(Qt::Horizontal).constFirst());
    x->setTitleText(plain(tr("Capacity (%1)").arg(curve.unit)));
    auto* bands = static_cast<QCategoryAxis*>(chart_->axes(Qt::Horizontal).constLast());
    for (const QString& label : bands->categoriesLabels()) {
        bands->remove(label);
    }
    if (!curve.points.isEmpty()) {
        bands->setStartValue(curve.points.constFirst().x());
    }
    for (qsizetype i = 0; i < curve.bands.size() && i + 1 < curve.points.size(); ++i) {
        bands->append(plain(curve.bands[i]), curve.points[i + 1].x());
    }
    cursorSeries_->clear();
    fitAxes();
    describe();
}

void TierChartWindow::setPoint(std::optional<QPointF> point, const QString& words) {
    point_ = point;
    pointWords_ = words;
    if (point) {
        pointSeries_->replace(QList<QPointF>{*point});
    } else {
        pointSeries_->clear();
    }
    describe();
}

void TierChartWindow::fitAxes() {
    if (curve_.points.isEmpty()) {
        for (QAbstractAxis* axis : chart_->axes()) {
            axis->setRange(0.0, 100.0);
        }
        return;
    }
    // The last band's range can dwarf the rest: the first bands alone end
    // where the last one starts.
    const qsizetype last = curve_.points.size() - 1;
    const qsizetype end = firstBands_->isChecked() && last >= 2 ? last - 1 : last;
    const double maxX = std::max(curve_.points[end].x(), 1.0);
    const double maxY = std::max(wexelsAt(curve_.points, maxX), 1.0);
    // Round figures on the axes; the bands' names above follow the capacity's.
    auto* x = static_cast<QValueAxis*>(chart_->axes(Qt::Horizontal).constFirst());
    x->setRange(0.0, maxX);
    x->applyNiceNumbers();
    chart_->axes(Qt::Horizontal).constLast()->setRange(x->min(), x->max());
    auto* y = static_cast<QValueAxis*>(chart_->axes(Qt::Vertical).constFirst());
    y->setRange(0.0, maxY * 1.05);
    y->applyNiceNumbers();
}

void TierChartWindow::describe() {
    QString text = curve_.description;
    if (!pointWords_.isEmpty()) {
        text += QLatin1Char('\n') + pointWords_;
    }
    view_->setAccessibleDescription(text);
    view_->setToolTip(QString()); // the readout says it: no tooltip to guess as markup
}

void TierChartWindow::readAt(double capacity) {
    if (curve_.points.isEmpty()) {
        return;
    }
    cursor_ = std::clamp(capacity, 0.0, curve_.points.constLast().x());
    cursorSeries_->replace(QList<QPointF>{QPointF(cursor_, wexelsAt(curve_.points, cursor_))});
    readoutLabel_->setText(readout_ ? readout_(cursor_) : QString());
}

void TierChartWindow::step(int direction) {
    // A step is a hundredth of what shows, in whole units.
    const auto* x = static_cast<const QValueAxis*>(chart_->axes(Qt::Horizontal).constFirst());
    const double unit = std::max(1.0, std::floor((x->max() - x->min()) / 100.0));
    readAt(std::round(cursor_ / unit) * unit + direction * unit);
}

bool TierChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport() && event->type() == QEvent::MouseMove) {
        const QPointF at = static_cast<QMouseEvent*>(event)->position();
        if (chart_->plotArea().contains(at)) {
            readAt(std::round(chart_->mapToValue(at, line_).x()));
        }
    } else if (watched == view_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QList<QPointF>& points = curve_.points;
        switch (key->key()) {
        case Qt::Key_Left:
            step(-1);
            return true;
        case Qt::Key_Right:
            step(1);
            return true;
        case Qt::Key_PageDown:
        case Qt::Key_PageUp: {
            // From band edge to band edge, the calculator's point among them.
            QList<double> stops;
            for (const QPointF& p : points) {
                stops.append(p.x());
            }
            if (point_) {
                stops.append(point_->x());
            }
            std::sort(stops.begin(), stops.end());
            double next = cursor_;
            if (key->key() == Qt::Key_PageDown) {
                const auto it = std::upper_bound(stops.begin(), stops.end(), cursor_);
                next = it == stops.end() ? cursor_ : *it;
            } else {
                const auto it = std::lower_bound(stops.begin(), stops.end(), cursor_);
                next = it == stops.begin() ? cursor_ : *(it - 1);
            }
            readAt(next);
            return true;
        }
        case Qt::Key_Home:
            readAt(0.0);
            return true;
        case Qt::Key_End:
            readAt(points.isEmpty() ? 0.0 : points.constLast().x());
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TierChartWindow::save() {
    QFileDialog dialog(this, tr("Save Tier Chart"));
    dialog.setObjectName(QStringLiteral("dlgSaveChart"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString png = tr("PNG images (*.png)");
    const QString svg = tr("SVG drawings (*.svg)");
    dialog.setNameFilters({png, svg});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(QStringLiteral("tier-chart.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator generator;
        generator.setOutputDevice(&bytes);
        generator.setSize(view_->size());
        generator.setViewBox(view_->rect());
        generator.setTitle(plain(windowTitle())); // written into the XML as it is
        QPainter painter(&generator);
        view_->render(&painter);
    } else {
        view_->grab().save(&bytes, "PNG");
    }
    // Written whole or not at all.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data()) != bytes.size() ||
        !file.commit()) {
        readoutLabel_->setText(tr("The chart was not saved: %1.").arg(file.errorString()));
        return;
    }
    readoutLabel_->setText(tr("Saved the chart as %1.").arg(QDir::toNativeSeparators(path)));
}

QImage TierChartWindow::image(const ChartCurve& curve, std::optional<QPointF> point, QSize size) {
    TierChartWindow drawn(nullptr, {});
    drawn.setCurve(curve);
    drawn.setPoint(point, {});
    drawn.view_->resize(size);
    return drawn.view_->grab().toImage();
}

} // namespace wexel
