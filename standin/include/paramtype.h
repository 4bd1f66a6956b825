// Parameter types, parameter flags and descriptor tags of the parameter block system.
#pragma once

enum ParamType2 {
    TYPE_FLOAT = 0,
    TYPE_INT = 1,
    TYPE_RGBA = 2,
    TYPE_POINT3 = 3,
    TYPE_BOOL = 4,
    TYPE_ANGLE = 5,
    TYPE_PCNT_FRAC = 6,
    TYPE_WORLD = 7,
    TYPE_STRING = 8,
    TYPE_FILENAME = 9,
    TYPE_HSV = 10,
    TYPE_COLOR_CHANNEL = 11,
    TYPE_TIMEVALUE = 12,
    TYPE_RADIOBTN_INDEX = 13,
    TYPE_MTL = 14,
    TYPE_TEXMAP = 15,
    TYPE_BITMAP = 16,
    TYPE_INODE = 17,
    TYPE_REFTARG = 18,
    TYPE_INDEX = 19,
    TYPE_MATRIX3 = 20,
    TYPE_PBLOCK2 = 21,
    TYPE_POINT4 = 22,
    TYPE_FRGBA = 23,
    TYPE_POINT2 = 30,
    TYPE_TAB = 0x0800,
    TYPE_FLOAT_TAB = TYPE_FLOAT + TYPE_TAB,
    TYPE_INT_TAB = TYPE_INT + TYPE_TAB,
    TYPE_BOOL_TAB = TYPE_BOOL + TYPE_TAB,
    TYPE_TEXMAP_TAB = TYPE_TEXMAP + TYPE_TAB,
    TYPE_REFTARG_TAB = TYPE_REFTARG + TYPE_TAB,
    TYPE_BY_REF = 0x1000,
    TYPE_BY_VAL = 0x2000,
    TYPE_BY_PTR = 0x4000,
};
typedef ParamType2 ParamType;
#define is_tab(t) (((t)&TYPE_TAB) != 0)
#define base_type(t) ((ParamType2)((t) & ~(TYPE_TAB | TYPE_BY_REF | TYPE_BY_VAL | TYPE_BY_PTR)))

enum ParamTags {
    p_default = -(1 << 30),
    p_ms_default,
    p_range,
    p_ui,
    p_validator,
    p_accessor,
    p_vals,
    p_refno,
    p_subtexno,
    p_submtlno,
    p_dim,
    p_classID,
    p_sclassID,
    p_enabled,
    p_enable_ctrls,
    p_prompt,
    p_caption,
    p_init_file,
    p_file_types,
    p_ctrl_ids,
    p_uix,
    p_configurable_default,
    p_tooltip,
    p_assetTypeID,
    p_assetTypeName,
    p_defaults_and_ranges_in_meters,
    p_nonLocalizedName,
    p_colorContext,
    p_end = p_default + 1024,
};

// Block flags.
#define P_CLASS_PARAMS 0x0001
#define P_AUTO_CONSTRUCT 0x0002
#define P_AUTO_UI 0x0004
#define P_USE_PARAMS 0x0008
#define P_INCLUDE_PARAMS 0x0010
#define P_MULTIMAP 0x0020
#define P_CALLSETS_ON_LOAD 0x0040
#define P_HASCATEGORY 0x0080
#define P_TEMPLATE_UI 0x0100
#define P_VERSION 0x0200
#define P_AUTO_UI_QT 0x0400
#define P_SCRIPTED_CLASS 0x1000
#define P_TEMPORARY 0x2000

// Parameter flags.
#define P_ANIMATABLE 0x00000001
#define P_TRANSIENT 0x00000002
#define P_NO_INIT 0x00000004
#define P_COMPUTED_NAME 0x00000008
#define P_INVISIBLE 0x00000010
#define P_RESET_DEFAULT 0x00000020
#define P_SUBANIM 0x00000040
#define P_TV_SHOW_ALL 0x00000080
#define P_NO_REF 0x00000100
#define P_OWNERS_REF 0x00000200
#define P_CAN_CONVERT 0x00000400
#define P_SUBTEX 0x00000800
#define P_VARIABLE_SIZE 0x00001000
#define P_NO_AUTO_LABELS 0x00002000
#define P_SHORT_LABELS 0x00004000
#define P_READ_ONLY 0x00008000
#define P_OBSOLETE 0x40000000

// Rollout controls a parameter can be bound to.
enum ControlType2 {
    TYPE_SPINNER = 0,
    TYPE_RADIO = 1,
    TYPE_SINGLECHECKBOX = 2,
    TYPE_SINGLECHEKBOX = TYPE_SINGLECHECKBOX,
    TYPE_MULTICHECKBOX = 3,
    TYPE_MULTICHEKBOX = TYPE_MULTICHECKBOX,
    TYPE_COLORSWATCH = 4,
    TYPE_EDITBOX = 5,
    TYPE_CHECKBUTTON = 6,
    TYPE_PICKNODEBUTTON = 7,
    TYPE_TEXMAPBUTTON = 8,
    TYPE_MTLBUTTON = 9,
    TYPE_BITMAPBUTTON = 10,
    TYPE_INTLISTBOX = 13,
    TYPE_SLIDER = 17,
    TYPE_COLORSWATCH_FRGBA = 22,
    TYPE_INT_COMBOBOX = 23,
};
typedef ControlType2 ControlType;
