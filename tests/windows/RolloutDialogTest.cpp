// Dialog template 101, the "Nacreen Parameters" rollout, as Windows itself builds it: the template
// read from the module, then a real dialog created from it with CreateDialogParamW and its child
// windows compared with the rollout's layout.
#include "CustomControlClasses.h"
#include "LoadedNacreenTest.h"

#include <winres/DialogTemplate.h>

#include <string>
#include <vector>

namespace nacreen_windows {
namespace {

constexpr WORD kRolloutTemplate = 101;

struct ExpectedControl {
    int id;
    const wchar_t* windowClass;
    RECT units; // left, top, width, height in dialog units
    DWORD style;
    const wchar_t* text; // null: the control's text is not fixed by the layout
};

constexpr DWORD kEdit = 0x50010000, kSpinner = 0x50000000, kRightLabel = 0x50020002,
                kLeftLabel = 0x50020000, kCheckBox = 0x50010003, kPushButton = 0x50010000,
                kGroupBox = 0x50000007;

const ExpectedControl kControls[] = {
    {1490, L"CustEdit", {54, 18, 35, 10}, kEdit, nullptr},
    {1496, L"SpinnerControl", {90, 18, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {24, 18, 25, 8}, kRightLabel, L"Min:"},
    {1491, L"CustEdit", {54, 30, 35, 10}, kEdit, nullptr},
    {1497, L"SpinnerControl", {90, 30, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {20, 30, 29, 8}, kRightLabel, L"Max:"},
    {1493, L"CustEdit", {54, 69, 35, 10}, kEdit, nullptr},
    {1499, L"SpinnerControl", {90, 69, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {54, 58, 35, 8}, kLeftLabel, L"External:"},
    {1494, L"CustEdit", {110, 69, 35, 10}, kEdit, nullptr},
    {1500, L"SpinnerControl", {146, 69, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {110, 58, 36, 8}, kLeftLabel, L"Film:"},
    {1495, L"CustEdit", {166, 69, 35, 10}, kEdit, nullptr},
    {1501, L"SpinnerControl", {202, 69, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {166, 58, 35, 8}, kLeftLabel, L"Internal:"},
    {1003, L"Button", {105, 24, 9, 10}, kCheckBox, L""},
    {1002, L"CustButton", {120, 21, 89, 14}, kPushButton, L"Custom2"},
    {-1, L"Button", {2, 7, 213, 36}, kGroupBox, L"Film Thickness (nm)"},
    {-1, L"Button", {2, 48, 213, 34}, kGroupBox, L"IOR"},
    {-1, L"Static", {2, 142, 123, 8}, kLeftLabel, L"Nacreen | Version 1.1.3"},
    {-1, L"Button", {2, 87, 213, 51}, kGroupBox, L"Color Adjustment"},
    {1492, L"CustEdit", {110, 99, 35, 10}, kEdit, nullptr},
    {1498, L"SpinnerControl", {146, 99, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {38, 99, 68, 8}, kRightLabel, L"Gamma:"},
    {1502, L"CustEdit", {110, 112, 35, 10}, kEdit, nullptr},
    {1503, L"SpinnerControl", {146, 112, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {38, 112, 68, 8}, kRightLabel, L"Hue Shift (\u00B1\u00B0):"},
    {1504, L"CustEdit", {110, 125, 35, 10}, kEdit, nullptr},
    {1505, L"SpinnerControl", {146, 125, 7, 10}, kSpinner, nullptr},
    {-1, L"Static", {38, 125, 68, 8}, kRightLabel, L"Saturation (\u00B1%):"},
    {1008, L"CustButton", {134, 140, 80, 11}, kPushButton, L"Homepage"},
    {-1, L"Static", {2, 154, 213, 8}, kLeftLabel, nullptr},
    {-1, L"Static", {2, 166, 128, 8}, kRightLabel, L"Based on article at:"},
    {1009, L"CustButton", {134, 165, 80, 11}, kPushButton, nullptr},
};

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(window, text, 256);
    return std::wstring(text, length > 0 ? length : 0);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::vector<HWND> ChildrenInOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
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
        if (host)
            DestroyWindow(host); // and the page with it
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
    EXPECT_TRUE(page.extended);
    EXPECT_EQ(page.style, 0x50000040u);
    EXPECT_EQ(page.exStyle, 0u);
    EXPECT_EQ(page.cx, 217);
    EXPECT_EQ(page.cy, 180);
    EXPECT_EQ(page.pointSize, 8);
    EXPECT_EQ(page.typeface, u"MS Sans Serif");
    EXPECT_TRUE(page.title.empty());
    EXPECT_EQ(page.items.size(), std::size(kControls));
}

TEST_F(RolloutDialog, WindowsCreatesEveryControlInTemplateOrder) {
    Create();
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), std::size(kControls));
    for (size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& expected = kControls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const HWND child = children[i];
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        // Window classes are matched without regard to case, and some resource compilers
        // store the names in upper case.
        EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), expected.windowClass), 0)
            << "class " << std::string(ClassOf(child).begin(), ClassOf(child).end());
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), expected.style);
        if (expected.text) {
            EXPECT_EQ(WindowText(child), expected.text);
        }
    }
}

TEST_F(RolloutDialog, ControlsLieWhereTheTemplatePutsThem) {
    Create();
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), std::size(kControls));
    // Dialog units scale with the font, which wine substitutes; compare through the dialog's own
    // unit conversion rather than with fixed pixels.
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const RECT expected = PixelsOf(dialog, kControls[i].units);
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
    const RECT expected = PixelsOf(dialog, {0, 0, 217, 180});
    EXPECT_EQ(client.right - client.left, expected.right - expected.left);
    EXPECT_EQ(client.bottom - client.top, expected.bottom - expected.top);
}

} // namespace
} // namespace nacreen_windows
