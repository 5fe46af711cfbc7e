// A shader's parameter block as the renderer stores it: the parameters,
// followed by a connection area of the same size whose 32-bit word at
// connection offset + P marks the parameter at offset P as connected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <shader.h>

#include "vorlane_renderer/export.h"
#include "vorlane_renderer/scene.h"

namespace vorlane::renderer {

class VORLANE_RENDERER_API ParameterBlock {
  public:
    explicit ParameterBlock(std::size_t parameterBytes, miTag declaration = miNULLTAG);
    ParameterBlock(const ParameterBlock& other);
    ParameterBlock& operator=(const ParameterBlock&) = delete;

    void* data() noexcept { return storage_.data(); }
    const void* data() const noexcept { return storage_.data(); }
    std::size_t parameterBytes() const noexcept { return parameterBytes_; }
    std::int32_t connectionAreaOffset() const noexcept { return connectionOffset_; }

    // Marks the parameter at `offset` as connected to `connection` (0 clears).
    void connect(std::size_t offset, ConnectionId connection);

    // With the area disabled the shader record holds offset 0: nothing is
    // connected, whatever the area holds.
    void setConnectionAreaEnabled(bool enabled) noexcept;

    // The shader record; the renderer points the state's `shader` at it.
    miFunction& record() noexcept { return record_; }
    void bind(miState& state) noexcept { state.shader = &record_; }

    template <class T>
    T read(std::size_t offset) const {
        T value;
        std::memcpy(&value, bytes() + offset, sizeof value);
        return value;
    }
    template <class T>
    void write(std::size_t offset, const T& value) {
        std::memcpy(bytes() + offset, &value, sizeof value);
    }

  private:
    unsigned char* bytes() noexcept { return reinterpret_cast<unsigned char*>(storage_.data()); }
    const unsigned char* bytes() const noexcept {
        return reinterpret_cast<const unsigned char*>(storage_.data());
    }

    std::size_t parameterBytes_;
    std::int32_t connectionOffset_;
    std::vector<std::uint64_t> storage_;  // 8-byte aligned, zero-filled
    miFunction record_;
};

}  // namespace vorlane::renderer
