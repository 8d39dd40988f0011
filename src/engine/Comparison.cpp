#include "engine/Comparison.h"

#include "engine/MemoryPanel.h"
#include "platform/Text.h"

namespace wexel {

std::vector<ConversionWexels> wexelsUnderEveryConversion(const std::string& capacity,
                                                         const std::string& unit) {
    std::vector<ConversionWexels> rows;
    for (const auto& entry : SlopeTable()) {
        const Conversion& c = entry.item;
        if (foldKey(c.units) != foldKey(unit) || c.tiers.empty()) {
            continue;
        }
        Capture capture;
        MemoryPanel panel(c.name);
        panel.keepWorking(false);
        panel.chooseConversion();
        // What choosing the conversion said is not the capacity's doing.
        std::erase_if(capture.shown, [](const Capture::Shown& s) { return !s.isError; });
        if (panel.text(FieldCalc1Capacity) == capacity) {
            panel.change(FieldCalc1Capacity); // typed over with the same text
        } else {
            panel.type(FieldCalc1Capacity, capacity);
        }
        rows.push_back({&c, panel.caption(LabelCalc1Wexels), capture.shown, capture.anyMessage()});
    }
    return rows;
}

} // namespace wexel
