// Parameter types, descriptor tags and rollout control types of the parameter block system.
#pragma once

// The parameter types of the first parameter block system; ParamType2 continues them. The two
// are distinct enumerations, so a ParamType2 variable cannot be given a ParamType value directly.
enum ParamType {
    TYPE_FLOAT,
    TYPE_INT,
    TYPE_RGBA,
    TYPE_POINT3,
    TYPE_BOOL,
    TYPE_USER,
};

#define TYPE_TAB 0x0800
#define TYPE_BY_REF 0x1000
#define TYPE_BY_VAL 0x2000
#define TYPE_BY_PTR 0x4000

enum ParamType2 {
    TYPE_ANGLE = TYPE_BOOL + 1,
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
    TYPE_FLOAT_TAB = TYPE_FLOAT + TYPE_TAB,
    TYPE_INT_TAB = TYPE_INT + TYPE_TAB,
    TYPE_BOOL_TAB = TYPE_BOOL + TYPE_TAB,
    TYPE_TEXMAP_TAB = TYPE_TEXMAP + TYPE_TAB,
    TYPE_REFTARG_TAB = TYPE_REFTARG + TYPE_TAB,
};

#define is_tab(t) (((t)&TYPE_TAB) != 0)
// The type without its table and passing-mode bits.
inline ParamType2 base_type(int t) {
    return static_cast<ParamType2>(t & ~(TYPE_TAB | TYPE_BY_REF | TYPE_BY_VAL | TYPE_BY_PTR));
}

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

// Rollout controls a parameter can be bound to: those of the first parameter block system, then
// the ones ParamType2 parameters added.
enum ControlType {
    TYPE_SPINNER,
    TYPE_RADIO,
    TYPE_SINGLECHEKBOX,
    TYPE_MULTICHEKBOX,
    TYPE_COLORSWATCH,
    TYPE_SINGLECHECKBOX = TYPE_SINGLECHEKBOX,
    TYPE_MULTICHECKBOX = TYPE_MULTICHEKBOX,
};

enum ControlType2 {
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
