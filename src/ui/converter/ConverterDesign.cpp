#include "ui/converter/ConverterDesign.h"

namespace wexel::design {

const std::vector<Calculator>& calculators() {
    // clang-format off
    static const std::vector<Calculator> designs{
        {{120, 0, 9255, 675}, {
            {120, 300, 975, 255}, {1200, 240, 1095, 300}, {2400, 300, 2295, 255},
            {4800, 240, 1335, 300}, {6240, 300, 375, 255}}},
        {{120, 600, 9255, 675}, {
            {120, 300, 1335, 255}, {1440, 240, 1095, 300}, {2640, 300, 2415, 255},
            {5160, 240, 1455, 300}, {6720, 300, 495, 255}}},
        {{120, 1200, 9255, 675}, {
            {120, 300, 615, 255}, {720, 240, 1095, 300}, {1920, 300, 615, 255},
            {2520, 240, 1095, 300}, {3720, 300, 3495, 255}, {7200, 240, 1335, 300},
            {8640, 300, 495, 255}}},
        {{120, 1800, 9255, 975}, {
            {120, 240, 495, 255}, {720, 200, 1095, 300}, {1920, 240, 1455, 255},
            {3480, 200, 1095, 300}, {4680, 240, 1695, 255}, {6480, 195, 1335, 300},
            {7920, 240, 1095, 255}, {1920, 580, 2895, 255}, {4800, 540, 1335, 300},
            {6240, 580, 615, 255}}},
        {{120, 2675, 9255, 975}, {
            {120, 240, 495, 255}, {720, 200, 1095, 300}, {1920, 240, 1455, 255},
            {3480, 200, 1095, 300}, {4680, 240, 1695, 255}, {6480, 195, 1335, 300},
            {7920, 240, 1215, 255}, {1920, 600, 2775, 255}, {4800, 555, 1335, 300},
            {6240, 600, 615, 255}}},
    };
    // clang-format on
    return designs;
}

std::string roundingNote(const std::string& unit) {
    // ENG has no rounding up, and two blanks after "NOTE:" where the others
    // have three: both as designed.
    if (unit == "ENG") {
        return std::string("NOTE:  When converting Wexels to ENGs, ") +
               "fractional results are rounded down.  " +
               "Due to this rounding effect, multiple numbers of Wexels " +
               "could be converted to the same number of ENGs.";
    }
    return "NOTE:   When converting " + unit + "s to Wexels, fractional results are rounded up.  " +
           "When converting Wexels to " + unit + "s, fractional results are rounded down.  " +
           "Due to these rounding effects, multiple numbers of " + unit +
           "s could be converted to " + "the same number of Wexels.";
}

} // namespace wexel::design
