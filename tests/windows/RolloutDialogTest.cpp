// Dialog template 101, the "Nacreen Parameters" rollout, as Windows itself builds it: the template
// read from the module, then a real dialog created from it with CreateDialogParamW and its child
// windows compared with the rollout's layout.
#include "CustomControlClasses.h"
#include "LoadedNacreenTest.h"
#include "NacreenRolloutLayout.h"

#include <winres/Resources.h>

#include <string>
#include <vector>

namespace nacreen_windows {
namespace {

constexpr WORD kRolloutTemplate = 101;

using nacreen_test::kRolloutControls;
using nacreen_test::RolloutControl;

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(window, text, 256);
    return std::wstring(text, length > 0 ? length : 0);
}

// The layout's texts are UTF-16, as wchar_t is on Windows.
std::wstring Wide(const char16_t* text) {
    return std::wstring(text, text + std::char_traits<char16_t>::length(text));
}

// A control's place in dialog units, as MapDialogRect takes it: left, top, width, height.
RECT UnitsOf(const RolloutControl& control) {
    return {control.x, control.y, control.cx, control.cy};
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::vector<HWND> ChildrenInOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

// Where a control of the template lies in the dialog's client area, in pixels. Windows scales
// the position and the size each on its own, so the size is mapped as a size, not as a corner.
RECT PixelsOf(HWND dialog, const RECT& units) {
    RECT scaled = units;
    MapDialogRect(dialog, &scaled);
    return {scaled.left, scaled.top, scaled.left + scaled.right, scaled.top + scaled.bottom};
}

RECT ClientRectOf(HWND dialog, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class RolloutDialog : public LoadedNacreenTest {
protected:
    void TearDown() override {
        if (host) {
            DestroyWindow(host); // and the page with it
        }
    }

    // The page is a child window, as in the host's command panel, so it needs a parent.
    void Create() {
        ASSERT_TRUE(RegisterCustomControlClasses());
        host = CreateWindowExW(0, L"Static", L"Material Editor", WS_OVERLAPPEDWINDOW, 0, 0, 600,
                               800, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host, nullptr) << "no host window, error " << GetLastError();
        dialog =
            CreateDialogParamW(module, MAKEINTRESOURCEW(kRolloutTemplate), host, IgnoreMessages, 0);
        ASSERT_NE(dialog, nullptr) << "CreateDialogParamW failed, error " << GetLastError();
    }

    HWND host = nullptr;
    HWND dialog = nullptr;
};

TEST_F(RolloutDialog, TemplateIsAnEnglishChildPageWithThirtyFourControls) {
    const HRSRC found = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(kRolloutTemplate),
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    winres::DialogTemplate page;
    std::string error;
    ASSERT_TRUE(winres::ParseDialogTemplate(data, SizeofResource(module, found), page, error))
        << error;
    EXPECT_EQ(page.style, nacreen_test::kRolloutPageStyle);
    EXPECT_EQ(page.exStyle, 0u);
    EXPECT_EQ(page.cx, nacreen_test::kRolloutPageWidth);
    EXPECT_EQ(page.cy, nacreen_test::kRolloutPageHeight);
    EXPECT_EQ(page.pointSize, nacreen_test::kRolloutFontPoints);
    EXPECT_EQ(page.typeface, nacreen_test::kRolloutTypeface);
    EXPECT_TRUE(page.title.empty());
    EXPECT_EQ(page.items.size(), std::size(kRolloutControls));
}

TEST_F(RolloutDialog, WindowsCreatesEveryControlInTemplateOrder) {
    Create();
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), std::size(kRolloutControls));
    for (size_t i = 0; i < children.size(); ++i) {
        const RolloutControl& expected = kRolloutControls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const HWND child = children[i];
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        // Window classes are matched without regard to case, and some resource compilers
        // store the names in upper case.
        EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), Wide(expected.windowClass).c_str()), 0)
            << "class " << std::string(ClassOf(child).begin(), ClassOf(child).end());
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), expected.style);
        if (expected.caption) {
            EXPECT_EQ(WindowText(child), Wide(expected.caption));
        }
    }
}

TEST_F(RolloutDialog, ControlsLieWhereTheTemplatePutsThem) {
    Create();
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), std::size(kRolloutControls));
    // Dialog units scale with the font, which wine substitutes; compare through the dialog's own
    // unit conversion rather than with fixed pixels.
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const RECT expected = PixelsOf(dialog, UnitsOf(kRolloutControls[i]));
        const RECT actual = ClientRectOf(dialog, children[i]);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);
    }
}

TEST_F(RolloutDialog, PageIsAVisibleChildOfTheTemplatesSize) {
    Create();
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_POPUP), WS_CHILD | WS_VISIBLE);
    RECT client = {};
    GetClientRect(dialog, &client);
    const RECT expected =
        PixelsOf(dialog, {0, 0, nacreen_test::kRolloutPageWidth, nacreen_test::kRolloutPageHeight});
    EXPECT_EQ(client.right - client.left, expected.right - expected.left);
    EXPECT_EQ(client.bottom - client.top, expected.bottom - expected.top);
}

} // namespace
} // namespace nacreen_windows
