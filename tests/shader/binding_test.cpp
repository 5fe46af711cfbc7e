#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <utility>

#include <vorlane_renderer/module.h>

#include "shading_fixture.h"

namespace vorlane::test {
namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

enum AlternativeService { kPhenEval = 0, kSampleLight = 1, kComputeIrradiance = 2 };

int alternativeCalls(const renderer::Module& module, AlternativeService service) {
    using Counter = int (*)(int);
    auto counter = reinterpret_cast<Counter>(module.symbol("alternative_service_calls"));
    return counter != nullptr ? counter(service) : -1;
}

TEST(ShaderLoading, ReportsVersionOneAndClearErrors) {
    FreshShader shader;
    ASSERT_TRUE(shader.loaded()) << shader.error();
    EXPECT_EQ(shader.library().version(), 1);
    EXPECT_TRUE(shader.library().acceptsModuleHandle());

    auto missing = renderer::ShaderLibrary::load("/nonexistent/zq4v_vorlane.so", "zq4v_vorlane");
    EXPECT_EQ(missing.library, nullptr);
    EXPECT_NE(missing.error.find("/nonexistent/zq4v_vorlane.so"), std::string::npos);

    auto notAShader = renderer::ShaderLibrary::load(ALTERNATIVE_MODULE_PATH, "zq4v_vorlane");
    EXPECT_EQ(notAShader.library, nullptr);
    EXPECT_NE(notAShader.error.find("does not export \"zq4v_vorlane\""), std::string::npos)
        << notAShader.error;
}

// A material with one light, indirect light and one connected parameter, so
// that one call uses each of the three services.
class BindingTest : public ShadingFixture {
  protected:
    explicit BindingTest(renderer::ModuleHandover handover = renderer::ModuleHandover::renderer,
                         const std::string& library = {})
        : ShadingFixture(handover, library) {}

    void SetUp() override {
        ShadingFixture::SetUp();
        useLights({{kFront}});
        scene_.setConstantIrradiance({0.6f, 0.8f, 1.5f, 1.0f});
        set(VorlaneParameter::indirect, miTRUE);
        block_.connect(VorlaneParameter::diffuse, scene_.connect(0.5f));
    }

    // Shades once and returns what the call wrote to the standard error stream.
    std::string shadeCapturingErrors(miColor* result = nullptr) {
        CaptureStderr();
        const miColor color = shade(kStart);
        if (result != nullptr) {
            *result = color;
        }
        return GetCapturedStderr();
    }
};

// Found where the renderer offers them: in the module it hands over on
// Windows, in its process on Linux, where it hands none.
TEST_F(BindingTest, ServicesAreFoundWhereTheRendererOffersThemSilently) {
    EXPECT_EQ(shadeCapturingErrors(), "");
    EXPECT_EQ(shadeCapturingErrors(), "");
    const renderer::ServiceCallCounts calls = scene_.calls();
    EXPECT_EQ(calls.phenEval, 2u);
    EXPECT_EQ(calls.sampleLight, 4u);
    EXPECT_EQ(calls.computeIrradiance, 2u);
}

TEST_F(BindingTest, AnotherModuleHandleResolvesEveryServiceAgainThere) {
    EXPECT_EQ(shadeCapturingErrors(), "");
    std::string error;
    const renderer::Module alternative = renderer::Module::open(ALTERNATIVE_MODULE_PATH, &error);
    ASSERT_TRUE(alternative) << error;

    shader_.library().setModuleHandle(alternative.handle());
    scene_.resetCalls();
    miColor result{};
    EXPECT_EQ(shadeCapturingErrors(&result), "");
    EXPECT_EQ(alternativeCalls(alternative, kPhenEval), 1);
    EXPECT_EQ(alternativeCalls(alternative, kSampleLight), 2);
    EXPECT_EQ(alternativeCalls(alternative, kComputeIrradiance), 1);
    EXPECT_EQ(scene_.calls().phenEval, 0u);
    EXPECT_EQ(scene_.calls().sampleLight, 0u);
    EXPECT_EQ(scene_.calls().computeIrradiance, 0u);
    // The other module's answers: the diffuse weight read in place (0.8), a
    // white sample along the normal and an irradiance of 2.
    ReferenceInputs expected =
        reference({{{{1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 1.0f}}}}, {2.0f, 2.0f, 2.0f, 1.0f});
    EXPECT_COLOR_EQ(result, referenceShade(expected, kStart));

    shader_.library().setModuleHandle(renderer::Module::rendererHandle());
    EXPECT_EQ(shadeCapturingErrors(), "");
    EXPECT_EQ(scene_.calls().sampleLight, 2u);
    EXPECT_EQ(alternativeCalls(alternative, kSampleLight), 2);
}

// Whether two records hold the same fields, skipping `skipped` (an offset and
// a size) and the padding between fields, which a copy need not carry.
bool sameFieldsBut(const miState& a, const miState& b, std::size_t skippedAt,
                   std::size_t skippedSize) {
    const std::pair<std::size_t, std::size_t> padding[] = {
        {offsetof(miState, qmc_instance) + 4, offsetof(miState, ts)},
        {offsetof(miState, dot_nd) + 4, offsetof(miState, shadow_tol)},
        {offsetof(miState, motion) + 12, offsetof(miState, derivs)},
        {offsetof(miState, count) + 2, offsetof(miState, user)},
        {offsetof(miState, user_size) + 4, sizeof(miState)},
    };
    const auto* x = reinterpret_cast<const unsigned char*>(&a);
    const auto* y = reinterpret_cast<const unsigned char*>(&b);
    for (std::size_t i = 0; i < sizeof(miState); ++i) {
        bool skip = i >= skippedAt && i < skippedAt + skippedSize;
        for (const auto& [from, to] : padding) {
            skip = skip || (i >= from && i < to);
        }
        if (!skip && x[i] != y[i]) {
            ADD_FAILURE() << "byte " << i << " differs";
            return false;
        }
    }
    return true;
}

// The other module's services read nothing of the state but the normal, so
// every other field but dir and shader can be garbage: the shader must shade
// as with the renderer's values, and hand the services a copy of the whole
// record that differs from the renderer's only in the shading normal.
TEST_F(BindingTest, ReadsOnlyNormalDirAndShaderAndPassesTheWholeRecordOn) {
    std::string error;
    const renderer::Module alternative = renderer::Module::open(ALTERNATIVE_MODULE_PATH, &error);
    ASSERT_TRUE(alternative) << error;
    using LastSampled = void (*)(miState*);
    const auto lastSampled =
        reinterpret_cast<LastSampled>(alternative.symbol("alternative_last_sampled_state"));
    ASSERT_NE(lastSampled, nullptr);
    shader_.library().setModuleHandle(alternative.handle());
    set(VorlaneParameter::normalCamera, miVector{0.1f, 0.0f, 0.0f});

    miState renderers = renderer::makeState(scene_, block_.block(), standardPoint());
    miColor expected = kStart;
    ASSERT_EQ(shader_.library().shade(&expected, &renderers, block_.data()), miTRUE);

    miState garbled = renderers;
    auto* bytes = reinterpret_cast<unsigned char*>(&garbled);
    for (std::size_t i = 0; i < sizeof garbled; ++i) {
        bytes[i] = static_cast<unsigned char>(0xa5u ^ i);
    }
    garbled.normal = renderers.normal;
    garbled.dir = renderers.dir;
    garbled.shader = renderers.shader;
    const miState given = garbled;
    miColor result = kStart;
    ASSERT_EQ(shader_.library().shade(&result, &garbled, block_.data()), miTRUE);
    EXPECT_COLOR_EQ(result, expected);
    EXPECT_EQ(std::memcmp(&garbled, &given, sizeof given), 0);  // not written

    miState sampled{};
    lastSampled(&sampled);
    EXPECT_NE(sampled.normal.x, given.normal.x);  // the shading normal
    EXPECT_TRUE(sameFieldsBut(sampled, given, offsetof(miState, normal), sizeof(miVector)));
}

TEST_F(BindingTest, MissingServicePrintsItsLookupFailureOnEveryUse) {
    std::string error;
    const renderer::Module partial = renderer::Module::open(PARTIAL_MODULE_PATH, &error);
    ASSERT_TRUE(partial) << error;
    shader_.library().setModuleHandle(partial.handle());

    const std::string line = lookupFailureLine("mi_compute_irradiance", partial.handle());
    miColor result{};
    EXPECT_EQ(shadeCapturingErrors(&result), line);
    EXPECT_EQ(shadeCapturingErrors(), line);
    EXPECT_EQ(alternativeCalls(partial, kSampleLight), 4);
    // The failed service counts as black irradiance.
    ReferenceInputs expected =
        reference({{{{1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 1.0f}}}}, {0.0f, 0.0f, 0.0f, 0.0f});
    EXPECT_COLOR_EQ(result, referenceShade(expected, kStart));
}

class UnboundShaderTest : public BindingTest {
  protected:
    UnboundShaderTest() : BindingTest(renderer::ModuleHandover::none) {}
};

// On Windows a use before any handle finds nothing and says why; on Linux
// no handle is the normal case, and the services are found in the process.
TEST_F(UnboundShaderTest, UseBeforeAnyHandleFallsBackOnWindowsAndFindsTheProcessOnLinux) {
    miColor result{};
#if defined(_WIN32)
    const std::string expected =
        std::string("DYNLOAD: dl_handle null\n") +
        "dlsym failed on \"mi_phen_eval\" (handle: 00000000 error: 127)\n" +
        "DYNLOAD: dl_handle null\n" +
        "dlsym failed on \"mi_sample_light\" (handle: 00000000 error: 127)\n" +
        "DYNLOAD: dl_handle null\n" +
        "dlsym failed on \"mi_compute_irradiance\" (handle: 00000000 "
        "error: 127)\n";
    EXPECT_EQ(shadeCapturingErrors(&result), expected);
    // The services loaded in this process were not found through the null
    // handle: none of them ran. The fallbacks: no light, black irradiance.
    EXPECT_EQ(scene_.calls().phenEval, 0u);
    EXPECT_EQ(scene_.calls().sampleLight, 0u);
    EXPECT_EQ(scene_.calls().computeIrradiance, 0u);
    EXPECT_COLOR_EQ(result, referenceShade(reference({}), kStart));
    EXPECT_EQ(shadeCapturingErrors(), expected);

    shader_.library().setModuleHandle(renderer::Module::rendererHandle());
#endif
    EXPECT_EQ(shadeCapturingErrors(&result), "");
    EXPECT_EQ(scene_.calls().sampleLight, 2u);
    renderer::VorlaneParameters connected = block_.values();
    connected.diffuse = 0.5f;
    ReferenceInputs bound{connected,
                          standardPoint().normal,
                          standardPoint().dir,
                          {{kFront}},
                          {0.6f, 0.8f, 1.5f, 1.0f}};
    EXPECT_COLOR_EQ(result, referenceShade(bound, kStart));
}

#if !defined(_WIN32)
// A library that looks the services up only in a handed module, as this one
// did before, finds none of them in the Linux renderer, which hands none: it
// renders without light, connected parameters or indirect light.
class HandleOnlyShaderTest : public BindingTest {
  protected:
    HandleOnlyShaderTest()
        : BindingTest(renderer::ModuleHandover::renderer, HANDLE_ONLY_SHADER_PATH) {}
};

TEST_F(HandleOnlyShaderTest, DoesNotShadeInTheLinuxRenderer) {
    miColor result{};
    const std::string errors = shadeCapturingErrors(&result);
    EXPECT_NE(errors.find(lookupFailureLine("mi_sample_light", nullptr)), std::string::npos)
        << errors;
    EXPECT_EQ(scene_.calls().phenEval, 0u);
    EXPECT_EQ(scene_.calls().sampleLight, 0u);
    EXPECT_EQ(scene_.calls().computeIrradiance, 0u);
    EXPECT_COLOR_EQ(result, referenceShade(reference({}), kStart));
}
#endif

}  // namespace
}  // namespace vorlane::test
