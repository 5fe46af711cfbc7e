// Draws text labels into an image with a TrueType font.
#pragma once

#include <memory>
#include <string>

#include "image.h"

namespace vorlane::tools {

class LabelFont {
  public:
    // Loads the font at `path` with the given pixel height. `ok()` tells
    // whether it worked; `error()` why not.
    LabelFont(const std::string& path, int pixelHeight);
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    bool ok() const;
    const std::string& error() const { return error_; }

    // Width in pixels that `text` takes.
    int measure(const std::string& text) const;

    // Draws `text` with its baseline at y and its left edge at x, blending
    // `color` by the glyph coverage.
    void draw(Image& image, const std::string& text, int x, int baseline, Rgb color) const;

    // Path of the default label font of this system.
    static std::string defaultPath();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string error_;
};

}  // namespace vorlane::tools
