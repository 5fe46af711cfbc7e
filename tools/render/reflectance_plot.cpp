// Draws the reflectance plot with PLplot's cairo memory driver into an RGBA
// buffer, which is then written as a PNG like every other image.
#include <plplot.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "reflectance.h"
#include "replace_file.h"

namespace vorlane::tools {
namespace {

constexpr int kWidth = 1400;
constexpr int kHeight = 760;
constexpr const char* kDevice = "memcairo";

// Colour map 0 entries.
enum Ink { kBackground = 0, kAxes = 1, kRed = 2, kGreen = 3, kBlue = 4, kGrid = 5 };
// Line style per incident angle: solid, long dashes, short dashes.
constexpr PLINT kStyles[] = {1, 4, 2};
constexpr const char* kIncidentLabels[] = {"incident 0 degrees", "incident 30 degrees",
                                           "incident 60 degrees"};

bool deviceInstalled() {
    // plgDevs fills arrays that the caller provides, up to their size.
    std::vector<const char*> menu(256);
    std::vector<const char*> names(256);
    int count = static_cast<int>(names.size());
    const char** menuData = menu.data();
    const char** nameData = names.data();
    plgDevs(&menuData, &nameData, &count);
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(names[static_cast<std::size_t>(i)], kDevice) == 0) {
            return true;
        }
    }
    return false;
}

void drawPanel(const PresetReflectance& preset) {
    const std::vector<float>& outgoing = outgoingDegrees();
    float low = 0.0f;
    float high = 0.0f;
    for (const std::vector<Rgb>& curve : preset.values) {
        for (const Rgb& c : curve) {
            low = std::min({low, c.r, c.g, c.b});
            high = std::max({high, c.r, c.g, c.b});
        }
    }
    if (high - low <= 0.0f) {
        high = low + 1.0f;
    }
    const PLFLT margin = 0.05 * (high - low);
    pladv(0);
    plvsta();
    plwind(-90.0, 90.0, low - (low < 0.0f ? margin : 0.0), high + margin);
    plcol0(kGrid);
    pllsty(1);
    plbox("g", 45.0, 0, "g", 0.0, 0);
    plcol0(kAxes);
    plbox("bcnst", 45.0, 3, "bcnstv", 0.0, 0);
    pllab("outgoing angle (degrees)", "reflectance", preset.name.c_str());

    std::vector<PLFLT> x(outgoing.begin(), outgoing.end());
    std::vector<PLFLT> y(x.size());
    for (std::size_t i = 0; i < preset.values.size(); ++i) {
        pllsty(kStyles[i]);
        for (int channel = 0; channel < 3; ++channel) {
            const std::vector<Rgb>& curve = preset.values[i];
            for (std::size_t k = 0; k < curve.size(); ++k) {
                const Rgb& c = curve[k];
                y[k] = channel == 0 ? c.r : channel == 1 ? c.g : c.b;
            }
            plcol0(kRed + channel);
            plwidth(1.6);
            plline(static_cast<PLINT>(x.size()), x.data(), y.data());
        }
    }
    pllsty(1);
    plwidth(1.0);
}

void drawKey() {
    pladv(0);
    plvpor(0.05, 0.95, 0.05, 0.95);
    plwind(0.0, 1.0, 0.0, 1.0);
    const char* channels[] = {"red", "green", "blue"};
    PLFLT y = 0.97;
    for (int channel = 0; channel < 3; ++channel, y -= 0.08) {
        plcol0(kRed + channel);
        pljoin(0.02, y, 0.2, y);
        plcol0(kAxes);
        plptex(0.25, y, 1.0, 0.0, 0.0, channels[channel]);
    }
    for (int i = 0; i < 3; ++i, y -= 0.08) {
        plcol0(kAxes);
        pllsty(kStyles[i]);
        pljoin(0.02, y, 0.2, y);
        pllsty(1);
        plptex(0.25, y, 1.0, 0.0, 0.0, kIncidentLabels[i]);
    }
    const char* notes[] = {
        "The vorlane node's specular colour",   "for a white light of intensity 1",
        "over the cosine of incidence: the",    "colour matrix times the lobe sum.",
        "Light at -incident, mirror direction", "at +incident, in the plane of incidence."};
    y -= 0.04;
    plschr(0.0, 0.75);
    for (const char* note : notes) {
        plptex(0.02, y, 1.0, 0.0, 0.0, note);
        y -= 0.06;
    }
}

}  // namespace

bool plotSupported() {
    return true;
}

bool writeReflectancePlot(const std::vector<PresetReflectance>& presets, const std::string& path,
                          std::string& error) {
    if (!deviceInstalled()) {
        error = std::string("cannot draw the plot: PLplot's ") + kDevice +
                " driver is not installed (Debian package plplot-driver-cairo)";
        return false;
    }
    std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4, 255);
    plsdev(kDevice);
    plsmema(kWidth, kHeight, rgba.data());
    plscolbg(255, 255, 255);
    plscol0(kAxes, 0, 0, 0);
    plscol0(kRed, 210, 40, 40);
    plscol0(kGreen, 30, 150, 50);
    plscol0(kBlue, 40, 70, 220);
    plscol0(kGrid, 215, 215, 215);
    const int panels = static_cast<int>(presets.size()) + 1;
    const int columns = std::min(panels, 4);
    plssub(columns, (panels + columns - 1) / columns);
    plinit();
    plschr(0.0, 0.9);
    for (const PresetReflectance& preset : presets) {
        drawPanel(preset);
    }
    drawKey();
    plend();

    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    }
    std::vector<unsigned char> png;
    if (!encodePng(kWidth, kHeight, rgb, png, error)) {
        error = "cannot write '" + path + "': " + error;
        return false;
    }
    return replaceFile(path, png, error);
}

}  // namespace vorlane::tools
