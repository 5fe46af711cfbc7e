// vorlane-render's throughput: shading samples (material shading calls) per
// second for a preview view of each deliverable, on one thread and on every
// core. The view is the gallery's default scene and size.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "material_paths.h"
#include "preview_render.h"
#include "preview_scene.h"

namespace vt = vorlane::tools;

namespace {

constexpr int kPreset = 2;

// Counts the material's shading calls per worker.
class CountingMaterial : public vt::Material {
  public:
    CountingMaterial(vt::Material& inner, int workers) : inner_(inner), counts_(workers) {}
    vt::Rgb shade(const vt::SurfaceSample& sample, int worker) override {
        ++counts_[static_cast<std::size_t>(worker)].value;
        return inner_.shade(sample, worker);
    }
    long total() const {
        long sum = 0;
        for (const auto& c : counts_) {
            sum += c.value;
        }
        return sum;
    }

  private:
    struct alignas(64) Count {
        long value = 0;
    };
    vt::Material& inner_;
    std::vector<Count> counts_;
};

int threadsFor(const benchmark::State& state) {
    return state.range(0) == 0 ? static_cast<int>(std::thread::hardware_concurrency())
                               : static_cast<int>(state.range(0));
}

void run(benchmark::State& state, vt::Material& material, const vt::PreviewScene& scene,
         int threads) {
    vt::RenderSettings settings;
    settings.threads = threads;
    long shaded = 0;
    for (auto _ : state) {
        CountingMaterial counting(material, threads);
        benchmark::DoNotOptimize(vt::renderView(scene, counting, settings, nullptr));
        shaded += counting.total();
    }
    state.SetItemsProcessed(shaded);
    state.counters["threads"] = threads;
}

void hostNode(benchmark::State& state) {
    static vt::HostNodePath path(VORLANE_PLUGIN_PATH);
    const vt::PreviewScene scene = vt::makePreviewScene(vt::lightNames(), false);
    const int threads = threadsFor(state);
    std::string error;
    std::unique_ptr<vt::Material> material = path.material(kPreset, {}, scene, threads, error);
    if (!path.ok() || !material) {
        std::cerr << path.error() << error << '\n';
        std::abort();
    }
    run(state, *material, scene, threads);
}

void rendererShader(benchmark::State& state) {
    static vt::RendererShaderPath path(ZQ4V_LIBRARY_PATH, false);
    const vt::PreviewScene scene = vt::makePreviewScene(vt::lightNames(), false);
    const int threads = threadsFor(state);
    std::string error;
    std::unique_ptr<vt::Material> material = path.material(kPreset, {}, scene, error);
    if (!path.ok() || !material) {
        std::cerr << path.error() << error << '\n';
        std::abort();
    }
    run(state, *material, scene, threads);
}

}  // namespace

// 1 thread, then all cores (0).
BENCHMARK(hostNode)->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(rendererShader)->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);
