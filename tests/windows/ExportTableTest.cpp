// The host finds Nacreen's entry points by name or by ordinal; both must lead to the same code.
#include "NacreenModule.h"

#include <gtest/gtest.h>

namespace nacreen_windows {
namespace {

struct NamedOrdinal {
    const char* name;
    WORD ordinal;
};

constexpr NamedOrdinal kEntryPoints[] = {
    {"LibDescription", 1}, {"LibNumberClasses", 2}, {"LibClassDesc", 3},
    {"LibVersion", 4},     {"LibInitialize", 6},    {"LibShutdown", 7},
};

FARPROC ExportByOrdinal(HMODULE module, WORD ordinal) {
    return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
}

TEST(ExportTable, EachEntryPointHasTheSameAddressByNameAndByOrdinal) {
    const HMODULE module = NacreenModule();
    ASSERT_NE(module, nullptr) << "LoadLibraryW(Nacreen.dlt) failed, error " << GetLastError();
    for (const NamedOrdinal& entry : kEntryPoints) {
        SCOPED_TRACE(entry.name);
        const FARPROC byName = GetProcAddress(module, entry.name);
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName, ExportByOrdinal(module, entry.ordinal));
    }
}

TEST(ExportTable, OrdinalFiveAndOrdinalsPastSevenAreEmpty) {
    const HMODULE module = NacreenModule();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ExportByOrdinal(module, 5), nullptr);
    EXPECT_EQ(ExportByOrdinal(module, 8), nullptr);
}

} // namespace
} // namespace nacreen_windows
