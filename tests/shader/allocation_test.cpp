#include <allocation_counter.h>

#include "shading_fixture.h"

namespace vorlane::test {
namespace {

const void* colorFromPoint(const miState& state, void*) {
    thread_local miColor value;
    value = {state.point.x, 0.5f, 0.5f, 1.0f};
    return &value;
}

using AllocationTest = ShadingFixture;

TEST_F(AllocationTest, ShadingAllocatesNothingPerCall) {
    const miTag point = scene_.addPointLight({1.0f, 2.0f, 6.0f}, {1.0f, 1.0f, 1.0f, 1.0f});
    const miTag area = scene_.addAreaLight({{-1.0f, -1.0f, 5.0f},
                                            {2.0f, 0.0f, 0.0f},
                                            {0.0f, 2.0f, 0.0f},
                                            {1.0f, 1.0f, 1.0f, 1.0f},
                                            4,
                                            1u});
    const miTag scripted = scene_.addScriptedLight(script({kFront, kFrontTinted}));
    ASSERT_TRUE(block_.setLights({point, area, scripted}));
    scene_.addSphereOccluder({0.0f, 0.5f, 2.0f}, 0.5f);
    scene_.setSkyGather({0.2f, 0.3f, 0.4f, 1.0f}, 8);
    set(VorlaneParameter::indirect, miTRUE);
    block_.connect(VorlaneParameter::color, scene_.connectFunction(&colorFromPoint, nullptr));
    block_.connect(VorlaneParameter::diffuse, scene_.connect(0.7f));

    miState state = renderer::makeState(scene_, block_.block(), standardPoint());
    miColor result{};
    shader_.library().shade(&result, &state, block_.data());  // binds the services

    const std::size_t allocations = allocationsDuring([&] {
        for (int i = 0; i < 100; ++i) {
            shader_.library().shade(&result, &state, block_.data());
        }
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(scene_.calls().sampleLight, 101u * (2 + 5 + 3));
}

}  // namespace
}  // namespace vorlane::test
