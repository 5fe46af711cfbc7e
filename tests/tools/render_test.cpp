// vorlane-render end to end: the gallery's layout and contents (each pixel
// what the probe answers for its shading sample), determinism across thread
// counts, swatches, OpenEXR, the plot and the failure paths.
#include <gtest/gtest.h>
#include <vorlane_host/host_runtime.h>
#include <vorlane_renderer/vorlane_parameters.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "camera.h"
#include "gallery.h"
#include "image.h"
#include "label_font.h"
#include "looks.h"
#include "preset_names.h"
#include "preview_render.h"
#include "preview_scene.h"
#include "progress.h"
#include "reflectance.h"
#include "run_command.h"

#ifdef VORLANE_TEST_OPENEXR
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#endif

using vorlane::test::runCommand;
namespace vt = vorlane::tools;
namespace fs = std::filesystem;

namespace {

constexpr int kCell = 48;

// The gallery's rows in order: each look, each deliverable within it.
std::vector<std::pair<vt::Look, vt::Deliverable>> galleryRows() {
    std::vector<std::pair<vt::Look, vt::Deliverable>> rows;
    for (vt::Look look : {vt::Look::Default, vt::Look::SpecularAlone}) {
        for (vt::Deliverable d : {vt::Deliverable::HostNode, vt::Deliverable::RendererShader}) {
            rows.emplace_back(look, d);
        }
    }
    return rows;
}

vt::GalleryLayout layoutFor(int columns,
                            const std::vector<std::pair<vt::Look, vt::Deliverable>>& rows) {
    const vt::LabelFont font(vt::LabelFont::defaultPath(), vt::labelPixels(kCell));
    EXPECT_TRUE(font.ok()) << font.error();
    std::vector<vt::GalleryRow> labelled;
    for (const auto& [look, d] : rows) {
        labelled.push_back({vt::rowLabel(d), vt::rowCaption(look, d)});
    }
    return vt::galleryLayout(font, kCell, columns, labelled);
}

// An OpenEXR file's R, G and B channels, read with OpenEXR itself.
vt::Image readExr(const std::string& path) {
    vt::Image image;
#ifdef VORLANE_TEST_OPENEXR
    Imf::InputFile file(path.c_str());
    const Imath::Box2i window = file.header().dataWindow();
    image = vt::Image(window.max.x - window.min.x + 1, window.max.y - window.min.y + 1);
    const std::size_t pixel = sizeof(vt::Rgb);
    const std::size_t row = pixel * static_cast<std::size_t>(image.width());
    char* base = reinterpret_cast<char*>(&image.at(0, 0));
    Imf::FrameBuffer frame;
    frame.insert("R", Imf::Slice(Imf::FLOAT, base + offsetof(vt::Rgb, r), pixel, row));
    frame.insert("G", Imf::Slice(Imf::FLOAT, base + offsetof(vt::Rgb, g), pixel, row));
    frame.insert("B", Imf::Slice(Imf::FLOAT, base + offsetof(vt::Rgb, b), pixel, row));
    file.setFrameBuffer(frame);
    file.readPixels(window.min.y, window.max.y);
    for (const char* channel : {"R", "G", "B"}) {
        EXPECT_EQ(file.header().channels().findChannel(channel)->type, Imf::FLOAT) << channel;
    }
#else
    (void)path;
#endif
    return image;
}

nlohmann::json triple(vt::V3 v) {
    return {v.x, v.y, v.z};
}
nlohmann::json triple(vt::Rgb c) {
    return {c.r, c.g, c.b};
}

// The probe's sample for what a gallery view shades at `hit` under `scene`
// with `preset`, in `look`, through deliverable `d`.
nlohmann::json probeSample(const vt::PreviewScene& scene, const vt::Hit& hit, const vt::Ray& ray,
                           int preset, vt::Look look, vt::Deliverable d) {
    const vt::MaterialSettings settings = vt::lookSettings(look);
    const vt::PreviewLight& light = scene.lights.at(0);
    const vt::V3 toLight = vt::normalized(light.center() - hit.point);
    const vt::Rgb intensity = scene.shadowedIntensity(light, hit.point + hit.normal * 1e-3f);
    if (d == vt::Deliverable::HostNode) {
        nlohmann::json node = {{"specOutput", preset},
                               {"pointCamera", triple(hit.point)},
                               {"normalCamera", triple(hit.normal)}};
        if (settings.color) {
            node["color"] = triple(*settings.color);
        }
        return {{"node", node},
                {"lights",
                 {{{"lightDirection", triple(toLight)},
                   {"lightIntensity", triple(intensity)},
                   {"lightAmbient", false},
                   {"lightDiffuse", true},
                   {"lightSpecular", true}}}}};
    }
    const vorlane::renderer::VorlaneParameters p = vorlane::renderer::vorlaneDefaults();
    const auto colour = [](const miColor& c) { return nlohmann::json{c.r, c.g, c.b}; };
    nlohmann::json shader = {{"color", colour(p.color)},
                             {"ambientColor", colour(p.ambientColor)},
                             {"incandescence", colour(p.incandescence)},
                             {"specularColor", colour(p.specularColor)},
                             {"diffuse", p.diffuse},
                             {"specularRollOff", p.specularRollOff},
                             {"specOutput", preset}};
    if (settings.color) {
        shader["color"] = triple(*settings.color);
    }
    return {{"shader", shader},
            {"state", {{"normal", triple(hit.normal)}, {"dir", triple(ray.dir)}}},
            {"lights", {{{{"color", triple(intensity)}, {"dir", triple(toLight)}}}}}};
}

std::string tempFile(const std::string& name) {
    return (fs::path(::testing::TempDir()) / name).string();
}

vt::Image render(const std::vector<std::string>& extra, const std::string& name) {
    const std::string path = tempFile(name);
    std::vector<std::string> argv = {VORLANE_RENDER, "--size", std::to_string(kCell), "--spp", "2",
                                     "-o",           path};
    argv.insert(argv.end(), extra.begin(), extra.end());
    const auto result = runCommand(argv);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    vt::Image image;
    std::string error;
    EXPECT_TRUE(vt::readPng(path, image, error)) << error;
    return image;
}

}  // namespace

// Under the key light alone, with one sample per pixel, a pixel on the sphere
// is exactly one shading call: the probe must answer the same for the same
// sample, so a swapped preset, a wrong look or a wrong light fails here.
TEST(Render, GalleryPixelsAreTheProbesAnswersForTheirSamples) {
    if (!vt::exrSupported()) {
        GTEST_SKIP() << "built without OpenEXR";
    }
    const std::string path = tempFile("key.exr");
    const auto result = runCommand({VORLANE_RENDER, "--size", std::to_string(kCell), "--spp", "1",
                                    "--lights", "key", "-o", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const vt::Image image = readExr(path);
    const auto rows = galleryRows();
    const vt::GalleryLayout layout = layoutFor(7, rows);
    ASSERT_EQ(image.width(), layout.width(7));
    ASSERT_EQ(image.height(), layout.height(4));

    const vt::PreviewScene scene = vt::makePreviewScene({"key"}, false);
    const vt::Camera camera(kCell, kCell, vt::kPreviewFieldOfView);
    std::vector<std::string> samples;
    std::vector<vt::Rgb> rendered;
    std::vector<int> cellOf;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 7; ++c) {
            for (int y = 1; y < kCell; y += 3) {
                for (int x = 1; x < kCell; x += 3) {
                    const vt::Ray ray = camera.primaryRay(x, y, 0, 1);
                    const auto hit = scene.shapes.intersect(ray, 1e-4f, 1e6f);
                    if (hit && hit->sphere == 0) {
                        const auto [look, d] = rows[static_cast<std::size_t>(r)];
                        samples.push_back(probeSample(scene, *hit, ray, c, look, d).dump());
                        rendered.push_back(image.at(layout.cellX(c) + x, layout.cellY(r) + y));
                        cellOf.push_back(r * 7 + c);
                    }
                }
            }
        }
    }
    std::string input;
    for (const std::string& line : samples) {
        input += line + "\n";
    }
    const auto probe = runCommand({VORLANE_PROBE}, input);
    ASSERT_EQ(probe.exitCode, 0) << probe.err;
    const std::vector<std::string> answers = vorlane::test::lines(probe.out);
    ASSERT_EQ(answers.size(), samples.size());
    std::vector<float> brightest(28, 0.0f);
    std::vector<float> sum(28, 0.0f);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const auto answer = nlohmann::json::parse(answers[i]);
        const auto& value = answer.contains("value") ? answer["value"] : answer["result"];
        const float expected[3] = {value[0], value[1], value[2]};
        const float got[3] = {rendered[i].r, rendered[i].g, rendered[i].b};
        for (int k = 0; k < 3; ++k) {
            ASSERT_NEAR(got[k], expected[k], 1e-5f * (1.0f + std::fabs(expected[k])))
                << "channel " << k << " of " << samples[i];
            brightest[cellOf[i]] = std::max(brightest[cellOf[i]], got[k]);
            sum[cellOf[i]] += got[k];
        }
    }
    for (int cell = 0; cell < 28; ++cell) {
        // The default look's blue base is lit to well above 0.2; a material
        // that returns black is not.
        if (cell < 14) {
            EXPECT_GT(brightest[cell], 0.2f) << "cell " << cell;
        }
        // Every preset shows differently from every other in its row.
        for (int other = cell + 1; other < (cell / 7 + 1) * 7; ++other) {
            EXPECT_NE(sum[cell], sum[other]) << "cells " << cell << " and " << other;
        }
    }
    // Labels and captions: the header strip, the row label column and the
    // caption under the first row hold ink.
    float header = 0.0f;
    float rowLabels = 0.0f;
    float caption = 0.0f;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < layout.headerHeight && x >= layout.cellX(0); ++y) {
            header = std::max(header, image.at(x, y).r);
        }
        for (int y = layout.cellY(0); y < layout.cellY(1) && x < layout.labelWidth; ++y) {
            rowLabels = std::max(rowLabels, image.at(x, y).r);
        }
        for (int y = layout.cellY(0) + kCell; y < layout.cellY(1) && x >= layout.cellX(0); ++y) {
            caption = std::max(caption, image.at(x, y).r);
        }
    }
    EXPECT_GT(header, 0.5f);
    EXPECT_GT(rowLabels, 0.5f);
    EXPECT_GT(caption, 0.3f);
}

TEST(Render, ImageDoesNotDependOnThreadCount) {
    const vt::Image one = render({"--threads", "1", "--indirect"}, "one.png");
    const vt::Image three = render({"--threads", "3", "--indirect"}, "three.png");
    ASSERT_EQ(one.width(), three.width());
    ASSERT_EQ(one.height(), three.height());
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            ASSERT_EQ(one.at(x, y).r, three.at(x, y).r) << x << "," << y;
            ASSERT_EQ(one.at(x, y).g, three.at(x, y).g) << x << "," << y;
            ASSERT_EQ(one.at(x, y).b, three.at(x, y).b) << x << "," << y;
        }
    }
}

TEST(Render, SelectedPresetsAndOneDeliverable) {
    const vt::Image image = render({"--preset", "red clay", "--preset", "6", "--deliverable",
                                    "zq4v_vorlane", "--look", "specular"},
                                   "two.png");
    const vt::GalleryLayout layout =
        layoutFor(2, {{vt::Look::SpecularAlone, vt::Deliverable::RendererShader}});
    EXPECT_EQ(image.width(), layout.width(2));
    EXPECT_EQ(image.height(), layout.height(1));
}

// The tool's names are the node's: each field of the plug-in's preset
// enumeration names the preset of its value.
TEST(Render, PresetNamesAreThoseOfTheNodesEnumeration) {
    vorlane::host::Host host;
    std::string error;
    ASSERT_TRUE(host.loadPlugin(VORLANE_PLUGIN, &error)) << error;
    const vorlane::host::NodeType& type = *host.findNodeType("vorlane");
    const auto& fields = type.attribute(type.findAttribute("specOutput")).enumFields;
    ASSERT_EQ(fields.size(), vt::kPresetNames.size());
    for (const vorlane::host::EnumField& field : fields) {
        ASSERT_LT(static_cast<std::size_t>(field.value), vt::kPresetNames.size()) << field.name;
        EXPECT_EQ(vt::kPresetNames[static_cast<std::size_t>(field.value)], field.name);
    }
}

TEST(Render, SwatchesOnePerPresetAndDeliverable) {
    const std::string dir = tempFile("swatches");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto result =
        runCommand({VORLANE_RENDER, "--swatches", dir, "--size", "24", "--spp", "1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        vt::Image swatch;
        std::string error;
        ASSERT_TRUE(vt::readPng(entry.path().string(), swatch, error)) << error;
        EXPECT_EQ(swatch.width(), 24);
        EXPECT_EQ(swatch.height(), 24);
        // Neutral background in the corner, a sphere in the middle: lit blue in
        // the default look, darker than the background on the dark base.
        EXPECT_NEAR(swatch.at(0, 0).r, swatch.at(0, 0).b, 1e-6f);
        if (entry.path().string().find("_specular") == std::string::npos) {
            EXPECT_GT(swatch.at(12, 10).b, swatch.at(0, 0).b) << entry.path();
        } else {
            EXPECT_LT(swatch.at(12, 10).b, swatch.at(0, 0).b) << entry.path();
        }
        ++count;
    }
    EXPECT_EQ(count, 28);
    EXPECT_TRUE(fs::exists(fs::path(dir) / "red-clay_vorlane.png"));
    EXPECT_TRUE(fs::exists(fs::path(dir) / "black-felt_zq4v_vorlane_specular.png"));
    EXPECT_TRUE(fs::exists(fs::path(dir) / "indian-male_zq4v_vorlane.png"));
}

// The EXR holds the linear image as 32-bit floats: read back with OpenEXR,
// each value encodes to the PNG's byte from the same render.
TEST(Render, OpenExrHoldsTheLinearImage) {
    if (!vt::exrSupported()) {
        GTEST_SKIP() << "built without OpenEXR";
    }
    const vt::Image png = render({}, "linear.png");
    const std::string path = tempFile("linear.EXR");
    const auto result =
        runCommand({VORLANE_RENDER, "--size", std::to_string(kCell), "--spp", "2", "-o", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const vt::Image exr = readExr(path);
    ASSERT_EQ(exr.width(), png.width());
    ASSERT_EQ(exr.height(), png.height());
    for (int y = 0; y < exr.height(); ++y) {
        for (int x = 0; x < exr.width(); ++x) {
            const vt::Rgb& e = exr.at(x, y);
            const vt::Rgb& p = png.at(x, y);
            ASSERT_EQ(vt::encodeSrgb8(e.r), vt::encodeSrgb8(p.r)) << x << "," << y;
            ASSERT_EQ(vt::encodeSrgb8(e.g), vt::encodeSrgb8(p.g)) << x << "," << y;
            ASSERT_EQ(vt::encodeSrgb8(e.b), vt::encodeSrgb8(p.b)) << x << "," << y;
        }
    }
}

// A write that fails part way (here: the file size limit) leaves the old
// file as it was and no temporary file, and says why.
TEST(Render, FailedWriteKeepsTheOldFileAndGivesTheReason) {
    const fs::path dir = tempFile("limited");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string target = (dir / "gallery.png").string();
    std::ofstream(target) << "old";
    const auto result =
        runCommand({"/bin/sh", "-c", "ulimit -f 2; trap '' XFSZ; exec \"$0\" \"$@\"",
                    VORLANE_RENDER, "--size", "32", "--spp", "1", "--preset", "0", "-o", target});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot write '" + target + "': File too large"), std::string::npos)
        << result.err;
    std::ifstream in(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// A message after the bar has been drawn starts a line of its own.
TEST(Render, ProgressEndsItsLineBeforeAMessage) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        vt::Progress progress("gallery", 4, stream, true);
        progress.advance();
        progress.endLine();
        std::fputs("vorlane-render: failed\n", stream);
    }
    std::rewind(stream);
    char text[256] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, stream);
    std::fclose(stream);
    EXPECT_EQ(std::string(text, n).substr(std::string(text, n).find(']')),
              "]  25%\nvorlane-render: failed\n");
}

TEST(Render, FailuresAreReportedWithNonZeroStatus) {
    const auto unwritable = runCommand({VORLANE_RENDER, "-o", "/nonexistent/dir/gallery.png"});
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;

    const auto badPreset = runCommand({VORLANE_RENDER, "--preset", "Green Felt"});
    EXPECT_NE(badPreset.exitCode, 0);
    EXPECT_NE(badPreset.err.find("unknown preset"), std::string::npos) << badPreset.err;

    const auto badOption = runCommand({VORLANE_RENDER, "--spp", "0"});
    EXPECT_NE(badOption.exitCode, 0);
    const auto badLight = runCommand({VORLANE_RENDER, "--lights", "key,sun"});
    EXPECT_NE(badLight.exitCode, 0);

    const auto badPlugin =
        runCommand({VORLANE_RENDER, "--plugin", "/nonexistent.so", "-o", tempFile("never.png")});
    EXPECT_EQ(badPlugin.exitCode, 1);
    EXPECT_FALSE(fs::exists(tempFile("never.png")));

    // The format follows the file name; conflicting outputs and a missing
    // swatch folder, as a missing output folder, are refused.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-o", tempFile("never.jpg")},
          {"--swatches", tempFile("no-such-folder")},
          {"--swatches", tempFile("never"), "-o", tempFile("never.png")},
          {"--plot", tempFile("never.png"), "-o", tempFile("never2.png")},
          {"--plot", tempFile("never.exr")}}) {
        std::vector<std::string> argv = {VORLANE_RENDER};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto refused = runCommand(argv);
        EXPECT_NE(refused.exitCode, 0) << args[0] << " " << args[1];
        EXPECT_FALSE(fs::exists(args[1])) << args[1];
    }

    // Options that would do nothing with the others given are refused,
    // naming both.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--indirect", "--deliverable", "vorlane"},
          {"--plugin", VORLANE_PLUGIN, "--deliverable", "zq4v_vorlane"},
          {"--shader-library", "any.so", "--deliverable", "vorlane"},
          {"--swatches", tempFile("never"), "--font", "any.ttf"},
          {"--plot", tempFile("never.png"), "--threads", "1"}}) {
        std::vector<std::string> argv = {VORLANE_RENDER};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto refused = runCommand(argv);
        EXPECT_EQ(refused.exitCode, 2) << args[0];
        EXPECT_NE(refused.err.find(args[0]), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find(args[args.size() - 2]), std::string::npos) << refused.err;
    }

    const auto help = runCommand({VORLANE_RENDER, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--swatches"), std::string::npos);
    EXPECT_NE(help.out.find("--threads"), std::string::npos);
    EXPECT_NE(help.out.find("32-bit floats"), std::string::npos);
}

TEST(Render, PlotOfTheChosenPresets) {
    const std::string path = tempFile("plot.png");
    const auto result = runCommand({VORLANE_RENDER, "--plot", path, "--preset", "Red Clay"});
    if (result.err.find("without PLplot") != std::string::npos) {
        GTEST_SKIP() << result.err;
    }
    ASSERT_EQ(result.exitCode, 0) << result.err;
    vt::Image plot;
    std::string error;
    ASSERT_TRUE(vt::readPng(path, plot, error)) << error;
    EXPECT_EQ(vt::encodeSrgb8(plot.at(0, 0).r), 255);  // a white page

    // The plotted values are the node's: at incidence 30 and outgoing 30
    // degrees (the mirror direction) the probe answers the same for the same
    // sample, and the 60 degree curve of "Indian Male" peaks on the mirror side.
    vt::HostNodePath node(VORLANE_PLUGIN);
    ASSERT_TRUE(node.ok()) << node.error();
    vt::PresetReflectance measured;
    ASSERT_TRUE(vt::measureReflectance(node, 6, measured, error)) << error;
    const std::vector<vt::Rgb>& at60 = measured.values.at(2);
    const auto peak =
        std::max_element(at60.begin(), at60.end(), [](auto& a, auto& b) { return a.g < b.g; });
    EXPECT_GT(vt::outgoingDegrees().at(static_cast<std::size_t>(peak - at60.begin())), 30.0f);
    const float radians = 30.0f * 3.14159265f / 180.0f;
    const nlohmann::json sample = {
        {"node",
         {{"specOutput", 6},
          {"color", {0, 0, 0}},
          {"specularColor", {1, 1, 1}},
          {"specularRollOff", 1},
          {"pointCamera", {0, 0, -1}},
          {"normalCamera", {-std::sin(radians), 0, std::cos(radians)}}}},
        {"lights",
         {{{"lightDirection", {-std::sin(2 * radians), 0, std::cos(2 * radians)}},
           {"lightIntensity", {1, 1, 1}},
           {"lightSpecular", true}}}}};
    const auto probe = runCommand({VORLANE_PROBE}, sample.dump() + "\n");
    ASSERT_EQ(probe.exitCode, 0) << probe.err;
    const auto answer = nlohmann::json::parse(probe.out)["value"];
    const vt::Rgb& plotted = measured.values.at(1).at(120);  // outgoing 30 degrees
    EXPECT_NEAR(plotted.g, answer[1].get<float>() / std::cos(radians), 1e-4f);
    EXPECT_GT(plotted.g, 0.01f);
}
