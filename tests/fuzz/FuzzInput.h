// Reading typed values out of a fuzzer's bytes: every read succeeds, giving zeros once the input
// runs out, so a harness never has to reject an input for being short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return offset_ >= size_; }

    template <typename T> T Take() {
        T value{};
        const std::size_t n = sizeof(T) < size_ - offset_ ? sizeof(T) : size_ - offset_;
        if (n != 0) {
            std::memcpy(&value, data_ + offset_, n);
        }
        offset_ += n;
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

} // namespace fuzz
