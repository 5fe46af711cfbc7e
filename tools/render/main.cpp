// vorlane-render: renders the measured materials through both deliverables.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <vorlane/version.h>

#include "deliverable_paths.h"
#include "gallery.h"
#include "image.h"
#include "label_font.h"
#include "looks.h"
#include "material_paths.h"
#include "preset_names.h"
#include "preview_render.h"
#include "preview_scene.h"
#include "progress.h"
#include "reflectance.h"
#include "tiles.h"

namespace vt = vorlane::tools;

namespace {

constexpr const char* kDescription =
    R"(vorlane-render: preview the seven measured materials of vorlane.

With no options it renders the preset gallery: every preset (columns) through
both deliverables (rows: the vorlane host plug-in, driven through the host,
and the zq4v_vorlane renderer shader, driven through the renderer), each a
sphere on a ground plane under a key light, a fill light and an area light,
written to gallery.png. The rows come in two looks: the deliverables'
defaults (a blue base), and the measured specular alone on a dark neutral
base; a caption under each row says what it shows.

The file name sets the format: .png (8-bit sRGB) or .exr (linear OpenEXR
with R, G and B in 32-bit floats, the rendered values exactly, negative and
very large ones included). Files are written whole or not at all.

--swatches DIR writes one swatch per preset, deliverable and look instead (a
lit sphere on a neutral background), named <preset>_<deliverable>.png, with
_specular before .png for the specular look, for example
blue-paint_vorlane.png. The folder of the output, like DIR, must exist.

--plot FILE.png draws the measured specular reflectance of the presets in the
plane of incidence instead: per preset, red, green and blue for outgoing
angles -90 to 90 degrees at incident angles 0, 30 and 60 degrees, evaluated
by the vorlane plug-in through the host.

The image does not depend on --threads. An option that has no effect with
the others given is refused: --indirect, which only the zq4v_vorlane shader
uses, or --shader-library with --deliverable vorlane; --plugin with
--deliverable zq4v_vorlane; --font (the gallery's labels) with --swatches;
and with --plot every option but --preset and --plugin.

Exit status: 0 when the image, swatches or plot were written; 1 when they
could not be: a missing folder, a font, plug-in or shader library that does
not load, a format this build lacks, or a failed write; 2 for wrong options:
an unknown option or value, options that have no effect together, a file
name that does not end in .png or .exr (.png for --plot), or an unknown
preset.)";

using vt::kPresetNames;

struct Options {
    std::string output = "gallery.png";
    std::string swatches;
    std::string plot;
    std::string look = "both";
    int size = 0;  // 0: the default for the mode
    int samplesPerPixel = 4;
    std::vector<std::string> presets;
    std::string deliverable = "both";
    std::vector<std::string> lights = vt::lightNames();
    bool indirect = false;
    int threads = vt::hardwareThreads();
    std::string plugin = vt::defaultPluginPath();
    std::string shaderLibrary = vt::defaultShaderLibraryPath();
    std::string font = vt::LabelFont::defaultPath();
};

std::string slug(const std::string& name) {
    std::string s;
    for (char c : name) {
        s += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// Preset indices from names (any case, spaces or dashes) or numbers 0 to 6.
bool resolvePresets(const std::vector<std::string>& requested, std::vector<int>& out,
                    std::string& error) {
    if (requested.empty() || (requested.size() == 1 && requested[0] == "all")) {
        for (int i = 0; i < static_cast<int>(kPresetNames.size()); ++i) {
            out.push_back(i);
        }
        return true;
    }
    for (const std::string& r : requested) {
        int found = -1;
        for (int i = 0; i < static_cast<int>(kPresetNames.size()); ++i) {
            if (slug(r) == slug(kPresetNames[static_cast<std::size_t>(i)]) ||
                r == std::to_string(i)) {
                found = i;
            }
        }
        if (found < 0) {
            error = "unknown preset '" + r + "' (use a name such as \"Red Clay\", or 0 to 6)";
            return false;
        }
        if (std::find(out.begin(), out.end(), found) == out.end()) {
            out.push_back(found);
        }
    }
    return true;
}

// Fails early, before any rendering, when `path` cannot be written.
bool checkWritable(const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    const fs::path p(path);
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = "cannot write '" + path + "': no directory '" + dir.string() + "'";
        return false;
    }
    if (fs::is_directory(p, ec)) {
        error = "cannot write '" + path + "': it is a directory";
        return false;
    }
    const bool exists = fs::exists(p, ec);
    if (access((exists ? p : dir).c_str(), W_OK) != 0) {
        error = "cannot write '" + path + "': permission denied";
        return false;
    }
    return true;
}

struct Paths {
    std::unique_ptr<vt::HostNodePath> node;
    std::unique_ptr<vt::RendererShaderPath> shader;
};

std::unique_ptr<vt::Material> makeMaterial(Paths& paths, vt::Deliverable d, int preset,
                                           vt::Look look, const vt::PreviewScene& scene,
                                           int threads, std::string& error) {
    const vt::MaterialSettings settings = vt::lookSettings(look);
    return d == vt::Deliverable::HostNode
               ? paths.node->material(preset, settings, scene, threads, error)
               : paths.shader->material(preset, settings, scene, error);
}

int fail(const std::string& message, vt::Progress* progress = nullptr) {
    if (progress != nullptr) {
        progress->endLine();
    }
    std::cerr << "vorlane-render: " << message << "\n";
    return 1;
}

// Wrong options: the same exit status as CLI11's own option errors get here.
constexpr int kUsageError = 2;

int usageError(const std::string& message) {
    std::cerr << "vorlane-render: " << message << "\n";
    return kUsageError;
}

// An option given for the deliverable that --deliverable leaves out, which
// would do nothing: the message naming both, or empty.
std::string optionWithoutEffect(const CLI::App& app, const std::string& deliverable) {
    const struct {
        const char* option;
        const char* deliverable;  // the only deliverable the option acts on
    } deliverableOptions[] = {
        {"--indirect", "zq4v_vorlane"},
        {"--shader-library", "zq4v_vorlane"},
        {"--plugin", "vorlane"},
    };
    for (const auto& [option, usedBy] : deliverableOptions) {
        if (app.count(option) > 0 && deliverable != "both" && deliverable != usedBy) {
            return std::string(option) + " has no effect with --deliverable " + deliverable +
                   ": only " + usedBy + " uses it";
        }
    }
    return {};
}

// The reflectance plot of the chosen presets, through the host node.
int writePlot(const Options& o, const std::vector<int>& presets) {
    std::string error;
    if (vt::imageFormatOf(o.plot) != vt::ImageFormat::Png) {
        return usageError("cannot write '" + o.plot + "': the plot's file name must end in .png");
    }
    if (!vt::plotSupported()) {
        return fail("this build cannot draw plots (built without PLplot)");
    }
    if (!checkWritable(o.plot, error)) {
        return fail(error);
    }
    vt::HostNodePath node(o.plugin);
    if (!node.ok()) {
        return fail(node.error());
    }
    std::vector<vt::PresetReflectance> curves;
    for (int p : presets) {
        curves.push_back({kPresetNames[static_cast<std::size_t>(p)], {}});
        if (!vt::measureReflectance(node, p, curves.back(), error)) {
            return fail(error);
        }
    }
    return vt::writeReflectancePlot(curves, o.plot, error) ? 0 : fail(error);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    CLI::App app(kDescription, "vorlane-render");
    app.set_version_flag("--version", std::string("vorlane-render ") + VORLANE_VERSION);
    auto* outputOption =
        app.add_option("-o,--output", o.output,
                       "image to write: .png, or .exr for linear 32-bit float OpenEXR")
            ->capture_default_str();
    auto* swatchOption = app.add_option(
        "--swatches", o.swatches, "write one swatch per preset, deliverable and look here instead");
    auto* plotOption = app.add_option(
        "--plot", o.plot, "draw the presets' measured reflectance into this .png instead");
    swatchOption->excludes(outputOption);
    plotOption->excludes(outputOption)->excludes(swatchOption);
    app.add_option("--look", o.look, "both, default (blue base) or specular (dark neutral base)")
        ->check(CLI::IsMember(vt::lookNames()))
        ->capture_default_str();
    app.add_option("-s,--size", o.size, "pixels per view side (default 160, swatches 128)")
        ->check(CLI::Range(8, 4096));
    app.add_option("--spp", o.samplesPerPixel, "samples per pixel")
        ->check(CLI::Range(1, 1024))
        ->capture_default_str();
    app.add_option("-p,--preset", o.presets,
                   "preset name or index 0-6, repeatable (default: all seven)");
    app.add_option("-d,--deliverable", o.deliverable, "vorlane, zq4v_vorlane or both")
        ->check(CLI::IsMember({"both", "vorlane", "zq4v_vorlane"}))
        ->capture_default_str();
    app.add_option("-l,--lights", o.lights, "light set, any of key, fill, area")
        ->delimiter(',')
        ->check(CLI::IsMember(vt::lightNames()))
        ->capture_default_str();
    app.add_flag("--indirect", o.indirect,
                 "renderer shader: add indirect sky irradiance through mi_compute_irradiance");
    app.add_option("-j,--threads", o.threads, "render threads (default: all cores)")
        ->check(CLI::Range(1, 1024))
        ->capture_default_str();
    app.add_option("--plugin", o.plugin,
                   "the vorlane host plug-in (default: " + vt::pluginDefaultText() + ")");
    app.add_option(
        "--shader-library", o.shaderLibrary,
        "the zq4v_vorlane shader library (default: " + vt::shaderLibraryDefaultText() + ")");
    app.add_option("--font", o.font, "TrueType font for the gallery labels")->capture_default_str();
    for (const char* renderOnly : {"--size", "--spp", "--deliverable", "--lights", "--indirect",
                                   "--look", "--font", "--shader-library", "--threads"}) {
        plotOption->excludes(renderOnly);
    }
    swatchOption->excludes("--font");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kUsageError;
    }
    if (const std::string unused = optionWithoutEffect(app, o.deliverable); !unused.empty()) {
        return usageError(unused);
    }

    std::string error;
    std::vector<int> presets;
    if (!resolvePresets(o.presets, presets, error)) {
        return usageError(error);
    }
    if (!o.plot.empty()) {
        return writePlot(o, presets);
    }
    std::vector<vt::Deliverable> deliverables;
    if (o.deliverable != "zq4v_vorlane") {
        deliverables.push_back(vt::Deliverable::HostNode);
    }
    if (o.deliverable != "vorlane") {
        deliverables.push_back(vt::Deliverable::RendererShader);
    }
    // Rows: each look, each deliverable within it.
    std::vector<std::pair<vt::Look, vt::Deliverable>> rows;
    for (vt::Look look : vt::looksNamed(o.look)) {
        for (vt::Deliverable d : deliverables) {
            rows.emplace_back(look, d);
        }
    }
    const bool swatches = !o.swatches.empty();
    vt::RenderSettings settings;
    settings.size = o.size > 0 ? o.size : (swatches ? 128 : 160);
    settings.samplesPerPixel = o.samplesPerPixel;
    settings.threads = o.threads;
    settings.swatch = swatches;

    if (swatches) {
        // A missing folder is refused as it is for --output, not created.
        std::error_code ec;
        if (!std::filesystem::is_directory(o.swatches, ec)) {
            return fail("cannot write swatches to '" + o.swatches + "': no directory '" +
                        o.swatches + "'");
        }
        if (!checkWritable((std::filesystem::path(o.swatches) / "x.png").string(), error)) {
            return fail("cannot write swatches to '" + o.swatches + "': permission denied");
        }
    } else if (!vt::imageFormatOf(o.output)) {
        return usageError("cannot write '" + o.output +
                          "': the file name must end in .png or .exr");
    } else if (vt::imageFormatOf(o.output) == vt::ImageFormat::Exr && !vt::exrSupported()) {
        return fail("cannot write '" + o.output + "': this build has no OpenEXR support");
    } else if (!checkWritable(o.output, error)) {
        return fail(error);
    }

    Paths paths;
    for (vt::Deliverable d : deliverables) {
        if (d == vt::Deliverable::HostNode) {
            paths.node = std::make_unique<vt::HostNodePath>(o.plugin);
            if (!paths.node->ok()) {
                return fail(paths.node->error());
            }
        } else {
            paths.shader = std::make_unique<vt::RendererShaderPath>(o.shaderLibrary, o.indirect);
            if (!paths.shader->ok()) {
                return fail(paths.shader->error());
            }
        }
    }

    const vt::PreviewScene scene = vt::makePreviewScene(o.lights, swatches);
    const long views = static_cast<long>(presets.size() * rows.size());
    vt::Progress progress(swatches ? "swatches" : "gallery", views * vt::tilesPerView(settings));

    std::vector<vt::GalleryRow> galleryRows;
    for (const auto& [look, d] : rows) {
        galleryRows.push_back({vt::rowLabel(d), vt::rowCaption(look, d)});
    }
    std::vector<std::string> columnLabels;
    for (int p : presets) {
        columnLabels.push_back(kPresetNames[static_cast<std::size_t>(p)]);
    }
    const vt::LabelFont font(o.font, vt::labelPixels(settings.size));
    if (!swatches && !font.ok()) {
        return fail(font.error() + " (choose one with --font)");
    }
    const vt::GalleryLayout layout =
        vt::galleryLayout(font, settings.size, static_cast<int>(presets.size()), galleryRows);
    vt::Image gallery =
        swatches ? vt::Image() : vt::labelledGallery(layout, font, galleryRows, columnLabels);

    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto [look, deliverable] = rows[r];
        for (std::size_t c = 0; c < presets.size(); ++c) {
            auto material =
                makeMaterial(paths, deliverable, presets[c], look, scene, o.threads, error);
            if (material == nullptr) {
                return fail(error, &progress);
            }
            const vt::Image view = vt::renderView(scene, *material, settings, &progress);
            if (swatches) {
                const std::string name = slug(kPresetNames[static_cast<std::size_t>(presets[c])]) +
                                         "_" + vt::deliverableName(deliverable) +
                                         (look == vt::Look::SpecularAlone ? "_specular" : "") +
                                         ".png";
                if (!vt::writePng(view, (std::filesystem::path(o.swatches) / name).string(),
                                  error)) {
                    return fail(error, &progress);
                }
            } else {
                gallery.paste(view, layout.cellX(static_cast<int>(c)),
                              layout.cellY(static_cast<int>(r)));
            }
        }
    }
    if (!swatches && !vt::writeImage(gallery, o.output, error)) {
        return fail(error, &progress);
    }
    return 0;
}
