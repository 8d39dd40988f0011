// Start-up and memory side by side with a bare Qt program, and keystroke to
// result in the converter window at 12 and 1,000 tiers.
#include "platform/Ports.h"
#include "tiers/DataFiles.h"
#include "ui/converter/frmQConverter.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

struct Probe {
    double ms = 0;
    long maxRssKb = 0;
};

Probe runOnce(const QString& program) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    process.waitForReadyRead(30000);
    Probe p;
    p.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const QByteArray line = process.readLine();
    const int at = line.indexOf("maxrss_kb=");
    if (at >= 0) {
        p.maxRssKb = line.mid(at + 10).trimmed().toLong();
    }
    process.waitForFinished(30000);
    return p;
}

// Medians of `runs` starts of each program, taken in turns so that a busy
// moment of the machine falls on all of them alike.
std::vector<Probe> medians(const std::vector<QString>& programs, int runs) {
    std::vector<std::vector<double>> ms(programs.size());
    std::vector<std::vector<long>> kb(programs.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Probe probe = runOnce(programs[p]);
            ms[p].push_back(probe.ms);
            kb[p].push_back(probe.maxRssKb);
        }
    }
    std::vector<Probe> result;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::sort(ms[p].begin(), ms[p].end());
        std::sort(kb[p].begin(), kb[p].end());
        result.push_back({ms[p][ms[p].size() / 2], kb[p][kb[p].size() / 2]});
    }
    return result;
}

class SilentBox : public wexel::MessageBoxPort {
public:
    void showMessage(const std::string&, const std::string&) override {}
};

void makeTable(int tiers) {
    wexel::ConversionTable table;
    for (const char* name : {"WXE007", "Other"}) {
        wexel::Conversion c{name, name, "MSU", {}, 0, {}};
        for (int i = 0; i < tiers; ++i) {
            wexel::clsTier t;
            t.Define(1 + 10 * i, 10 * (i + 1), 1.0 / (1.0 + 0.01 * i));
            t.setUnits("MSU");
            t.setSlopeName(name);
            c.tiers.push_back(t);
        }
        table.add(std::move(c), name);
    }
    wexel::setSlopeTable(std::move(table));
}

void keystrokes(int tiers) {
    makeTable(tiers);
    wexel::frmQConverter window;
    window.show();
    auto* combo = window.findChild<QComboBox*>("cboConversionType");
    auto* field = window.findChild<QLineEdit*>("txtMSUtoWX_MSU");
    auto* label = window.findChild<QLabel*>("lblMSUtoWX_WX");
    combo->setCurrentIndex(1);
    field->setFocus();
    const int keys = 2000;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < keys; ++i) {
        if (field->text().size() >= 5) {
            field->selectAll();
        }
        // The change handler runs inside the key press: the label is
        // up to date when keyClick returns.
        QTest::keyClick(field, static_cast<char>('1' + i % 9));
    }
    if (label->text().isEmpty()) {
        std::printf("no result shown\n");
    }
    const double perKey = static_cast<double>(clock.nsecsElapsed()) / 1e6 / keys;
    const int switches = 200;
    clock.restart();
    for (int i = 0; i < switches; ++i) {
        combo->setCurrentIndex(1 + i % 2);
    }
    const double perSwitch = static_cast<double>(clock.nsecsElapsed()) / 1e6 / switches;
    std::printf("keystroke to result, %4d tiers: %.3f ms; whole-frame recompute: %.3f ms\n", tiers,
                perKey, perSwitch);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SilentBox box;
    wexel::setMessageBox(&box);

    const int runs = 41;
    const std::vector<Probe> probes =
        medians({QStringLiteral(WEXEL_BARE_WINDOW), QStringLiteral(WEXEL_BARE_TEXT_WINDOW),
                 QStringLiteral(WEXEL_CONVERTER_WINDOW)},
                runs);
    const Probe& bare = probes[0];
    const Probe& text = probes[1];
    const Probe& converter = probes[2];
    std::printf("start-up to window shown (median of %d runs):\n", runs);
    std::printf("  bare Qt, empty window     %6.1f ms  %6ld KiB peak\n", bare.ms, bare.maxRssKb);
    std::printf("  bare Qt, one line of text %6.1f ms  %6ld KiB peak\n", text.ms, text.maxRssKb);
    std::printf("  converter window          %6.1f ms  %6ld KiB peak\n", converter.ms,
                converter.maxRssKb);
    auto ratio = [](double a, double b) { return a / b; };
    std::printf("  ratio to the empty window: time %.2f, memory %.2f\n",
                ratio(converter.ms, bare.ms),
                ratio(static_cast<double>(converter.maxRssKb), static_cast<double>(bare.maxRssKb)));
    std::printf("  ratio to the text window:  time %.2f, memory %.2f\n",
                ratio(converter.ms, text.ms),
                ratio(static_cast<double>(converter.maxRssKb), static_cast<double>(text.maxRssKb)));
    keystrokes(12);
    keystrokes(1000);
    wexel::setMessageBox(nullptr);
    return 0;
}
