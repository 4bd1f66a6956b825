// ParamDef: one parameter of a parameter block descriptor, as the tag list described it.
#pragma once

#include <vector>

#include "../custcont.h"
#include "../iparamb2Typedefs.h"
#include "../maxtypes.h"
#include "../paramtype.h"
#include "../strclass.h"

class ParamDimension;
class ReferenceTarget;

// A default or range value; which member is meaningful follows the parameter's type.
class PB2Value : public MaxHeapOperators {
public:
    int i = 0;
    float f = 0.0f;
};

class ParamDef : public MaxHeapOperators {
public:
    ParamID ID = -1;
    MSTR int_name;
    MSTR nonLocalizedName;
    ParamType2 type = static_cast<ParamType2>(TYPE_FLOAT);
    int table_size = 0;
    int flags = 0;
    StringResID local_name = 0;

    PB2Value def;
    bool has_range = false;
    PB2Value range_low;
    PB2Value range_high;

    // Rollout binding: the control kind and the dialog control ids it drives.
    bool has_ui = false;
    MapID map_id = 0;
    ControlType2 ctrl_type = static_cast<ControlType2>(TYPE_SPINNER);
    EditSpinnerType spin_type = EDITTYPE_FLOAT;
    float spin_scale = 0.0f;
    std::vector<int> ctrl_IDs;
    std::vector<int> radio_vals;

    short refno = -1;
    short sub_texmap_no = -1;
    short sub_mtl_no = -1;
    BOOL enabled = TRUE;
    StringResID tooltip = 0;
    StringResID prompt = 0;
    StringResID caption = 0;
    SClass_ID sclassID = 0;
    Class_ID class_ID;
    const void* accessor = nullptr;
    const void* validator = nullptr;
    ParamDimension* dim = nullptr;

    bool IsFloatType() const;
    bool IsIntType() const;
    bool IsRefType() const;
    bool IsOwnersRef() const;
};
