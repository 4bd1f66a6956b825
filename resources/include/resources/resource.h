// Resource ids of Nacreen.dlt: the string table, the rollout template and its controls.
// The string and control ids are stored in scenes and scripts by number, so they never change.
// Shared by the C++ sources and the resource compiler, so an include guard rather than a pragma.
#ifndef NACREEN_RESOURCE_H
#define NACREEN_RESOURCE_H

// String table
#define IDS_LIB_DESCRIPTION 1
#define IDS_CATEGORY 2
#define IDS_CLASS_NAME 3
#define IDS_PARAMS 4
#define IDS_THICKNESS_MIN 5
#define IDS_THICKNESS_MAX 6
#define IDS_N_MEDIUM 7
#define IDS_N_FILM 8
#define IDS_N_INTERNAL 9
#define IDS_THICKNESS_MAP 10
#define IDS_USE_THICKNESS_MAP 11
#define IDS_GAMMA 12
#define IDS_HUE_SHIFT 13
#define IDS_SATURATION 14
#define IDS_HOMEPAGE 15
#define IDS_BASE_ARTICLE 16
#define IDS_OUTPUT 17

// The "Nacreen Parameters" rollout
#define IDD_NACREEN 101

#define IDC_THICKNESS_MAP 1002
#define IDC_THICKNESS_MAP_ENABLED 1003
#define IDC_HOMEPAGE 1008
#define IDC_ARTICLE 1009

// Edit fields and their spinners. The "Min:" row is the thickness at map value 0, the "Max:" row
// the thickness at map value 1.
#define IDC_THICKNESS_MIN_EDIT 1490
#define IDC_THICKNESS_MAX_EDIT 1491
#define IDC_GAMMA_EDIT 1492
#define IDC_N_MEDIUM_EDIT 1493
#define IDC_N_FILM_EDIT 1494
#define IDC_N_INTERNAL_EDIT 1495
#define IDC_THICKNESS_MIN_SPIN 1496
#define IDC_THICKNESS_MAX_SPIN 1497
#define IDC_GAMMA_SPIN 1498
#define IDC_N_MEDIUM_SPIN 1499
#define IDC_N_FILM_SPIN 1500
#define IDC_N_INTERNAL_SPIN 1501
#define IDC_HUE_EDIT 1502
#define IDC_HUE_SPIN 1503
#define IDC_SATURATION_EDIT 1504
#define IDC_SATURATION_SPIN 1505

#endif // NACREEN_RESOURCE_H
