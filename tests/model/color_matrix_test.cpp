#include <vorlane/model/color_matrix.h>

#include <gtest/gtest.h>

namespace vm = vorlane_model;

TEST(ColorMatrix, UnitColoursGiveTheColumns) {
    const vm::Color red = vm::applyColorMatrix({1.0f, 0.0f, 0.0f});
    EXPECT_EQ(red.r, 1.063302f);
    EXPECT_EQ(red.g, -0.298125f);
    EXPECT_EQ(red.b, -1.322302f);

    const vm::Color green = vm::applyColorMatrix({0.0f, 1.0f, 0.0f});
    EXPECT_EQ(green.r, 0.382044f);
    EXPECT_EQ(green.g, 1.667665f);
    EXPECT_EQ(green.b, -0.446321f);

    const vm::Color blue = vm::applyColorMatrix({0.0f, 0.0f, 1.0f});
    EXPECT_EQ(blue.r, -0.445346f);
    EXPECT_EQ(blue.g, -0.36954f);
    EXPECT_EQ(blue.b, 2.768624f);
}

TEST(ColorMatrix, WhiteGivesTheRowSumsNearOne) {
    const vm::Color white = vm::applyColorMatrix({1.0f, 1.0f, 1.0f});
    EXPECT_NEAR(white.r, 1.0f, 2e-6f);
    EXPECT_NEAR(white.g, 1.0f, 2e-6f);
    EXPECT_NEAR(white.b, 1.0f, 2e-6f);
    // Rows summed left to right in single precision.
    EXPECT_EQ(white.b, (-1.322302f + -0.446321f) + 2.768624f);
}

TEST(ColorMatrix, GeneralColourAndZero) {
    const vm::Color c{0.25f, -2.0f, 8.0f};
    const vm::Color out = vm::applyColorMatrix(c);
    EXPECT_EQ(out.r, 1.063302f * 0.25f + 0.382044f * -2.0f + -0.445346f * 8.0f);
    EXPECT_EQ(out.g, -0.298125f * 0.25f + 1.667665f * -2.0f + -0.36954f * 8.0f);
    EXPECT_EQ(out.b, -1.322302f * 0.25f + -0.446321f * -2.0f + 2.768624f * 8.0f);

    const vm::Color zero = vm::applyColorMatrix({0.0f, 0.0f, 0.0f});
    EXPECT_EQ(zero.r, 0.0f);
    EXPECT_EQ(zero.g, 0.0f);
    EXPECT_EQ(zero.b, 0.0f);
}
