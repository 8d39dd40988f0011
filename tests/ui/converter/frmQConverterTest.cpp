// The converter window through real widgets, keys and clicks: selection and
// carry-over, live results, focus, selection and the tab order, messages and
// ERR, the tier list.
#include "ui/converter/frmQConverter.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "ui/converter/QtResultLabel.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

using namespace wexel;
using wexel::testing::kExample;
using wexel::testing::ScopedTable;

namespace {

ScopedTable tables() {
    return ScopedTable({{"WXE007", kExample},
                        {"Gadget", {{1, 2.0}}, "MSG"},
                        {"Engine", {{1, 0.5}}, "ENG"},
                        {"Odd", {{1, 1.0}}, "msu"},
                        {"Other", {{1, 1.0}, {10, 0.5}}}});
}

// Shows the window and waits until it has the keyboard.
void show(QWidget& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Chooses an entry of the conversion list from the keyboard, as a user does.
void choose(QWidget& window, const QString& name) {
    auto* box = window.findChild<QComboBox*>(QStringLiteral("cboConversionType"));
    box->setFocus();
    const int target = box->findText(name);
    while (box->currentIndex() != target) {
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
}

QLineEdit* field(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString label(const QWidget& window, const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Replaces a field's text by typing, after selecting it all.
void type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// The MSU frame's fields in reading order.
const char* const msu[] = {"txtMSUtoWX_MSU",
                           "txtWXtoMSU_WX",
                           "txtWXandMSUtoMSU_WXinput",
                           "txtWXandMSUtoMSU_MSUinput",
                           "txtMSUandMSUtoWX_MSUInput1",
                           "txtMSUandMSUtoWX_MSUInput2",
                           "txtMSUInputToWXandMSU",
                           "txtWXInputToWXandMSU"};

std::string messages(const Capture& capture) {
    std::string text;
    for (const Capture::Shown& s : capture.shown) {
        text += s.isError ? s.location : s.message;
    }
    return text;
}

} // namespace

class ConverterWindowTest : public QObject {
    Q_OBJECT

private slots:
    void atStartThePromptShowsTheDefaultUnitFrameLocked() {
        const ScopedTable table = tables();
        const Capture capture;
        frmQConverter window;
        window.show();
        auto* box = window.findChild<QComboBox*>(QStringLiteral("cboConversionType"));
        QCOMPARE(box->currentText(), QStringLiteral("Select a conversion type..."));
        QCOMPARE(box->count(), 6);
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("fraMSU"))->isVisible());
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("FraMSG"))->isVisible());
        QVERIFY(!field(window, "txtMSUtoWX_MSU")->isEnabled());
        QCOMPARE(window.findChild<QTreeWidget*>()->topLevelItemCount(), 0);
        QCOMPARE(
            label(window, "lblDirections"),
            QStringLiteral("NOTE:   When converting MSUs to Wexels, fractional results are "
                           "rounded up.  When converting Wexels to MSUs, fractional results "
                           "are rounded down.  Due to these rounding effects, multiple "
                           "numbers of MSUs could be converted to the same number of Wexels."));
        QCOMPARE(messages(capture), "");
        choose(window, QStringLiteral("WXE007"));
        QVERIFY(field(window, "txtMSUtoWX_MSU")->isEnabled());
        // Results in bold; the lowest capacity of a tier right-aligned, the rest left.
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            QCOMPARE(label->font().bold(), qobject_cast<const QtResultLabel*>(label) != nullptr ||
                                               label->objectName() == "lblDirections");
        }
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblDirections"))
                     ->palette()
                     .color(QPalette::WindowText),
                 QColor(64, 64, 0)); // the design's olive
        const QTreeWidgetItem* base = window.findChild<QTreeWidget*>()->topLevelItem(0);
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(Qt::Alignment(base->textAlignment(column)) & Qt::AlignHorizontal_Mask,
                     column == 1 ? Qt::AlignRight : Qt::Alignment());
        }
    }

    void theHelpMenuIsAsDesigned() {
        const ScopedTable table = tables();
        frmQConverter window;
        auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QCOMPARE(menu->title(), QStringLiteral("  &Help"));
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            entries << (action->isSeparator()
                            ? QStringLiteral("-")
                            : action->text() + QLatin1Char(' ') + action->shortcut().toString());
        }
        QCOMPARE(
            entries,
            (QStringList{"&How Do I? Ctrl+F1", "&Window Help F1", "&Contents and Index Shift+F1",
                         "-", "Con&tact Information Ctrl+T", "&About Wexel Converter Ctrl+A"}));
    }

    void resultsFollowEveryKeystroke() {
        const ScopedTable table = tables();
        frmQConverter window;
        show(window);
        choose(window, QStringLiteral("WXE007"));
        QLineEdit* capacity = field(window, "txtMSUtoWX_MSU");
        type(capacity, QString());
        QCOMPARE(capacity->text(), QStringLiteral("0")); // an emptied field holds 0, selected
        QCOMPARE(capacity->selectedText(), QStringLiteral("0"));
        QStringList seen;
        for (const char* key : {"1", "2"}) {
            QTest::keyClicks(capacity, QString::fromLatin1(key));
            seen << label(window, "lblMSUtoWX_WX");
        }
        QCOMPARE(seen, (QStringList{"1", "7"}));
        QTest::keyClicks(capacity, QStringLiteral("345678"));
        QCOMPARE(capacity->text(), QStringLiteral("12345678"));
        // The working shows when the result is hovered.
        auto* result = window.findChild<QLabel*>(QStringLiteral("lblMSUtoWX_WX"));
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), result->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(result, &hover);
        QVERIFY2(QToolTip::text().contains(QStringLiteral("rounded up to 3086424 WX")),
                 qPrintable(QToolTip::text()));
        type(field(window, "txtWXtoMSU_WX"), QStringLiteral("7"));
        QCOMPARE(label(window, "lblWXtoMSU_MSU"), QStringLiteral("13"));
    }

    // Typed, or pasted over the whole text: the field keeps what it held
    // and says why, rather than keep a number cut short.
    void aNumberTooLongForItsFieldIsRefusedWholeWithItsMessage() {
        const ScopedTable table = tables();
        frmQConverter window;
        show(window);
        choose(window, QStringLiteral("WXE007"));
        const struct {
            const char* field;
            const char* result;
            const char* before;
            const char* typed; // empty: pasted
            const char* pasted;
            const char* message;
        } cases[] = {
            {"txtMSUtoWX_MSU", "lblMSUtoWX_WX", "12345678", "9", "", "at most 8 characters."},
            {"txtWXtoMSU_WX", "lblWXtoMSU_MSU", "712345", "6", "", "at most 6 characters."},
            {"txtMSUtoWX_MSU", "lblMSUtoWX_WX", "1500", "", "100000000", "at most 8 characters."},
            {"txtWXtoMSU_WX", "lblWXtoMSU_MSU", "275", "", "1234567", "at most 6 characters."},
        };
        for (const auto& c : cases) {
            QLineEdit* edit = field(window, c.field);
            type(edit, QString::fromLatin1(c.before));
            const QString result = label(window, c.result);
            const Capture capture;
            if (*c.typed != '\0') {
                QTest::keyClicks(edit, QString::fromLatin1(c.typed));
            } else {
                QGuiApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            }
            QCOMPARE(edit->text(), QString::fromLatin1(c.before));
            QCOMPARE(label(window, c.result), result);
            QCOMPARE(messages(capture),
                     "Input is too long: the field takes " + std::string(c.message));
        }
    }

    void choosingAConversionCarriesEveryNumberOverAndRecomputes() {
        const ScopedTable table = tables();
        frmQConverter window;
        window.show();
        choose(window, QStringLiteral("WXE007"));
        const char* msg[] = {"txtMSGtoWX_MSG",
                             "txtWXtoMSG_WX",
                             "txtWXandMSGtoMSG_WXinput",
                             "txtWXandMSGtoMSG_MSGinput",
                             "txtMSGandMSGtoWX_MSGInput1",
                             "txtMSGandMSGtoWX_MSGInput2",
                             "txtMSGInputToWXandMSG",
                             "txtWXInputToWXandMSG"};
        for (int k = 0; k < 8; ++k) {
            type(field(window, msu[k]), QString::number(11 + k));
        }
        {
            // Invalid numbers become 0 silently, also where a calculator has two of them.
            const Capture typing;
            for (const int k : {1, 4, 5}) {
                type(field(window, msu[k]), QStringLiteral("1x"));
            }
        }
        const Capture capture;
        auto* msuFrame = window.findChild<QWidget*>(QStringLiteral("fraMSU"));
        const QPoint msuPlace = msuFrame->mapTo(&window, QPoint());
        const QSize windowSize = window.size();
        choose(window, QStringLiteral("Gadget"));
        auto* msgFrame = window.findChild<QWidget*>(QStringLiteral("FraMSG"));
        QVERIFY(msgFrame->isVisible());
        QVERIFY(!msuFrame->isVisible());
        QCOMPARE(msgFrame->mapTo(&window, QPoint()), msuPlace); // in the place of the one hidden
        QCOMPARE(window.size(), windowSize);                    // a unit shown first moves nothing
        for (int k = 0; k < 8; ++k) {
            QCOMPARE(field(window, msg[k])->text(),
                     k == 1 || k == 4 || k == 5 ? QStringLiteral("0") : QString::number(11 + k));
        }
        QCOMPARE(label(window, "lblMSGtoWX_WX"), QStringLiteral("22")); // 11 MSG at 2 WX each
        QCOMPARE(label(window, "lblMSGWXToMSGs"),
                 QStringLiteral("26")); // calculator 5: 17 + 18 / 2
        QCOMPARE(messages(capture), "");
        QVERIFY(label(window, "lblDirections").contains(QStringLiteral("MSGs")));
        choose(window, QStringLiteral("Engine"));
        QCOMPARE(window.size(), windowSize);
        QCOMPARE(field(window, "txtWXInputToWXandENG")->text(), QStringLiteral("18"));
        // Tab goes from the list to the frame's first field, and from its last to Close.
        QTest::keyClick(window.findChild<QComboBox*>(), Qt::Key_Tab);
        QCOMPARE(window.focusWidget(), field(window, "txtENGtoWX_ENG"));
        field(window, "txtWXInputToWXandENG")->setFocus();
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("cmdClose"));
        QCOMPARE(label(window, "lblDirections"),
                 QStringLiteral("NOTE:  When converting Wexels to ENGs, fractional results are "
                                "rounded down.  Due to this rounding effect, multiple numbers of "
                                "Wexels could be converted to the same number of ENGs."));
        choose(window, QStringLiteral("Odd")); // no frame of its own: the ENG frame stays
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("fraENG"))->isVisible());
        QCOMPARE(window.findChild<QTreeWidget*>()->topLevelItemCount(), 1);
        // A letter typed in the list chooses the entry it begins; nothing is typed into it.
        QTest::keyClicks(window.findChild<QComboBox*>(), QStringLiteral("G"));
        QVERIFY(msgFrame->isVisible());
    }

    void aBadInputShowsItsMessageAndErrAndKeepsTheText() {
        const ScopedTable table = tables();
        const Capture capture;
        frmQConverter window;
        show(window);
        choose(window, QStringLiteral("WXE007"));
        type(field(window, "txtMSUtoWX_MSU"), QStringLiteral("-"));
        QCOMPARE(label(window, "lblMSUtoWX_WX"), QStringLiteral("ERR"));
        QCOMPARE(field(window, "txtMSUtoWX_MSU")->selectedText(), QStringLiteral("-"));
        type(field(window, "txtMSUandMSUtoWX_MSUInput1"), QStringLiteral("-")); // counts as 0 here
        QCOMPARE(label(window, "lblMSUandMSUtoWX_WXOutput"), QStringLiteral("0"));
        QCOMPARE(messages(capture), "Input must be numeric.");

        // Both fields bad: the field edited is checked first in calculator 3,
        // the added capacity always first in calculators 4 and 5.
        const std::tuple<const char*, const char*, const char*> pairs[] = {
            {"txtWXandMSUtoMSU_WXinput", "txtWXandMSUtoMSU_MSUinput", "txtWXandMSUtoMSU_MSUinput"},
            {"txtWXandMSUtoMSU_MSUinput", "txtWXandMSUtoMSU_WXinput", "txtWXandMSUtoMSU_WXinput"},
            {"txtMSUandMSUtoWX_MSUInput1", "txtMSUandMSUtoWX_MSUInput2",
             "txtMSUandMSUtoWX_MSUInput1"},
            {"txtMSUInputToWXandMSU", "txtWXInputToWXandMSU", "txtMSUInputToWXandMSU"}};
        for (const auto& [first, second, focused] : pairs) {
            type(field(window, first), QStringLiteral("a"));
            type(field(window, second), QStringLiteral("b"));
            QCOMPARE(QApplication::focusWidget(), field(window, focused));
            QCOMPARE(field(window, focused)->selectedText(), field(window, focused)->text());
            type(field(window, first), QStringLiteral("0"));
            type(field(window, second), QStringLiteral("0"));
        }
    }

    void tabAndClickSelectTheWholeText() {
        const ScopedTable table = tables();
        frmQConverter window;
        show(window);
        choose(window, QStringLiteral("WXE007"));
        QLineEdit* first = field(window, "txtMSUtoWX_MSU");
        QLineEdit* second = field(window, "txtWXtoMSU_WX");
        type(second, QStringLiteral("345"));
        type(first, QStringLiteral("12"));
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), second);
        QCOMPARE(second->selectedText(), QStringLiteral("345"));
        QTest::keyClicks(second, QStringLiteral("7")); // replaces, does not append
        QCOMPARE(second->text(), QStringLiteral("7"));
        // Shift+Tab back selects the whole text too, and its calculator is
        // the one in use again (the one whose estimate is copied).
        QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), first);
        QCOMPARE(first->selectedText(), QStringLiteral("12"));
        // A menu opened and closed leaves the selection as it was.
        first->setSelection(0, 1);
        QTest::keyClick(first, Qt::Key_F10, Qt::ShiftModifier);
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QTest::keyClick(menu, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), first);
        QCOMPARE(first->selectedText(), QStringLiteral("1"));
        QTest::keyClick(first, Qt::Key_Tab);
        QTest::mouseClick(first, Qt::LeftButton, {},
                          QPoint(first->width() / 2, first->height() / 2));
        QCOMPARE(first->selectedText(), QStringLiteral("12"));
        // Tab stops at the fields in reading order, then Close and the tier
        // list, and back to the drop-down; never at a result.
        QStringList stops;
        for (int k = 0; k < 11; ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        QStringList expected(std::begin(msu) + 1, std::end(msu));
        expected << "cmdClose"
                 << "lstSlope"
                 << "cboConversionType" << msu[0];
        QCOMPARE(stops, expected);
    }

    void aMissingDefaultConversionIsReportedAndRepaired() {
        const ScopedTable table({{"Other", kExample}});
        const Capture capture;
        frmQConverter window;
        window.show();
        QCOMPARE(messages(capture), "frmQconverter.cboConversionType_Click");
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("fraMSU"))->isVisible());
        choose(window, QStringLiteral("Other"));
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("fraMSU"))->isVisible());
    }
};

QTEST_MAIN(ConverterWindowTest)
#include "frmQConverterTest.moc"
