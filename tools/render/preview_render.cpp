#include "preview_render.h"

#include "camera.h"
#include "tiles.h"

namespace vorlane::tools {
namespace {

constexpr int kTileSize = 32;
constexpr Rgb kSwatchBackground{0.18f, 0.18f, 0.18f};

Rgb shadeRay(const PreviewScene& scene, Material& material, const Ray& ray, bool swatch,
             int worker) {
    const std::optional<Hit> hit = scene.shapes.intersect(ray, 1e-4f, 1e6f);
    if (!hit) {
        return swatch ? kSwatchBackground : PreviewScene::background(ray);
    }
    if (hit->sphere < 0) {
        return scene.shadeGround(*hit);
    }
    return material.shade({hit->point, hit->normal, ray.dir}, worker);
}

}  // namespace

long tilesPerView(const RenderSettings& settings) {
    const long across = (settings.size + kTileSize - 1) / kTileSize;
    return across * across;
}

Image renderView(const PreviewScene& scene, Material& material, const RenderSettings& settings,
                 Progress* progress) {
    Image image(settings.size, settings.size);
    const Camera camera(settings.size, settings.size, kPreviewFieldOfView);
    const int spp = settings.samplesPerPixel;
    forEachTile(
        settings.size, settings.size, kTileSize, settings.threads,
        [&](const Tile& tile, int worker) {
            for (int y = tile.y0; y < tile.y1; ++y) {
                for (int x = tile.x0; x < tile.x1; ++x) {
                    Rgb sum{0.0f, 0.0f, 0.0f};
                    for (int s = 0; s < spp; ++s) {
                        const Rgb c = shadeRay(scene, material, camera.primaryRay(x, y, s, spp),
                                               settings.swatch, worker);
                        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    }
                    const float inv = 1.0f / static_cast<float>(spp);
                    image.at(x, y) = {sum.r * inv, sum.g * inv, sum.b * inv};
                }
            }
        },
        [progress] {
            if (progress != nullptr) {
                progress->advance();
            }
        });
    return image;
}

}  // namespace vorlane::tools
