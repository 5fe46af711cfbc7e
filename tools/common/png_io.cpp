#include <png.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image.h"

namespace vorlane::tools {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

float decodeSrgb8(unsigned char v) {
    const float e = v / 255.0f;
    return e <= 0.04045f ? e / 12.92f : std::pow((e + 0.055f) / 1.055f, 2.4f);
}

}  // namespace

bool writePng(const Image& image, const std::string& path, std::string& error) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    png.format = PNG_FORMAT_RGB;

    std::vector<unsigned char> bytes(static_cast<std::size_t>(image.width()) * image.height() * 3);
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& p = image.at(x, y);
            bytes[i++] = encodeSrgb8(p.r);
            bytes[i++] = encodeSrgb8(p.g);
            bytes[i++] = encodeSrgb8(p.b);
        }
    }
    if (!png_image_write_to_stdio(&png, file.get(), 0, bytes.data(), 0, nullptr)) {
        error = "cannot write '" + path + "': " + png.message;
        return false;
    }
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    return true;
}

bool readPng(const std::string& path, Image& image, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        error = "cannot read '" + path + "': " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
        error = "cannot read '" + path + "': " + png.message;
        png_image_free(&png);
        return false;
    }
    image = Image(static_cast<int>(png.width), static_cast<int>(png.height));
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.at(x, y) = {decodeSrgb8(bytes[i]), decodeSrgb8(bytes[i + 1]),
                              decodeSrgb8(bytes[i + 2])};
            i += 3;
        }
    }
    return true;
}

}  // namespace vorlane::tools
