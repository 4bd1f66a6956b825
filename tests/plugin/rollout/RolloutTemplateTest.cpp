// Dialog template 101 as the resource compiler stored it in Nacreen.dlt, read back from the
// module's compiled resources.
#include "../NacreenLibrary.h"
#include "NacreenRolloutLayout.h"

#include "resources/resource.h"

#include <maxhost/Host.h>

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
    EXPECT_EQ(dialog.style, kRolloutPageStyle);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, kRolloutPageWidth);
    EXPECT_EQ(dialog.cy, kRolloutPageHeight);
    EXPECT_TRUE(dialog.menu.isOrdinal ? dialog.menu.ordinal == 0 : dialog.menu.IsEmpty());
    EXPECT_TRUE(dialog.windowClass.isOrdinal ? dialog.windowClass.ordinal == 0
                                             : dialog.windowClass.IsEmpty());
    EXPECT_TRUE(dialog.title.empty());
    ASSERT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, kRolloutFontPoints);
    EXPECT_EQ(dialog.typeface, kRolloutTypeface);
    EXPECT_EQ(dialog.items.size(), 34u);
}

std::u16string Caption(const winres::DialogItem& item) {
    return item.title.isOrdinal ? std::u16string() : item.title.text;
}

TEST(RolloutTemplate, HoldsTheThirtyFourControlsInOrder) {
    const DialogTemplate dialog = RolloutTemplate();
    ASSERT_EQ(dialog.items.size(), std::size(kRolloutControls));
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const RolloutControl& expected = kRolloutControls[i];
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
