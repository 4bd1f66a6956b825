// Basic SDK types: time, class identity, I/O results.
#pragma once

#include <windows.h>

#include "maxheap.h"

// As on Windows, and as the C library already declares it on Linux (64 bits wide there). Scene
// files store class ids as 32-bit values whatever its width.
typedef unsigned long ulong;
typedef unsigned char uchar;
typedef unsigned short ushort;

using TimeValue = int;
#define TIME_TICKSPERSEC 4800
#define TIME_PosInfinity TimeValue(0x7fffffff)
#define TIME_NegInfinity TimeValue(0x80000000)
#define SecToTicks(secs) ((TimeValue)((secs)*TIME_TICKSPERSEC))
#define TicksToSec(ticks) ((ticks) / (float)TIME_TICKSPERSEC)

typedef ulong SClass_ID;

class Class_ID : public MaxHeapOperators {
    ulong a = 0xffffffff;
    ulong b = 0xffffffff;

public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ulong aa, ulong bb) : a(aa), b(bb) {}
    ulong PartA() const { return a; }
    ulong PartB() const { return b; }
    void SetPartA(ulong aa) { a = aa; }
    void SetPartB(ulong bb) { b = bb; }
    bool operator==(const Class_ID& cid) const { return a == cid.a && b == cid.b; }
    bool operator!=(const Class_ID& cid) const { return !(*this == cid); }
    bool operator<(const Class_ID& cid) const { return a < cid.a || (a == cid.a && b < cid.b); }
};

enum IOResult : int { IO_OK = 0, IO_END = 1, IO_ERROR = 2, IO_INTERRUPT = 3 };
