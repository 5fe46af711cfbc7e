#include "vorlane_renderer/parameter_block.h"

namespace vorlane::renderer {
namespace {

constexpr std::size_t kConnectionAreaAlignment = 16;

std::size_t connectionAreaStart(std::size_t parameterBytes) {
    return (parameterBytes + kConnectionAreaAlignment - 1) / kConnectionAreaAlignment *
           kConnectionAreaAlignment;
}

}  // namespace

ParameterBlock::ParameterBlock(std::size_t parameterBytes, miTag declaration)
    : parameterBytes_(parameterBytes),
      connectionOffset_(static_cast<std::int32_t>(connectionAreaStart(parameterBytes))),
      storage_((connectionAreaStart(parameterBytes) + parameterBytes + sizeof(std::uint64_t) - 1) /
                   sizeof(std::uint64_t),
               0),
      record_{declaration, connectionOffset_} {}

ParameterBlock::ParameterBlock(const ParameterBlock& other)
    : parameterBytes_(other.parameterBytes_),
      connectionOffset_(other.connectionOffset_),
      storage_(other.storage_),
      record_(other.record_) {}

void ParameterBlock::connect(std::size_t offset, ConnectionId connection) {
    write(static_cast<std::size_t>(connectionOffset_) + offset, connection);
}

void ParameterBlock::setConnectionAreaEnabled(bool enabled) noexcept {
    record_.ghost_offs = enabled ? connectionOffset_ : 0;
}

}  // namespace vorlane::renderer
