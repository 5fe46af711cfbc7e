#include <vorlane/model/color_matrix.h>

#include <gtest/gtest.h>

#include "published_model.h"
#include "reference_model.h"

namespace vm = vorlane_model;
using vorlane::test::kPublishedColorMatrix;

TEST(ColorMatrix, UnitColoursGiveThePublishedColumns) {
    for (int column = 0; column < 3; ++column) {
        float unit[3] = {0.0f, 0.0f, 0.0f};
        unit[column] = 1.0f;
        const vm::Color out = vm::applyColorMatrix({unit[0], unit[1], unit[2]});
        const float rows[3] = {out.r, out.g, out.b};
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(rows[row], kPublishedColorMatrix[row][column]) << row << ", " << column;
        }
    }
}

TEST(ColorMatrix, WhiteGivesTheRowSumsNearOne) {
    const vm::Color white = vm::applyColorMatrix({1.0f, 1.0f, 1.0f});
    EXPECT_NEAR(white.r, 1.0f, 2e-6f);
    EXPECT_NEAR(white.g, 1.0f, 2e-6f);
    EXPECT_NEAR(white.b, 1.0f, 2e-6f);
}

TEST(ColorMatrix, GeneralColoursAndZeroMatchTheReference) {
    for (const vm::Color c : {vm::Color{0.25f, -2.0f, 8.0f}, vm::Color{1.0f, 1.0f, 1.0f},
                              vm::Color{0.0f, 0.0f, 0.0f}, vm::Color{3e-3f, 0.7f, -1e4f}}) {
        const vm::Color out = vm::applyColorMatrix(c);
        const vorlane::test::Triple expected = vorlane::test::referenceColorMatrix({c.r, c.g, c.b});
        EXPECT_EQ(out.r, expected[0]);
        EXPECT_EQ(out.g, expected[1]);
        EXPECT_EQ(out.b, expected[2]);
    }
}
