// The seven measured materials: lobe coefficient blocks, names and the order in
// which the host node declares them.
#pragma once

#include <cstddef>

namespace vorlane_model {

const int kPresetCount = 7;
const int kLobeCount = 3;
const int kChannelCount = 3;
const std::size_t kLobeCoefficientCount = 27;

// Three lobes; in each lobe red, green, blue; in each channel Cxy, Cz, n.
struct LobeCoefficientBlock {
    float values[kLobeCoefficientCount];

    float cxy(int lobe, int channel) const { return values[lobe * 9 + channel * 3]; }
    float cz(int lobe, int channel) const { return values[lobe * 9 + channel * 3 + 1]; }
    float exponent(int lobe, int channel) const { return values[lobe * 9 + channel * 3 + 2]; }
};

// A field of the host node's preset enumeration: its name and the index it
// selects.
struct PresetField {
    const char* name;
    short index;
};

// The block of preset `index`, or null when the index names no preset. Every
// long (and so every 16- or 32-bit preset value) is a valid argument.
const LobeCoefficientBlock* findPreset(long index);

// The kPresetCount name/index pairs in the order the host node declares its
// enumeration fields.
const PresetField* presetDeclarationOrder();

}  // namespace vorlane_model
