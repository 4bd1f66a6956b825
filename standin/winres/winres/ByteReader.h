// Bounds-checked little-endian reader over a byte range. Every read either succeeds completely or
// fails and leaves the position unchanged, so a truncated or corrupt resource never makes a parser
// read outside its input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace winres {

class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    std::size_t Offset() const { return offset_; }
    std::size_t Size() const { return size_; }
    std::size_t Remaining() const { return size_ - offset_; }
    bool AtEnd() const { return offset_ == size_; }
    const unsigned char* Current() const { return data_ + offset_; }

    bool ReadU8(std::uint8_t& value) {
        if (Remaining() < 1) {
            return false;
        }
        value = data_[offset_++];
        return true;
    }

    bool ReadU16(std::uint16_t& value) {
        if (Remaining() < 2) {
            return false;
        }
        value = static_cast<std::uint16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
        offset_ += 2;
        return true;
    }

    bool ReadI16(std::int16_t& value) {
        std::uint16_t raw = 0;
        if (!ReadU16(raw)) {
            return false;
        }
        value = static_cast<std::int16_t>(raw);
        return true;
    }

    bool ReadU32(std::uint32_t& value) {
        if (Remaining() < 4) {
            return false;
        }
        value = static_cast<std::uint32_t>(data_[offset_]) |
                static_cast<std::uint32_t>(data_[offset_ + 1]) << 8 |
                static_cast<std::uint32_t>(data_[offset_ + 2]) << 16 |
                static_cast<std::uint32_t>(data_[offset_ + 3]) << 24;
        offset_ += 4;
        return true;
    }

    // Hands out a view of the next `count` bytes and moves past them.
    bool ReadBytes(std::size_t count, const unsigned char*& bytes) {
        if (Remaining() < count) {
            return false;
        }
        bytes = data_ + offset_;
        offset_ += count;
        return true;
    }

    bool Skip(std::size_t count) {
        if (Remaining() < count) {
            return false;
        }
        offset_ += count;
        return true;
    }

    // Moves to the next multiple of `alignment`, counted from the start of the range.
    bool AlignTo(std::size_t alignment) {
        const std::size_t misalignment = offset_ % alignment;
        return misalignment == 0 || Skip(alignment - misalignment);
    }

    // A NUL-terminated UTF-16 string; fails when the terminator is missing.
    bool ReadZeroTerminated(std::u16string& text) {
        const std::size_t start = offset_;
        std::u16string result;
        for (;;) {
            std::uint16_t unit = 0;
            if (!ReadU16(unit)) {
                offset_ = start;
                return false;
            }
            if (unit == 0) {
                break;
            }
            result.push_back(static_cast<char16_t>(unit));
        }
        text.swap(result);
        return true;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

} // namespace winres
