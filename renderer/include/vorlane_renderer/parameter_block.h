// A shader's record with its parameter block stored inline, as the renderer
// stores them: the record, the parameters from its `parameters` field on, then
// a connection area of the parameters' size whose 32-bit tag at the record's
// ghost_offs past a parameter marks that parameter as connected.
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

    // The parameters: what the shader is called with.
    void* data() noexcept { return bytes(); }
    const void* data() const noexcept { return bytes(); }
    std::size_t parameterBytes() const noexcept { return parameterBytes_; }
    // Distance from a parameter to its connection tag.
    std::int32_t connectionAreaOffset() const noexcept { return connectionOffset_; }

    // Marks the parameter at `offset` as connected to `connection` (0 clears).
    void connect(std::size_t offset, ConnectionId connection);

    // With the area disabled the shader record holds offset 0: nothing is
    // connected, whatever the area holds.
    void setConnectionAreaEnabled(bool enabled) noexcept;

    // The shader record; the renderer points the state's `shader` at it.
    miFunction& record() noexcept { return *record_; }
    const miFunction& record() const noexcept { return *record_; }
    void bind(miState& state) noexcept { state.shader = record_; }

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
    // The parameters start at the record's `parameters` field and run on past
    // the record's end, within storage_.
    unsigned char* bytes() noexcept {
        return reinterpret_cast<unsigned char*>(storage_.data()) + offsetof(miFunction, parameters);
    }
    const unsigned char* bytes() const noexcept {
        return reinterpret_cast<const unsigned char*>(storage_.data()) +
               offsetof(miFunction, parameters);
    }

    std::size_t parameterBytes_;
    std::int32_t connectionOffset_;
    std::vector<std::uint64_t> storage_;  // 8-byte aligned, zero-filled
    miFunction* record_;                  // at the start of storage_
};

}  // namespace vorlane::renderer
