#include "tiles.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace vorlane::tools {

int hardwareThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void forEachTile(int width, int height, int tileSize, int threads,
                 const std::function<void(const Tile&, int worker)>& shade,
                 const std::function<void()>& onTileDone) {
    tileSize = std::max(1, tileSize);
    std::vector<Tile> tiles;
    for (int y = 0; y < height; y += tileSize) {
        for (int x = 0; x < width; x += tileSize) {
            tiles.push_back({x, y, std::min(x + tileSize, width), std::min(y + tileSize, height)});
        }
    }
    std::atomic<std::size_t> next{0};
    const auto work = [&](int worker) {
        for (std::size_t i = next++; i < tiles.size(); i = next++) {
            shade(tiles[i], worker);
            if (onTileDone) {
                onTileDone();
            }
        }
    };
    const int workers = std::max(1, std::min<int>(threads, static_cast<int>(tiles.size())));
    std::vector<std::thread> pool;
    for (int w = 1; w < workers; ++w) {
        pool.emplace_back(work, w);
    }
    work(0);
    for (std::thread& t : pool) {
        t.join();
    }
}

}  // namespace vorlane::tools
