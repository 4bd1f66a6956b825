// Dialog template 101 as the resource compiler stored it in Nacreen.dlt, read back from the
// module's compiled resources.
#include "../NacreenLibrary.h"

#include "resources/resource.h"

#include <maxhost/ModuleResources.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace nacreen_test {
namespace {

using winres::DialogTemplate;
using winres::ResName;

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

DialogTemplate RolloutTemplate() {
    DialogTemplate dialog;
    const auto entry = maxhost::FindModuleResource(NacreenInstance(), ResName::Ordinal(5),
                                                   ResName::Ordinal(IDD_NACREEN));
    EXPECT_TRUE(entry.has_value()) << maxhost::ModuleResourceError(NacreenInstance());
    if (!entry) {
        return dialog;
    }
    EXPECT_EQ(entry->languageId, 0x0409);
    std::string error;
    EXPECT_TRUE(winres::ParseDialogTemplate(entry->data, entry->size, dialog, error)) << error;
    return dialog;
}

TEST(RolloutTemplate, IsAChildPageOf217By180InMsSansSerif8) {
    const DialogTemplate dialog = RolloutTemplate();
    EXPECT_EQ(dialog.style, 0x50000040u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 217);
    EXPECT_EQ(dialog.cy, 180);
    EXPECT_TRUE(dialog.menu.isOrdinal ? dialog.menu.ordinal == 0 : dialog.menu.IsEmpty());
    EXPECT_TRUE(dialog.windowClass.isOrdinal ? dialog.windowClass.ordinal == 0
                                             : dialog.windowClass.IsEmpty());
    EXPECT_TRUE(dialog.title.empty());
    ASSERT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, u"MS Sans Serif");
    EXPECT_EQ(dialog.items.size(), 34u);
}

struct Item {
    int id;
    const char16_t* windowClass;
    short x, y, cx, cy;
    std::uint32_t style;
    const char16_t* caption;
};

constexpr std::uint32_t kRightLabel = 0x50020002;
constexpr std::uint32_t kLeftLabel = 0x50020000;
constexpr std::uint32_t kTabStop = 0x50010000;
constexpr std::uint32_t kCheckBox = 0x50010003;
constexpr std::uint32_t kSpinner = 0x50000000;
constexpr std::uint32_t kGroupBox = 0x50000007;

// In template order, which is also the tab order.
const Item expectedItems[] = {
    {1490, u"CustEdit", 54, 18, 35, 10, kTabStop, u""},
    {1496, u"SpinnerControl", 90, 18, 7, 10, kSpinner, u""},
    {-1, u"Static", 24, 18, 25, 8, kRightLabel, u"Min:"},
    {1491, u"CustEdit", 54, 30, 35, 10, kTabStop, u""},
    {1497, u"SpinnerControl", 90, 30, 7, 10, kSpinner, u""},
    {-1, u"Static", 20, 30, 29, 8, kRightLabel, u"Max:"},
    {1493, u"CustEdit", 54, 69, 35, 10, kTabStop, u""},
    {1499, u"SpinnerControl", 90, 69, 7, 10, kSpinner, u""},
    {-1, u"Static", 54, 58, 35, 8, kLeftLabel, u"External:"},
    {1494, u"CustEdit", 110, 69, 35, 10, kTabStop, u""},
    {1500, u"SpinnerControl", 146, 69, 7, 10, kSpinner, u""},
    {-1, u"Static", 110, 58, 36, 8, kLeftLabel, u"Film:"},
    {1495, u"CustEdit", 166, 69, 35, 10, kTabStop, u""},
    {1501, u"SpinnerControl", 202, 69, 7, 10, kSpinner, u""},
    {-1, u"Static", 166, 58, 35, 8, kLeftLabel, u"Internal:"},
    {1003, u"Button", 105, 24, 9, 10, kCheckBox, u""},
    {1002, u"CustButton", 120, 21, 89, 14, kTabStop, u"Custom2"},
    {-1, u"Button", 2, 7, 213, 36, kGroupBox, u"Film Thickness (nm)"},
    {-1, u"Button", 2, 48, 213, 34, kGroupBox, u"IOR"},
    {-1, u"Static", 2, 142, 123, 8, kLeftLabel, u"Nacreen | Version 1.1.3"},
    {-1, u"Button", 2, 87, 213, 51, kGroupBox, u"Color Adjustment"},
    {1492, u"CustEdit", 110, 99, 35, 10, kTabStop, u""},
    {1498, u"SpinnerControl", 146, 99, 7, 10, kSpinner, u""},
    {-1, u"Static", 38, 99, 68, 8, kRightLabel, u"Gamma:"},
    {1502, u"CustEdit", 110, 112, 35, 10, kTabStop, u""},
    {1503, u"SpinnerControl", 146, 112, 7, 10, kSpinner, u""},
    {-1, u"Static", 38, 112, 68, 8, kRightLabel, u"Hue Shift (\u00B1\u00B0):"},
    {1504, u"CustEdit", 110, 125, 35, 10, kTabStop, u""},
    {1505, u"SpinnerControl", 146, 125, 7, 10, kSpinner, u""},
    {-1, u"Static", 38, 125, 68, 8, kRightLabel, u"Saturation (\u00B1%):"},
    {1008, u"CustButton", 134, 140, 80, 11, kTabStop, u"Homepage"},
    {-1, u"Static", 2, 154, 213, 8, kLeftLabel, nullptr}, // the credit line
    {-1, u"Static", 2, 166, 128, 8, kRightLabel, u"Based on article at:"},
    {1009, u"CustButton", 134, 165, 80, 11, kTabStop, nullptr}, // names the article's site
};

std::u16string Caption(const winres::DialogItem& item) {
    return item.title.isOrdinal ? std::u16string() : item.title.text;
}

TEST(RolloutTemplate, HoldsTheThirtyFourControlsInOrder) {
    const DialogTemplate dialog = RolloutTemplate();
    ASSERT_EQ(dialog.items.size(), std::size(expectedItems));
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const Item& expected = expectedItems[i];
        const winres::DialogItem& item = dialog.items[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        EXPECT_EQ(static_cast<std::int32_t>(item.id), expected.id);
        // Resource compilers may store custom class names upper-cased, and the standard classes
        // as atoms; window classes are matched without regard to case.
        EXPECT_TRUE(winres::SameTextIgnoringCase(winres::ClassNameOf(item), expected.windowClass))
            << Narrow(winres::ClassNameOf(item));
        EXPECT_EQ(item.x, expected.x);
        EXPECT_EQ(item.y, expected.y);
        EXPECT_EQ(item.cx, expected.cx);
        EXPECT_EQ(item.cy, expected.cy);
        EXPECT_EQ(item.style, expected.style);
        EXPECT_EQ(item.exStyle, 0u);
        if (expected.caption) {
            EXPECT_EQ(Caption(item), expected.caption) << Narrow(Caption(item));
        } else {
            EXPECT_FALSE(Caption(item).empty());
        }
    }
}

TEST(RolloutTemplate, SpellsTheSignsOfTheColourAdjustmentLabels) {
    const DialogTemplate dialog = RolloutTemplate();
    ASSERT_EQ(dialog.items.size(), 34u);
    EXPECT_EQ(Caption(dialog.items[26]),
              (std::u16string{u'H', u'u', u'e', u' ', u'S', u'h', u'i', u'f', u't', u' ', u'(',
                              0x00B1, 0x00B0, u')', u':'}));
    EXPECT_EQ(Caption(dialog.items[29]).size(), 16u);
    EXPECT_EQ(Caption(dialog.items[29])[12], char16_t(0x00B1));
}

// Every control the block binds exists in the template, with the class its binding drives.
TEST(RolloutTemplate, HasAControlOfTheRightClassForEveryBinding) {
    const DialogTemplate dialog = RolloutTemplate();
    ParamBlockDesc2* pbd = NacreenBlockDesc();
    auto classOf = [&](int id) {
        for (const auto& item : dialog.items) {
            if (static_cast<std::int32_t>(item.id) == id) {
                return winres::ClassNameOf(item);
            }
        }
        return std::u16string(u"<missing>");
    };
    for (int i = 0; i < pbd->Count(); ++i) {
        const ParamDef& def = pbd->GetParamDef(pbd->IndextoID(i));
        if (!def.has_ui) {
            continue;
        }
        std::vector<std::u16string> classes;
        switch (static_cast<int>(def.ctrl_type)) {
        case TYPE_SPINNER:
            classes = {u"CustEdit", u"SpinnerControl"};
            break;
        case TYPE_TEXMAPBUTTON:
            classes = {u"CustButton"};
            break;
        case TYPE_SINGLECHECKBOX:
            classes = {u"Button"};
            break;
        default:
            ADD_FAILURE() << "unexpected control type for parameter " << def.ID;
        }
        ASSERT_EQ(def.ctrl_IDs.size(), classes.size()) << def.ID;
        for (std::size_t k = 0; k < classes.size(); ++k) {
            EXPECT_TRUE(winres::SameTextIgnoringCase(classOf(def.ctrl_IDs[k]), classes[k]))
                << "parameter " << def.ID << ", control " << def.ctrl_IDs[k];
        }
    }
}

TEST(RolloutTemplate, GoesWithTheStringTableInEnglishUnitedStates) {
    const auto strings =
        maxhost::FindModuleResource(NacreenInstance(), ResName::Ordinal(6), ResName::Ordinal(1));
    ASSERT_TRUE(strings.has_value());
    EXPECT_EQ(strings->languageId, 0x0409);
    std::u16string title;
    ASSERT_TRUE(maxhost::FindModuleString(NacreenInstance(), IDS_PARAMS, title));
    EXPECT_EQ(title, u"Nacreen Parameters");
}

} // namespace
} // namespace nacreen_test
