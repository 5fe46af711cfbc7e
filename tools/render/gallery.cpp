#include "gallery.h"

#include <algorithm>

namespace vorlane::tools {
namespace {

constexpr Rgb kPaper{0.012f, 0.012f, 0.015f};
constexpr Rgb kInk{0.85f, 0.85f, 0.85f};

}  // namespace

int labelPixels(int cellSize) {
    return std::clamp(cellSize / 11, 10, 28);
}

GalleryLayout galleryLayout(const LabelFont& font, int cellSize,
                            const std::vector<std::string>& rowLabels) {
    const int pixels = labelPixels(cellSize);
    int widest = 0;
    for (const std::string& label : rowLabels) {
        widest = std::max(widest, font.measure(label));
    }
    return {cellSize, widest + pixels * 2, pixels * 2, std::max(2, cellSize / 40)};
}

Image labelledGallery(const GalleryLayout& layout, const LabelFont& font,
                      const std::vector<std::string>& rowLabels,
                      const std::vector<std::string>& columnLabels) {
    const int rows = static_cast<int>(rowLabels.size());
    const int columns = static_cast<int>(columnLabels.size());
    Image image(layout.width(columns), layout.height(rows), kPaper);
    const int pixels = labelPixels(layout.cellSize);
    for (int c = 0; c < columns; ++c) {
        const std::string& text = columnLabels[static_cast<std::size_t>(c)];
        const int x = layout.cellX(c) + (layout.cellSize - font.measure(text)) / 2;
        font.draw(image, text, x, layout.headerHeight - pixels / 2, kInk);
    }
    for (int r = 0; r < rows; ++r) {
        font.draw(image, rowLabels[static_cast<std::size_t>(r)], pixels,
                  layout.cellY(r) + layout.cellSize / 2 + pixels / 3, kInk);
    }
    return image;
}

}  // namespace vorlane::tools
