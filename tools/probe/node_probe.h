// Evaluates host node samples through the stand-in host, as the host's
// renderer asks a shading node for one sample.
#pragma once

#include <memory>
#include <string>

#include "json_input.h"

namespace vorlane::host {
class Host;
}

namespace vorlane::tools::probe {

class NodeProbe {
  public:
    // Starts a host and loads the plug-in at `pluginPath`; `ok()` and
    // `error()` tell the result. With `parallel`, every sample is computed on
    // two render threads at once, each on its own copy of the node's data
    // block, which the host refuses for a node it may not evaluate in
    // parallel.
    explicit NodeProbe(const std::string& pluginPath, bool parallel = false);
    ~NodeProbe();

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Evaluates `{"node": ..., "lights": ..., "plug": ...}` on a new node and
    // appends the answer line (without newline) to `out`: compute's status
    // with the plug's value, or for a status other than 0 with the reason in
    // "error", and then `computed` is false. Returns false with `error` set
    // for a malformed sample.
    bool evaluate(const Json& sample, std::string& out, std::string& error, bool& computed) const;

  private:
    std::unique_ptr<host::Host> host_;
    std::string error_;
    bool parallel_;
};

}  // namespace vorlane::tools::probe
