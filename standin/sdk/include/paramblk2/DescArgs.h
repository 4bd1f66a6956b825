// The arguments of a parameter block descriptor's tag list, captured with their C++ types so
// that a wrong list is refused with a message instead of being read as garbage.
#pragma once

#include <cstddef>
#include <type_traits>

#include "../geom/acolor.h"
#include "../maxtypes.h"

namespace MaxStandin {

class DescArg {
public:
    enum class Kind { End, Int, Double, Float, WString, NarrowString, Pointer, ClassId, Object };

    DescArg() = default;

    static DescArg From(int v) { return Integer(v); }
    static DescArg From(unsigned int v) { return Integer(static_cast<long long>(v)); }
    static DescArg From(long v) { return Integer(v); }
    static DescArg From(unsigned long v) { return Integer(static_cast<long long>(v)); }
    static DescArg From(long long v) { return Integer(v); }
    static DescArg From(unsigned long long v) { return Integer(static_cast<long long>(v)); }
    static DescArg From(short v) { return Integer(v); }
    static DescArg From(unsigned short v) { return Integer(v); }
    static DescArg From(char v) { return Integer(v); }
    static DescArg From(bool v) { return Integer(v ? 1 : 0); }
    static DescArg From(double v) {
        DescArg a(Kind::Double);
        a.real = v;
        return a;
    }
    static DescArg From(float v) {
        DescArg a(Kind::Float);
        a.real = v;
        return a;
    }
    static DescArg From(long double v) { return From(static_cast<double>(v)); }
    static DescArg From(const wchar_t* s) {
        DescArg a(Kind::WString);
        a.text = s;
        return a;
    }
    static DescArg From(wchar_t* s) { return From(static_cast<const wchar_t*>(s)); }
    static DescArg From(const char*) { return DescArg(Kind::NarrowString); }
    static DescArg From(char*) { return DescArg(Kind::NarrowString); }
    static DescArg From(std::nullptr_t) { return Pointer(nullptr); }
    static DescArg From(const Class_ID& cid) {
        DescArg a(Kind::ClassId);
        a.classId = cid;
        return a;
    }
    template <typename T> static DescArg From(T* p) { return Pointer(p); }
    template <typename T>
    static typename std::enable_if<std::is_enum<T>::value, DescArg>::type From(T v) {
        return Integer(static_cast<long long>(v));
    }
    // Anything else (colours, points, structures passed by value) is captured as an object that
    // the stand-in does not read.
    template <typename T>
    static typename std::enable_if<!std::is_enum<T>::value && !std::is_arithmetic<T>::value &&
                                       !std::is_pointer<T>::value,
                                   DescArg>::type
    From(const T&) {
        return DescArg(Kind::Object);
    }

    Kind kind = Kind::End;
    long long integer = 0;
    double real = 0.0;
    const wchar_t* text = nullptr;
    const void* pointer = nullptr;
    Class_ID classId;

private:
    explicit DescArg(Kind k) : kind(k) {}
    static DescArg Integer(long long v) {
        DescArg a(Kind::Int);
        a.integer = v;
        return a;
    }
    static DescArg Pointer(const void* p) {
        DescArg a(Kind::Pointer);
        a.pointer = p;
        return a;
    }
};

} // namespace MaxStandin
