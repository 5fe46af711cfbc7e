// Many render threads shade at once, starting from a fresh binding, so that
// their first uses of the services race on the module handle and the slots.

#include "run_together.h"
#include "shading_fixture.h"

namespace vorlane::test {
namespace {

constexpr int kThreads = 8;
constexpr int kSamplesPerThread = 400;

const void* colorFromPoint(const miState& state, void*) {
    thread_local miColor value;
    value = {0.25f + 0.5f * state.point.x, 0.4f, 0.6f, 1.0f};
    return &value;
}

renderer::ShadingPoint pointFor(int thread, int sample) {
    renderer::ShadingPoint p = standardPoint();
    p.point = {static_cast<float>(sample % 20) * 0.05f, static_cast<float>(thread) * 0.1f, 0.0f};
    p.thread = static_cast<short>(thread);
    return p;
}

using ConcurrencyTest = ShadingFixture;

TEST_F(ConcurrencyTest, ThreadsShadeAtOnceFromAFreshBinding) {
    scene_.addSphereOccluder({0.0f, 0.5f, 2.0f}, 0.5f);
    const miTag point = scene_.addPointLight({1.0f, 2.0f, 6.0f}, {1.0f, 0.95f, 0.9f, 1.0f});
    const miTag area = scene_.addAreaLight({{-1.0f, -1.0f, 5.0f},
                                            {2.0f, 0.0f, 0.0f},
                                            {0.0f, 2.0f, 0.0f},
                                            {0.8f, 0.8f, 1.0f, 1.0f},
                                            4,
                                            3u});
    const miTag scripted = scene_.addScriptedLight(script({kFront, kBehind}));
    ASSERT_TRUE(block_.setLights({point, area, scripted}));
    scene_.setSkyGather({0.2f, 0.3f, 0.4f, 1.0f}, 8);
    set(VorlaneParameter::indirect, miTRUE);
    block_.connect(VorlaneParameter::color, scene_.connectFunction(&colorFromPoint, nullptr));

    std::vector<std::vector<miColor>> results(kThreads, std::vector<miColor>(kSamplesPerThread));
    testing::internal::CaptureStderr();
    runTogether(kThreads, [&](int t) {
        for (int s = 0; s < kSamplesPerThread; ++s) {
            const renderer::ShadingPoint at = pointFor(t, s);
            miState state = renderer::makeState(scene_, block_.block(), at);
            results[t][s] = {0.0f, 0.0f, 0.0f, 0.0f};
            shader_.library().shade(&results[t][s], &state, block_.data());
        }
    });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    const renderer::ServiceCallCounts calls = scene_.calls();
    const std::uint64_t samples = kThreads * kSamplesPerThread;
    EXPECT_EQ(calls.phenEval, samples);
    EXPECT_EQ(calls.computeIrradiance, samples);
    EXPECT_EQ(calls.sampleLight, samples * (2 + 5 + 3));

    // Each result equals the one a single thread computes afterwards.
    for (int t = 0; t < kThreads; ++t) {
        for (int s = 0; s < kSamplesPerThread; s += 37) {
            SCOPED_TRACE(testing::Message() << "thread " << t << " sample " << s);
            EXPECT_COLOR_EQ(results[t][s], shade({0.0f, 0.0f, 0.0f, 0.0f}, pointFor(t, s)));
        }
    }
}

}  // namespace
}  // namespace vorlane::test
