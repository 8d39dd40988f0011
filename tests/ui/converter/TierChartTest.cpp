// The tier chart and the printed estimate, through the converter window's
// keys: the chart plugin is loaded as the program loads it.
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "support/WindowDriving.h"
#include "ui/converter/ChartLoader.h"
#include "ui/converter/frmQConverter.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScatterSeries>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

using namespace wexel;
using wexel::testing::field;
using wexel::testing::kExample;
using wexel::testing::ScopedTable;
using wexel::testing::showWithConversion;
using wexel::testing::type;

namespace {

QWidget* openChart(QWidget& window) {
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    for (QWidget* chart : QApplication::topLevelWidgets()) {
        // It opens in front, ready for the keys.
        if (chart->objectName() == QStringLiteral("frmTierChart") &&
            QTest::qWaitForWindowActive(chart)) {
            return chart;
        }
    }
    return nullptr;
}

QList<QPointF> pointsOf(const QWidget& chart, const char* name) {
    for (QAbstractSeries* series : chart.findChild<QChartView*>()->chart()->series()) {
        if (series->objectName() == QLatin1String(name)) {
            return static_cast<QXYSeries*>(series)->points();
        }
    }
    qFatal("no series %s", name);
}

QString readout(const QWidget& chart) {
    return chart.findChild<QLabel*>(QStringLiteral("lblChartReadout"))->text();
}

// The user names the file in the save dialog that opens next and presses Enter.
void answerSaveDialog(const QString& path) {
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        dialog->selectFile(path);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
}

QString pdfText(const QString& path) {
    QProcess reader;
    reader.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                 {QStringLiteral("-layout"), path, QStringLiteral("-")});
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

} // namespace

class TierChartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setChartPluginFolder(QStringLiteral(WEXEL_CHART_FOLDER)); }

    void theChartDrawsTheCurveAndFollowsTheCalculator() {
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("12"));
        QWidget* chart = openChart(window);
        QVERIFY(chart != nullptr);
        QCOMPARE(chart->windowTitle(), QStringLiteral("Tier Chart - WXE007 (MSU)"));
        // The engine's curve: where Tier A and Tier B start, one band past the last.
        QCOMPARE(pointsOf(*chart, "curve"), (QList<QPointF>{{0, 0}, {3, 3}, {9, 6}, {15, 7.5}}));
        QCOMPARE(pointsOf(*chart, "calculatorPoint"), QList<QPointF>{QPointF(12, 6.75)});
        // Every keystroke moves the point; past the end, the curve grows to it.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("40"));
        QCOMPARE(pointsOf(*chart, "calculatorPoint"), QList<QPointF>{QPointF(40, 13.75)});
        QCOMPARE(pointsOf(*chart, "curve").constLast(), QPointF(40, 13.75));
        // Another calculator's capacity: calculator 2 finds 13 for 7 WX.
        type(field(window, "txtWXtoMSU_WX"), QStringLiteral("7"));
        QCOMPARE(pointsOf(*chart, "calculatorPoint"), QList<QPointF>{QPointF(13, 7)});
        auto* view = chart->findChild<QChartView*>(QStringLiteral("chartView"));
        QVERIFY(
            view->accessibleDescription().contains(QStringLiteral("Tier A, 4 - 9: 0.5 WX each")));
        QVERIFY(view->accessibleDescription().contains(
            QStringLiteral("Calculator 2: 13 MSUs require 7 WX (Tier B).")));
        // Nothing calculated: no point, and the words say why.
        {
            const Capture capture;
            type(field(window, "txtWXtoMSU_WX"), QStringLiteral("x"));
        }
        QVERIFY(pointsOf(*chart, "calculatorPoint").isEmpty());
        QVERIFY(view->accessibleDescription().endsWith(
            QStringLiteral("Calculator 2 shows no capacity.")));
    }

    void theKeysAndTheMouseReadTheCurveOut() {
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("12"));
        QWidget* chart = openChart(window);
        auto* view = chart->findChild<QChartView*>(QStringLiteral("chartView"));
        QCOMPARE(QApplication::focusWidget(), view);
        struct Step {
            Qt::Key key;
            const char* readout;
        } steps[] = {
            {Qt::Key_Home, "0 MSUs require 0 WX (Base)."},
            {Qt::Key_PageDown, "3 MSUs require 3 WX (Base)."},
            {Qt::Key_Right, "4 MSUs require 4 WX (Tier A)."},
            {Qt::Key_PageDown, "9 MSUs require 6 WX (Tier A)."},
            {Qt::Key_PageDown, "12 MSUs require 7 WX (Tier B)."}, // the calculator's point
            {Qt::Key_End, "15 MSUs require 8 WX (Tier B)."},
            {Qt::Key_Right, "15 MSUs require 8 WX (Tier B)."}, // the end holds
            {Qt::Key_PageUp, "12 MSUs require 7 WX (Tier B)."},
            {Qt::Key_Left, "11 MSUs require 7 WX (Tier B)."},
        };
        for (const Step& s : steps) {
            QTest::keyClick(view, s.key);
            QCOMPARE(readout(*chart), QString::fromLatin1(s.readout));
        }
        QCOMPARE(pointsOf(*chart, "cursor"), QList<QPointF>{QPointF(11, 6.5)});
        // The mouse over the plot reads the capacity under it.
        auto* plot = view->chart();
        const QPoint at = plot->mapToPosition(QPointF(6, 4.5)).toPoint();
        QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        QCOMPARE(readout(*chart), QStringLiteral("6 MSUs require 5 WX (Tier A)."));
        // The first bands alone end where the last band starts.
        auto* x = qobject_cast<QValueAxis*>(plot->axes(Qt::Horizontal).constFirst());
        QVERIFY(x->max() >= 15);
        QTest::mouseClick(chart->findChild<QAbstractButton*>(QStringLiteral("chkFirstBands")),
                          Qt::LeftButton);
        QVERIFY(x->max() >= 9 && x->max() < 15);
        // Esc closes it, as it closes the program's dialogs.
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!chart->isVisible());
    }

    void theChartIsSavedAsPngAndSvgAndNamesStayText() {
        const ScopedTable table({{"<b>W</b> <img src=\"/dev/zero\">", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        QWidget* chart = openChart(window);
        QVERIFY(chart != nullptr);
        // Qt Charts reads titles as markup: a name is escaped into text.
        QCOMPARE(
            chart->findChild<QChartView*>()->chart()->title(),
            QStringLiteral("&lt;b&gt;W&lt;/b&gt; &lt;img src=&quot;/dev/zero&quot;&gt; (MSU)"));
        QTemporaryDir folder;
        for (const char* name : {"chart.png", "chart.svg"}) {
            const QString path = folder.filePath(QString::fromLatin1(name));
            answerSaveDialog(path);
            QTest::mouseClick(chart->findChild<QAbstractButton*>(QStringLiteral("cmdSaveChart")),
                              Qt::LeftButton);
            QCOMPARE(readout(*chart),
                     QStringLiteral("Saved the chart as %1.").arg(QDir::toNativeSeparators(path)));
        }
        const QImage png(folder.filePath(QStringLiteral("chart.png")));
        QVERIFY(!png.isNull() && png.width() > 100 && png.height() > 100);
        QSvgRenderer svg(folder.filePath(QStringLiteral("chart.svg")));
        QVERIFY(svg.isValid());
        QVERIFY(svg.defaultSize().width() > 100);
    }

    void theEstimateIsPrintedWithItsChart() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("needs pdftotext (Debian's poppler-utils, which scripts/install-deps.sh "
                  "--tests installs) to read the printed file's text");
        }
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("12"));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("printed.pdf"));
        // The user prints to a PDF file, the printer every machine has.
        bool asked = false;
        QTimer::singleShot(0, [&asked, path] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            asked = true;
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(path);
            dialog->done(QDialog::Accepted);
        });
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(asked);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
                 QStringLiteral("Printed calculator 1's estimate."));
        const QString text = pdfText(path);
        for (const char* line : {"A utilization of 12 MSUs requires an entitlement of 7 WXs.",
                                 "Tiers of WXE007:", "This tool is for estimation only."}) {
            QVERIFY2(text.contains(QString::fromLatin1(line)), qPrintable(text));
        }
        // The chart is in it, as a picture after the text.
        QProcess images;
        images.start(QStandardPaths::findExecutable(QStringLiteral("pdfimages")),
                     {QStringLiteral("-list"), path});
        QVERIFY(images.waitForFinished(30000));
        const QStringList rows = QString::fromUtf8(images.readAllStandardOutput())
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3); // two header lines, one image
    }
};

QTEST_MAIN(TierChartTest)
#include "TierChartTest.moc"
