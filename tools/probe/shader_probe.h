// Evaluates renderer shader samples through the stand-in renderer, as the
// renderer calls the shader library for one shading sample.
#pragma once

#include <memory>
#include <string>

#include "json_input.h"

namespace vorlane::renderer {
class ShaderLibrary;
}

namespace vorlane::tools::probe {

class ShaderProbe {
  public:
    // Loads the shader library at `path`; `ok()` and `error()` tell the result.
    explicit ShaderProbe(const std::string& libraryPath);
    ~ShaderProbe();

    bool ok() const { return library_ != nullptr; }
    const std::string& error() const { return error_; }

    // Shades the sample `{"shader": ..., "connected": ..., "state": ...,
    // "lights": ..., "irradiance": ..., "result": ...}` and appends the answer
    // line (without newline) to `out`. Returns false with `error` set for a
    // malformed sample.
    bool evaluate(const Json& sample, std::string& out, std::string& error) const;

  private:
    std::unique_ptr<renderer::ShaderLibrary> library_;
    std::string error_;
};

}  // namespace vorlane::tools::probe
