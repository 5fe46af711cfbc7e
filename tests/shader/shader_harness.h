// Loads a private copy of the built shader library, so that each harness
// starts from a fresh binding (no module handle, no resolved service), and
// offers a scene, a parameter block and a one-call shading helper.
#pragma once

#include <shader.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <vorlane_renderer/scene.h>
#include <vorlane_renderer/shader_library.h>
#include <vorlane_renderer/state.h>
#include <vorlane_renderer/vorlane_parameters.h>

namespace vorlane::test {

class FreshShader {
  public:
    // A copy of the library at `library`, the built shader library when empty.
    explicit FreshShader(renderer::ModuleHandover handover = renderer::ModuleHandover::renderer,
                         const std::string& library = {});
    ~FreshShader();
    FreshShader(const FreshShader&) = delete;
    FreshShader& operator=(const FreshShader&) = delete;

    const renderer::ShaderLibrary& library() const { return *library_; }
    bool loaded() const { return library_ != nullptr; }
    const std::string& error() const { return error_; }

  private:
    std::string directory_;
    std::unique_ptr<renderer::ShaderLibrary> library_;
    std::string error_;
};

// The handle as the lookup-failure line prints it.
std::string printedHandle(const void* handle);

// The exact lookup-failure line for `service` in a module.
std::string lookupFailureLine(const char* service, const void* handle);

// A straight-on shading point used by most tests.
renderer::ShadingPoint standardPoint();

}  // namespace vorlane::test
