#include "error_output.h"

#include <atomic>
#include <iostream>

namespace vorlane::host::foundation {
namespace {
std::atomic<std::ostream*> gErrorOutput{nullptr};
}

std::ostream& errorOutput() {
    std::ostream* stream = gErrorOutput.load(std::memory_order_acquire);
    return stream != nullptr ? *stream : std::cerr;
}

void setErrorOutput(std::ostream* stream) {
    gErrorOutput.store(stream, std::memory_order_release);
}

}  // namespace vorlane::host::foundation
