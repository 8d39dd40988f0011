// The command-line calculators against the window's procedure: for random
// inputs over random tier tables, wexel-calc prints exactly what a panel
// driven through the window's change handler shows in its labels.
#include "cli/MemoryPanel.h"
#include "CliTestSupport.h"
#include "engine/Calculators.h"
#include "tiers/DataFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace wexel;
using namespace wexel::testing;

namespace {

// The window's panel as the window has it: fields that run their change
// handler when their text changes, while calculation is switched on.
class WindowPanel {
public:
    explicit WindowPanel(std::string name) : name_(std::move(name)) {
        for (int i = 0; i < PanelFieldCount; ++i) {
            fields_[i].owner = this;
            fields_[i].id = static_cast<PanelField>(i);
            panel_.fields[i] = &fields_[i];
        }
        for (int i = 0; i < PanelLabelCount; ++i) {
            panel_.labels[i] = &labels_[i];
        }
        // Choosing the conversion recomputes every calculator of the frame.
        enabled_ = true;
        for (int i = 0; i < PanelFieldCount; ++i) {
            panelFieldChanged(panel_, static_cast<PanelField>(i), name_);
        }
    }
    // The user pastes a text over the field's whole text.
    void paste(PanelField field, const std::string& text) { fields_[field].setText(text); }
    // The field's change handler, as if its text had just changed.
    void edit(PanelField field) { panelFieldChanged(panel_, field, name_); }
    const std::string& caption(PanelLabel label) const { return labels_[label].caption; }

private:
    struct Field : TextField {
        std::string text() const override { return value; }
        void setText(const std::string& text) override {
            if (text == value) {
                return; // an unchanged text raises no change
            }
            value = text;
            if (owner->enabled_) {
                panelFieldChanged(owner->panel_, id, owner->name_);
            }
        }
        void setSelection(int, int) override {}
        void setFocus() override {}
        WindowPanel* owner = nullptr;
        PanelField id = FieldCalc1Capacity;
        std::string value = "0";
    };
    struct Label : ResultLabel {
        void setCaption(const std::string& c) override { caption = c; }
        std::string caption;
    };
    std::string name_;
    std::array<Field, PanelFieldCount> fields_;
    std::array<Label, PanelLabelCount> labels_;
    Panel panel_;
    bool enabled_ = false;
};

struct CalculatorShape {
    const char* command;
    std::vector<PanelField> inputs; // in argument order
    std::vector<PanelLabel> labels;
    bool firstMayBeNegative;
};

const CalculatorShape kCalculators[] = {
    {"to-wx", {FieldCalc1Capacity}, {LabelCalc1Wexels}, false},
    {"to-capacity", {FieldCalc2Wexels}, {LabelCalc2Capacity}, false},
    {"add-wx", {FieldCalc3Wexels, FieldCalc3Capacity}, {LabelCalc3Capacity}, false},
    {"add-capacity",
     {FieldCalc4Added, FieldCalc4Existing},
     {LabelCalc4Wexels, LabelCalc4Capacity},
     true},
    {"add-to-wx",
     {FieldCalc5Added, FieldCalc5Wexels},
     {LabelCalc5Wexels, LabelCalc5Capacity},
     true},
};

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    bool chance(int percent) { return between(1, 100) <= percent; }

    // An input as a user might type it: mostly whole numbers, sometimes not.
    std::string input(bool negativeAllowed) {
        static const char* const odd[] = {"",    " ",   "-",   "+",  "1.5", "1,000", "abc", " 12",
                                          "007", "1E3", "9E9", "+5", "12a", "-0",    "5.",  "0"};
        if (chance(25)) {
            return odd[between(0, std::size(odd) - 1)];
        }
        int limit = chance(70) ? 2000 : 99'999'999;
        int value = between(0, limit);
        if ((negativeAllowed && chance(30)) || chance(5)) {
            value = -value;
        }
        return std::to_string(value);
    }

    // A tier table: ascending lowest capacities from 1 (mostly), common slopes,
    // now and then a slope of 0 (which the inverse walk cannot divide by).
    std::string tiers(const std::string& code) {
        static const char* const slopes[] = {"1.0",  "0.7", "0.45",  "0.25", "0.125",
                                             "0.07", "2.5", "0.333", "1.2",  "0.01"};
        std::string text;
        int low = chance(80) ? 1 : between(0, 20);
        const int count = between(1, 8);
        for (int i = 0; i < count; ++i) {
            const int next = low + between(1, chance(50) ? 20 : 5000);
            const std::string slope = chance(3) ? "0" : slopes[between(0, std::size(slopes) - 1)];
            text += code + "," + std::to_string(low) + "," + std::to_string(next - 1) + ",," +
                    slope + "\r\n";
            low = next;
        }
        return text;
    }

private:
    std::mt19937 engine_;
};

unsigned seedFromEnvironment() {
    const char* text = std::getenv("WEXEL_TEST_SEED");
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 20240611u;
}

} // namespace

TEST(CalculatorCommands, PrintExactlyWhatTheWindowsLabelsShow) {
    const unsigned seed = seedFromEnvironment();
    SCOPED_TRACE("WEXEL_TEST_SEED=" + std::to_string(seed));
    Random random(seed);
    int compared = 0;
    int viaExecutable = 0;
    for (int table = 0; table < 25; ++table) {
        static const char* const units[] = {"MSU", "MSG", "ENG"};
        const std::string name = "Conversion " + std::to_string(table);
        DataFolder data("A1,WXE007,MSU\r\nB2," + name + "," + units[table % 3] + "\r\n",
                        "A1,1,9,,1\r\n" + random.tiers("B2"));

        for (int round = 0; round < 40; ++round) {
            const CalculatorShape& calc = kCalculators[random.between(0, 4)];
            std::vector<std::string> inputs;
            for (std::size_t i = 0; i < calc.inputs.size(); ++i) {
                inputs.push_back(random.input(i == 0 && calc.firstMayBeNegative));
            }
            std::vector<std::string> args = data.args({calc.command, name});
            args.insert(args.end(), inputs.begin(), inputs.end());
            const bool external = round % 10 == 0;
            const Ran cli = external ? runExecutable(args) : runInProcess(args);
            viaExecutable += external ? 1 : 0;

            // The window: the conversion chosen, the later arguments typed
            // first, the first argument typed last.
            LoadDataFiles(data.path());
            RecordingMessageBox box;
            RecordingErrorReporter reporter;
            WindowPanel window(name);
            for (std::size_t i = calc.inputs.size(); i-- > 0;) {
                window.paste(calc.inputs[i], inputs[i]);
            }
            box.shown.clear();
            window.edit(calc.inputs.front());
            std::string labels;
            bool showsErr = false;
            for (PanelLabel label : calc.labels) {
                labels += (labels.empty() ? "" : "\t") + window.caption(label);
                showsErr = showsErr || window.caption(label) == "ERR";
            }
            std::string messages;
            for (const auto& shown : box.shown) {
                messages += shown.prompt + "\n";
            }

            std::string what = std::string(calc.command) + " on table " + std::to_string(table);
            for (const std::string& input : inputs) {
                what += " [" + input + "]";
            }
            ASSERT_EQ(cli.out, labels + "\n") << what << "\n" << cli.err;
            if (reporter.reports.empty()) {
                EXPECT_EQ(cli.err, messages) << what;
                EXPECT_EQ(cli.status, showsErr ? 2 : 0) << what;
            } else {
                EXPECT_NE(cli.err.find(reporter.reports.front().location), std::string::npos)
                    << what << "\n"
                    << cli.err;
                EXPECT_NE(cli.status, 0) << what;
            }
            ++compared;
        }
    }
    SlopeTable().clear();
    EXPECT_EQ(compared, 1000);
    EXPECT_EQ(viaExecutable, 100);
}

TEST(MemoryPanel, AnEmptyFieldIsFilledWithZeroAndRecomputedNested) {
    DataFolder data(kExampleNames, kExampleTiers);
    LoadDataFiles(data.path());
    RecordingMessageBox box;
    cli::MemoryPanel panel("WXE007");
    panel.preset(FieldCalc1Capacity, "");
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "") << "preset runs no handler";
    panel.change(FieldCalc1Capacity);
    EXPECT_EQ(panel.text(FieldCalc1Capacity), "0");
    EXPECT_EQ(panel.caption(LabelCalc1Wexels), "0");
    EXPECT_TRUE(box.shown.empty());

    panel.preset(FieldCalc4Added, "7");
    panel.preset(FieldCalc4Existing, "5");
    panel.change(FieldCalc4Existing);
    EXPECT_EQ(panel.caption(LabelCalc4Wexels), "3");
    EXPECT_EQ(panel.caption(LabelCalc4Capacity), "13");
    SlopeTable().clear();
}
