#include "ui/converter/ConverterLayout.h"

#include <algorithm>
#include <climits>

namespace wexel::layout {

namespace {

constexpr PieceDesign caption(int line, const char* text, int left, int top, int width,
                              int height) {
    return {PieceKind::Caption, line, text, left, top, width, height, -1};
}
constexpr PieceDesign field(int line, const char* name, PanelField slot, int left, int top,
                            int width, int height) {
    return {PieceKind::Field, line, name, left, top, width, height, slot};
}
constexpr PieceDesign output(int line, const char* name, PanelLabel slot, int left, int top,
                             int width, int height) {
    return {PieceKind::Output, line, name, left, top, width, height, slot};
}

} // namespace

const std::vector<CalculatorDesign>& calculatorDesigns() {
    static const std::vector<CalculatorDesign> designs{
        {120,
         0,
         9255,
         675,
         {
             caption(0, "A utilization of", 120, 300, 975, 255),
             field(0, "txtMSUtoWX_MSU", FieldCalc1Capacity, 1200, 240, 1095, 300),
             caption(0, "MSUs requires an entitlement of ", 2400, 300, 2295, 255),
             output(0, "lblMSUtoWX_WX", LabelCalc1Wexels, 4800, 240, 1335, 300),
             caption(0, "WXs.", 6240, 300, 375, 255),
         }},
        {120,
         600,
         9255,
         675,
         {
             caption(0, "An entitlement of ", 120, 300, 1335, 255),
             field(0, "txtWXtoMSU_WX", FieldCalc2Wexels, 1440, 240, 1095, 300),
             caption(0, "WXs is sufficient for a utilization of ", 2640, 300, 2415, 255),
             output(0, "lblWXtoMSU_MSU", LabelCalc2Capacity, 5160, 240, 1455, 300),
             caption(0, "MSUs.", 6720, 300, 495, 255),
         }},
        {120,
         1200,
         9255,
         675,
         {
             caption(0, "Adding", 120, 300, 615, 255),
             field(0, "txtWXandMSUtoMSU_WXinput", FieldCalc3Wexels, 720, 240, 1095, 300),
             caption(0, "WXs to", 1920, 300, 615, 255),
             field(0, "txtWXandMSUtoMSU_MSUinput", FieldCalc3Capacity, 2520, 240, 1095, 300),
             caption(0, "existing MSUs is sufficient for a total utilization of", 3720, 300, 3495,
                     255),
             output(0, "lblWXandMSUtoMSU_MSUOutput", LabelCalc3Capacity, 7200, 240, 1335, 300),
             caption(0, "MSUs.", 8640, 300, 495, 255),
         }},
        {120,
         1800,
         9255,
         975,
         {
             caption(0, "Adding", 120, 240, 495, 255),
             field(0, "txtMSUandMSUtoWX_MSUInput1", FieldCalc4Added, 720, 200, 1095, 300),
             caption(0, "MSUs to an existing ", 1920, 240, 1455, 255),
             field(0, "txtMSUandMSUtoWX_MSUInput2", FieldCalc4Existing, 3480, 200, 1095, 300),
             caption(0, "MSU utilization requires", 4680, 240, 1695, 255),
             output(0, "lblMSUandMSUtoWX_WXOutput", LabelCalc4Wexels, 6480, 195, 1335, 300),
             caption(0, "additional WXs", 7920, 240, 1095, 255),
             caption(1, "and is sufficient for a total utilization of", 1920, 580, 2895, 255),
             output(1, "lblMSUandMSUtoWX_MSUOutput", LabelCalc4Capacity, 4800, 540, 1335, 300),
             caption(1, "MSUs.", 6240, 580, 615, 255),
         }},
        {120,
         2675,
         9255,
         975,
         {
             caption(0, "Adding", 120, 240, 495, 255),
             field(0, "txtMSUInputToWXandMSU", FieldCalc5Added, 720, 200, 1095, 300),
             caption(0, "MSUs to an existing", 1920, 240, 1455, 255),
             field(0, "txtWXInputToWXandMSU", FieldCalc5Wexels, 3480, 200, 1095, 300),
             caption(0, "WX entitlement requires", 4680, 240, 1695, 255),
             output(0, "lblMSUWXToAdditionalWXs", LabelCalc5Wexels, 6480, 195, 1335, 300),
             caption(0, "additional WXs", 7920, 240, 1215, 255),
             caption(1, "and is sufficient for a total utilization of", 1920, 600, 2775, 255),
             output(1, "lblMSUWXToMSUs", LabelCalc5Capacity, 4800, 555, 1335, 300),
             caption(1, "MSUs.", 6240, 600, 615, 255),
         }},
    };
    return designs;
}

std::string withUnit(std::string_view msuText, std::string_view unit) {
    static constexpr std::string_view msu = "MSU";
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = msuText.find(msu); at != std::string_view::npos;
         at = msuText.find(msu, from)) {
        result.append(msuText.substr(from, at - from));
        result.append(unit);
        from = at + msu.size();
    }
    result.append(msuText.substr(from));
    return result;
}

CalculatorFit fitCalculator(const CalculatorDesign& design, const std::vector<QSize>& minimum,
                            int frameWidth) {
    const auto& pieces = design.pieces;
    CalculatorFit fit;
    fit.pieces.resize(pieces.size());

    int lastLine = 0;
    for (const PieceDesign& p : pieces) {
        lastLine = std::max(lastLine, p.line);
    }

    int designRowBottomBefore = 0; // twips, bottom of the previous line's row as designed
    int rowBottomBefore = 0;       // pixels, as laid out
    int rightmost = 0;
    for (int line = 0; line <= lastLine; ++line) {
        // The row of a line is where its fields and outputs sit; captions are
        // centred on it.
        int designTop = INT_MAX;
        int designBottom = 0;
        int rowHeight = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const PieceDesign& p = pieces[i];
            if (p.line != line) {
                continue;
            }
            if (p.kind != PieceKind::Caption) {
                designTop = std::min(designTop, p.top);
                designBottom = std::max(designBottom, p.top + p.height);
            }
            rowHeight = std::max({rowHeight, px(p.height), minimum[i].height()});
        }
        if (designTop == INT_MAX) { // a line of captions only
            for (const PieceDesign& p : pieces) {
                if (p.line == line) {
                    designTop = std::min(designTop, p.top);
                    designBottom = std::max(designBottom, p.top + p.height);
                }
            }
        }
        int rowTop = px(designTop);
        if (line > 0) {
            rowTop = std::max(rowTop,
                              rowBottomBefore + px(std::max(0, designTop - designRowBottomBefore)));
        }

        int x = 0;
        const PieceDesign* previous = nullptr;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const PieceDesign& p = pieces[i];
            if (p.line != line) {
                continue;
            }
            if (previous == nullptr) {
                // A later line starts under the piece of an earlier line that
                // it was designed to start under.
                x = px(p.left);
                for (std::size_t j = 0; j < pieces.size(); ++j) {
                    if (pieces[j].line < line && pieces[j].left == p.left) {
                        x = fit.pieces[j].left();
                        break;
                    }
                }
            } else {
                const int designGap = p.left - (previous->left + previous->width);
                x += px(std::max(designGap, kMinimumPieceGap));
            }
            const int width = std::max(px(p.width), minimum[i].width());
            int height = rowHeight;
            int top = rowTop;
            if (p.kind == PieceKind::Caption) {
                height = std::max(px(p.height), minimum[i].height());
                top = rowTop + (rowHeight - height) / 2;
            }
            fit.pieces[i] = QRect(x, top, width, height);
            x += width;
            rightmost = std::max(rightmost, x);
            previous = &p;
        }
        designRowBottomBefore = designBottom;
        rowBottomBefore = rowTop + rowHeight;
    }

    const int bottomMargin = std::max(0, design.height - designRowBottomBefore);
    fit.frame = QSize(std::max({frameWidth, px(design.width), rightmost + px(kFrameRightMargin)}),
                      std::max(px(design.height), rowBottomBefore + px(bottomMargin)));
    return fit;
}

} // namespace wexel::layout
