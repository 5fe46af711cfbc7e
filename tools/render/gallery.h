// Lays rendered views out as a labelled grid: one row per deliverable, one
// column per preset.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "label_font.h"

namespace vorlane::tools {

struct GalleryLayout {
    int cellSize;
    int labelWidth;    // left margin holding the row labels
    int headerHeight;  // top margin holding the column labels
    int gap;

    int width(int columns) const { return labelWidth + columns * (cellSize + gap); }
    int height(int rows) const { return headerHeight + rows * (cellSize + gap); }
    int cellX(int column) const { return labelWidth + column * (cellSize + gap); }
    int cellY(int row) const { return headerHeight + row * (cellSize + gap); }
};

// Label font height in pixels for views of `cellSize` pixels.
int labelPixels(int cellSize);

GalleryLayout galleryLayout(const LabelFont& font, int cellSize,
                            const std::vector<std::string>& rowLabels);

// An empty gallery with its row and column labels drawn.
Image labelledGallery(const GalleryLayout& layout, const LabelFont& font,
                      const std::vector<std::string>& rowLabels,
                      const std::vector<std::string>& columnLabels);

}  // namespace vorlane::tools
