#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "image.h"
#include "replace_file.h"

namespace vorlane::tools {
namespace {

// OpenEXR output into memory, so that the file itself is written whole by
// replaceFile.
class MemoryStream : public Imf::OStream {
  public:
    MemoryStream() : Imf::OStream("memory") {}

    void write(const char c[], int n) override {
        const auto end = position_ + static_cast<std::size_t>(n);
        if (bytes.size() < end) {
            bytes.resize(end);
        }
        std::memcpy(bytes.data() + position_, c, static_cast<std::size_t>(n));
        position_ = end;
    }
    uint64_t tellp() override { return position_; }
    void seekp(uint64_t position) override { position_ = static_cast<std::size_t>(position); }

    std::vector<unsigned char> bytes;

  private:
    std::size_t position_ = 0;
};

}  // namespace

bool exrSupported() {
    return true;
}

bool writeExr(const Image& image, const std::string& path, std::string& error) {
    const std::size_t pixel = sizeof(Rgb);
    const std::size_t row = pixel * static_cast<std::size_t>(image.width());
    MemoryStream stream;
    try {
        Imf::Header header(image.width(), image.height());
        Imf::FrameBuffer frame;
        for (const char* channel : {"R", "G", "B"}) {
            header.channels().insert(channel, Imf::Channel(Imf::FLOAT));
        }
        // Image pixels are consecutive Rgb records, rows top first.
        char* base = image.width() > 0 && image.height() > 0
                         ? reinterpret_cast<char*>(const_cast<Rgb*>(&image.at(0, 0)))
                         : nullptr;
        frame.insert("R", Imf::Slice(Imf::FLOAT, base + offsetof(Rgb, r), pixel, row));
        frame.insert("G", Imf::Slice(Imf::FLOAT, base + offsetof(Rgb, g), pixel, row));
        frame.insert("B", Imf::Slice(Imf::FLOAT, base + offsetof(Rgb, b), pixel, row));
        Imf::OutputFile file(stream, header);
        file.setFrameBuffer(frame);
        file.writePixels(image.height());
    } catch (const std::exception& e) {
        error = "cannot write '" + path + "': " + e.what();
        return false;
    }
    return replaceFile(path, stream.bytes, error);
}

}  // namespace vorlane::tools
