// LoadStringW and the host's resource lookup over the resources embedded in a loaded module.
#if !defined(_WIN32)

#include "maxhost/Host.h"
#include "maxhost/PluginLibrary.h"

#include "fixtures/FixturePaths.h"
#include "fixtures/fixture_resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class LoadStringFromModule : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
        instance = library.Instance();
    }

    std::wstring Load(UINT id, int capacity = 256) {
        std::wstring buffer(static_cast<std::size_t>(capacity), L'#');
        const int length = LoadStringW(instance, id, buffer.data(), capacity);
        EXPECT_EQ(static_cast<std::size_t>(length), std::wcslen(buffer.c_str()));
        return buffer.c_str();
    }

    maxhost::PluginLibrary library;
    HINSTANCE instance = nullptr;
};

TEST_F(LoadStringFromModule, ReturnsTheEnglishTextsExactly) {
    EXPECT_EQ(Load(IDS_FIXTURE_DESCRIPTION), L"Stand-in loader test library.");
    EXPECT_EQ(Load(IDS_HUE_SHIFT_LABEL), L"Hue Shift (\u00B1\u00B0):");
    EXPECT_EQ(Load(IDS_NON_LATIN), L"Param\u00E8tres \u2013 \u00FC \u00DF \u20AC \u65E5\u672C");
    EXPECT_EQ(Load(IDS_OUTSIDE_BMP), L"\U0001D11E clef");
    EXPECT_EQ(Load(IDS_BLOCK_END), L"Last of the first block");
    EXPECT_EQ(Load(IDS_SECOND_BLOCK), L"Output");
}

TEST_F(LoadStringFromModule, ReturnsTheCopiedLength) {
    wchar_t buffer[256];
    EXPECT_EQ(LoadStringW(instance, IDS_HUE_SHIFT_LABEL, buffer, 256), 15);
    EXPECT_EQ(LoadStringW(instance, IDS_SECOND_BLOCK, buffer, 256), 6);
}

TEST_F(LoadStringFromModule, MissingOrEmptyStringsGiveZeroAndAnEmptyBuffer) {
    for (UINT id : {0u, 6u, 14u, 16u, 18u, 1000u, 0xFFFFu}) {
        wchar_t buffer[8] = L"stale";
        EXPECT_EQ(LoadStringW(instance, id, buffer, 8), 0) << id;
        EXPECT_EQ(buffer[0], L'\0') << id;
    }
    EXPECT_EQ(Load(IDS_EMPTY), L"");
}

TEST_F(LoadStringFromModule, TruncatesToTheBufferKeepingTheTerminator) {
    wchar_t buffer[6];
    EXPECT_EQ(LoadStringW(instance, IDS_HUE_SHIFT_LABEL, buffer, 6), 5);
    EXPECT_EQ(std::wstring(buffer), L"Hue S");
    EXPECT_EQ(LoadStringW(instance, IDS_HUE_SHIFT_LABEL, buffer, 1), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

TEST_F(LoadStringFromModule, RejectsUnusableBuffersWithoutWritingToThem) {
    EXPECT_EQ(LoadStringW(instance, IDS_SECOND_BLOCK, nullptr, 256), 0);
    wchar_t buffer[4] = L"abc";
    EXPECT_EQ(LoadStringW(instance, IDS_SECOND_BLOCK, buffer, -1), 0);
    EXPECT_EQ(std::wstring(buffer), L"abc");
}

// As on Windows, a capacity of 0 asks for a read-only pointer to the string instead of a copy.
TEST_F(LoadStringFromModule, ZeroCapacityHandsOutAReadOnlyPointer) {
    const wchar_t* text = nullptr;
    EXPECT_EQ(LoadStringW(instance, IDS_SECOND_BLOCK, reinterpret_cast<LPWSTR>(&text), 0), 6);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, 6), L"Output");
    EXPECT_EQ(LoadStringW(instance, 18, reinterpret_cast<LPWSTR>(&text), 0), 0);
}

// Windows reads string ids as 16-bit values.
TEST_F(LoadStringFromModule, IgnoresTheHighWordOfTheId) {
    EXPECT_EQ(Load(0x10000u | IDS_SECOND_BLOCK), L"Output");
}

TEST_F(LoadStringFromModule, UnknownModulesHaveNoStrings) {
    wchar_t buffer[32];
    EXPECT_EQ(LoadStringW(nullptr, IDS_SECOND_BLOCK, buffer, 32), 0);
    int local = 0;
    EXPECT_EQ(LoadStringW(reinterpret_cast<HINSTANCE>(&local), IDS_SECOND_BLOCK, buffer, 32), 0);
    // The test program's own module has dialog templates but no string table.
    HINSTANCE program =
        maxhost::ModuleHandleFromAddress(reinterpret_cast<const void*>(&TestProgramDirectory));
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(LoadStringW(program, IDS_SECOND_BLOCK, buffer, 32), 0);
    // An address inside the library is not its handle.
    HINSTANCE inside = reinterpret_cast<HINSTANCE>(reinterpret_cast<char*>(instance) + 16);
    EXPECT_EQ(LoadStringW(inside, IDS_SECOND_BLOCK, buffer, 32), 0);
}

TEST_F(LoadStringFromModule, StringsLeaveWithTheModule) {
    std::u16string text;
    ASSERT_TRUE(maxhost::FindModuleString(instance, IDS_SECOND_BLOCK, text));
    library.Unload();
    EXPECT_FALSE(maxhost::FindModuleString(instance, IDS_SECOND_BLOCK, text));
    wchar_t buffer[32];
    EXPECT_EQ(LoadStringW(instance, IDS_SECOND_BLOCK, buffer, 32), 0);
}

TEST_F(LoadStringFromModule, TheHostFindsTheDialogTemplate) {
    using namespace winres;
    std::optional<ResEntry> entry = maxhost::FindModuleResource(
        instance, ResName::Ordinal(kTypeDialog), ResName::Ordinal(IDD_FIXTURE_PANEL));
    ASSERT_TRUE(entry);
    DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(ParseDialogTemplate(entry->data, entry->size, dialog, error)) << error;
    EXPECT_EQ(dialog.items.size(), 4u);
    EXPECT_FALSE(maxhost::FindModuleResource(instance, ResName::Ordinal(kTypeDialog),
                                             ResName::Ordinal(103)));
    std::u16string text;
    EXPECT_TRUE(maxhost::FindModuleString(instance, IDS_EMPTY, text));
    EXPECT_TRUE(text.empty());
    // The compiled table cannot tell an undefined id from an empty string of the same block.
    EXPECT_TRUE(maxhost::FindModuleString(instance, 18, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(maxhost::FindModuleString(instance, 40, text)); // no block 3
}

// The module carries the resource compiler's output unchanged.
TEST_F(LoadStringFromModule, EmbeddedResourcesAreTheCompiledBytes) {
    using namespace winres;
    std::ifstream file(FixtureResFile(), std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    std::vector<ResEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseResFile(bytes.data(), bytes.size(), entries, error)) << error;
    for (const ResEntry& compiled : entries) {
        std::optional<ResEntry> embedded = maxhost::FindModuleResource(
            instance, compiled.type, compiled.name, compiled.languageId);
        ASSERT_TRUE(embedded);
        EXPECT_EQ(embedded->languageId, compiled.languageId);
        EXPECT_EQ(std::vector<unsigned char>(embedded->data, embedded->data + embedded->size),
                  std::vector<unsigned char>(compiled.data, compiled.data + compiled.size));
    }
}

TEST(LoadStringWithoutResources, AModuleWithoutResourcesHasNoStrings) {
    maxhost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_without_resources"), error)) << error;
    wchar_t buffer[32];
    EXPECT_EQ(LoadStringW(library.Instance(), IDS_SECOND_BLOCK, buffer, 32), 0);
    EXPECT_TRUE(library.Description().empty());
}

} // namespace

#endif
