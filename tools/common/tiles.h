// Splits an image into tiles and shades them on several threads. Each pixel is
// shaded by exactly one call, so the image does not depend on the thread count
// as long as the per-pixel work is deterministic.
#pragma once

#include <functional>

namespace vorlane::tools {

struct Tile {
    int x0;
    int y0;
    int x1;  // exclusive
    int y1;  // exclusive
};

// Runs `shade` once per tile on `threads` worker threads (at least 1) and
// `onTileDone` after each. Returns when every tile is done.
void forEachTile(int width, int height, int tileSize, int threads,
                 const std::function<void(const Tile&, int worker)>& shade,
                 const std::function<void()>& onTileDone = {});

// Number of hardware threads, at least 1.
int hardwareThreads();

}  // namespace vorlane::tools
