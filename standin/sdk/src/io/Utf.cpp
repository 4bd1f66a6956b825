// UTF-16LE and UTF-8 conversions for wchar_t of either width.
#include "HostAccess.h"

namespace MaxStandin {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void PutUnit(std::vector<unsigned char>& out, unsigned unit) {
    out.push_back(static_cast<unsigned char>(unit & 0xff));
    out.push_back(static_cast<unsigned char>((unit >> 8) & 0xff));
}

std::u32string CodePoints(const std::wstring& str) {
    std::u32string points;
    for (std::size_t i = 0; i < str.size(); ++i) {
        char32_t c = static_cast<char32_t>(str[i]);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < str.size()) {
            const char32_t low = static_cast<char32_t>(str[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            c = kReplacement;
        }
        points.push_back(c);
    }
    return points;
}

void AppendWide(std::wstring& out, char32_t c) {
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(c));
    }
}

} // namespace

void AppendUtf16(std::vector<unsigned char>& out, const std::wstring& str) {
    for (char32_t c : CodePoints(str)) {
        if (c >= 0x10000) {
            PutUnit(out, 0xD800 + ((c - 0x10000) >> 10));
            PutUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            PutUnit(out, c);
        }
    }
}

std::wstring DecodeUtf16(const unsigned char* data, std::size_t units) {
    std::wstring out;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = static_cast<char32_t>(data[2 * i] | (data[2 * i + 1] << 8));
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            const char32_t low = static_cast<char32_t>(data[2 * i + 2] | (data[2 * i + 3] << 8));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendWide(out, c);
    }
    return out;
}

std::string EncodeUtf8(const std::wstring& str) {
    std::string out;
    for (char32_t c : CodePoints(str)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::wstring DecodeUtf8(const std::string& bytes) {
    std::wstring out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80         ? 0
                          : (lead >> 5) == 6  ? 1
                          : (lead >> 4) == 14 ? 2
                          : (lead >> 3) == 30 ? 3
                                              : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= bytes.size()) {
            AppendWide(out, kReplacement);
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : (lead & (0x3F >> extra));
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            AppendWide(out, kReplacement);
            ++i;
            continue;
        }
        AppendWide(out, c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

} // namespace MaxStandin
