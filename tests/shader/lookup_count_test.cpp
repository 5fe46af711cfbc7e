// Counts the shader library's lookups of renderer services. This program
// defines dlsym itself, so the loader binds the shader library's calls to
// it (the executable comes first in the global scope); it counts the service
// names and passes every call on to the C library.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "shading_fixture.h"

namespace {
std::atomic<int> gServiceLookups{0};
}  // namespace

extern "C" void* dlsym(void* __restrict handle, const char* __restrict name) noexcept {
    using Lookup = void* (*)(void*, const char*);
    static const Lookup real = reinterpret_cast<Lookup>(dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.34"));
    if (std::strncmp(name, "mi_", 3) == 0) {
        ++gServiceLookups;
    }
    return real(handle, name);
}

namespace vorlane::test {
namespace {

using LookupCountTest = ShadingFixture;

TEST_F(LookupCountTest, EachServiceIsLookedUpOncePerModuleHandle) {
    useLights({{kFront}, {kFrontTinted}});
    scene_.setConstantIrradiance({0.6f, 0.8f, 1.5f, 1.0f});
    set(VorlaneParameter::indirect, miTRUE);
    block_.connect(VorlaneParameter::diffuse, scene_.connect(0.5f));

    gServiceLookups = 0;
    for (int i = 0; i < 5; ++i) {
        shade(kStart);
    }
    EXPECT_EQ(scene_.calls().sampleLight, 5u * 4u);
    EXPECT_EQ(gServiceLookups.load(), 3);

    shader_.library().setModuleHandle(renderer::Module::rendererHandle());
    shade(kStart);
    shade(kStart);
    EXPECT_EQ(gServiceLookups.load(), 6);
}

}  // namespace
}  // namespace vorlane::test
