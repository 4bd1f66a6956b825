// BitArray: a resizable array of bits (used for mapping-channel requirements).
#pragma once

#include <vector>

#include "coreexp.h"
#include "maxheap.h"

class BitArray : public MaxHeapOperators {
public:
    BitArray() = default;
    explicit BitArray(int n) { SetSize(n); }

    void SetSize(int n, int save = 0) {
        if (!save) {
            bits.clear();
        }
        bits.resize(n < 0 ? 0 : static_cast<std::size_t>(n), false);
    }
    int GetSize() const { return static_cast<int>(bits.size()); }
    void ClearAll() { bits.assign(bits.size(), false); }
    void SetAll() { bits.assign(bits.size(), true); }
    // Indices outside the array are ignored rather than written out of bounds.
    void Set(int i) { Assign(i, true); }
    void Set(int i, int b) { Assign(i, b != 0); }
    void Clear(int i) { Assign(i, false); }
    int operator[](int i) const { return InRange(i) && bits[static_cast<std::size_t>(i)]; }
    int NumberSet() const {
        int n = 0;
        for (bool b : bits) {
            n += b ? 1 : 0;
        }
        return n;
    }
    bool IsEmpty() const { return NumberSet() == 0; }
    int operator==(const BitArray& b) const { return bits == b.bits; }

private:
    bool InRange(int i) const { return i >= 0 && i < GetSize(); }
    void Assign(int i, bool b) {
        if (InRange(i)) {
            bits[static_cast<std::size_t>(i)] = b;
        }
    }
    std::vector<bool> bits;
};
