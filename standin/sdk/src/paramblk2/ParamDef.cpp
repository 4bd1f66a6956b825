// Which value kind a parameter type stores.
#include "paramblk2/ParamDef.h"

#include "iparamb2.h"

bool ParamDef::IsFloatType() const {
    // The first five types are ParamType values, so the switch is over the plain number.
    switch (static_cast<int>(type)) {
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
    switch (static_cast<int>(type)) {
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

bool ParamDef::IsOwnersRef() const {
    return (flags & P_OWNERS_REF) != 0;
}
