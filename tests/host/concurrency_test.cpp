// Private data blocks of one node evaluated at once, and no allocation per
// sample. Many nodes on many threads: tests/stress.
#include <allocation_counter.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

// Handles resolved once, as a renderer would before its sample loop.
struct Handles {
    explicit Handles(const host::NodeType& type)
        : outColor(type.findAttribute("outColor")),
          pointCamera(type.findAttribute("pointCamera")),
          normalCamera(type.findAttribute("normalCamera")),
          specOutput(type.findAttribute("specOutput")),
          lights(type.findAttribute("lightDataArray")),
          direction(type.findAttribute("lightDirection")),
          intensity(type.findAttribute("lightIntensity")),
          specular(type.findAttribute("lightSpecular")) {}

    host::AttributeId outColor, pointCamera, normalCamera, specOutput, lights, direction, intensity,
        specular;
};

// Fills the hidden inputs of sample `s` and evaluates outColor.
host::Evaluation shadeSample(host::DataBlock& data, const Handles& h, int s) {
    const float t = static_cast<float>(s % 97) / 97.0f;
    data.setTriple(h.pointCamera, t - 0.5f, 0.25f - t, -2.0f);
    data.setTriple(h.normalCamera, 0.1f * t, 0.2f, 0.9f + t);
    data.setElementTriple(h.lights, 0, h.direction, 0.2f, -0.1f + t, 1.0f);
    data.setElementTriple(h.lights, 1, h.direction, -0.3f * t, 0.4f, 0.9f);
    data.setElementTriple(h.lights, 1, h.intensity, 0.5f, 0.6f + t, 0.7f);
    return data.evaluate(h.outColor);
}

void prepare(host::DataBlock& data, const Handles& h, short preset) {
    ASSERT_TRUE(data.setShort(h.specOutput, preset));
    ASSERT_TRUE(data.setElementCount(h.lights, 2));
    ASSERT_TRUE(data.setElementBool(h.lights, 0, h.specular, true));
    ASSERT_TRUE(data.setElementBool(h.lights, 1, h.specular, true));
}

class ConcurrencyTest : public HostTest {
  protected:
    void SetUp() override { loadPlugin(); }
};

TEST_F(ConcurrencyTest, PrivateDataBlocksOfOneNodeEvaluateInParallel) {
    constexpr int kThreads = 6;
    constexpr int kSamples = 400;
    const Handles h(*type);
    host::Node* node = makeNode();
    prepare(node->data(), h, 4);

    std::vector<std::unique_ptr<host::DataBlock>> blocks;
    for (int t = 0; t < kThreads; ++t) {
        blocks.push_back(node->copyDataBlock());
        ASSERT_NE(blocks.back(), nullptr);
    }
    std::vector<float> expected(kSamples * 3);
    for (int s = 0; s < kSamples; ++s) {
        std::memcpy(&expected[s * 3], shadeSample(node->data(), h, s).value, 3 * sizeof(float));
    }
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int s = 0; s < kSamples; ++s) {
                const host::Evaluation e = shadeSample(*blocks[t], h, s);
                if (std::memcmp(&expected[s * 3], e.value, sizeof(e.value)) != 0) {
                    ++mismatches;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches.load(), 0);
}

TEST_F(ConcurrencyTest, SettingAndComputingBySampleAllocateNothing) {
    const Handles h(*type);
    host::Node* node = makeNode();
    prepare(node->data(), h, 0);
    shadeSample(node->data(), h, 0);  // warm up

    int computed = 0;
    const std::size_t allocations = allocationsDuring([&] {
        for (int s = 1; s <= 100; ++s) {
            computed += shadeSample(node->data(), h, s).computed ? 1 : 0;
        }
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(computed, 100);
}

}  // namespace
}  // namespace vorlane::test
