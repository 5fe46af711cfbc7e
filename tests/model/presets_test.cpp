#include <vorlane/model/presets.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <string>

namespace vm = vorlane_model;

namespace {

const vm::LobeCoefficientBlock& preset(int index) {
    const vm::LobeCoefficientBlock* block = vm::findPreset(index);
    EXPECT_NE(block, nullptr) << "preset " << index;
    return *block;
}

}  // namespace

TEST(Presets, BlocksAreStoredLobeByLobeChannelByChannel) {
    // Element k: lobe k/9, channel (k%9)/3, value k%3 (Cxy, Cz, n).
    const auto& bluePaint = preset(0);
    EXPECT_EQ(bluePaint.values[0], 0.870567f);
    EXPECT_EQ(bluePaint.values[1], 0.803624f);
    EXPECT_EQ(bluePaint.values[2], 21.820103f);
    EXPECT_EQ(bluePaint.values[5], 18.597755f);
    EXPECT_EQ(bluePaint.values[9], -0.451218f);
    EXPECT_EQ(bluePaint.values[26], 57.48918f);
    EXPECT_EQ(bluePaint.cz(2, 1), 0.69653f);

    const auto& grayPrimer = preset(1);
    EXPECT_EQ(grayPrimer.cxy(0, 0), -0.399286f);
    EXPECT_EQ(grayPrimer.cz(0, 2), -0.068002f);
    EXPECT_EQ(grayPrimer.exponent(2, 0), 31.89972f);

    EXPECT_EQ(preset(5).cxy(0, 0), -1.131747f);
    EXPECT_EQ(preset(6).exponent(1, 2), 31.002562f);
}

TEST(Presets, IndianMaleThirdLobeIsEmpty) {
    const auto& indianMale = preset(6);
    for (int c = 0; c < vm::kChannelCount; ++c) {
        EXPECT_EQ(indianMale.cxy(2, c), 0.0f);
        EXPECT_EQ(indianMale.cz(2, c), 0.0f);
        EXPECT_EQ(indianMale.exponent(2, c), 1.0f);
    }
}

TEST(Presets, FeltRelations) {
    const auto& blackFelt = preset(3);
    const auto& blueFelt = preset(4);
    for (int lobe = 0; lobe < vm::kLobeCount; ++lobe) {
        for (int c = 1; c < vm::kChannelCount; ++c) {
            EXPECT_EQ(blackFelt.cxy(lobe, c), blackFelt.cxy(lobe, 0));
            EXPECT_EQ(blackFelt.cz(lobe, c), blackFelt.cz(lobe, 0));
            EXPECT_EQ(blackFelt.exponent(lobe, c), blackFelt.exponent(lobe, 0));
        }
    }
    // Blue Felt's green equals Black Felt in lobes 1 and 2 ...
    for (int lobe = 0; lobe < 2; ++lobe) {
        EXPECT_EQ(blueFelt.cxy(lobe, 1), blackFelt.cxy(lobe, 1));
        EXPECT_EQ(blueFelt.cz(lobe, 1), blackFelt.cz(lobe, 1));
        EXPECT_EQ(blueFelt.exponent(lobe, 1), blackFelt.exponent(lobe, 1));
    }
    // ... but in lobe 3 only the sign of Cxy differs.
    EXPECT_EQ(blackFelt.cxy(2, 1), 1.004921f);
    EXPECT_EQ(blueFelt.cxy(2, 1), -1.004921f);
    EXPECT_EQ(blueFelt.cz(2, 1), blackFelt.cz(2, 1));
    EXPECT_EQ(blueFelt.exponent(2, 1), blackFelt.exponent(2, 1));
}

TEST(Presets, ExponentExtremes) {
    float largest = 0.0f;
    float smallest = 1e9f;
    int largestAt = -1;
    int smallestAt = -1;
    for (int p = 0; p < vm::kPresetCount; ++p) {
        for (int k = 2; k < 27; k += 3) {
            const float n = preset(p).values[static_cast<std::size_t>(k)];
            if (n > largest) {
                largest = n;
                largestAt = p * 27 + k;
            }
            if (n != 1.0f && n < smallest) {
                smallest = n;
                smallestAt = p * 27 + k;
            }
        }
    }
    EXPECT_EQ(largest, 201.0468f);
    EXPECT_EQ(largestAt, 2 * 27 + 26);  // Red Clay, lobe 3, blue
    EXPECT_EQ(smallest, 1.194497f);
    EXPECT_EQ(smallestAt, 4 * 27 + 8);  // Blue Felt, lobe 1, blue
}

TEST(Presets, NamesByIndex) {
    const char* expected[] = {"Blue Paint", "Gray Primer",    "Red Clay",   "Black Felt",
                              "Blue Felt",  "Caucasian Male", "Indian Male"};
    for (int i = 0; i < vm::kPresetCount; ++i) {
        ASSERT_NE(vm::presetName(i), nullptr);
        EXPECT_STREQ(vm::presetName(i), expected[i]);
        EXPECT_EQ(vm::presetIndexByName(expected[i]), i);
    }
    EXPECT_EQ(vm::presetIndexByName("blue paint"), -1);
    EXPECT_EQ(vm::presetIndexByName(""), -1);
    EXPECT_EQ(vm::presetIndexByName(nullptr), -1);
}

TEST(Presets, DeclarationOrderDiffersFromIndexOrder) {
    const auto& order = vm::presetDeclarationOrder();
    const std::pair<std::string, int> expected[] = {
        {"Caucasian Male", 5}, {"Indian Male", 6}, {"Black Felt", 3}, {"Blue Felt", 4},
        {"Gray Primer", 1},    {"Blue Paint", 0},  {"Red Clay", 2},
    };
    ASSERT_EQ(order.size(), 7u);
    std::set<int> seen;
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i].name, expected[i].first) << "declared " << i;
        EXPECT_EQ(order[i].index, expected[i].second) << "declared " << i;
        EXPECT_STREQ(vm::presetName(order[i].index), order[i].name);
        seen.insert(order[i].index);
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(Presets, OnlyIndicesZeroToSixSelectABlock) {
    for (long long i = INT16_MIN; i <= INT16_MAX; ++i) {
        const bool valid = i >= 0 && i <= 6;
        EXPECT_EQ(vm::findPreset(i) != nullptr, valid) << i;
        EXPECT_EQ(vm::presetName(i) != nullptr, valid) << i;
    }
    for (long long i : {static_cast<long long>(INT32_MIN), -65536LL, 65536LL, 1LL << 31,
                        static_cast<long long>(INT32_MAX), static_cast<long long>(UINT32_MAX),
                        LLONG_MIN, LLONG_MAX}) {
        EXPECT_EQ(vm::findPreset(i), nullptr) << i;
        EXPECT_EQ(vm::presetName(i), nullptr) << i;
    }
    // Distinct indices select distinct blocks.
    std::set<const vm::LobeCoefficientBlock*> blocks;
    for (int i = 0; i < vm::kPresetCount; ++i) {
        blocks.insert(vm::findPreset(i));
    }
    EXPECT_EQ(blocks.size(), 7u);
}
