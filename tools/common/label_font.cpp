#include "label_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vorlane::tools {

struct LabelFont::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Impl() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

LabelFont::LabelFont(const std::string& path, int pixelHeight) : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        error_ = "cannot start the font library";
    } else if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0) {
        impl_->face = nullptr;
        error_ = "cannot load the label font '" + path + "'";
    } else if (FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        error_ = "cannot size the label font '" + path + "'";
    }
}

LabelFont::~LabelFont() = default;

bool LabelFont::ok() const {
    return error_.empty();
}

std::string LabelFont::defaultPath() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

int LabelFont::measure(const std::string& text) const {
    if (!ok()) {
        return 0;
    }
    long width = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(impl_->face, c, FT_LOAD_DEFAULT) == 0) {
            width += impl_->face->glyph->advance.x >> 6;
        }
    }
    return static_cast<int>(width);
}

void LabelFont::draw(Image& image, const std::string& text, int x, int baseline, Rgb color) const {
    if (!ok()) {
        return;
    }
    int penX = x;
    for (unsigned char c : text) {
        if (FT_Load_Char(impl_->face, c, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot glyph = impl_->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int py = baseline - glyph->bitmap_top + static_cast<int>(row);
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int px = penX + glyph->bitmap_left + static_cast<int>(col);
                if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) {
                    continue;
                }
                const float a =
                    bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col] / 255.0f;
                Rgb& p = image.at(px, py);
                p = {p.r + (color.r - p.r) * a, p.g + (color.g - p.g) * a,
                     p.b + (color.b - p.b) * a};
            }
        }
        penX += static_cast<int>(glyph->advance.x >> 6);
    }
}

}  // namespace vorlane::tools
