// Custom-control constants used by parameter rollouts.
#pragma once

enum EditSpinnerType {
    EDITTYPE_INT = 0,
    EDITTYPE_FLOAT = 1,
    EDITTYPE_UNIVERSE = 2,
    EDITTYPE_POS_INT = 3,
    EDITTYPE_POS_FLOAT = 4,
    EDITTYPE_POS_UNIVERSE = 5,
    EDITTYPE_TIME = 6,
};

// Notification codes (the high word of WM_COMMAND's WPARAM) that a custom button sends besides
// BN_CLICKED when it is set to report presses, releases and right clicks.
#define BN_BUTTONDOWN 8173
#define BN_BUTTONUP 8174
#define BN_RIGHTCLICK 8183
