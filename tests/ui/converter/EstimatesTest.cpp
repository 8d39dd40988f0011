// What the converter window adds to its calculators, through real keys and
// Qt's accessibility interface: the working panel, the copied estimate, the
// calculators' context menu, and what a screen reader finds.
#include "engine/Sentences.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "support/WindowDriving.h"
#include "tiers/DataFiles.h"
#include "ui/converter/frmQConverter.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace wexel;
using wexel::testing::field;
using wexel::testing::kExample;
using wexel::testing::ScopedTable;
using wexel::testing::showWithConversion;
using wexel::testing::type;

namespace {

// Opens the context menu of `widget` as a right click does.
QMenu* openMenu(QWidget* widget) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Chooses the entry `text` of an open menu.
void choose(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            menu->close();
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no menu entry ") + text));
}

QString status(const QWidget& window) {
    return window.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
}

} // namespace

class EstimatesTest : public QObject {
    Q_OBJECT

private slots:
    void theComparisonListsEveryConversionOfTheUnitFewestWexelsFirst() {
        const ScopedTable table({{"WXE007", kExample},
                                 {"Dear", {{1, 3.0}}},
                                 {"Cheap", {{1, 0.5}}},
                                 {"Gadget", {{1, 2.0}}, "MSG"}});
        frmQConverter window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* panel = window.findChild<QPlainTextEdit*>(QStringLiteral("txtCompare"));
        QVERIFY(!panel->isVisible());
        window.findChild<QComboBox*>()->setCurrentIndex(1);
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(panel->isVisible());
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("12"));
        QCOMPARE(panel->toPlainText(),
                 QStringLiteral("Calculator 1's 12 MSUs under every MSU conversion, fewest "
                                "Wexels first:\n6 WX\tCheap\n7 WX\tWXE007  (chosen)\n36 WX\tDear"));
        // Another calculator compares the capacity it finds.
        type(field(window, "txtWXtoMSU_WX"), QStringLiteral("7"));
        QVERIFY(panel->toPlainText().startsWith(
            QStringLiteral("Calculator 2's 13 MSUs under every MSU conversion")));
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!panel->isVisible());
    }

    // A build without the chart plugin (the Windows one) says so and goes on.
    void withoutTheChartPluginTheChartAndPrintingSayWhy() {
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("12"));
        QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(status(window), QStringLiteral("No tier chart: the chart plugin is not "
                                                "installed with the program"));
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(status(window), QStringLiteral("Calculator 1's estimate was not printed: the "
                                                "chart plugin is not installed with the "
                                                "program"));
    }

    void theEstimateIsSavedAsAPdfWhoseTextIsTheEstimate() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) {
            QSKIP("needs pdftotext (Debian's poppler-utils, which scripts/install-deps.sh "
                  "--tests installs) to read the PDF's text");
        }
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("12"));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("quote.pdf"));
        // The user names the file in the dialog and presses Enter.
        QTimer::singleShot(0, [path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->selectFile(path);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(status(window), QStringLiteral("Saved calculator 1's estimate as %1.")
                                     .arg(QDir::toNativeSeparators(path)));
        QProcess reader;
        reader.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000));
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        for (const char* line : {"Wexel Converter estimate", "Conversion: WXE007 (MSU)",
                                 "A utilization of 12 MSUs requires an entitlement of 7 WXs.",
                                 "Tier B (10 - +): 3 x 0.25 = 0.75 WX, total 6.75 WX",
                                 "Required: 6.75 WX, rounded up to 7 WX",
                                 "Tiers of WXE007:", "This tool is for estimation only."}) {
            QVERIFY2(text.contains(QString::fromLatin1(line)), qPrintable(text));
        }
        // A refused estimate is not saved: no dialog, and the reason said.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        {
            const Capture capture;
            type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("x"));
        }
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(status(window).startsWith(QStringLiteral("Calculator 1's estimate was not saved")),
                 qPrintable(status(window)));
    }

    void theWorkingFollowsTheCalculatorInUseAndEveryKeystroke() {
        const ScopedTable table({{"WXE007", kExample}, {"Gadget", {{1, 2.0}}, "MSG"}});
        frmQConverter window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* panel = window.findChild<QPlainTextEdit*>(QStringLiteral("txtWorking"));
        QVERIFY(!panel->isVisible()); // nothing shows until asked for
        const QSize before = window.size();
        window.findChild<QComboBox*>()->setCurrentIndex(1);
        QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(panel->isVisible());
        QVERIFY(window.height() > before.height()); // the window makes room for it

        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("1"));
        QVERIFY(panel->toPlainText().startsWith(
            QStringLiteral("Calculator 1: A utilization of 1 MSUs requires an entitlement of 1 WXs."
                           "\nBase (1 - 3): 1 x 1 = 1 WX, total 1 WX")));
        QTest::keyClicks(field(window, "txtMSUtoWX_MSU"), QStringLiteral("2"));
        QVERIFY(panel->toPlainText().contains(
            QStringLiteral("Tier B (10 - +): 3 x 0.25 = 0.75 WX, total 6.75 WX\n"
                           "Required: 6.75 WX, rounded up to 7 WX")));
        // Another calculator, by Tab and by Shift+Tab: the panel follows it.
        QTest::keyClick(field(window, "txtMSUtoWX_MSU"), Qt::Key_Tab);
        QVERIFY(panel->toPlainText().startsWith(QStringLiteral("Calculator 2:")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(panel->toPlainText().startsWith(QStringLiteral("Calculator 1:")));
        QLineEdit* added = field(window, "txtMSUInputToWXandMSU");
        type(field(window, "txtWXInputToWXandMSU"), QStringLiteral("4"));
        type(added, QStringLiteral("7"));
        QVERIFY(panel->toPlainText().contains(QStringLiteral("Additional: 7 - 4 = 3 WX")));
        // An input the calculator refuses leaves no working to show.
        {
            const Capture capture;
            type(added, QStringLiteral("x"));
        }
        QVERIFY(panel->toPlainText().contains(QStringLiteral("No working")));
        // Its text can be read, selected and reached by keys.
        QVERIFY(panel->focusPolicy() & Qt::TabFocus);
        QVERIFY(panel->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!panel->isVisible());
    }

    void ctrlShiftCCopiesTheEstimateOfTheCalculatorInUse() {
        wexel::testing::TempFolder data;
        data.writeData("A1,WXE007,MSU\n", "A1,1,3,,1\nA1,4,9,,0.5\nA1,10,99,,0.25\n");
        LoadDataFiles(data.path());
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUandMSUtoWX_MSUInput2"), QStringLiteral("5"));
        type(field(window, "txtMSUandMSUtoWX_MSUInput1"), QStringLiteral("7"));
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        // Ready for a customer: when it was made, the table traced by its date
        // and the start of its SHA-256, and the disclaimer of the About box.
        static const QRegularExpression quote(
            QStringLiteral("^Wexel Converter estimate\nDate: "
                           "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d\n"
                           "Conversion: WXE007 \\(MSU\\)\nAdding 7 MSUs to an existing 5 MSU "
                           "utilization requires 3 additional WXs and is sufficient for a total "
                           "utilization of 13 MSUs.\nTier table: vqcslope.dat of "
                           "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d, SHA-256 [0-9a-f]{12}\n") +
            QRegularExpression::escape(QString::fromLatin1(kDisclaimer)) + QStringLiteral("\n$"));
        QVERIFY2(quote.match(copied).hasMatch(), qPrintable(copied));
        QCOMPARE(status(window), QStringLiteral("Copied calculator 4's estimate."));
        // With the working shown, the working comes along; the context menu
        // of a result offers the same.
        QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QMenu* menu =
            openMenu(window.findChild<QLabel*>(QStringLiteral("lblMSUandMSUtoWX_WXOutput")));
        QVERIFY(menu != nullptr);
        QStringList entries;
        for (QAction* action : menu->actions()) {
            entries << action->text();
        }
        QCOMPARE(entries,
                 (QStringList{"&Copy", "", "Show &Working", "Compare C&onversions", "Tier C&hart",
                              "Copy &Estimate", "Save Estimate as &PDF...", "Pr&int Estimate..."}));
        choose(menu, QStringLiteral("Copy &Estimate"));
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\nWorking:\nThe existing 5:\n")));
    }

    void theEstimateCopiedIsOfTheCalculatorRightClickedOrFocused() {
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("1500"));
        type(field(window, "txtWXtoMSU_WX"), QStringLiteral("275"));
        auto* result2 = window.findChild<QLabel*>(QStringLiteral("lblWXtoMSU_MSU"));
        const QString calculator2 = QStringLiteral("\nAn entitlement of 275 WXs is sufficient");
        const QString calculator3 = QStringLiteral("\nAdding 0 WXs to 0 existing MSUs");
        // From a result's menu, and from the menu of a sentence's words.
        QTest::mouseClick(field(window, "txtMSUtoWX_MSU"), Qt::LeftButton);
        choose(openMenu(result2), QStringLiteral("Copy &Estimate"));
        QVERIFY(QGuiApplication::clipboard()->text().contains(calculator2));
        QCOMPARE(status(window), QStringLiteral("Copied calculator 2's estimate."));
        // A sentence's words have the calculator's menu, which runs its own loop.
        QTimer::singleShot(0, [] {
            choose(qobject_cast<QMenu*>(QApplication::activePopupWidget()),
                   QStringLiteral("Copy &Estimate"));
        });
        openMenu(window.findChild<QWidget*>(QStringLiteral("Frame3"))->findChild<QLabel*>());
        window.activateWindow(); // the offscreen platform leaves it inactive after a menu's loop
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(QGuiApplication::clipboard()->text().contains(calculator3));
        // By keys, after a click into a result.
        QTest::mouseClick(field(window, "txtMSUInputToWXandMSU"), Qt::LeftButton);
        QTest::mouseClick(result2, Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains(calculator2));
    }

    void anEstimateWithErrOrNoConversionIsNotCopiedAndSaysWhy() {
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const struct {
            int conversion;
            const char* capacity;
            const char* status;
        } cases[] = {
            {0, "0", "Calculator 1's estimate was not copied: no conversion is chosen."},
            {1, "abc",
             "Calculator 1's estimate was not copied: a field holds no number the calculator "
             "takes."},
        };
        for (const auto& c : cases) {
            window.findChild<QComboBox*>()->setCurrentIndex(c.conversion);
            if (c.conversion != 0) {
                const Capture capture;
                type(field(window, "txtMSUtoWX_MSU"), QString::fromLatin1(c.capacity));
            }
            QGuiApplication::clipboard()->setText(QStringLiteral("before"));
            QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("lblMSUtoWX_WX")),
                              Qt::LeftButton);
            QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
            QCOMPARE(status(window), QString::fromLatin1(c.status));
        }
    }

    void aScreenReaderFindsEveryControlByItsWords() {
        const ScopedTable table({{"WXE007", kExample}, {"Engine", {{1, 0.5}}, "ENG"}});
        frmQConverter window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* box = window.findChild<QComboBox*>();
        box->setCurrentIndex(2); // an ENG conversion: the names follow the unit
        // The drop-down is named by its label.
        const auto labels =
            QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("Conversion Type:"));
        for (std::size_t c = 0; c < sentences().size(); ++c) {
            const QString sentence = QString::fromStdString(sentenceText(int(c) + 1, "ENG"));
            for (const SentencePiece& piece : sentences()[c]) {
                if (piece.kind == PieceKind::Caption) {
                    continue;
                }
                QWidget* widget =
                    window.findChild<QWidget*>(QString::fromStdString(withUnit(piece.text, "ENG")));
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
                QCOMPARE(a->text(QAccessible::Name),
                         QString::fromStdString(withUnit(piece.accessibleName, "ENG")));
                QCOMPARE(a->text(QAccessible::Description), sentence);
            }
        }
        // The tier list reads row by row.
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(window.findChild<QTreeWidget*>());
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Tiers"));
        QCOMPARE(list->tableInterface()->cellAt(0, 0)->text(QAccessible::Name),
                 QStringLiteral("Base: from 1 up, 0.5 Wexels each"));
        box->setCurrentIndex(1);
        QCOMPARE(list->tableInterface()->cellAt(0, 0)->text(QAccessible::Name),
                 QStringLiteral("Base: from 1 to 3, 1 Wexel each"));
        QStringList columns;
        for (int c = 0; c < list->tableInterface()->columnCount(); ++c) {
            columns << list->tableInterface()->columnDescription(c);
        }
        QCOMPARE(columns,
                 (QStringList{"Tier", "MSUs, lowest", "MSUs", "MSUs, highest", "Wexels/MSU"}));
    }

    void theMenuKeysOpenTheMenuOfAFieldOrAResult() {
        const ScopedTable table({{"WXE007", kExample}});
        frmQConverter window;
        QVERIFY(showWithConversion(window));
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Menu, Qt::NoModifier},
                                                                  {Qt::Key_F10, Qt::ShiftModifier}};
        for (const char* name : {"txtWXtoMSU_WX", "lblWXtoMSU_MSU"}) {
            for (const auto& [key, modifiers] : keys) {
                auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
                QTest::mouseClick(widget, Qt::LeftButton);
                QTest::keyClick(widget, key, modifiers);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY2(menu != nullptr, name);
                QCOMPARE(menu->actions().last()->text(), QStringLiteral("Pr&int Estimate..."));
                menu->close();
            }
        }
    }
};

QTEST_MAIN(EstimatesTest)
#include "EstimatesTest.moc"
