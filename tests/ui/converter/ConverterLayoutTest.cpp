#include "ui/converter/ConverterLayout.h"

#include <gtest/gtest.h>

namespace layout = wexel::layout;

TEST(ConverterLayout, WithUnitReplacesEveryMsu) {
    EXPECT_EQ(layout::withUnit("txtMSUandMSUtoWX_MSUInput1", "ENG"), "txtENGandENGtoWX_ENGInput1");
    EXPECT_EQ(layout::withUnit("WXs.", "MSG"), "WXs.");
    EXPECT_EQ(layout::withUnit("", "MSG"), "");
}

TEST(ConverterLayout, TwipsToPixels) {
    EXPECT_EQ(layout::px(15), 1);
    EXPECT_EQ(layout::px(600), 40);
    EXPECT_EQ(layout::px(9255), 617);
}

// Pieces far wider than designed still read left to right, apart, inside the frame.
TEST(ConverterLayout, WidePiecesKeepOrderAndGaps) {
    for (const layout::CalculatorDesign& design : layout::calculatorDesigns()) {
        std::vector<QSize> minimum(design.pieces.size(), QSize(150, 30));
        const layout::CalculatorFit fit = layout::fitCalculator(design, minimum);
        ASSERT_EQ(fit.pieces.size(), design.pieces.size());
        for (std::size_t i = 0; i < fit.pieces.size(); ++i) {
            EXPECT_GE(fit.pieces[i].width(), 150);
            EXPECT_GE(fit.pieces[i].height(), 30);
            EXPECT_TRUE(QRect(QPoint(0, 0), fit.frame).contains(fit.pieces[i]));
            if (i > 0 && design.pieces[i].line == design.pieces[i - 1].line) {
                EXPECT_GE(fit.pieces[i].left(),
                          fit.pieces[i - 1].right() + 1 + layout::px(layout::kMinimumPieceGap));
            }
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_FALSE(fit.pieces[i].intersects(fit.pieces[j])) << i << " " << j;
            }
        }
    }
}

// Pieces that fit the design keep its places.
TEST(ConverterLayout, SmallPiecesKeepTheDesign) {
    const layout::CalculatorDesign& first = layout::calculatorDesigns().front();
    std::vector<QSize> minimum(first.pieces.size(), QSize(1, 1));
    const layout::CalculatorFit fit = layout::fitCalculator(first, minimum, 700);
    EXPECT_EQ(fit.frame.width(), 700);
    EXPECT_EQ(fit.pieces[0].width(), layout::px(first.pieces[0].width));
    EXPECT_EQ(fit.pieces[1].left() - fit.pieces[0].right() - 1,
              layout::px(first.pieces[1].left - first.pieces[0].left - first.pieces[0].width));
}
