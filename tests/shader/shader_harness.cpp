#include "shader_harness.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "temporary_directory.h"

namespace vorlane::test {

FreshShader::FreshShader(renderer::ModuleHandover handover, const std::string& library) {
    namespace fs = std::filesystem;
    directory_ = makeTemporaryDirectory("zq4v_test_");
    if (directory_.empty()) {
        error_ = "cannot create a temporary directory";
        return;
    }
    const fs::path original = library.empty() ? fs::path(ZQ4V_LIBRARY_PATH) : fs::path(library);
    const fs::path copy = fs::path(directory_) / original.filename();
    std::error_code ec;
    fs::copy_file(original, copy, ec);
    if (ec) {
        error_ = "cannot copy the shader library: " + ec.message();
        return;
    }
    auto result = renderer::ShaderLibrary::load(copy.string(), "zq4v_vorlane", handover);
    library_ = std::move(result.library);
    error_ = result.error;
}

FreshShader::~FreshShader() {
    library_.reset();
    if (!directory_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(directory_, ec);
    }
}

std::string printedHandle(const void* handle) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(handle) & 0xffffffffu));
    return text;
}

std::string lookupFailureLine(const char* service, const void* handle) {
    return std::string("dlsym failed on \"") + service + "\" (handle: " + printedHandle(handle) +
           " error: 127)\n";
}

renderer::ShadingPoint standardPoint() {
    renderer::ShadingPoint point;
    point.point = {0.0f, 0.0f, 0.0f};
    point.normal = {0.0f, 0.0f, 1.0f};
    point.dir = {0.28f, -0.16f, -0.9465f};
    return point;
}

}  // namespace vorlane::test
