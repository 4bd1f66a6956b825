#pragma once

#include <string>
#include <vector>

namespace preview {

// What the tool needs to know of one parameter of the map's block, read from the block's
// descriptor when the plug-in is loaded.
struct ParameterInfo {
    enum class Kind { Float, Integer, Bool, TextureMap, Reference, Other };

    short id = 0;
    std::string name; // the scripting (internal) name
    Kind kind = Kind::Other;
    bool animatable = false;
    bool hasRange = false;
    float minimum = 0.0f;
    float maximum = 0.0f;
    float defaultValue = 0.0f; // floats; integers and bools hold their value as a float too
    float step = 0.0f;         // the spinner's step; 0 when the parameter has no spinner
};

// A value ready for the parameter block: floats in asFloat, integers and bools in asInteger.
struct ParameterValue {
    float asFloat = 0.0f;
    int asInteger = 0;
};

// "0.2 to 100": the range as the user types it.
std::string RangeText(const ParameterInfo& info);

// Converts the text of --set for the parameter, checking its form and range. Throws UsageError
// with one line that names the parameter and, for numbers, the range.
ParameterValue ParseParameterValue(const ParameterInfo& info, const std::string& text);

// The parameter of that scripting name; throws UsageError listing the known names otherwise.
const ParameterInfo& FindParameter(const std::vector<ParameterInfo>& parameters,
                                   const std::string& name);

} // namespace preview
