#include <ImfRgbaFile.h>

#include <exception>
#include <vector>

#include "image.h"

namespace vorlane::tools {

bool exrSupported() {
    return true;
}

bool writeExr(const Image& image, const std::string& path, std::string& error) {
    std::vector<Imf::Rgba> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& p = image.at(x, y);
            pixels.emplace_back(p.r, p.g, p.b, 1.0f);
        }
    }
    try {
        Imf::RgbaOutputFile file(path.c_str(), image.width(), image.height(), Imf::WRITE_RGB);
        file.setFrameBuffer(pixels.data(), 1, static_cast<std::size_t>(image.width()));
        file.writePixels(image.height());
    } catch (const std::exception& e) {
        error = "cannot write '" + path + "': " + e.what();
        return false;
    }
    return true;
}

}  // namespace vorlane::tools
