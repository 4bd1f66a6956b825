// Basic SDK types: export decoration, wide text, the host heap, time, class identity, I/O
// results, intervals, strings, points and colours.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cwchar>
#include <new>
#include <string>

// The SDK libraries (core, geom, maxutil, paramblk2) are one shared library here: on Windows it
// exports what the plug-in imports, on Linux everything public keeps default visibility.
#if defined(_WIN32)
#if defined(MAX_STANDIN_BUILDING)
#define MAX_STANDIN_EXPORT __declspec(dllexport)
#else
#define MAX_STANDIN_EXPORT __declspec(dllimport)
#endif
#else
#define MAX_STANDIN_EXPORT __attribute__((visibility("default")))
#endif
#define CoreExport MAX_STANDIN_EXPORT
#define UtilExport MAX_STANDIN_EXPORT
#define GeomExport MAX_STANDIN_EXPORT
#define PB2Export MAX_STANDIN_EXPORT
#define DllExport MAX_STANDIN_EXPORT

// The SDK is Unicode-only: MCHAR is wchar_t and string literals are wide.
#define MCHAR wchar_t
#define _M(x) L##x
#if defined(_WIN32)
#include <tchar.h>
#else
#ifndef _T
#define _T(x) L##x
#endif
#ifndef TCHAR
#define TCHAR wchar_t
#endif
#endif

// Every SDK-derived object is allocated and freed through these operators, so that the host owns
// one heap. The plain forms throw std::bad_alloc when the heap has no storage to give; the forms
// that take std::nothrow yield null instead (and a new-expression then skips the constructor).
class UtilExport MaxHeapOperators {
public:
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t, void* placement) noexcept { return placement; }
    static void operator delete(void* ptr) noexcept;
    static void operator delete(void* ptr, const std::nothrow_t&) noexcept;
    static void operator delete(void*, void*) noexcept {}
};

// As on Windows, and as the C library already declares it on Linux (64 bits wide there). Scene
// files store class ids as 32-bit values whatever its width.
typedef unsigned long ulong;

using TimeValue = int;
#define TIME_TICKSPERSEC 4800
#define TIME_PosInfinity TimeValue(0x7fffffff)
#define TIME_NegInfinity TimeValue(0x80000000)

typedef ulong SClass_ID;

class Class_ID : public MaxHeapOperators {
    ulong a = 0xffffffff;
    ulong b = 0xffffffff;

public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ulong aa, ulong bb) : a(aa), b(bb) {}
    ulong PartA() const { return a; }
    ulong PartB() const { return b; }
    bool operator==(const Class_ID& cid) const { return a == cid.a && b == cid.b; }
    bool operator!=(const Class_ID& cid) const { return !(*this == cid); }
};

enum IOResult : int { IO_OK = 0, IO_END = 1, IO_ERROR = 2 };

// A closed span of animation time in ticks.
class UtilExport Interval : public MaxHeapOperators {
    TimeValue start;
    TimeValue end;

public:
    Interval(TimeValue s, TimeValue e) : start(s), end(e) {}
    Interval() : start(TIME_NegInfinity), end(TIME_NegInfinity) {}

    int operator==(const Interval& i) const { return i.start == start && i.end == end; }
    bool operator!=(const Interval& i) const { return !(*this == i); }
    int InInterval(const TimeValue t) const {
        return start <= t && t <= end && t != TIME_NegInfinity;
    }
    int Empty() const { return start == TIME_NegInfinity && end == TIME_NegInfinity; }
    void Set(TimeValue s, TimeValue e) {
        start = s;
        end = e;
    }
    void SetEmpty() { start = end = TIME_NegInfinity; }
    void SetInfinite() {
        start = TIME_NegInfinity;
        end = TIME_PosInfinity;
    }
    void SetInstant(const TimeValue t) { start = end = t; }
    TimeValue Start() const { return start; }
    TimeValue End() const { return end; }

    // The overlap of the two spans; empty when they do not meet.
    Interval operator&(const Interval i) const {
        const TimeValue s = start > i.start ? start : i.start;
        const TimeValue e = end < i.end ? end : i.end;
        return Empty() || i.Empty() || e < s ? Interval() : Interval(s, e);
    }
    Interval& operator&=(const Interval i) { return *this = *this & i; }
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)

// The SDK's wide string (MSTR / TSTR).
class UtilExport WStr : public MaxHeapOperators {
public:
    WStr() = default;
    WStr(const wchar_t* s) : text(s ? s : L"") {}
    WStr& operator=(const wchar_t* s) {
        text = s ? s : L"";
        return *this;
    }

    const wchar_t* data() const { return text.c_str(); }
    operator const wchar_t*() const { return text.c_str(); }
    int Length() const { return static_cast<int>(text.size()); }
    bool isNull() const { return text.empty(); }
    bool operator==(const WStr& s) const { return text == s.text; }
    bool operator==(const wchar_t* s) const { return text == (s ? s : L""); }
    bool operator!=(const WStr& s) const { return text != s.text; }

private:
    std::wstring text;
};

typedef WStr MSTR;

class Point2 : public MaxHeapOperators {
public:
    float x = 0.0f, y = 0.0f;

    Point2() = default;
    Point2(float X, float Y) : x(X), y(Y) {}
};

// A three-component float vector with the SDK's dot (%) and cross (^) operators.
class Point3 : public MaxHeapOperators {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Point3() = default;
    Point3(float X, float Y, float Z) : x(X), y(Y), z(Z) {}

    float operator%(const Point3& p) const { return x * p.x + y * p.y + z * p.z; }
    Point3 operator^(const Point3& p) const {
        return Point3(y * p.z - z * p.y, z * p.x - x * p.z, x * p.y - y * p.x);
    }
    Point3 operator-() const { return Point3(-x, -y, -z); }
    Point3 operator+(const Point3& p) const { return Point3(x + p.x, y + p.y, z + p.z); }
    Point3 operator-(const Point3& p) const { return Point3(x - p.x, y - p.y, z - p.z); }
    Point3 operator*(float f) const { return Point3(x * f, y * f, z * f); }
    Point3 operator/(float f) const { return Point3(x / f, y / f, z / f); }
    int operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    int operator!=(const Point3& p) const { return !(*this == p); }
};

inline Point3 operator*(float f, const Point3& p) {
    return p * f;
}

class AColor;

// Three float channels. Builds implicitly from an AColor by dropping the alpha.
class Color : public MaxHeapOperators {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f;

    Color() = default;
    Color(float R, float G, float B) : r(R), g(G), b(B) {}
    Color(const AColor& c);

    int operator==(const Color& c) const { return r == c.r && g == c.g && b == c.b; }
};

// A colour with alpha, four float channels.
class AColor : public MaxHeapOperators {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;

    AColor() = default;
    AColor(float R, float G, float B, float A = 1.0f) : r(R), g(G), b(B), a(A) {}
    AColor(const Color& c, float alph = 1.0f) : r(c.r), g(c.g), b(c.b), a(alph) {}

    // Limits all four channels to [0, 1].
    void ClampMinMax() {
        r = r < 0.0f ? 0.0f : (r > 1.0f ? 1.0f : r);
        g = g < 0.0f ? 0.0f : (g > 1.0f ? 1.0f : g);
        b = b < 0.0f ? 0.0f : (b > 1.0f ? 1.0f : b);
        a = a < 0.0f ? 0.0f : (a > 1.0f ? 1.0f : a);
    }
    int operator==(const AColor& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
    int operator!=(const AColor& c) const { return !(*this == c); }
};

inline Color::Color(const AColor& c) : r(c.r), g(c.g), b(c.b) {}
inline float Intens(const AColor& c) {
    return (c.r + c.g + c.b) / 3.0f;
}

// A 4x3 affine transform (three axis rows and a translation row); a new one is all zeros.
class Matrix3 : public MaxHeapOperators {
    float m[4][3] = {};

public:
    void IdentityMatrix() {
        *this = Matrix3();
        m[0][0] = m[1][1] = m[2][2] = 1.0f;
    }
    int operator==(const Matrix3& o) const {
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                if (m[r][c] != o.m[r][c]) {
                    return 0;
                }
            }
        }
        return 1;
    }
};
