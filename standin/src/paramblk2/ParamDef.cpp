// Which value kind a parameter type stores.
#include "paramblk2/ParamDef.h"

bool ParamDef::IsFloatType() const {
    switch (type) {
    case TYPE_FLOAT:
    case TYPE_ANGLE:
    case TYPE_PCNT_FRAC:
    case TYPE_WORLD:
    case TYPE_COLOR_CHANNEL:
        return true;
    default:
        return false;
    }
}

bool ParamDef::IsIntType() const {
    switch (type) {
    case TYPE_INT:
    case TYPE_BOOL:
    case TYPE_TIMEVALUE:
    case TYPE_RADIOBTN_INDEX:
    case TYPE_INDEX:
        return true;
    default:
        return false;
    }
}

bool ParamDef::IsRefType() const {
    return type == TYPE_TEXMAP || type == TYPE_REFTARG;
}
