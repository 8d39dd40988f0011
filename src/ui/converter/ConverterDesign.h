#pragma once
// The converter window as designed: its frames' names and its controls' places.
// Places are in twips (15 twips = 1 pixel at 96 dpi): the layout takes them as
// the spacing between controls and as their smallest sizes, and grows what a
// text needs more room for.

#include "engine/Sentences.h"

#include <QRect>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace wexel::design {

// A calculator's frame and its pieces' boxes, in twips: the frame relative to
// the unit frame, each piece relative to the frame, in the order of the
// pieces of its sentence (engine/Sentences.h).
struct Calculator {
    QRect box;
    std::vector<QRect> pieces;
};

// The five calculators of the MSU frame, in reading order.
const std::vector<Calculator>& calculators();

// A unit frame: its code, its name and its calculator frames' names.
struct UnitFrame {
    const char* code;
    const char* name;
    std::array<const char*, 5> calculatorNames;
};
inline constexpr std::array<UnitFrame, 3> kUnitFrames{{
    {"MSU", "fraMSU", {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"}},
    {"MSG", "FraMSG", {"Frame11", "Frame10", "Frame9", "Frame8", "Frame7"}},
    {"ENG", "fraENG", {"Frame12", "Frame13", "Frame14", "Frame15", "Frame16"}},
}};

// The two headings of the tier list, which belong to the unit frame: over the
// range columns and over the slope column. "MSU" stands for the unit.
struct Heading {
    const char* text;
    QRect box; // twips, relative to the unit frame
};
inline constexpr Heading kRangeHeading{"MSUs", {1560, 3720, 495, 255}};
inline constexpr Heading kSlopeHeading{"Wexels/MSU", {2520, 3720, 1455, 255}};

// The window's other boxes, in twips, relative to its client area.
inline constexpr QRect kTypeLabel{480, 140, 1695, 375};
inline constexpr QRect kTypeBox{2280, 60, 3735, 0}; // one line high
inline constexpr QRect kUnitFrame{0, 600, 9450, 3975};
inline constexpr QRect kTierList{360, 4560, 3495, 1815};
inline constexpr QRect kDirections{4080, 4680, 5175, 1035};
inline constexpr QRect kCloseButton{8280, 5880, 975, 495};
inline constexpr QSize kWindow{9555, 7275}; // outside, frame and title bar included

// The tier list's columns as designed, in pixels: tier, lowest, "-", highest, slope.
inline constexpr std::array<int, 5> kColumnWidths{35, 55, 18, 55, 49};

// The rounding note of a unit, which the directions label shows.
std::string roundingNote(const std::string& unit);

} // namespace wexel::design
