// Resource ids of the stand-in tests' own dialog templates.
#define IDD_TEST_MAP 101
#define IDD_MISSING_CONTROL 102
#define IDD_WRONG_CLASSES 103
#define IDD_NOT_IN_MODULE 109

#define IDC_AMOUNT_EDIT 3001
#define IDC_AMOUNT_SPIN 3002
#define IDC_ENABLED_CHECK 3003
#define IDC_SUBMAP_BUTTON 3004
#define IDC_LINK_BUTTON 3100
