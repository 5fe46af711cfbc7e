// Takes typed values off the front of a fuzzer's input. Once the bytes run
// out every value reads as zero, so a short input is still a complete case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vorlane::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T>
    T take() {
        T value{};
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
        if (n > 0) {
            std::memcpy(bytes, data_, n);
        }
        data_ += n;
        size_ -= n;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    bool flag() { return (take<std::uint8_t>() & 1u) != 0; }

    // A value in [low, high] (low <= high).
    std::int64_t range(std::int64_t low, std::int64_t high) {
        const std::uint64_t span = static_cast<std::uint64_t>(high - low) + 1u;
        const std::uint32_t raw = take<std::uint32_t>();
        return span == 0 ? low + raw : low + static_cast<std::int64_t>(raw % span);
    }

    // Any float bit pattern: NaN, infinities, zeros, subnormals included.
    float anyFloat() { return take<float>(); }

    std::size_t remaining() const { return size_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace vorlane::fuzz
