#include "ParameterInfo.h"

#include "ChartLayout.h"
#include "NumberText.h"
#include "PreviewError.h"

#include <optional>

namespace preview {
namespace {

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

void CheckRange(const ParameterInfo& info, const std::string& text, float value) {
    if (info.hasRange && (value < info.minimum || value > info.maximum)) {
        throw UsageError(info.name + "=" + text + " is out of range: " + info.name + " takes " +
                         RangeText(info));
    }
}

ParameterValue ParseFloatValue(const ParameterInfo& info, const std::string& text) {
    const std::optional<float> value = ParseFloat(text);
    if (!value) {
        throw UsageError(info.name + "=" + text + " is not a number: " + info.name + " takes " +
                         RangeText(info));
    }
    CheckRange(info, text, *value);
    return {*value, 0};
}

ParameterValue ParseIntegerValue(const ParameterInfo& info, const std::string& text) {
    const std::optional<long long> value = ParseWholeNumber(text);
    if (!value || *value < -2147483647LL || *value > 2147483647LL) {
        throw UsageError(info.name + "=" + text + " is not a whole number: " + info.name +
                         " takes " + RangeText(info));
    }
    CheckRange(info, text, static_cast<float>(*value));
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

} // namespace

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
        if (info.name == name) {
            return info;
        }
        known += (known.empty() ? "" : ", ") + info.name;
    }
    throw UsageError("unknown parameter '" + name + "'; the parameters are " + known);
}

} // namespace preview
