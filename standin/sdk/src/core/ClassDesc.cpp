// ClassDesc's string lookup through the module's string table.
#include "plugapi.h"

#include <map>
#include <string>

// Keeps every string looked up, so a returned pointer stays valid for the descriptor's life.
struct ClassDesc::StringCache {
    std::map<INT_PTR, std::wstring> byId;
};

ClassDesc::ClassDesc() : strings(nullptr) {}

ClassDesc::~ClassDesc() {
    delete strings;
}

const MCHAR* ClassDesc::GetRsrcString(INT_PTR id) {
    HINSTANCE module = HInstance();
    if (!module || id <= 0 || id > 0xffff) {
        return nullptr;
    }
    if (!strings) {
        strings = new StringCache;
    }
    auto cached = strings->byId.find(id);
    if (cached != strings->byId.end()) {
        return cached->second.c_str();
    }
    // A string-table entry holds at most 65535 characters.
    std::wstring buffer(65536, L'\0');
    const int length =
        LoadStringW(module, static_cast<UINT>(id), &buffer[0], static_cast<int>(buffer.size()));
    if (length <= 0) {
        return nullptr;
    }
    buffer.resize(static_cast<std::size_t>(length));
    return strings->byId.emplace(id, std::move(buffer)).first->second.c_str();
}
