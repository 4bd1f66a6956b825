#pragma once

#include "ParameterAssignment.h"
#include "ParameterInfo.h"

#include <maxtypes.h>

#include <memory>
#include <string>
#include <vector>

class Animatable;
class IParamBlock2;

namespace preview {

// The parameter block of a Nacreen map, addressed by scripting names as MAXScript addresses
// it, and through "output.NAME" the block of the map's output object. Names, types and ranges
// come from the blocks' descriptors.
class MapParameters {
public:
    // Throws PreviewError when the object has no parameter block. The prefix goes before every
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
    bool IsAnimated(const std::string& name);

    // "thicknessmax=250 thicknessmin=350 ... thicknessmap=none output.RGB_Level=1 ...": every
    // parameter with a value, at time t, animated ones marked.
    std::string Summary(TimeValue t);

private:
    void SetAtTime(const ParameterInfo& info, const ParameterValue& value, TimeValue t);
    std::string ValueText(const ParameterInfo& info, TimeValue t);

    IParamBlock2* block_;
    std::string prefix_;
    std::vector<ParameterInfo> table_;
    std::unique_ptr<MapParameters> output_;
};

} // namespace preview
