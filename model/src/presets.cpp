#include "vorlane/model/presets.h"

#include <cstddef>

namespace vorlane_model {
namespace {

// Measured coefficients, stored exactly as measured, one block per preset index.
// Each row of a block is one lobe: red Cxy, Cz, n, green Cxy, Cz, n, blue Cxy, Cz, n.
// clang-format off
const LobeCoefficientBlock kPresets[kPresetCount] = {
    // 0 "Blue Paint"
    {{
        0.870567f, 0.803624f, 21.820103f, 0.857255f, 0.77429f, 18.597755f, 0.670982f, 0.586674f, 7.472717f,
        -0.451218f, 0.023123f, 2.774499f, -0.406681f, 0.017625f, 2.581499f, -0.477976f, 0.227295f, 3.677653f,
        -1.031545f, 0.706734f, 66.89906f, -1.029426f, 0.69653f, 63.767914f, -1.026588f, 0.687715f, 57.48918f
    }},
    // 1 "Gray Primer"
    {{
        -0.399286f, 0.167504f, 2.466633f, -1.033473f, 0.009545f, 7.637253f, -1.058104f, -0.068002f, 8.117645f,
        -1.041861f, 0.014375f, 7.993722f, -1.100108f, -0.198147f, 29.446268f, -1.087779f, -0.053605f, 41.98899f,
        -1.098605f, -0.14511f, 31.89972f, -0.379883f, 0.159127f, 2.372852f, -0.449038f, 0.173224f, 2.636161f
    }},
    // 2 "Red Clay"
    {{
        -1.089701f, -1.354682f, 17.968506f, -1.102701f, -2.714801f, 11.024489f, -1.107603f, -1.569866f, 21.270283f,
        -0.733381f, 0.676108f, 8.219745f, -0.79332f, 0.679314f, 9.055139f, -0.848206f, 0.726031f, 11.261951f,
        -1.010548f, 0.910783f, 152.9128f, -1.012378f, 0.885239f, 141.93716f, -1.011263f, 0.892451f, 201.0468f
    }},
    // 3 "Black Felt"
    {{
        -0.304075f, -0.065992f, 3.047892f, -0.304075f, -0.065992f, 3.047892f, -0.304075f, -0.065992f, 3.047892f,
        -0.749561f, -1.167929f, 6.931827f, -0.749561f, -1.167929f, 6.931827f, -0.749561f, -1.167929f, 6.931827f,
        1.004921f, -0.205529f, 94.11733f, 1.004921f, -0.205529f, 94.11733f, 1.004921f, -0.205529f, 94.11733f
    }},
    // 4 "Blue Felt"
    {{
        -0.277165f, -0.093227f, 2.799133f, -0.304075f, -0.065992f, 3.047892f, -0.027758f, -0.020082f, 1.194497f,
        -0.750466f, -1.130948f, 6.860946f, -0.749561f, -1.167929f, 6.931827f, -0.741817f, -0.806141f, 6.484858f,
        -1.001165f, -0.476192f, 69.05333f, -1.004921f, -0.205529f, 94.11733f, -1.007235f, -0.249148f, 94.09483f
    }},
    // 5 "Caucasian Male"
    {{
        -1.131747f, -1.209182f, 6.421658f, -1.016939f, -1.462488f, 3.699932f, -0.966018f, -1.222419f, 3.524889f,
        -0.54657f, 0.380123f, 3.685044f, -0.643533f, 0.410559f, 4.266495f, -0.638934f, 0.437367f, 4.539742f,
        -0.998888f, 0.857998f, 64.20849f, -1.020153f, 0.703913f, 63.919685f, -1.027479f, 0.573625f, 43.809868f
    }},
    // 6 "Indian Male"
    {{
        -0.418599f, 0.399808f, 3.327653f, -0.418849f, 0.397372f, 3.502029f, -0.663313f, 0.591432f, 5.78286f,
        -1.030919f, 0.832314f, 28.298368f, -1.030556f, 0.823648f, 25.76676f, -1.042135f, 0.79707f, 31.002562f,
        0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f
    }},
};
// clang-format on

const PresetField kDeclarationOrder[kPresetCount] = {
    {"Caucasian Male", 5}, {"Indian Male", 6}, {"Black Felt", 3}, {"Blue Felt", 4},
    {"Gray Primer", 1},    {"Blue Paint", 0},  {"Red Clay", 2},
};

bool isPresetIndex(long index) {
    return index >= 0 && index < kPresetCount;
}

}  // namespace

const LobeCoefficientBlock* findPreset(long index) {
    return isPresetIndex(index) ? &kPresets[index] : NULL;
}

const PresetField* presetDeclarationOrder() {
    return kDeclarationOrder;
}

}  // namespace vorlane_model
