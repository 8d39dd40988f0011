#include "ui/converter/frmQConverter.h"

#include "support/TestSupport.h"
#include "tiers/DataFiles.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using wexel::frmQConverter;
using wexel::testing::RecordingErrorReporter;
using wexel::testing::RecordingMessageBox;
using wexel::testing::TempFolder;

namespace {

// Three conversions on the same made-up tiers (1 / 4 / 10 at 1.0 / 0.5 /
// 0.25), one per unit, plus a one-tier conversion and one of an odd unit.
const char* kNames = "\"A1\",\"WXE007\",\"MSU\"\n"
                     "\"B2\",\"Three MSG\",\"MSG\"\n"
                     "\"C3\",\"Three ENG\",\"ENG\"\n"
                     "\"D4\",\"One MSU\",\"MSU\"\n"
                     "\"E5\",\"Odd unit\",\"msu\"\n";
const char* kSlopes = "\"A1\",\"1\",\"3\",\"\",\"1.0\"\n"
                      "\"A1\",\"4\",\"9\",\"\",\"0.5\"\n"
                      "\"A1\",\"10\",\"999999\",\"\",\"0.25\"\n"
                      "\"B2\",\"1\",\"3\",\"\",\"1.0\"\n"
                      "\"B2\",\"4\",\"9\",\"\",\"0.5\"\n"
                      "\"B2\",\"10\",\"999999\",\"\",\"0.25\"\n"
                      "\"C3\",\"1\",\"3\",\"\",\"1.0\"\n"
                      "\"C3\",\"4\",\"9\",\"\",\"0.5\"\n"
                      "\"C3\",\"10\",\"999999\",\"\",\"0.25\"\n"
                      "\"D4\",\"1\",\"999999\",\"\",\"0.07\"\n"
                      "\"E5\",\"1\",\"999999\",\"\",\"2.5\"\n";

const char* kMsuNote =
    "NOTE:   When converting MSUs to Wexels, fractional results are rounded up.  "
    "When converting Wexels to MSUs, fractional results are rounded down.  "
    "Due to these rounding effects, multiple numbers of MSUs could be "
    "converted to the same number of Wexels.";
const char* kEngNote = "NOTE:  When converting Wexels to ENGs, fractional results are rounded "
                       "down.  Due to this rounding effect, multiple numbers of Wexels could be "
                       "converted to the same number of ENGs.";

void loadTables(const char* names, const char* slopes) {
    TempFolder folder;
    folder.write("vqcsname.dat", names);
    folder.write("vqcslope.dat", slopes);
    wexel::LoadDataFiles(folder.path());
}

// "MSU" in a field or label name replaced by the unit.
QString named(const char* msuName, const QString& unit) {
    return QString::fromLatin1(msuName).replace(QStringLiteral("MSU"), unit);
}

const char* kFieldNames[8] = {"txtMSUtoWX_MSU",
                              "txtWXtoMSU_WX",
                              "txtWXandMSUtoMSU_WXinput",
                              "txtWXandMSUtoMSU_MSUinput",
                              "txtMSUandMSUtoWX_MSUInput1",
                              "txtMSUandMSUtoWX_MSUInput2",
                              "txtMSUInputToWXandMSU",
                              "txtWXInputToWXandMSU"};
const char* kLabelNames[7] = {"lblMSUtoWX_WX",
                              "lblWXtoMSU_MSU",
                              "lblWXandMSUtoMSU_MSUOutput",
                              "lblMSUandMSUtoWX_WXOutput",
                              "lblMSUandMSUtoWX_MSUOutput",
                              "lblMSUWXToAdditionalWXs",
                              "lblMSUWXToMSUs"};

} // namespace

class frmQConverterTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void controlsNamesCaptionsFonts();
    void menuEntriesRunCommands();
    void workedExamples_data();
    void workedExamples();
    void resultFollowsEachDigit();
    void carryOverToAnotherUnit();
    void sameUnitRecomputesWithNewTiers();
    void dashInCalculatorOne();
    void dashCountsAsZeroWhenAdded();
    void bothInvalidFocus();
    void deletedTextBecomesSelectedZero();
    void invalidTextNormalisedSilentlyOnSelection();
    void tierListRows();
    void oddUnitCode();
    void defaultConversionMissing();
    void ninthCharacterRefused();
    void selectAllOnTabAndClick();
    void keyboardOnlyUse();
    void layoutFits();
    void closeUnloads();
    void workingTooltip();

private:
    QLineEdit* field(const char* msuName, const QString& unit = QStringLiteral("MSU"));
    QLabel* label(const char* msuName, const QString& unit = QStringLiteral("MSU"));
    void choose(const QString& conversion);
    void type(QLineEdit* edit, const QString& text);

    std::unique_ptr<RecordingMessageBox> box_;
    std::unique_ptr<RecordingErrorReporter> errors_;
    std::unique_ptr<frmQConverter> window_;
};

void frmQConverterTest::init() {
    box_ = std::make_unique<RecordingMessageBox>();
    errors_ = std::make_unique<RecordingErrorReporter>();
    loadTables(kNames, kSlopes);
    window_ = std::make_unique<frmQConverter>();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void frmQConverterTest::cleanup() {
    window_.reset();
    errors_.reset();
    box_.reset();
}

QLineEdit* frmQConverterTest::field(const char* msuName, const QString& unit) {
    auto* edit = window_->findChild<QLineEdit*>(named(msuName, unit));
    if (edit == nullptr) {
        qFatal("no field %s", qPrintable(named(msuName, unit)));
    }
    return edit;
}

QLabel* frmQConverterTest::label(const char* msuName, const QString& unit) {
    auto* lbl = window_->findChild<QLabel*>(named(msuName, unit));
    if (lbl == nullptr) {
        qFatal("no label %s", qPrintable(named(msuName, unit)));
    }
    return lbl;
}

void frmQConverterTest::choose(const QString& conversion) {
    auto* cbo = window_->findChild<QComboBox*>(QStringLiteral("cboConversionType"));
    const int index = cbo->findText(conversion);
    QVERIFY(index >= 0);
    cbo->setCurrentIndex(index);
}

// Replaces the field's text by typing, one key at a time.
void frmQConverterTest::type(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(edit, text);
    }
}

void frmQConverterTest::startState() {
    auto* cbo = window_->findChild<QComboBox*>(QStringLiteral("cboConversionType"));
    QVERIFY(cbo != nullptr);
    QVERIFY(!cbo->isEditable());
    QCOMPARE(cbo->currentIndex(), 0);
    QCOMPARE(cbo->itemText(0), QStringLiteral("Select a conversion type..."));
    QCOMPARE(cbo->count(), 6);
    QCOMPARE(cbo->itemText(1), QStringLiteral("WXE007"));
    QCOMPARE(cbo->itemText(5), QStringLiteral("Odd unit"));

    auto* msu = window_->findChild<QFrame*>(QStringLiteral("fraMSU"));
    auto* msg = window_->findChild<QFrame*>(QStringLiteral("FraMSG"));
    auto* eng = window_->findChild<QFrame*>(QStringLiteral("fraENG"));
    QVERIFY(msu && msg && eng);
    QVERIFY(msu->isVisible());
    QVERIFY(!msg->isVisible());
    QVERIFY(!eng->isVisible());
    QCOMPARE(msu->pos(), QPoint(0, 40));
    QCOMPARE(window_->unitFramePosition(), QPoint(0, 40));
    QVERIFY(window_->calcEnabled());
    QCOMPARE(window_->lastUnitsShown(), std::string("MSU"));

    for (const char* name : kFieldNames) {
        QVERIFY2(!field(name)->isEnabled(), name);
        QVERIFY(field(name, "MSG")->isEnabled());
        QVERIFY(field(name, "ENG")->isEnabled());
        QCOMPARE(field(name)->text(), QStringLiteral("0"));
    }
    for (const char* name : kLabelNames) {
        QCOMPARE(label(name)->text(), QStringLiteral("0"));
    }
    auto* list = window_->findChild<QTreeWidget*>(QStringLiteral("lstSlope"));
    QVERIFY(list != nullptr);
    QCOMPARE(list->topLevelItemCount(), 0);
    QCOMPARE(list->columnCount(), 5);
    QVERIFY(list->isHeaderHidden());
    QVERIFY(!list->isSortingEnabled());
    auto* directions = window_->findChild<QLabel*>(QStringLiteral("lblDirections"));
    QCOMPARE(directions->text(), QString::fromLatin1(kMsuNote));
    QVERIFY(box_->shown.empty());
    QVERIFY(errors_->reports.empty());
}

void frmQConverterTest::controlsNamesCaptionsFonts() {
    QCOMPARE(window_->objectName(), QStringLiteral("frmQConverter"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Wexel Converter"));
    QCOMPARE(window_->findChildren<wexel::QtTextField*>().size(), 24);
    QCOMPARE(window_->findChildren<wexel::QtResultLabel*>().size(), 21);

    const char* frames[3][6] = {
        {"fraMSU", "Frame1", "Frame2", "Frame3", "Frame4", "Frame5"},
        {"FraMSG", "Frame11", "Frame10", "Frame9", "Frame8", "Frame7"},
        {"fraENG", "Frame12", "Frame13", "Frame14", "Frame15", "Frame16"},
    };
    const QString units[3] = {"MSU", "MSG", "ENG"};
    for (int u = 0; u < 3; ++u) {
        auto* unitFrame = window_->findChild<QFrame*>(QString::fromLatin1(frames[u][0]));
        QVERIFY(unitFrame != nullptr);
        for (int c = 1; c <= 5; ++c) {
            auto* calc = unitFrame->findChild<QFrame*>(QString::fromLatin1(frames[u][c]));
            QVERIFY2(calc != nullptr, frames[u][c]);
            QCOMPARE(calc->parentWidget(), unitFrame);
        }
        for (int k = 0; k < 8; ++k) {
            QLineEdit* f = field(kFieldNames[k], units[u]);
            QVERIFY(unitFrame->isAncestorOf(f));
            const bool wexel = k == 1 || k == 2 || k == 7;
            QCOMPARE(f->maxLength(), wexel ? 6 : 8);
            QCOMPARE(f->font().pointSizeF(), 9.75);
            QVERIFY(!f->font().bold());
        }
        for (const char* name : kLabelNames) {
            QLabel* l = label(name, units[u]);
            QVERIFY(unitFrame->isAncestorOf(l));
            QCOMPARE(l->font().pointSizeF(), 9.75);
            QVERIFY(l->font().bold());
            QVERIFY(l->textInteractionFlags() & Qt::TextSelectableByMouse);
            QVERIFY(l->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        }
        // The fixed captions, trailing spaces included.
        QStringList captions;
        for (QLabel* l : unitFrame->findChildren<QLabel*>()) {
            if (qobject_cast<wexel::QtResultLabel*>(l) == nullptr) {
                captions << l->text();
                QCOMPARE(l->font().pointSizeF(), 8.25);
            }
        }
        const QString U = units[u];
        for (const QString& expected :
             {QStringLiteral("A utilization of"), U + "s requires an entitlement of ",
              QStringLiteral("WXs."), QStringLiteral("An entitlement of "),
              QStringLiteral("WXs is sufficient for a utilization of "), U + "s.",
              QStringLiteral("Adding"), QStringLiteral("WXs to"),
              "existing " + U + "s is sufficient for a total utilization of",
              U + "s to an existing ", U + " utilization requires",
              QStringLiteral("additional WXs"),
              QStringLiteral("and is sufficient for a total utilization of"),
              U + "s to an existing", QStringLiteral("WX entitlement requires"), U + "s",
              "Wexels/" + U}) {
            QVERIFY2(captions.contains(expected), qPrintable(expected));
        }
        QCOMPARE(captions.size(), 3 + 3 + 4 + 6 + 6 + 2);
    }
    auto* typeLabel = window_->findChild<QLabel*>(QStringLiteral("lblConversionType"));
    QCOMPARE(typeLabel->text(), QStringLiteral("Conversion Type:"));
    QCOMPARE(typeLabel->font().pointSizeF(), 9.75);
    auto* directions = window_->findChild<QLabel*>(QStringLiteral("lblDirections"));
    QVERIFY(directions->wordWrap());
    QVERIFY(directions->font().bold());
    QCOMPARE(directions->font().pointSizeF(), 8.25);
    QCOMPARE(directions->palette().color(QPalette::WindowText), QColor(64, 64, 0));
    auto* close = window_->findChild<QPushButton*>(QStringLiteral("cmdClose"));
    QCOMPARE(close->text(), QStringLiteral("Close"));
}

void frmQConverterTest::menuEntriesRunCommands() {
    window_.reset();
    QStringList ran;
    wexel::ConverterCommands commands;
    commands.howDoI = [&] { ran << "howDoI"; };
    commands.windowHelp = [&] { ran << "windowHelp"; };
    commands.contentsAndIndex = [&] { ran << "index"; };
    commands.contact = [&] { ran << "contact"; };
    commands.about = [&] { ran << "about"; };
    window_ = std::make_unique<frmQConverter>(commands);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));

    auto* menu = window_->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QStringLiteral("  &Help"));
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 6);
    const QStringList names{"mnuHowDoI", "mnuWindowHelp", "mnuIndex",
                            "mnuLine",   "mnuContact",    "mnuAbout"};
    const QStringList captions{"&How Do I?", "&Window Help",         "&Contents and Index",
                               "",           "Con&tact Information", "&About Wexel Converter"};
    const QList<QKeySequence> keys{
        QKeySequence(Qt::CTRL | Qt::Key_F1),  QKeySequence(Qt::Key_F1),
        QKeySequence(Qt::SHIFT | Qt::Key_F1), QKeySequence(),
        QKeySequence(Qt::CTRL | Qt::Key_T),   QKeySequence(Qt::CTRL | Qt::Key_A)};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(actions[i]->objectName(), names[i]);
        QCOMPARE(actions[i]->isSeparator(), i == 3);
        if (i != 3) {
            QCOMPARE(actions[i]->text(), captions[i]);
            QCOMPARE(actions[i]->shortcut(), keys[i]);
        }
    }
    // The shortcuts work from inside a field too; Ctrl+A goes to the menu.
    QLineEdit* f = field("txtMSUtoWX_MSU", "MSG");
    f->setFocus();
    QTest::keyClick(f, Qt::Key_F1, Qt::ControlModifier);
    QTest::keyClick(f, Qt::Key_F1);
    QTest::keyClick(f, Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(f, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(ran, (QStringList{"howDoI", "windowHelp", "index", "contact", "about"}));
}

void frmQConverterTest::workedExamples_data() {
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<QString>("unit");
    QTest::newRow("MSU") << "WXE007"
                         << "MSU";
    QTest::newRow("MSG") << "Three MSG"
                         << "MSG";
    QTest::newRow("ENG") << "Three ENG"
                         << "ENG";
}

void frmQConverterTest::workedExamples() {
    QFETCH(QString, conversion);
    QFETCH(QString, unit);
    choose(conversion);
    QVERIFY(window_->findChild<QFrame*>(unit == "MSG" ? "FraMSG" : "fra" + unit)->isVisible());

    type(field("txtMSUtoWX_MSU", unit), "12");
    QCOMPARE(label("lblMSUtoWX_WX", unit)->text(), QStringLiteral("7"));
    type(field("txtWXtoMSU_WX", unit), "7");
    QCOMPARE(label("lblWXtoMSU_MSU", unit)->text(), QStringLiteral("13"));
    type(field("txtWXandMSUtoMSU_WXinput", unit), "2");
    type(field("txtWXandMSUtoMSU_MSUinput", unit), "5");
    QCOMPARE(label("lblWXandMSUtoMSU_MSUOutput", unit)->text(), QStringLiteral("9"));

    struct Case {
        const char* added;
        const char* other;
        const char* wexels;
        const char* total;
    };
    for (const Case& c : {Case{"7", "5", "3", "13"}, Case{"-7", "12", "-3", "5"}}) {
        type(field("txtMSUandMSUtoWX_MSUInput1", unit), c.added);
        type(field("txtMSUandMSUtoWX_MSUInput2", unit), c.other);
        QCOMPARE(label("lblMSUandMSUtoWX_WXOutput", unit)->text(), QString(c.wexels));
        QCOMPARE(label("lblMSUandMSUtoWX_MSUOutput", unit)->text(), QString(c.total));
    }
    for (const Case& c :
         {Case{"7", "4", "3", "13"}, Case{"0", "4", "0", "5"}, Case{"-10", "4", "-4", "0"}}) {
        type(field("txtMSUInputToWXandMSU", unit), c.added);
        type(field("txtWXInputToWXandMSU", unit), c.other);
        QCOMPARE(label("lblMSUWXToAdditionalWXs", unit)->text(), QString(c.wexels));
        QCOMPARE(label("lblMSUWXToMSUs", unit)->text(), QString(c.total));
    }
    QVERIFY(box_->shown.empty());
}

void frmQConverterTest::resultFollowsEachDigit() {
    choose("WXE007");
    QLineEdit* f = field("txtMSUtoWX_MSU");
    type(f, "1");
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("1"));
    QTest::keyClick(f, Qt::Key_2);
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("7"));
    QTest::keyClick(f, Qt::Key_Backspace);
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("1"));
}

void frmQConverterTest::carryOverToAnotherUnit() {
    choose("WXE007");
    type(field("txtMSUtoWX_MSU"), "5");
    type(field("txtWXtoMSU_WX"), "7");
    choose("Three MSG");
    QCOMPARE(field("txtMSGtoWX_MSG", "MSG")->text(), QStringLiteral("5"));
    QCOMPARE(label("lblMSGtoWX_WX", "MSG")->text(), QStringLiteral("4"));
    QCOMPARE(field("txtWXtoMSG_WX", "MSG")->text(), QStringLiteral("7"));
    QCOMPARE(label("lblWXtoMSG_MSG", "MSG")->text(), QStringLiteral("13"));
    QCOMPARE(window_->lastUnitsShown(), std::string("MSG"));
    QVERIFY(!window_->findChild<QFrame*>("fraMSU")->isVisible());
    QCOMPARE(window_->findChild<QFrame*>("FraMSG")->pos(), QPoint(0, 40));
    const QSize size = window_->size();
    choose("Three ENG");
    QCOMPARE(window_->size(), size);
    QCOMPARE(field("txtENGtoWX_ENG", "ENG")->text(), QStringLiteral("5"));
    QCOMPARE(window_->findChild<QLabel*>("lblDirections")->text(), QString::fromLatin1(kEngNote));
}

void frmQConverterTest::sameUnitRecomputesWithNewTiers() {
    choose("WXE007");
    type(field("txtMSUtoWX_MSU"), "100");
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("29"));
    choose("One MSU");
    QCOMPARE(field("txtMSUtoWX_MSU")->text(), QStringLiteral("100"));
    // 100 x 0.07 is 7.000000000000001: rounded up.
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("8"));
    // Back to the prompt: no tiers, every walk gives 0; the fields stay.
    window_->findChild<QComboBox*>("cboConversionType")->setCurrentIndex(0);
    QCOMPARE(field("txtMSUtoWX_MSU")->text(), QStringLiteral("100"));
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("0"));
    QVERIFY(!field("txtMSUtoWX_MSU")->isEnabled());
}

void frmQConverterTest::dashInCalculatorOne() {
    choose("WXE007");
    type(field("txtMSUtoWX_MSU"), "-");
    QCOMPARE(box_->shown.size(), std::size_t(1));
    QCOMPARE(box_->shown[0].prompt, std::string("Input must be numeric."));
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("ERR"));
    QCOMPARE(field("txtMSUtoWX_MSU")->text(), QStringLiteral("-"));
    QVERIFY(label("lblMSUtoWX_WX")->toolTip().isEmpty());
}

void frmQConverterTest::dashCountsAsZeroWhenAdded() {
    choose("WXE007");
    type(field("txtMSUandMSUtoWX_MSUInput2"), "5");
    type(field("txtMSUandMSUtoWX_MSUInput1"), "-");
    QVERIFY(box_->shown.empty());
    QCOMPARE(label("lblMSUandMSUtoWX_WXOutput")->text(), QStringLiteral("0"));
    QCOMPARE(label("lblMSUandMSUtoWX_MSUOutput")->text(), QStringLiteral("5"));
    type(field("txtWXInputToWXandMSU"), "4");
    type(field("txtMSUInputToWXandMSU"), "-");
    QVERIFY(box_->shown.empty());
    QCOMPARE(label("lblMSUWXToAdditionalWXs")->text(), QStringLiteral("0"));
    QCOMPARE(label("lblMSUWXToMSUs")->text(), QStringLiteral("5"));
}

void frmQConverterTest::bothInvalidFocus() {
    choose("WXE007");
    // Calculator 3: the edited field is checked first and keeps the focus.
    QLineEdit* wx = field("txtWXandMSUtoMSU_WXinput");
    QLineEdit* cap = field("txtWXandMSUtoMSU_MSUinput");
    type(wx, "x");
    type(cap, "y");
    QCOMPARE(label("lblWXandMSUtoMSU_MSUOutput")->text(), QStringLiteral("ERR"));
    QVERIFY(cap->hasFocus());
    box_->shown.clear();
    type(wx, "z");
    QVERIFY(wx->hasFocus());
    QCOMPARE(box_->shown.size(), std::size_t(1));

    // Calculator 4: the added field is checked first, whichever was edited.
    QLineEdit* added = field("txtMSUandMSUtoWX_MSUInput1");
    QLineEdit* existing = field("txtMSUandMSUtoWX_MSUInput2");
    type(added, "a");
    type(existing, "b");
    QVERIFY(added->hasFocus());
    QCOMPARE(added->selectedText(), QStringLiteral("a"));
    QCOMPARE(label("lblMSUandMSUtoWX_WXOutput")->text(), QStringLiteral("ERR"));
    QCOMPARE(label("lblMSUandMSUtoWX_MSUOutput")->text(), QStringLiteral("ERR"));

    // Calculator 5 likewise.
    QLineEdit* added5 = field("txtMSUInputToWXandMSU");
    QLineEdit* wexels5 = field("txtWXInputToWXandMSU");
    type(added5, "c");
    type(wexels5, "d");
    QVERIFY(added5->hasFocus());
    QCOMPARE(label("lblMSUWXToAdditionalWXs")->text(), QStringLiteral("ERR"));
    QCOMPARE(label("lblMSUWXToMSUs")->text(), QStringLiteral("ERR"));
}

void frmQConverterTest::deletedTextBecomesSelectedZero() {
    choose("WXE007");
    QLineEdit* f = field("txtMSUtoWX_MSU");
    type(f, "12");
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("7"));
    type(f, "");
    QCOMPARE(f->text(), QStringLiteral("0"));
    QCOMPARE(f->selectedText(), QStringLiteral("0"));
    QCOMPARE(label("lblMSUtoWX_WX")->text(), QStringLiteral("0"));
    QVERIFY(box_->shown.empty());
    // The next digit replaces the 0.
    QTest::keyClick(f, Qt::Key_4);
    QCOMPARE(f->text(), QStringLiteral("4"));
}

void frmQConverterTest::invalidTextNormalisedSilentlyOnSelection() {
    choose("WXE007");
    type(field("txtWXtoMSU_WX"), "abc");
    const std::size_t shown = box_->shown.size();
    QVERIFY(shown > 0);
    field("txtMSUtoWX_MSU", "ENG")->setText("");
    choose("Three MSG");
    QCOMPARE(box_->shown.size(), shown);
    QCOMPARE(field("txtWXtoMSU_WX")->text(), QStringLiteral("0"));
    QCOMPARE(field("txtWXtoMSG_WX", "MSG")->text(), QStringLiteral("0"));
    QCOMPARE(field("txtENGtoWX_ENG", "ENG")->text(), QStringLiteral("0"));
}

void frmQConverterTest::tierListRows() {
    auto* list = window_->findChild<QTreeWidget*>(QStringLiteral("lstSlope"));
    const auto rows = [list] {
        QList<QStringList> result;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList row;
            for (int c = 0; c < 5; ++c) {
                row << list->topLevelItem(i)->text(c);
            }
            result << row;
        }
        return result;
    };
    choose("WXE007");
    QCOMPARE(rows(), (QList<QStringList>{{"Base", "1", "-", "3", "1"},
                                         {"Tier A", "4", "-", "9", "0.5"},
                                         {"Tier B", "10", "-", "+", "0.25"}}));
    QCOMPARE(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight, Qt::AlignRight);
    choose("One MSU");
    QCOMPARE(rows(), (QList<QStringList>{{"Base", "1", "-", "+", "0.07"}}));
    window_->findChild<QComboBox*>("cboConversionType")->setCurrentIndex(0);
    QCOMPARE(list->topLevelItemCount(), 0);
}

void frmQConverterTest::oddUnitCode() {
    choose("Three ENG");
    type(field("txtMSUtoWX_MSU", "ENG"), "12");
    choose("Odd unit");
    QVERIFY(errors_->reports.empty());
    QVERIFY(!window_->findChild<QFrame*>("fraMSU")->isVisible());
    QVERIFY(window_->findChild<QFrame*>("fraENG")->isVisible());
    QCOMPARE(window_->findChild<QLabel*>("lblDirections")->text(), QString::fromLatin1(kEngNote));
    QCOMPARE(window_->lastUnitsShown(), std::string("ENG"));
    // Not recomputed for the new conversion.
    QCOMPARE(label("lblENGtoWX_WX", "ENG")->text(), QStringLiteral("7"));
    auto* list = window_->findChild<QTreeWidget*>(QStringLiteral("lstSlope"));
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(4), QStringLiteral("2.5"));
}

void frmQConverterTest::defaultConversionMissing() {
    window_.reset();
    loadTables("\"B2\",\"Three MSG\",\"MSG\"\n", "\"B2\",\"1\",\"3\",\"\",\"1.0\"\n"
                                                 "\"B2\",\"4\",\"999\",\"\",\"0.5\"\n");
    errors_->reports.clear();
    window_ = std::make_unique<frmQConverter>();
    window_->show();
    QCOMPARE(errors_->reports.size(), std::size_t(1));
    QCOMPARE(errors_->reports[0].location, std::string("frmQconverter.cboConversionType_Click"));
    QCOMPARE(errors_->reports[0].message, std::string());
    QVERIFY(!window_->findChild<QFrame*>("fraMSU")->isVisible());
    QVERIFY(!window_->findChild<QFrame*>("FraMSG")->isVisible());
    QVERIFY(!field("txtMSUtoWX_MSU")->isEnabled());
    QVERIFY(window_->findChild<QLabel*>("lblDirections")->text().isEmpty());
    QCOMPARE(window_->findChild<QTreeWidget*>("lstSlope")->topLevelItemCount(), 0);
    QVERIFY(window_->calcEnabled());

    choose("Three MSG");
    QCOMPARE(errors_->reports.size(), std::size_t(1));
    QVERIFY(window_->findChild<QFrame*>("FraMSG")->isVisible());
    QCOMPARE(window_->findChild<QTreeWidget*>("lstSlope")->topLevelItemCount(), 2);
    type(field("txtMSGtoWX_MSG", "MSG"), "5");
    QCOMPARE(label("lblMSGtoWX_WX", "MSG")->text(), QStringLiteral("4"));
}

void frmQConverterTest::ninthCharacterRefused() {
    choose("WXE007");
    QLineEdit* cap = field("txtMSUtoWX_MSU");
    type(cap, "12345678");
    const QString result = label("lblMSUtoWX_WX")->text();
    QTest::keyClick(cap, Qt::Key_9);
    QCOMPARE(cap->text(), QStringLiteral("12345678"));
    QCOMPARE(label("lblMSUtoWX_WX")->text(), result);
    QLineEdit* wx = field("txtWXtoMSU_WX");
    type(wx, "1234567");
    QCOMPARE(wx->text(), QStringLiteral("123456"));
}

void frmQConverterTest::selectAllOnTabAndClick() {
    choose("WXE007");
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QLineEdit* first = field("txtMSUtoWX_MSU");
    QLineEdit* second = field("txtWXtoMSU_WX");
    type(second, "42");
    type(first, "12");
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(second->hasFocus());
    QCOMPARE(second->selectedText(), QStringLiteral("42"));
    QTest::keyClick(second, Qt::Key_7);
    QCOMPARE(second->text(), QStringLiteral("7"));

    // A click gives the focus and selects everything.
    QTest::mouseClick(first, Qt::LeftButton, Qt::NoModifier, QPoint(5, first->height() / 2));
    QVERIFY(first->hasFocus());
    QCOMPARE(first->selectedText(), QStringLiteral("12"));

    // Focus given by code selects too.
    second->setFocus(Qt::OtherFocusReason);
    QCOMPARE(second->selectedText(), QStringLiteral("7"));
}

void frmQConverterTest::keyboardOnlyUse() {
    choose("Three MSG");
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    // The tab chain runs through the fields in reading order, then Close, then the list.
    QLineEdit* f = field("txtMSUtoWX_MSU", "MSG");
    f->setFocus(Qt::TabFocusReason);
    for (int k = 1; k < 8; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field(kFieldNames[k], "MSG"));
    }
    QCOMPARE(field(kFieldNames[7], "MSG")->nextInFocusChain()->objectName(),
             QStringLiteral("txtENGtoWX_ENG"));
    // The ENG frame is hidden: Tab goes on to Close.
    auto* close = window_->findChild<QPushButton*>("cmdClose");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), close);
    QCOMPARE(close->nextInFocusChain()->objectName(), QStringLiteral("lstSlope"));
    QCOMPARE(field(kFieldNames[7], "ENG")->nextInFocusChain(), close);
}

void frmQConverterTest::layoutFits() {
    for (const char* frameName : {"fraMSU", "FraMSG", "fraENG"}) {
        auto* unitFrame = window_->findChild<QFrame*>(QString::fromLatin1(frameName));
        QRect previousCalculator;
        for (QFrame* calc : unitFrame->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QLabel*>(calc) != nullptr) {
                continue;
            }
            QVERIFY(unitFrame->rect().contains(calc->geometry()));
            QVERIFY2(!calc->geometry().intersects(previousCalculator),
                     qPrintable(calc->objectName()));
            previousCalculator = calc->geometry();
            const QList<QWidget*> pieces = calc->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            QVERIFY(pieces.size() >= 5);
            for (int i = 0; i < pieces.size(); ++i) {
                QWidget* piece = pieces[i];
                QVERIFY2(calc->contentsRect().contains(piece->geometry()),
                         qPrintable(calc->objectName()));
                for (int j = i + 1; j < pieces.size(); ++j) {
                    QVERIFY2(!piece->geometry().intersects(pieces[j]->geometry()),
                             qPrintable(calc->objectName() + ": " + piece->objectName() + " " +
                                        pieces[j]->objectName()));
                }
                auto* lbl = qobject_cast<QLabel*>(piece);
                const QFontMetrics fm(piece->font());
                if (auto* out = qobject_cast<wexel::QtResultLabel*>(piece)) {
                    const int room = out->contentsRect().width() - out->indent();
                    QVERIFY(fm.horizontalAdvance(QStringLiteral("-0000000000")) <= room);
                    QVERIFY(fm.horizontalAdvance(QStringLiteral("ERR")) <= room);
                } else if (lbl != nullptr) {
                    QVERIFY2(fm.horizontalAdvance(lbl->text()) <= lbl->width(),
                             qPrintable(lbl->text()));
                    QVERIFY(fm.height() <= lbl->height());
                } else if (auto* edit = qobject_cast<QLineEdit*>(piece)) {
                    QVERIFY(fm.horizontalAdvance(QString(edit->maxLength(), '0')) <
                            edit->width() - 6);
                }
            }
        }
        // The headings of the list.
        for (QLabel* heading : unitFrame->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            const QFontMetrics fm(heading->font());
            QVERIFY(fm.horizontalAdvance(heading->text()) <= heading->width());
            QVERIFY(unitFrame->rect().contains(heading->geometry()));
            QVERIFY(!heading->geometry().intersects(previousCalculator));
        }
    }
    // Bottom strip: below the unit frame, apart from each other, inside the window.
    auto* unitFrame = window_->findChild<QFrame*>("fraMSU");
    auto* list = window_->findChild<QTreeWidget*>("lstSlope");
    auto* directions = window_->findChild<QLabel*>("lblDirections");
    auto* close = window_->findChild<QPushButton*>("cmdClose");
    auto* typeLabel = window_->findChild<QLabel*>("lblConversionType");
    auto* cbo = window_->findChild<QComboBox*>("cboConversionType");
    const QRect client = window_->centralWidget()->rect();
    for (QWidget* w :
         std::initializer_list<QWidget*>{unitFrame, list, directions, close, cbo, typeLabel}) {
        QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
    }
    QVERIFY(list->geometry().top() >= unitFrame->geometry().bottom());
    QVERIFY(directions->geometry().top() >= unitFrame->geometry().bottom());
    QVERIFY(!list->geometry().intersects(directions->geometry()));
    QVERIFY(!close->geometry().intersects(directions->geometry()));
    QVERIFY(!typeLabel->geometry().intersects(cbo->geometry()));
    QVERIFY(cbo->geometry().bottom() < unitFrame->geometry().top());
    QVERIFY(QFontMetrics(typeLabel->font()).horizontalAdvance(typeLabel->text()) <=
            typeLabel->width());
    // The longest note fits the directions label.
    choose("Three MSG");
    const QRect needed = QFontMetrics(directions->font())
                             .boundingRect(QRect(0, 0, directions->width(), 10000),
                                           Qt::TextWordWrap, directions->text());
    QVERIFY(needed.height() <= directions->height());
    // The columns show without horizontal scrolling.
    int columns = 0;
    for (int c = 0; c < 5; ++c) {
        columns += list->columnWidth(c);
    }
    QVERIFY2(
        columns <= list->viewport()->width(),
        qPrintable(
            QString("%1 %2 %3").arg(columns).arg(list->viewport()->width()).arg(list->width())));
}

void frmQConverterTest::closeUnloads() {
    window_.reset();
    int unloads = 0;
    wexel::ConverterCommands commands;
    commands.unload = [&] { ++unloads; };
    window_ = std::make_unique<frmQConverter>(commands);
    window_->show();
    QWidget other;
    other.show();
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    QCOMPARE(unloads, 1);
    QVERIFY(!window_->isVisible());
    QVERIFY(!other.isVisible());
}

void frmQConverterTest::workingTooltip() {
    choose("WXE007");
    type(field("txtMSUtoWX_MSU"), "12");
    QVERIFY(label("lblMSUtoWX_WX")->toolTip().contains(QStringLiteral("6.75")));
    type(field("txtWXtoMSU_WX"), "7");
    QVERIFY(!label("lblWXtoMSU_MSU")->toolTip().isEmpty());
}

QTEST_MAIN(frmQConverterTest)
#include "frmQConverterTest.moc"
