#include "Parameters.h"

#include "HostMaps.h"
#include "imaging/Chart.h"
#include "imaging/Text.h"
#include "imaging/Tool.h"

#include <imtl.h>
#include <max.h>
#include <iparamb2.h>
#include <maxhost/Host.h>
#include <winres/Resources.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>

namespace preview {
namespace {

using imaging::FormatNumber;
using imaging::UsageError;

// Scripting names match in any case, as in MAXScript.
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<int> ParseBool(const std::string& text) {
    for (const char* yes : {"true", "on", "yes", "1"}) {
        if (text == yes) {
            return 1;
        }
    }
    for (const char* no : {"false", "off", "no", "0"}) {
        if (text == no) {
            return 0;
        }
    }
    return std::nullopt;
}

// The one rule for a number, from the command line or from a file: `shown` is how the user
// wrote it ("nfilm=150", "nfilm@4800=nan").
void CheckNumber(const ParameterInfo& info, const std::string& shown, float value) {
    if (!std::isfinite(value)) {
        throw UsageError(shown + " is not a number: " + info.name + " takes " + RangeText(info));
    }
    if (info.hasRange && (value < info.minimum || value > info.maximum)) {
        throw UsageError(shown + " is out of range: " + info.name + " takes " + RangeText(info));
    }
}

ParameterValue ParseFloatValue(const ParameterInfo& info, const std::string& text) {
    const std::optional<float> value = ParseFloat(text);
    if (!value) {
        throw UsageError(info.name + "=" + text + " is not a number: " + info.name + " takes " +
                         RangeText(info));
    }
    CheckNumber(info, info.name + "=" + text, *value);
    return {*value, 0};
}

ParameterValue ParseIntegerValue(const ParameterInfo& info, const std::string& text) {
    const std::optional<long long> value = ParseWholeNumber(text);
    if (!value || *value < -2147483647LL || *value > 2147483647LL) {
        throw UsageError(info.name + "=" + text + " is not a whole number: " + info.name +
                         " takes " + RangeText(info));
    }
    CheckNumber(info, info.name + "=" + text, static_cast<float>(*value));
    return {static_cast<float>(*value), static_cast<int>(*value)};
}

ParameterValue ParseBoolValue(const ParameterInfo& info, const std::string& text) {
    const std::optional<int> value = ParseBool(text);
    if (!value) {
        throw UsageError(info.name + "=" + text + " is not true or false: " + info.name +
                         " takes true or false (also on/off, yes/no, 1/0)");
    }
    return {static_cast<float>(*value), *value};
}

ParameterInfo::Kind KindOf(ParamType2 type) {
    // The first five types are ParamType values, so the switch is over the plain number.
    switch (static_cast<int>(type)) {
    case TYPE_FLOAT:
        return ParameterInfo::Kind::Float;
    case TYPE_INT:
        return ParameterInfo::Kind::Integer;
    case TYPE_BOOL:
        return ParameterInfo::Kind::Bool;
    case TYPE_TEXMAP:
        return ParameterInfo::Kind::TextureMap;
    case TYPE_REFTARG:
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

// The scripting name of the map's output object, and the prefix of its parameters' names.
const char* const kOutputName = "output";

// Animate mode on for one change, as MAXScript's "with animate on".
class AnimateModeScope {
public:
    explicit AnimateModeScope(bool on) : previous_(maxhost::AnimateMode()) {
        maxhost::SetAnimateMode(on);
    }
    ~AnimateModeScope() { maxhost::SetAnimateMode(previous_); }
    AnimateModeScope(const AnimateModeScope&) = delete;
    AnimateModeScope& operator=(const AnimateModeScope&) = delete;

private:
    bool previous_;
};

// A key at either end of the host's time stands for "forever", not for a time.
bool KeyTimeInRange(TimeValue t) {
    return t > INT_MIN && t < INT_MAX;
}

std::string DescribeSubMap(Texmap* map) {
    if (map == nullptr) {
        return "none";
    }
    if (auto* bitmap = dynamic_cast<BitmapThicknessMap*>(map)) {
        return "bitmap:" + bitmap->Path();
    }
    if (dynamic_cast<NoiseThicknessMap*>(map) != nullptr) {
        return "noise";
    }
    MSTR name;
    map->GetClassName(name, false);
    return ToUtf8(name.data());
}

std::string DetailText(const ParameterInfo& info) {
    switch (info.kind) {
    case ParameterInfo::Kind::Float:
    case ParameterInfo::Kind::Integer:
        return RangeText(info) + ", default " + FormatNumber(info.defaultValue) +
               (info.animatable ? ", animatable" : "");
    case ParameterInfo::Kind::Bool:
        return std::string("true or false, default ") +
               (info.defaultValue != 0.0f ? "true" : "false");
    case ParameterInfo::Kind::TextureMap:
        return "set with --thickness-map";
    default:
        return "an object: set its own parameters as " + info.name + ".NAME";
    }
}

} // namespace

std::vector<ParameterInfo> ReadParameterTable(ParamBlockDesc2& descriptor) {
    std::vector<ParameterInfo> parameters;
    for (int index = 0; index < descriptor.Count(); ++index) {
        parameters.push_back(Describe(descriptor.GetParamDef(descriptor.IndextoID(index))));
    }
    return parameters;
}

const char* KindText(ParameterInfo::Kind kind) {
    switch (kind) {
    case ParameterInfo::Kind::Float:
        return "float";
    case ParameterInfo::Kind::Integer:
        return "integer";
    case ParameterInfo::Kind::Bool:
        return "bool";
    case ParameterInfo::Kind::TextureMap:
        return "texture map";
    default:
        return "object";
    }
}

std::string RangeText(const ParameterInfo& info) {
    if (info.kind == ParameterInfo::Kind::Bool) {
        return "true or false";
    }
    if (!info.hasRange) {
        return "any number";
    }
    return FormatNumber(info.minimum) + " to " + FormatNumber(info.maximum);
}

ParameterValue ParseParameterValue(const ParameterInfo& info, const std::string& text) {
    switch (info.kind) {
    case ParameterInfo::Kind::Float:
        return ParseFloatValue(info, text);
    case ParameterInfo::Kind::Integer:
        return ParseIntegerValue(info, text);
    case ParameterInfo::Kind::Bool:
        return ParseBoolValue(info, text);
    case ParameterInfo::Kind::TextureMap:
        throw UsageError(info.name + " is a texture map: assign it with --thickness-map FILE.png "
                                     "or --thickness-map noise");
    default:
        throw UsageError(info.name +
                         " holds an object, not a value: set the object's own "
                         "parameters as " +
                         info.name + ".NAME=VALUE");
    }
}

const ParameterInfo& FindParameter(const std::vector<ParameterInfo>& parameters,
                                   const std::string& name) {
    std::string known;
    for (const ParameterInfo& info : parameters) {
        if (SameName(info.name, name)) {
            return info;
        }
        known += (known.empty() ? "" : ", ") + info.name;
    }
    throw UsageError("unknown parameter '" + name + "'; the parameters are " + known);
}

MapParameters::MapParameters(Animatable& owner, const std::string& prefix)
    : block_(owner.GetParamBlock(0)), prefix_(prefix) {
    if (block_ == nullptr || block_->GetDesc() == nullptr) {
        throw imaging::ToolError("the map has no parameter block");
    }
    table_ = ReadParameterTable(*block_->GetDesc());
    for (ParameterInfo& info : table_) {
        info.name = prefix_ + info.name;
    }
}

MapParameters* MapParameters::Output() {
    if (!output_ && prefix_.empty()) {
        for (const ParameterInfo& info : table_) {
            ReferenceTarget* output =
                info.name == kOutputName ? block_->GetReferenceTarget(info.id) : nullptr;
            if (output != nullptr && output->GetParamBlock(0) != nullptr) {
                output_ = std::make_unique<MapParameters>(*output, std::string(kOutputName) + ".");
            }
        }
    }
    return output_.get();
}

void MapParameters::Apply(const ParameterAssignment& assignment) {
    const std::string outputPrefix = std::string(kOutputName) + ".";
    if (prefix_.empty() && SameName(assignment.name.substr(0, outputPrefix.size()), outputPrefix) &&
        Output() != nullptr) {
        Output()->Apply(assignment);
        return;
    }
    const ParameterInfo& info = FindParameter(table_, assignment.name);
    const ParameterValue value = ParseParameterValue(info, assignment.value);
    if (!assignment.keyTime) {
        SetAtTime(info, value, 0);
        return;
    }
    if (!info.animatable || info.kind != ParameterInfo::Kind::Float) {
        throw UsageError(info.name + " cannot be animated: set it as " + info.name +
                         "=VALUE, without @TICKS");
    }
    const AnimateModeScope animate(true);
    SetAtTime(info, value, *assignment.keyTime);
}

void MapParameters::SetAtTime(const ParameterInfo& info, const ParameterValue& value, TimeValue t) {
    const BOOL set = info.kind == ParameterInfo::Kind::Float
                         ? block_->SetValue(info.id, t, value.asFloat)
                         : block_->SetValue(info.id, t, value.asInteger);
    if (!set) {
        throw imaging::ToolError("the parameter block refused " + info.name);
    }
}

void MapParameters::SetFloat(const std::string& name, float value) {
    SetAtTime(FindParameter(table_, name), {value, 0}, 0);
}

void MapParameters::SetInteger(const std::string& name, int value) {
    SetAtTime(FindParameter(table_, name), {static_cast<float>(value), value}, 0);
}

void MapParameters::ClearKeys(const std::string& name) {
    maxhost::ClearKeys(block_, FindParameter(table_, name).id);
}

void MapParameters::CheckValues() {
    for (const ParameterInfo& info : table_) {
        if (info.kind == ParameterInfo::Kind::Integer) {
            const int value = block_->GetInt(info.id, 0);
            CheckNumber(info, info.name + "=" + std::to_string(value), static_cast<float>(value));
        }
        if (info.kind != ParameterInfo::Kind::Float) {
            continue;
        }
        const int keys = maxhost::NumKeys(block_, info.id);
        if (keys == 0) {
            const float value = block_->GetFloat(info.id, 0);
            CheckNumber(info, info.name + "=" + FormatNumber(value), value);
        }
        for (int index = 0; index < keys; ++index) {
            TimeValue t = 0;
            float value = 0.0f;
            maxhost::GetKey(block_, info.id, index, t, value);
            const std::string shown =
                info.name + "@" + std::to_string(t) + "=" + FormatNumber(value);
            if (!KeyTimeInRange(t)) {
                throw UsageError(shown + ": a key cannot sit at " + std::to_string(t) + " ticks");
            }
            CheckNumber(info, shown, value);
        }
    }
    if (Output() != nullptr) {
        Output()->CheckValues();
    }
}

std::string MapParameters::ValueText(const ParameterInfo& info, TimeValue t) {
    switch (info.kind) {
    case ParameterInfo::Kind::Float:
        return FormatNumber(block_->GetFloat(info.id, t));
    case ParameterInfo::Kind::Integer:
        return std::to_string(block_->GetInt(info.id, t));
    case ParameterInfo::Kind::Bool:
        return block_->GetInt(info.id, t) != 0 ? "true" : "false";
    case ParameterInfo::Kind::TextureMap:
        return DescribeSubMap(block_->GetTexmap(info.id, t));
    default:
        return "";
    }
}

std::string MapParameters::Summary(TimeValue t) {
    std::string summary;
    for (const ParameterInfo& info : table_) {
        const std::string value = ValueText(info, t);
        if (value.empty()) {
            continue;
        }
        summary += (summary.empty() ? "" : " ") + info.name + "=" + value;
        if (info.animatable && maxhost::NumKeys(block_, info.id) > 0) {
            summary += " (animated)";
        }
    }
    if (Output() != nullptr) {
        summary += " " + Output()->Summary(t);
    }
    return summary;
}

std::string MapParameters::Listing(const std::string& title) const {
    std::string listing = title + "\n";
    for (const ParameterInfo& info : table_) {
        char line[256];
        std::snprintf(line, sizeof line, "  %-22s %-12s %s\n", info.name.c_str(),
                      KindText(info.kind), DetailText(info).c_str());
        listing += line;
    }
    return listing;
}

std::string ToUtf8(const wchar_t* text) {
    return winres::ToUtf8(text != nullptr ? text : L"");
}

std::wstring ToWide(const std::string& utf8) {
    std::wstring wide;
    for (char32_t c : imaging::DecodeUtf8(utf8)) {
        wide.push_back(static_cast<wchar_t>(c));
    }
    return wide;
}

} // namespace preview
