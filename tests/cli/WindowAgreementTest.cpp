// wexel-calc against the real converter window: for random inputs over random
// tier tables, the calculator commands print exactly what the window's result
// labels show and exactly the messages the window shows.
#include "CliTestSupport.h"
#include "RandomInputs.h"
#include "tiers/DataFiles.h"
#include "ui/converter/ConverterLayout.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"
#include "ui/converter/frmQConverter.h"

#include <QComboBox>
#include <QTest>

#include <memory>

using namespace wexel;
using namespace wexel::testing;

namespace {

// The object name of the field or output label in `slot`, in the frame of `unit`.
QString pieceName(layout::PieceKind kind, int slot, const std::string& unit) {
    for (const layout::CalculatorDesign& calculator : layout::calculatorDesigns()) {
        for (const layout::PieceDesign& piece : calculator.pieces) {
            if (piece.kind == kind && piece.slot == slot) {
                return QString::fromStdString(layout::withUnit(piece.text, unit));
            }
        }
    }
    return {};
}

} // namespace

class WindowAgreementTest : public QObject {
    Q_OBJECT

private slots:
    void calculatorCommandsPrintWhatTheWindowShows();
};

void WindowAgreementTest::calculatorCommandsPrintWhatTheWindowShows() {
    const unsigned seed = seedFromEnvironment();
    Random random(seed);
    int compared = 0;
    for (int table = 0; table < 25; ++table) {
        static const char* const units[] = {"MSU", "MSG", "ENG"};
        const std::string unit = units[table % 3];
        const std::string name = "Conversion " + std::to_string(table);
        DataFolder data("A1,WXE007,MSU\r\nB2," + name + "," + unit + "\r\n",
                        "A1,1,9,,1\r\n" + random.tiers("B2"));
        LoadDataFiles(data.path());
        std::unique_ptr<frmQConverter> window;
        {
            RecordingMessageBox box;
            window = std::make_unique<frmQConverter>();
            window->show();
            auto* cbo = window->findChild<QComboBox*>(QStringLiteral("cboConversionType"));
            cbo->setCurrentIndex(cbo->findText(QString::fromStdString(name)));
            QCOMPARE(cbo->currentText(), QString::fromStdString(name));
        }

        for (int round = 0; round < 24; ++round) {
            const CalculatorShape& calc = kCalculators[random.between(0, 4)];
            std::vector<std::string> inputs;
            for (std::size_t i = 0; i < calc.inputs.size(); ++i) {
                inputs.push_back(random.input(i == 0 && calc.firstMayBeNegative,
                                              panelFieldMaxLength(calc.inputs[i])));
            }
            std::vector<std::string> args = data.args({calc.command, name});
            args.insert(args.end(), inputs.begin(), inputs.end());
            const Ran cli = round % 8 == 0 ? runExecutable(args) : runInProcess(args);

            // The window: the calculator's fields back to "0", then the later
            // inputs typed first and the first one last; the first field's
            // change handler runs once more and only its messages count.
            RecordingMessageBox box;
            RecordingErrorReporter reporter;
            std::vector<QtTextField*> fields;
            for (PanelField slot : calc.inputs) {
                fields.push_back(window->findChild<QtTextField*>(
                    pieceName(layout::PieceKind::Field, slot, unit)));
                QVERIFY(fields.back() != nullptr);
            }
            for (QtTextField* field : fields) {
                field->setText(QStringLiteral("0"));
            }
            reporter.reports.clear();
            for (std::size_t i = fields.size(); i-- > 0;) {
                fields[i]->setText(QString::fromStdString(inputs[i]));
            }
            box.shown.clear();
            emit fields.front()->textChanged(fields.front()->text());

            std::string labels;
            bool showsErr = false;
            for (PanelLabel slot : calc.labels) {
                auto* label = window->findChild<QtResultLabel*>(
                    pieceName(layout::PieceKind::Output, slot, unit));
                QVERIFY(label != nullptr);
                labels += (labels.empty() ? "" : "\t") + label->caption();
                showsErr = showsErr || label->caption() == "ERR";
            }
            std::string messages;
            for (const auto& shown : box.shown) {
                messages += shown.prompt + "\n";
            }

            std::string what = std::string(calc.command) + " on table " + std::to_string(table);
            for (const std::string& input : inputs) {
                what += " [" + input + "]";
            }
            what += " (WEXEL_TEST_SEED=" + std::to_string(seed) + ")\n" + cli.err;
            QVERIFY2(cli.out == labels + "\n", (what + "window: " + labels).c_str());
            if (reporter.reports.empty()) {
                QVERIFY2(cli.err == messages, (what + "window: " + messages).c_str());
                QVERIFY2(cli.status == (showsErr ? 2 : 0), what.c_str());
            } else {
                QVERIFY2(cli.err.find(reporter.reports.front().location) != std::string::npos,
                         what.c_str());
                QVERIFY2(cli.status != 0, what.c_str());
            }
            ++compared;
        }
        window.reset();
    }
    SlopeTable().clear();
    QCOMPARE(compared, 600);
}

QTEST_MAIN(WindowAgreementTest)
#include "WindowAgreementTest.moc"
