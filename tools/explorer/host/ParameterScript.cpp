#include "ParameterScript.h"

#include <cstdio>
#include <cstdlib>

namespace explorer {
namespace {

const char* KindName(preview::ParameterInfo::Kind kind) {
    switch (kind) {
    case preview::ParameterInfo::Kind::Float:
        return "float";
    case preview::ParameterInfo::Kind::Integer:
        return "integer";
    case preview::ParameterInfo::Kind::Bool:
        return "bool";
    case preview::ParameterInfo::Kind::TextureMap:
        return "texturemap";
    case preview::ParameterInfo::Kind::Reference:
        return "reference";
    default:
        return "other";
    }
}

std::string Entry(const preview::ParameterInfo& info) {
    std::string entry = "  {\"id\": " + std::to_string(info.id) + ", \"name\": \"" + info.name +
                        "\", \"kind\": \"" + KindName(info.kind) + "\"";
    if (info.hasRange) {
        entry += ", \"min\": " + ShortestFloatText(info.minimum) +
                 ", \"max\": " + ShortestFloatText(info.maximum);
    }
    if (info.step > 0.0f) {
        entry += ", \"step\": " + ShortestFloatText(info.step);
    }
    const bool hasValue = info.kind == preview::ParameterInfo::Kind::Float ||
                          info.kind == preview::ParameterInfo::Kind::Integer ||
                          info.kind == preview::ParameterInfo::Kind::Bool;
    if (hasValue) {
        entry += ", \"default\": " + ShortestFloatText(info.defaultValue);
    }
    entry += std::string(", \"animatable\": ") + (info.animatable ? "true" : "false") + "}";
    return entry;
}

} // namespace

std::string ShortestFloatText(float value) {
    char text[64];
    for (int decimals = 0; decimals <= 9; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) {
            return text;
        }
    }
    // Very small or very large values: nine significant digits always give the float back.
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string ParameterScript(const std::vector<preview::ParameterInfo>& parameters) {
    std::string script = "// Generated at build time from the parameter block descriptor of "
                         "Nacreen.dlt; do not edit.\n"
                         "const NACREEN_PARAMETERS = [\n";
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        script += Entry(parameters[index]) + (index + 1 < parameters.size() ? ",\n" : "\n");
    }
    return script + "];\n";
}

} // namespace explorer
