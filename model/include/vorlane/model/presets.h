// The seven measured materials: lobe coefficient blocks, names and the order in
// which the host node declares them.
#pragma once

#include <array>
#include <cstddef>

namespace vorlane_model {

constexpr int kPresetCount = 7;
constexpr int kLobeCount = 3;
constexpr int kChannelCount = 3;
constexpr std::size_t kLobeCoefficientCount = 27;

// Three lobes; in each lobe red, green, blue; in each channel Cxy, Cz, n.
struct LobeCoefficientBlock {
    std::array<float, kLobeCoefficientCount> values;

    float cxy(int lobe, int channel) const { return values[lobe * 9 + channel * 3]; }
    float cz(int lobe, int channel) const { return values[lobe * 9 + channel * 3 + 1]; }
    float exponent(int lobe, int channel) const { return values[lobe * 9 + channel * 3 + 2]; }
};

struct PresetField {
    const char* name;
    short index;
};

// The block of preset `index`, or nullptr when the index names no preset. Every
// int (and so every 16- or 32-bit preset value) is a valid argument.
const LobeCoefficientBlock* findPreset(long long index) noexcept;

// Display name of preset `index`, or nullptr when the index names no preset.
const char* presetName(long long index) noexcept;

// Index of the preset called `name`, or -1 when no preset has that name.
int presetIndexByName(const char* name) noexcept;

// Name/index pairs in the order the host node declares its enumeration fields.
const std::array<PresetField, kPresetCount>& presetDeclarationOrder() noexcept;

}  // namespace vorlane_model
