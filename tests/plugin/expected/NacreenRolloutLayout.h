// Dialog template 101, the "Nacreen Parameters" rollout, as the tests expect to find it: read
// back from the compiled resources, and as the dialog Windows creates from them.
#pragma once

#include <cstdint>

namespace nacreen_test {

// The page: a visible child window, no caption, in dialog units.
constexpr std::uint32_t kRolloutPageStyle = 0x50000040;
constexpr short kRolloutPageWidth = 217;
constexpr short kRolloutPageHeight = 180;
constexpr short kRolloutFontPoints = 8;
constexpr const char16_t* kRolloutTypeface = u"MS Sans Serif";

struct RolloutControl {
    int id; // -1: a label or a frame
    const char16_t* windowClass;
    short x, y, cx, cy; // dialog units
    std::uint32_t style;
    const char16_t* caption; // null: the layout does not fix the text
};

constexpr std::uint32_t kTabStopControl = 0x50010000; // edit fields and push buttons
constexpr std::uint32_t kSpinner = 0x50000000;
constexpr std::uint32_t kRightLabel = 0x50020002;
constexpr std::uint32_t kLeftLabel = 0x50020000;
constexpr std::uint32_t kCheckBox = 0x50010003;
constexpr std::uint32_t kGroupBox = 0x50000007;

// In template order, which is also the tab order.
constexpr RolloutControl kRolloutControls[] = {
    {1490, u"CustEdit", 54, 18, 35, 10, kTabStopControl, u""},
    {1496, u"SpinnerControl", 90, 18, 7, 10, kSpinner, u""},
    {-1, u"Static", 24, 18, 25, 8, kRightLabel, u"Min:"},
    {1491, u"CustEdit", 54, 30, 35, 10, kTabStopControl, u""},
    {1497, u"SpinnerControl", 90, 30, 7, 10, kSpinner, u""},
    {-1, u"Static", 20, 30, 29, 8, kRightLabel, u"Max:"},
    {1493, u"CustEdit", 54, 69, 35, 10, kTabStopControl, u""},
    {1499, u"SpinnerControl", 90, 69, 7, 10, kSpinner, u""},
    {-1, u"Static", 54, 58, 35, 8, kLeftLabel, u"External:"},
    {1494, u"CustEdit", 110, 69, 35, 10, kTabStopControl, u""},
    {1500, u"SpinnerControl", 146, 69, 7, 10, kSpinner, u""},
    {-1, u"Static", 110, 58, 36, 8, kLeftLabel, u"Film:"},
    {1495, u"CustEdit", 166, 69, 35, 10, kTabStopControl, u""},
    {1501, u"SpinnerControl", 202, 69, 7, 10, kSpinner, u""},
    {-1, u"Static", 166, 58, 35, 8, kLeftLabel, u"Internal:"},
    {1003, u"Button", 105, 24, 9, 10, kCheckBox, u""},
    {1002, u"CustButton", 120, 21, 89, 14, kTabStopControl, u"Custom2"},
    {-1, u"Button", 2, 7, 213, 36, kGroupBox, u"Film Thickness (nm)"},
    {-1, u"Button", 2, 48, 213, 34, kGroupBox, u"IOR"},
    {-1, u"Static", 2, 142, 123, 8, kLeftLabel, u"Nacreen | Version " NACREEN_VERSION_TEXT},
    {-1, u"Button", 2, 87, 213, 51, kGroupBox, u"Color Adjustment"},
    {1492, u"CustEdit", 110, 99, 35, 10, kTabStopControl, u""},
    {1498, u"SpinnerControl", 146, 99, 7, 10, kSpinner, u""},
    {-1, u"Static", 38, 99, 68, 8, kRightLabel, u"Gamma:"},
    {1502, u"CustEdit", 110, 112, 35, 10, kTabStopControl, u""},
    {1503, u"SpinnerControl", 146, 112, 7, 10, kSpinner, u""},
    {-1, u"Static", 38, 112, 68, 8, kRightLabel, u"Hue Shift (\u00B1\u00B0):"},
    {1504, u"CustEdit", 110, 125, 35, 10, kTabStopControl, u""},
    {1505, u"SpinnerControl", 146, 125, 7, 10, kSpinner, u""},
    {-1, u"Static", 38, 125, 68, 8, kRightLabel, u"Saturation (\u00B1%):"},
    {1008, u"CustButton", 134, 140, 80, 11, kTabStopControl, u"Homepage"},
    {-1, u"Static", 2, 154, 213, 8, kLeftLabel, nullptr}, // the credit line
    {-1, u"Static", 2, 166, 128, 8, kRightLabel, u"Based on article at:"},
    {1009, u"CustButton", 134, 165, 80, 11, kTabStopControl, nullptr}, // names the article's site
};

} // namespace nacreen_test
