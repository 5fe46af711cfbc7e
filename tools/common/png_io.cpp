#include <png.h>

#include <cmath>
#include <cstring>

#include "image.h"
#include "replace_file.h"

namespace vorlane::tools {
namespace {

float decodeSrgb8(unsigned char v) {
    const float e = v / 255.0f;
    return e <= 0.04045f ? e / 12.92f : std::pow((e + 0.055f) / 1.055f, 2.4f);
}

}  // namespace

bool encodePng(int width, int height, const std::vector<unsigned char>& rgb,
               std::vector<unsigned char>& bytes, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(width);
    png.height = static_cast<png_uint_32>(height);
    png.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(png, size, 0, rgb.data(), 0, nullptr)) {
        bytes.resize(size);
        if (png_image_write_to_memory(&png, bytes.data(), &size, 0, rgb.data(), 0, nullptr)) {
            bytes.resize(size);
            return true;
        }
    }
    error = png.message;
    return false;
}

bool writePng(const Image& image, const std::string& path, std::string& error) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(image.width()) * image.height() * 3);
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& p = image.at(x, y);
            rgb[i++] = encodeSrgb8(p.r);
            rgb[i++] = encodeSrgb8(p.g);
            rgb[i++] = encodeSrgb8(p.b);
        }
    }
    std::vector<unsigned char> bytes;
    if (!encodePng(image.width(), image.height(), rgb, bytes, error)) {
        error = "cannot write '" + path + "': " + error;
        return false;
    }
    return replaceFile(path, bytes, error);
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
