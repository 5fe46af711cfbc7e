// Counts the shader library's lookups of renderer services, and can take one
// service out of the process. This program defines dlsym itself, so the
// loader binds the shader library's calls to it (the executable comes first
// in the global scope); it counts the service names and passes every other
// call on to the C library.
#include <dlfcn.h>
#include <link.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "shading_fixture.h"

namespace {
std::atomic<int> gServiceLookups{0};
// A service that lookups in the process's global scope do not find.
std::atomic<const char*> gLackingService{nullptr};

using Lookup = void* (*)(void*, const char*);

// The next dlsym after this program's, asked for under each symbol version
// that a loaded library defines, so that no C library version is named here.
int findNextDlsym(dl_phdr_info* info, std::size_t, void* found) {
    // The loader relocates some dynamic entries in place and not others.
    const auto at = [info](ElfW(Addr) a) { return a < info->dlpi_addr ? a + info->dlpi_addr : a; };
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        if (info->dlpi_phdr[i].p_type != PT_DYNAMIC) {
            continue;
        }
        const char* names = nullptr;
        ElfW(Addr) definition = 0;
        for (auto* d =
                 reinterpret_cast<const ElfW(Dyn)*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
             d->d_tag != DT_NULL; ++d) {
            names =
                d->d_tag == DT_STRTAB ? reinterpret_cast<const char*>(at(d->d_un.d_ptr)) : names;
            definition = d->d_tag == DT_VERDEF ? at(d->d_un.d_ptr) : definition;
        }
        while (names != nullptr && definition != 0) {
            const auto* def = reinterpret_cast<const ElfW(Verdef)*>(definition);
            const auto* aux = reinterpret_cast<const ElfW(Verdaux)*>(definition + def->vd_aux);
            if (void* real = dlvsym(RTLD_NEXT, "dlsym", names + aux->vda_name)) {
                *static_cast<Lookup*>(found) = reinterpret_cast<Lookup>(real);
                return 1;
            }
            definition = def->vd_next != 0 ? definition + def->vd_next : 0;
        }
    }
    return 0;
}

Lookup nextDlsym() {
    Lookup found = nullptr;
    dl_iterate_phdr(findNextDlsym, &found);
    return found;
}

}  // namespace

extern "C" void* dlsym(void* __restrict handle, const char* __restrict name) noexcept {
    static const Lookup real = nextDlsym();
    if (std::strncmp(name, "mi_", 3) == 0) {
        ++gServiceLookups;
        const char* lacking = gLackingService;
        if (handle == RTLD_DEFAULT && lacking != nullptr && std::strcmp(name, lacking) == 0) {
            return nullptr;
        }
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

// The Linux renderer hands no module: a service that its process lacks is
// named by the lookup-failure line alone, never called, and looked up again
// on the next use.
TEST_F(LookupCountTest, AServiceTheProcessLacksIsReportedByNameAndNotCalled) {
    useLights({{kFront}});
    scene_.setConstantIrradiance({0.6f, 0.8f, 1.5f, 1.0f});
    set(VorlaneParameter::indirect, miTRUE);
    gLackingService = "mi_compute_irradiance";
    const std::string line = lookupFailureLine("mi_compute_irradiance", nullptr);
    testing::internal::CaptureStderr();
    const miColor result = shade(kStart);
    shade(kStart);
    const std::string errors = testing::internal::GetCapturedStderr();
    gLackingService = nullptr;
    EXPECT_EQ(errors, line + line);
    EXPECT_EQ(scene_.calls().computeIrradiance, 0u);
    EXPECT_EQ(scene_.calls().sampleLight, 4u);
    EXPECT_COLOR_EQ(result, referenceShade(reference({{kFront}}), kStart));
}

}  // namespace
}  // namespace vorlane::test
