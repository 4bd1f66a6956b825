#include "ParameterTable.h"

#include "WideText.h"

#include <max.h>
#include <iparamb2.h>

namespace preview {
namespace {

ParameterInfo::Kind KindOf(ParamType2 type) {
    // The first five types are ParamType values, so the switch is over the plain number.
    switch (static_cast<int>(type)) {
    case TYPE_FLOAT:
    case TYPE_ANGLE:
    case TYPE_PCNT_FRAC:
    case TYPE_WORLD:
    case TYPE_COLOR_CHANNEL:
        return ParameterInfo::Kind::Float;
    case TYPE_INT:
    case TYPE_TIMEVALUE:
    case TYPE_RADIOBTN_INDEX:
    case TYPE_INDEX:
        return ParameterInfo::Kind::Integer;
    case TYPE_BOOL:
        return ParameterInfo::Kind::Bool;
    case TYPE_TEXMAP:
        return ParameterInfo::Kind::TextureMap;
    case TYPE_REFTARG:
    case TYPE_MTL:
        return ParameterInfo::Kind::Reference;
    default:
        return ParameterInfo::Kind::Other;
    }
}

ParameterInfo Describe(const ParamDef& def) {
    ParameterInfo info;
    info.id = def.ID;
    info.name = ToUtf8(def.int_name.data());
    info.kind = KindOf(def.type);
    info.animatable = (def.flags & P_ANIMATABLE) != 0;
    const bool isFloat = info.kind == ParameterInfo::Kind::Float;
    info.hasRange = def.has_range && (isFloat || info.kind == ParameterInfo::Kind::Integer);
    info.minimum = isFloat ? def.range_low.f : static_cast<float>(def.range_low.i);
    info.maximum = isFloat ? def.range_high.f : static_cast<float>(def.range_high.i);
    info.defaultValue = isFloat ? def.def.f : static_cast<float>(def.def.i);
    info.step =
        def.has_ui && static_cast<int>(def.ctrl_type) == TYPE_SPINNER ? def.spin_scale : 0.0f;
    return info;
}

} // namespace

std::vector<ParameterInfo> ReadParameterTable(ParamBlockDesc2& descriptor) {
    std::vector<ParameterInfo> parameters;
    for (int index = 0; index < descriptor.Count(); ++index) {
        parameters.push_back(Describe(descriptor.GetParamDef(descriptor.IndextoID(index))));
    }
    return parameters;
}

} // namespace preview
