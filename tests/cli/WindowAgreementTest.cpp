// wexel-calc prints what the window shows: the same inputs given to the real
// converter window and to the wexel-calc program, over random tier tables.
#include "cli/TextOutput.h"
#include "engine/Sentences.h"
#include "platform/Numbers.h"
#include "platform/Ports.h"
#include "support/TestSupport.h"
#include "ui/converter/frmQConverter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <random>

using namespace wexel;
using wexel::testing::TempFolder;

namespace {

// The MSU frame's widget for a field or a label, by its sentence's name.
template <class Widget> Widget* find(const QWidget& window, int slot, PieceKind kind) {
    for (const Sentence& sentence : sentences()) {
        for (const SentencePiece& piece : sentence) {
            if (piece.kind == kind && piece.slot == slot) {
                return window.findChild<Widget*>(QString::fromLatin1(piece.text));
            }
        }
    }
    return nullptr;
}

// The wexel-calc compared with the window: this build's, or the one named by
// WEXEL_CALC_UNDER_TEST (a command line: the Windows build under Wine, say).
QStringList programUnderTest() {
    const QString other = qEnvironmentVariable("WEXEL_CALC_UNDER_TEST");
    return other.isEmpty() ? QStringList{QStringLiteral(WEXEL_CALC)}
                           : QProcess::splitCommand(other);
}

// What it printed, its lines ended as on POSIX (Windows ends them in CR LF).
std::string lines(const QByteArray& printed) {
    QByteArray text = printed;
    return text.replace("\r\n", "\n").toStdString();
}

} // namespace

class WindowAgreementTest : public QObject {
    Q_OBJECT

private slots:
    void wexelCalcPrintsWhatTheWindowShows() {
        std::mt19937 random(7);
        const std::vector<std::string> pool = {
            "0",   "1",    "12",   "99999999", "-7",        "-",   "+",     "",    "  5",
            "5 ",  "abc",  "1.5",  "1,000",    "9E9",       "1E3", "007",   "-15", "20",
            "350", "4001", "2500", "123456",   "-99999999", "1E5", "65535", "-0"};
        const std::vector<double> slopes = {0, 0.07, 0.125, 0.5, 1, 2.5, 3, 100000, 1e-9};
        for (int t = 0; t < 5; ++t) {
            TempFolder data;
            std::string tiers = t == 0 ? "A1,1,9,,0\nA1,10,99,,1\n" : "";
            for (int i = 0, min = 1 + t % 2; t > 0 && i < 1 + t;
                 ++i, min += 1 + static_cast<int>(random() % 400)) {
                tiers += "A1," + std::to_string(min) + ",0,," +
                         numberToText(slopes[random() % slopes.size()]) + "\n";
            }
            data.writeData("A1,Z,MSU\nW7,WXE007,MSU\n", tiers + "W7,1,1,,1\n");
            LoadDataFiles(data.path());
            frmQConverter window;
            window.findChild<QComboBox*>(QStringLiteral("cboConversionType"))->setCurrentIndex(1);
            for (int n = 0; n < 30; ++n) {
                const CalculatorDescription& command =
                    calculator(t == 0 && n == 0 ? 4 : 1 + static_cast<int>(random() % 5));
                std::vector<std::string> inputs;
                for (const CalculatorInput& field : command.inputs) {
                    std::string input;
                    do {
                        input = pool[random() % pool.size()];
                    } while (static_cast<int>(input.size()) > field.maxLength);
                    inputs.push_back(input);
                }
                if (t == 0 && n == 0) {
                    inputs = {"-15", "20"}; // a free first tier: the walk reports on the way
                }
                compare(window, data, command, inputs);
            }
        }
    }

private:
    void compare(const QWidget& window, const TempFolder& data,
                 const CalculatorDescription& command, const std::vector<std::string>& inputs) {
        std::vector<QLineEdit*> fields;
        for (const CalculatorInput& input : command.inputs) {
            fields.push_back(find<QLineEdit>(window, input.field, PieceKind::Field));
            fields.back()->setText(QStringLiteral("00")); // never an input
        }
        // As wexel-calc does: the later inputs first, then the first one;
        // only the last calculation's messages count, errors all along.
        Capture capture;
        for (std::size_t i = inputs.size(); i-- > 1;) {
            fields[i]->setText(QString::fromStdString(inputs[i]));
        }
        std::erase_if(capture.shown, [](const Capture::Shown& s) { return !s.isError; });
        fields[0]->setText(QString::fromStdString(inputs[0]));
        std::string labels, shown;
        for (const CalculatorResult& result : command.results) {
            labels += (labels.empty() ? "" : "\t") +
                      find<QLabel>(window, result.label, PieceKind::Output)->text().toStdString();
        }
        for (const Capture::Shown& s : capture.shown) {
            shown += s.asBox() + "\n";
        }
        const int exit = capture.anyMessage() ? 2 : capture.anyError() ? 1 : 0;

        QStringList args{"--data", QString::fromStdString(data.path()), command.command, "Z", "--"};
        for (const std::string& input : inputs) {
            args << QString::fromStdString(input);
        }
        QProcess calc;
        const QStringList program = programUnderTest();
        calc.start(program.first(), program.mid(1) + args);
        QVERIFY(calc.waitForFinished(60000));
        const QString what = args.join(QLatin1Char(' '));
        const std::string out = lines(calc.readAllStandardOutput());
        const std::string err = lines(calc.readAllStandardError());
        QVERIFY2(out == labels + "\n",
                 qPrintable(what + ": " + QString::fromStdString(out) +
                            "\nstandard error: " + QString::fromStdString(err) +
                            "\nexit: " + QString::number(calc.exitCode())));
        QVERIFY2(err == shown,
                 qPrintable(what + ":\n" + QString::fromStdString(err) +
                            "\nwhere the window showed\n" + QString::fromStdString(shown)));
        QVERIFY2(calc.exitCode() == exit, qPrintable(what));
    }
};

QTEST_MAIN(WindowAgreementTest)
#include "WindowAgreementTest.moc"
