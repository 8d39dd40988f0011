#pragma once
// Tier tables and fake fields for the engine tests.

#include "platform/TextField.h"
#include "support/TestSupport.h"
#include "tiers/DataFiles.h"

#include <functional>
#include <utility>
#include <vector>

namespace wexel::testing {

// Puts one conversion per entry into SlopeTable; cleared again afterwards.
class ScopedTable {
public:
    using Tiers = std::vector<std::pair<std::int32_t, double>>;
    explicit ScopedTable(const std::vector<std::pair<std::string, Tiers>>& conversions) {
        SlopeTable().clear();
        for (const auto& [name, tiers] : conversions) {
            Conversion c{name, "MSU", {}, 0, {}};
            for (const auto& [minCap, slope] : tiers) {
                clsTier t;
                t.Define(minCap, 0, slope);
                t.setUnits("MSU");
                t.setSlopeName(name);
                c.tiers.push_back(t);
            }
            SlopeTable().add(c, name);
        }
    }
    ~ScopedTable() { SlopeTable().clear(); }
};

// The made-up table of the worked examples: bands 1-3, 4-9, 10 and up.
inline const ScopedTable::Tiers kExample = {{1, 1.0}, {4, 0.5}, {10, 0.25}};

// A text field in memory whose change callback runs synchronously inside setText.
class FakeField : public TextField {
public:
    explicit FakeField(std::string text = "0") : text_(std::move(text)) {}
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        text_ = text;
        ++writes;
        if (onChange) {
            onChange();
        }
    }
    void setSelection(int start, int length) override {
        selStart = start;
        selLength = length;
    }
    void setFocus() override { ++focused; }
    void type(const std::string& text) { text_ = text; }

    std::function<void()> onChange;
    int selStart = -1;
    int selLength = -1;
    int writes = 0;
    int focused = 0;

private:
    std::string text_;
};

} // namespace wexel::testing
