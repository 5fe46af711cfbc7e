// Lays rendered views out as a labelled grid: one row per deliverable and
// look, one column per preset, a caption under each row.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "label_font.h"

namespace vorlane::tools {

struct GalleryRow {
    std::string label;    // left of the row
    std::string caption;  // under the row, wrapped to the row's width
};

struct GalleryLayout {
    int cellSize;
    int labelWidth;     // left margin holding the row labels
    int headerHeight;   // top margin holding the column labels
    int captionHeight;  // under each row, holding its caption
    int lineHeight;     // of one caption line
    int gap;

    int rowHeight() const { return cellSize + captionHeight + gap; }
    int width(int columns) const { return labelWidth + columns * (cellSize + gap); }
    int height(int rows) const { return headerHeight + rows * rowHeight(); }
    int cellX(int column) const { return labelWidth + column * (cellSize + gap); }
    int cellY(int row) const { return headerHeight + row * rowHeight(); }
};

// Label font height in pixels for views of `cellSize` pixels.
int labelPixels(int cellSize);

// `text` broken at spaces into lines no wider than `width` pixels (a word
// wider than that gets a line of its own).
std::vector<std::string> wrapText(const LabelFont& font, const std::string& text, int width);

GalleryLayout galleryLayout(const LabelFont& font, int cellSize, int columns,
                            const std::vector<GalleryRow>& rows);

// An empty gallery with its row labels, captions and column labels drawn.
Image labelledGallery(const GalleryLayout& layout, const LabelFont& font,
                      const std::vector<GalleryRow>& rows,
                      const std::vector<std::string>& columnLabels);

}  // namespace vorlane::tools
