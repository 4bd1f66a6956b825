// The portable .res parser on the output of the real resource compiler, and on damaged input.
#if !defined(_WIN32)

#include "maxhost/Host.h"

#include "fixtures/FixturePaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using namespace winres;

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>());
}

class CompiledFixtureResources : public ::testing::Test {
protected:
    void SetUp() override {
        bytes = ReadFile(FixtureResFile());
        ASSERT_FALSE(bytes.empty()) << "missing " << FixtureResFile();
        std::string error;
        ASSERT_TRUE(ParseResFile(bytes.data(), bytes.size(), entries, error)) << error;
    }

    const ResEntry& Find(std::uint16_t type, const ResName& name,
                         std::uint16_t language = kLangEnglishUS) {
        const ResEntry* entry = FindResEntry(entries, ResName::Ordinal(type), name, language);
        if (!entry) {
            throw std::runtime_error("resource not found");
        }
        return *entry;
    }

    StringBlock Block(std::uint16_t blockName, std::uint16_t language = kLangEnglishUS) {
        const ResEntry& entry = Find(kTypeString, ResName::Ordinal(blockName), language);
        StringBlock block;
        std::string error;
        EXPECT_TRUE(DecodeStringBlock(entry.data, entry.size, block, error)) << error;
        return block;
    }

    DialogTemplate Dialog(std::uint16_t id) {
        const ResEntry& entry = Find(kTypeDialog, ResName::Ordinal(id));
        DialogTemplate dialog;
        std::string error;
        EXPECT_TRUE(ParseDialogTemplate(entry.data, entry.size, dialog, error)) << error;
        return dialog;
    }

    std::vector<unsigned char> bytes;
    std::vector<ResEntry> entries;
};

TEST_F(CompiledFixtureResources, ListsEveryResourceWithItsHeader) {
    ASSERT_EQ(entries.size(),
              6u); // dialogs 101 and 102, string blocks 1 (two languages) and 2, data
    const ResEntry& dialog = entries.front();
    EXPECT_EQ(dialog.type, ResName::Ordinal(kTypeDialog));
    EXPECT_EQ(dialog.name, ResName::Ordinal(101));
    EXPECT_EQ(dialog.languageId, kLangEnglishUS);
}

TEST_F(CompiledFixtureResources, FindsStringNamedResourcesWithoutRegardToCase) {
    const ResEntry& data = Find(10, ResName::Text(u"fixtureData"));
    EXPECT_FALSE(data.name.isOrdinal);
    EXPECT_EQ(data.name.text, u"FIXTUREDATA");
    ASSERT_EQ(data.size, 3u);
    EXPECT_EQ(std::string(data.data, data.data + data.size), "abc");
    EXPECT_EQ(FindResEntry(entries, ResName::Ordinal(10), ResName::Text(u"FIXTUREDAT")), nullptr);
}

TEST_F(CompiledFixtureResources, DecodesUtf8ScriptTextsExactly) {
    const StringBlock block = Block(1);
    EXPECT_EQ(block[1], u"Stand-in loader test library.");
    EXPECT_EQ(block[2], u"Hue Shift (\u00B1\u00B0):");
    EXPECT_EQ(block[3], u"Param\u00E8tres \u2013 \u00FC \u00DF \u20AC \u65E5\u672C");
    EXPECT_EQ(block[4], u"\U0001D11E clef");
    EXPECT_EQ(block[5], u"");
    EXPECT_EQ(block[15], u"Last of the first block");
    EXPECT_EQ(block[0], u"");
    EXPECT_EQ(Block(2)[1], u"Output");
}

TEST_F(CompiledFixtureResources, ChoosesTheRequestedLanguageThenEnglish) {
    EXPECT_EQ(Block(1, 0x0407)[2], u"Farbtonverschiebung (\u00B1\u00B0):");
    EXPECT_EQ(Block(1, 0x040C)[2], u"Hue Shift (\u00B1\u00B0):"); // no French: English
}

TEST_F(CompiledFixtureResources, ParsesAnExtendedDialog) {
    const DialogTemplate dialog = Dialog(101);
    EXPECT_EQ(dialog.style, 0x50000040u); // WS_CHILD | WS_VISIBLE | DS_SETFONT
    EXPECT_EQ(dialog.cx, 217);
    EXPECT_EQ(dialog.cy, 60);
    EXPECT_TRUE(dialog.menu.IsEmpty());
    EXPECT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, u"MS Sans Serif");
    ASSERT_EQ(dialog.items.size(), 4u);

    const DialogItem& label = dialog.items[0];
    EXPECT_EQ(label.id, 0xFFFFFFFFu);                     // -1 in 32 bits
    EXPECT_EQ(label.windowClass, ResName::Ordinal(0x82)); // the atom of Static
    EXPECT_EQ(ClassNameOf(label), u"Static");
    EXPECT_EQ(label.title.text, u"Hue Shift (\u00B1\u00B0):");
    EXPECT_EQ(label.x, 7);
    EXPECT_EQ(label.y, 8);

    const DialogItem& edit = dialog.items[1];
    EXPECT_EQ(edit.id, 1001u);
    EXPECT_TRUE(SameTextIgnoringCase(ClassNameOf(edit), u"CustEdit"));
    EXPECT_EQ(edit.style & 0x00010000u, 0x00010000u); // WS_TABSTOP

    const DialogItem& check = dialog.items[3];
    EXPECT_EQ(check.id, 1003u);
    EXPECT_TRUE(SameTextIgnoringCase(ClassNameOf(check), u"Button"));
    EXPECT_EQ(check.style & 0xFu, 3u); // BS_AUTOCHECKBOX
    EXPECT_EQ(check.title.text, u"Use map");
}

// Only the extended layout is read: the plug-in's rollout is a DIALOGEX.
TEST_F(CompiledFixtureResources, RefusesAClassicDialog) {
    const ResEntry& entry = Find(kTypeDialog, ResName::Ordinal(102));
    DialogTemplate dialog;
    std::string error;
    EXPECT_FALSE(ParseDialogTemplate(entry.data, entry.size, dialog, error));
    EXPECT_NE(error.find("DIALOGEX"), std::string::npos) << error;
}

// Cut anywhere, the file either fails to parse or yields only the entries before the cut.
TEST_F(CompiledFixtureResources, TruncatedFilesNeverYieldMoreThanTheyHold) {
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + length);
        std::vector<ResEntry> partial;
        std::string error;
        if (!ParseResFile(cut.data(), cut.size(), partial, error)) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ASSERT_LE(partial.size(), entries.size()) << "cut at " << length;
        // Only the padding after the last entry may go missing without an error.
        const ResEntry& last = entries.back();
        if (partial.size() == entries.size()) {
            EXPECT_LE(static_cast<std::size_t>(last.data - bytes.data()) + last.size, length);
        }
        for (const ResEntry& entry : partial) {
            EXPECT_LE(entry.data + entry.size, cut.data() + cut.size());
        }
    }
}

TEST_F(CompiledFixtureResources, TruncatedDialogsAndStringBlocksAreRejected) {
    const ResEntry& dialog = Find(kTypeDialog, ResName::Ordinal(101));
    for (std::size_t length = 0; length < dialog.size; ++length) {
        std::vector<unsigned char> cut(dialog.data, dialog.data + length);
        DialogTemplate parsed;
        std::string error;
        EXPECT_FALSE(ParseDialogTemplate(cut.data(), cut.size(), parsed, error)) << length;
    }
    const ResEntry& strings = Find(kTypeString, ResName::Ordinal(1));
    for (std::size_t length = 0; length + 1 < strings.size; ++length) {
        std::vector<unsigned char> cut(strings.data, strings.data + length);
        StringBlock block;
        std::string error;
        EXPECT_FALSE(DecodeStringBlock(cut.data(), cut.size(), block, error)) << length;
    }
}

// A header of 32 bytes: DataSize, HeaderSize, type 6, name 1, then the fixed fields.
std::vector<unsigned char> EntryHeader(std::uint32_t dataSize, std::uint32_t headerSize) {
    std::vector<unsigned char> header = {0,    0,    0,    0, 0, 0, 0, 0, 0xff, 0xff, 6,
                                         0,    0xff, 0xff, 1, 0, 0, 0, 0, 0,    0x30, 0x10,
                                         0x09, 0x04, 0,    0, 0, 0, 0, 0, 0,    0};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<unsigned char>(dataSize >> (8 * i));
        header[4 + i] = static_cast<unsigned char>(headerSize >> (8 * i));
    }
    return header;
}

std::vector<unsigned char> WithLeadEntry(const std::vector<unsigned char>& rest) {
    std::vector<unsigned char> file = {0,    0,    0, 0, 0x20, 0,    0, 0,
                                       0xff, 0xff, 0, 0, 0xff, 0xff, 0, 0};
    file.resize(32, 0);
    file.insert(file.end(), rest.begin(), rest.end());
    return file;
}

bool Parses(const std::vector<unsigned char>& file, std::string& error) {
    std::vector<ResEntry> entries;
    return ParseResFile(file.data(), file.size(), entries, error);
}

TEST(ResFileParser, RejectsCorruptHeaders) {
    std::string error;
    std::vector<ResEntry> entries;
    EXPECT_FALSE(ParseResFile(nullptr, 100, entries, error));
    EXPECT_FALSE(Parses({}, error));

    std::vector<unsigned char> noLead = EntryHeader(0, 32);
    EXPECT_FALSE(Parses(noLead, error));
    EXPECT_NE(error.find("32-bit"), std::string::npos) << error;

    EXPECT_FALSE(Parses(WithLeadEntry(EntryHeader(0, 16)), error)); // header too small
    EXPECT_FALSE(Parses(WithLeadEntry(EntryHeader(0, 34)), error)); // not DWORD-sized
    EXPECT_FALSE(Parses(WithLeadEntry(EntryHeader(0, 0xFFFFFFF0u)), error));
    EXPECT_FALSE(Parses(WithLeadEntry(EntryHeader(0xFFFFFFFFu, 32)), error));
    EXPECT_NE(error.find("past the end"), std::string::npos) << error;

    std::vector<unsigned char> good = EntryHeader(4, 32);
    good.insert(good.end(), {1, 2, 3, 4});
    EXPECT_TRUE(Parses(WithLeadEntry(good), error)) << error;
}

TEST(ResFileParser, RejectsNamesRunningPastTheirHeader) {
    // A string name with no terminator inside the 32-byte header.
    std::vector<unsigned char> header = EntryHeader(0, 32);
    for (std::size_t i = 12; i < 32; i += 2) {
        header[i] = 'A';
        header[i + 1] = 0;
    }
    std::string error;
    EXPECT_FALSE(Parses(WithLeadEntry(header), error));
    EXPECT_NE(error.find("name"), std::string::npos) << error;
}

TEST(DialogTemplateParser, RejectsAnItemCountLargerThanTheData) {
    // DLGTEMPLATEEX header claiming 65535 items, with no items and no font.
    const std::vector<unsigned char> header = {1,  0, 0xff, 0xff, 0,    0,    0,    0, 0, 0, 0,
                                               0,  0, 0,    0,    0x50, 0xff, 0xff, 0, 0, 0, 0,
                                               10, 0, 10,   0,    0,    0,    0,    0, 0, 0};
    DialogTemplate dialog;
    std::string error;
    EXPECT_FALSE(ParseDialogTemplate(header.data(), header.size(), dialog, error));
    EXPECT_NE(error.find("item 0"), std::string::npos) << error;
}

TEST(Utf16ToWide, JoinsSurrogatePairsAndReplacesLoneSurrogates) {
    EXPECT_EQ(ToWide(u"\U0001D11E!"), std::wstring(L"\U0001D11E!"));
    const std::u16string lone = {u'a', static_cast<char16_t>(0xD834), u'b',
                                 static_cast<char16_t>(0xDD1E)};
    EXPECT_EQ(ToWide(lone), std::wstring(L"a\uFFFDb\uFFFD"));
}

} // namespace

#endif
