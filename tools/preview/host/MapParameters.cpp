#include "MapParameters.h"

#include "BitmapThicknessMap.h"
#include "ChartLayout.h"
#include "NoiseThicknessMap.h"
#include "ParameterTable.h"
#include "PreviewError.h"
#include "WideText.h"

#include <imtl.h>
#include <max.h>
#include <iparamb2.h>
#include <maxhost/ParamBlockProbe.h>

namespace preview {
namespace {

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

} // namespace

MapParameters::MapParameters(Animatable& owner, const std::string& prefix)
    : block_(owner.GetParamBlock(0)), prefix_(prefix) {
    if (block_ == nullptr || block_->GetDesc() == nullptr) {
        throw PreviewError("the map has no parameter block");
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
    if (prefix_.empty() && assignment.name.rfind(outputPrefix, 0) == 0 && Output() != nullptr) {
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
        throw PreviewError("the parameter block refused " + info.name);
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

bool MapParameters::IsAnimated(const std::string& name) {
    return maxhost::NumKeys(block_, FindParameter(table_, name).id) > 0;
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

} // namespace preview
