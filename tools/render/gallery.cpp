#include "gallery.h"

#include <algorithm>

namespace vorlane::tools {
namespace {

constexpr Rgb kPaper{0.012f, 0.012f, 0.015f};
constexpr Rgb kInk{0.85f, 0.85f, 0.85f};
constexpr Rgb kCaptionInk{0.45f, 0.45f, 0.45f};

int captionWidth(const GalleryLayout& layout, int columns) {
    return columns * (layout.cellSize + layout.gap) - layout.gap;
}

}  // namespace

int labelPixels(int cellSize) {
    return std::clamp(cellSize / 11, 10, 28);
}

std::vector<std::string> wrapText(const LabelFont& font, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.measure(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

GalleryLayout galleryLayout(const LabelFont& font, int cellSize, int columns,
                            const std::vector<GalleryRow>& rows) {
    const int pixels = labelPixels(cellSize);
    int widest = 0;
    for (const GalleryRow& row : rows) {
        widest = std::max(widest, font.measure(row.label));
    }
    GalleryLayout layout{cellSize, widest + pixels * 2, pixels * 2,
                         0,        pixels * 3 / 2,      std::max(2, cellSize / 40)};
    std::size_t lines = 0;
    for (const GalleryRow& row : rows) {
        lines = std::max(lines, wrapText(font, row.caption, captionWidth(layout, columns)).size());
    }
    layout.captionHeight =
        lines == 0 ? 0 : static_cast<int>(lines) * layout.lineHeight + pixels / 2;
    return layout;
}

Image labelledGallery(const GalleryLayout& layout, const LabelFont& font,
                      const std::vector<GalleryRow>& rows,
                      const std::vector<std::string>& columnLabels) {
    const int columns = static_cast<int>(columnLabels.size());
    Image image(layout.width(columns), layout.height(static_cast<int>(rows.size())), kPaper);
    const int pixels = labelPixels(layout.cellSize);
    for (int c = 0; c < columns; ++c) {
        const std::string& text = columnLabels[static_cast<std::size_t>(c)];
        const int x = layout.cellX(c) + (layout.cellSize - font.measure(text)) / 2;
        font.draw(image, text, x, layout.headerHeight - pixels / 2, kInk);
    }
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const GalleryRow& row = rows[static_cast<std::size_t>(r)];
        font.draw(image, row.label, pixels, layout.cellY(r) + layout.cellSize / 2 + pixels / 3,
                  kInk);
        int baseline = layout.cellY(r) + layout.cellSize + layout.lineHeight;
        for (const std::string& line : wrapText(font, row.caption, captionWidth(layout, columns))) {
            font.draw(image, line, layout.cellX(0), baseline, kCaptionInk);
            baseline += layout.lineHeight;
        }
    }
    return image;
}

}  // namespace vorlane::tools
