// WStr, the SDK's wide string (MSTR / TSTR).
#pragma once

#include <string>

#include "maxheap.h"
#include "strbasic.h"

class UtilExport WStr : public MaxHeapOperators {
public:
    WStr() = default;
    WStr(const wchar_t* s) : text(s ? s : L"") {}
    WStr(const WStr&) = default;
    WStr(WStr&&) noexcept = default;
    WStr& operator=(const WStr&) = default;
    WStr& operator=(WStr&&) noexcept = default;
    WStr& operator=(const wchar_t* s) {
        text = s ? s : L"";
        return *this;
    }
    ~WStr() = default;

    const wchar_t* data() const { return text.c_str(); }
    operator const wchar_t*() const { return text.c_str(); }
    int Length() const { return static_cast<int>(text.size()); }
    int length() const { return Length(); }
    bool isNull() const { return text.empty(); }
    void Resize(int n) { text.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }

    WStr operator+(const WStr& s) const { return WStr(text + s.text); }
    WStr& operator+=(const WStr& s) {
        text += s.text;
        return *this;
    }
    bool operator==(const WStr& s) const { return text == s.text; }
    bool operator==(const wchar_t* s) const { return text == (s ? s : L""); }
    bool operator!=(const WStr& s) const { return text != s.text; }
    bool operator<(const WStr& s) const { return text < s.text; }

    // printf-style formatting; the result replaces the contents.
    int printf(const wchar_t* format, ...);

private:
    explicit WStr(std::wstring s) : text(std::move(s)) {}
    std::wstring text;
};

typedef WStr MSTR;
#define TSTR WStr
