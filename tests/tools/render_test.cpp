// vorlane-render end to end: the gallery's layout and contents, determinism
// across thread counts, swatches, OpenEXR and the failure paths.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "gallery.h"
#include "image.h"
#include "label_font.h"
#include "run_command.h"

using vorlane::test::runCommand;
namespace vt = vorlane::tools;
namespace fs = std::filesystem;

namespace {

constexpr int kCell = 48;

const std::vector<std::string> kPresets = {"Blue Paint", "Gray Primer", "Red Clay",
                                           "Black Felt", "Blue Felt",   "Caucasian Male",
                                           "Indian Male"};
const std::vector<std::string> kRows = {"vorlane (host node)", "zq4v_vorlane (renderer shader)"};

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

struct CellStats {
    float mean[3] = {0.0f, 0.0f, 0.0f};
    float peak = 0.0f;
};

CellStats statsOf(const vt::Image& image, int x0, int y0) {
    CellStats s;
    for (int y = y0; y < y0 + kCell; ++y) {
        for (int x = x0; x < x0 + kCell; ++x) {
            const vt::Rgb& p = image.at(x, y);
            s.mean[0] += p.r;
            s.mean[1] += p.g;
            s.mean[2] += p.b;
            s.peak = std::max({s.peak, p.r, p.g, p.b});
        }
    }
    for (float& m : s.mean) {
        m /= static_cast<float>(kCell * kCell);
    }
    return s;
}

}  // namespace

TEST(Render, GalleryIsALabelledGridOfLitDistinctCells) {
    const vt::Image image = render({}, "gallery.png");
    const vt::LabelFont font(vt::LabelFont::defaultPath(), vt::labelPixels(kCell));
    ASSERT_TRUE(font.ok()) << font.error();
    const vt::GalleryLayout layout = vt::galleryLayout(font, kCell, kRows);
    ASSERT_EQ(image.width(), layout.width(7));
    ASSERT_EQ(image.height(), layout.height(2));

    for (int row = 0; row < 2; ++row) {
        std::vector<CellStats> cells;
        for (int column = 0; column < 7; ++column) {
            cells.push_back(statsOf(image, layout.cellX(column), layout.cellY(row)));
            EXPECT_GT(cells.back().peak, 0.2f) << "row " << row << " column " << column;
        }
        for (int a = 0; a < 7; ++a) {
            for (int b = a + 1; b < 7; ++b) {
                const float difference = std::fabs(cells[a].mean[0] - cells[b].mean[0]) +
                                         std::fabs(cells[a].mean[1] - cells[b].mean[1]) +
                                         std::fabs(cells[a].mean[2] - cells[b].mean[2]);
                EXPECT_GT(difference, 0.0f) << kPresets[a] << " and " << kPresets[b];
            }
        }
    }
    // Labels: the header strip above the cells and the row label column hold ink.
    float header = 0.0f;
    for (int y = 0; y < layout.headerHeight; ++y) {
        for (int x = layout.cellX(0); x < image.width(); ++x) {
            header = std::max(header, image.at(x, y).r);
        }
    }
    float rowLabels = 0.0f;
    for (int y = layout.cellY(0); y < layout.cellY(1) + kCell; ++y) {
        for (int x = 0; x < layout.labelWidth; ++x) {
            rowLabels = std::max(rowLabels, image.at(x, y).r);
        }
    }
    EXPECT_GT(header, 0.5f);
    EXPECT_GT(rowLabels, 0.5f);
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
    const vt::Image image = render(
        {"--preset", "red clay", "--preset", "6", "--deliverable", "zq4v_vorlane"}, "two.png");
    const vt::LabelFont font(vt::LabelFont::defaultPath(), vt::labelPixels(kCell));
    const vt::GalleryLayout layout = vt::galleryLayout(font, kCell, {kRows[1]});
    EXPECT_EQ(image.width(), layout.width(2));
    EXPECT_EQ(image.height(), layout.height(1));
}

TEST(Render, SwatchesOnePerPresetAndDeliverable) {
    const std::string dir = tempFile("swatches");
    fs::remove_all(dir);
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
        // Neutral background in the corner, a lit sphere in the middle.
        EXPECT_NEAR(swatch.at(0, 0).r, swatch.at(0, 0).b, 1e-6f);
        EXPECT_GT(swatch.at(12, 10).b, swatch.at(0, 0).b);
        ++count;
    }
    EXPECT_EQ(count, 14);
    EXPECT_TRUE(fs::exists(fs::path(dir) / "red-clay_vorlane.png"));
    EXPECT_TRUE(fs::exists(fs::path(dir) / "indian-male_zq4v_vorlane.png"));
}

TEST(Render, OpenExrByExtension) {
    if (!vt::exrSupported()) {
        GTEST_SKIP() << "built without OpenEXR";
    }
    const std::string path = tempFile("gallery.exr");
    const auto result = runCommand({VORLANE_RENDER, "--size", "16", "--spp", "1", "-o", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::ifstream in(path, std::ios::binary);
    unsigned char magic[4] = {};
    in.read(reinterpret_cast<char*>(magic), 4);
    EXPECT_EQ(magic[0], 0x76);
    EXPECT_EQ(magic[1], 0x2f);
    EXPECT_EQ(magic[2], 0x31);
    EXPECT_EQ(magic[3], 0x01);
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

    const auto help = runCommand({VORLANE_RENDER, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--swatches"), std::string::npos);
    EXPECT_NE(help.out.find("--threads"), std::string::npos);
}
