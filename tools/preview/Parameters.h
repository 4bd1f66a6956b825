// The parameters of a Nacreen map as MAXScript addresses them: by scripting name, in any case,
// with the names, types and ranges of the block's own descriptor; and through "output.NAME" the
// block of the map's output object.
#pragma once

#include "Options.h"

#include <maxtypes.h>

#include <memory>
#include <string>
#include <vector>

class Animatable;
class IParamBlock2;
class ParamBlockDesc2;

namespace preview {

// What the tool knows of one parameter, read from the block's descriptor.
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

// The parameters of a block as its descriptor declares them, in id order.
std::vector<ParameterInfo> ReadParameterTable(ParamBlockDesc2& descriptor);

// "float", "integer", "bool", "texture map" or "object".
const char* KindText(ParameterInfo::Kind kind);

// "0.2 to 100": the range as the user types it.
std::string RangeText(const ParameterInfo& info);

// Converts the text of --set for the parameter, checking its form and range. Throws UsageError
// with one line that names the parameter and, for numbers, the range.
ParameterValue ParseParameterValue(const ParameterInfo& info, const std::string& text);

// The parameter of that scripting name in any case, as MAXScript finds it; throws UsageError
// listing the known names otherwise.
const ParameterInfo& FindParameter(const std::vector<ParameterInfo>& parameters,
                                   const std::string& name);

class MapParameters {
public:
    // Throws ToolError when the object has no parameter block. The prefix goes before every
    // name ("output." for the output object's block).
    explicit MapParameters(Animatable& owner, const std::string& prefix = "");

    const std::vector<ParameterInfo>& Table() const { return table_; }
    // The output object's parameters, named "output.NAME"; null when the map has none.
    MapParameters* Output();
    IParamBlock2& Block() { return *block_; }

    // "name=value" sets the value; "name@t=value" sets it at tick t with animate mode on, which
    // keys the parameter there (and keeps its earlier value as a key at 0). Throws UsageError
    // for an unknown name, a bad or out-of-range value, or a key on what cannot animate.
    void Apply(const ParameterAssignment& assignment);

    void SetFloat(const std::string& name, float value);
    void SetInteger(const std::string& name, int value);
    // Makes the parameter constant again at its value at time 0.
    void ClearKeys(const std::string& name);

    // Holds what the block holds (a loaded scene's values) to the rules of --set: every value
    // and every key of a number, the output's too, finite and within its range, and every key at
    // a time a key can sit at. Throws UsageError naming the parameter.
    void CheckValues();

    // "thicknessmax=250 thicknessmin=350 ... thicknessmap=none output.RGB_Level=1 ...": every
    // parameter with a value, at time t, animated ones marked.
    std::string Summary(TimeValue t);

    // What --list prints: a title, then one line per parameter with its type, range and default.
    std::string Listing(const std::string& title) const;

private:
    void SetAtTime(const ParameterInfo& info, const ParameterValue& value, TimeValue t);
    std::string ValueText(const ParameterInfo& info, TimeValue t);

    IParamBlock2* block_;
    std::string prefix_;
    std::vector<ParameterInfo> table_;
    std::unique_ptr<MapParameters> output_;
};

// Host strings are wide; the tool's messages are UTF-8.
std::string ToUtf8(const wchar_t* text);
std::wstring ToWide(const std::string& utf8);

} // namespace preview
