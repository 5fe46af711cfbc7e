// A linear RGB image in single-precision floats and its file formats.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vorlane::tools {

struct Rgb {
    float r;
    float g;
    float b;
};

class Image {
  public:
    Image() = default;
    Image(int width, int height, Rgb fill = {0.0f, 0.0f, 0.0f})
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Copies `source` with its top-left corner at (x, y), clipped to this image.
    void paste(const Image& source, int x, int y);

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// Linear value to an 8-bit sRGB-encoded value, clamped; NaN becomes 0.
unsigned char encodeSrgb8(float linear);

// The image file formats, chosen by the file name's extension.
enum class ImageFormat { Png, Exr };

// The format that `path` names (".png" or ".exr", in any case), or none.
std::optional<ImageFormat> imageFormatOf(const std::string& path);

// 8-bit RGB rows, top row first, as PNG file contents.
bool encodePng(int width, int height, const std::vector<unsigned char>& rgb,
               std::vector<unsigned char>& png, std::string& error);

// Writes an 8-bit sRGB PNG. Returns false with `error` set on failure.
bool writePng(const Image& image, const std::string& path, std::string& error);

// Reads an 8-bit RGB or RGBA PNG back into linear values (for tests and tools).
bool readPng(const std::string& path, Image& image, std::string& error);

// True when this build can write OpenEXR files.
bool exrSupported();

// Writes a linear OpenEXR file with R, G and B channels of 32-bit floats: the
// image's values exactly, negative and very large ones included. Returns
// false with `error` set on failure, or when exrSupported() is false.
bool writeExr(const Image& image, const std::string& path, std::string& error);

// Writes in the format that the path's extension names; any other extension
// is an error. Every writer replaces the file whole (see replaceFile).
bool writeImage(const Image& image, const std::string& path, std::string& error);

}  // namespace vorlane::tools
