#include "image.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace vorlane::tools {

void Image::paste(const Image& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= height_) {
            continue;
        }
        for (int sx = 0; sx < source.width(); ++sx) {
            const int tx = x + sx;
            if (tx >= 0 && tx < width_) {
                at(tx, ty) = source.at(sx, sy);
            }
        }
    }
}

unsigned char encodeSrgb8(float linear) {
    if (!(linear > 0.0f)) {
        return 0;
    }
    if (linear >= 1.0f) {
        return 255;
    }
    const float encoded =
        linear <= 0.0031308f ? 12.92f * linear : 1.055f * std::pow(linear, 1.0f / 2.4f) - 0.055f;
    return static_cast<unsigned char>(std::lround(std::clamp(encoded, 0.0f, 1.0f) * 255.0f));
}

std::optional<ImageFormat> imageFormatOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") {
        return ImageFormat::Png;
    }
    if (extension == ".exr") {
        return ImageFormat::Exr;
    }
    return std::nullopt;
}

bool writeImage(const Image& image, const std::string& path, std::string& error) {
    const std::optional<ImageFormat> format = imageFormatOf(path);
    if (!format) {
        error = "cannot write '" + path + "': the file name must end in .png or .exr";
        return false;
    }
    return *format == ImageFormat::Exr ? writeExr(image, path, error)
                                       : writePng(image, path, error);
}

}  // namespace vorlane::tools
