#include <vorlane/model/presets.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>

#include "published_model.h"

namespace vm = vorlane_model;

namespace {

const vm::LobeCoefficientBlock& preset(int index) {
    const vm::LobeCoefficientBlock* block = vm::findPreset(index);
    EXPECT_NE(block, nullptr) << "preset " << index;
    return *block;
}

}  // namespace

TEST(Presets, EveryCoefficientIsThePublishedValueInBlockOrder) {
    // Element k: lobe k/9, channel (k%9)/3, value k%3 (Cxy, Cz, n).
    for (int p = 0; p < vm::kPresetCount; ++p) {
        const float* published = vorlane::test::kPublishedPresets[p];
        for (int k = 0; k < 27; ++k) {
            EXPECT_EQ(preset(p).values[static_cast<std::size_t>(k)], published[k])
                << "preset " << p << " element " << k;
        }
        for (int lobe = 0; lobe < vm::kLobeCount; ++lobe) {
            for (int c = 0; c < vm::kChannelCount; ++c) {
                EXPECT_EQ(preset(p).cxy(lobe, c), published[lobe * 9 + c * 3]);
                EXPECT_EQ(preset(p).cz(lobe, c), published[lobe * 9 + c * 3 + 1]);
                EXPECT_EQ(preset(p).exponent(lobe, c), published[lobe * 9 + c * 3 + 2]);
            }
        }
    }
}

// Relations between published values, so that a value mistyped alike in the
// model and in the published copy above still shows.
TEST(Presets, PublishedRelationsHold) {
    const auto& blackFelt = preset(3);
    const auto& blueFelt = preset(4);
    for (std::size_t k = 0; k < 27; ++k) {
        EXPECT_EQ(blackFelt.values[k], blackFelt.values[k / 9 * 9 + k % 3]) << k;  // grey lobes
        if (k < 18 && k % 9 / 3 == 1) {  // Blue Felt green is Black Felt in lobes 1 and 2
            EXPECT_EQ(blueFelt.values[k], blackFelt.values[k]) << k;
        }
        if (k >= 18) {  // Indian Male's third lobe is empty
            EXPECT_EQ(preset(6).values[k], k % 3 == 2 ? 1.0f : 0.0f) << k;
        }
    }
    float smallest = 1e9f;
    for (int p = 0; p < vm::kPresetCount; ++p) {
        for (std::size_t k = 2; k < 27; k += 3) {
            const float n = preset(p).values[k];
            smallest = n != 1.0f && n < smallest ? n : smallest;
            EXPECT_LE(n, preset(2).exponent(2, 2));
        }
    }
    EXPECT_EQ(preset(2).exponent(2, 2), 201.0468f);  // Red Clay, lobe 3, blue
    EXPECT_EQ(smallest, 1.194497f);
    EXPECT_EQ(blueFelt.exponent(0, 2), 1.194497f);  // Blue Felt, lobe 1, blue
    // Lobe 3 green: only the sign of Cxy differs between the felts.
    EXPECT_EQ(blackFelt.cxy(2, 1), 1.004921f);
    EXPECT_EQ(blueFelt.cxy(2, 1), -1.004921f);
    EXPECT_EQ(blueFelt.cz(2, 1), blackFelt.cz(2, 1));
    EXPECT_EQ(blueFelt.exponent(2, 1), blackFelt.exponent(2, 1));
}

TEST(Presets, OnlyIndicesZeroToSixSelectABlock) {
    for (long long i = INT16_MIN; i <= INT16_MAX; ++i) {
        const bool valid = i >= 0 && i <= 6;
        EXPECT_EQ(vm::findPreset(i) != nullptr, valid) << i;
    }
    // The lookup takes a long, 32 bits on Windows and 64 on Linux.
    for (long i : {static_cast<long>(INT32_MIN), -65536L, 65536L, static_cast<long>(INT32_MAX),
                   LONG_MIN, LONG_MAX}) {
        EXPECT_EQ(vm::findPreset(i), nullptr) << i;
    }
    // Distinct indices select distinct blocks.
    std::set<const vm::LobeCoefficientBlock*> blocks;
    for (int i = 0; i < vm::kPresetCount; ++i) {
        blocks.insert(vm::findPreset(i));
    }
    EXPECT_EQ(blocks.size(), 7u);
}
