#include "vorlane_renderer/parameter_block.h"

#include <algorithm>
#include <new>

namespace vorlane::renderer {
namespace {

constexpr std::size_t kConnectionAreaAlignment = 16;

std::size_t connectionAreaStart(std::size_t parameterBytes) {
    return (parameterBytes + kConnectionAreaAlignment - 1) / kConnectionAreaAlignment *
           kConnectionAreaAlignment;
}

// 64-bit words for the record, the parameters and their connection area.
std::size_t storageWords(std::size_t parameterBytes) {
    const std::size_t bytes = std::max(
        offsetof(miFunction, parameters) + connectionAreaStart(parameterBytes) + parameterBytes,
        sizeof(miFunction));
    return (bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);
}

}  // namespace

ParameterBlock::ParameterBlock(std::size_t parameterBytes, miTag declaration)
    : parameterBytes_(parameterBytes),
      connectionOffset_(static_cast<std::int32_t>(connectionAreaStart(parameterBytes))),
      storage_(storageWords(parameterBytes), 0),
      record_(new (storage_.data()) miFunction{}) {
    record_->function_decl = declaration;
    record_->parameter_size = static_cast<int>(parameterBytes);
    record_->ghost_offs = connectionOffset_;
}

ParameterBlock::ParameterBlock(const ParameterBlock& other)
    : parameterBytes_(other.parameterBytes_),
      connectionOffset_(other.connectionOffset_),
      storage_(other.storage_),
      record_(new (storage_.data()) miFunction(other.record())) {}

void ParameterBlock::connect(std::size_t offset, ConnectionId connection) {
    write(static_cast<std::size_t>(connectionOffset_) + offset, connection);
}

void ParameterBlock::setConnectionAreaEnabled(bool enabled) noexcept {
    record_->ghost_offs = enabled ? connectionOffset_ : 0;
}

}  // namespace vorlane::renderer
