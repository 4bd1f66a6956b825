// Binding a rollout's parameters to the template's controls.
#include "RolloutBinding.h"

#include <string>

#include "HostAccess.h"

namespace MaxStandin {

namespace {

// Button kinds, the low four bits of a Button's style (BS_CHECKBOX and the rest in <windows.h>).
constexpr std::uint32_t kCheckBox = 0x2;
constexpr std::uint32_t kAutoCheckBox = 0x3;
constexpr std::uint32_t kRadioButton = 0x4;
constexpr std::uint32_t kThreeState = 0x5;
constexpr std::uint32_t kAutoThreeState = 0x6;
constexpr std::uint32_t kAutoRadioButton = 0x9;

// What a bound control must be: a window class and, for the standard Button class, the button
// kinds (low four style bits) that can show the binding.
struct ControlKind {
    const char16_t* windowClass;
    std::vector<std::uint32_t> buttonStyles;
};

ControlKind KindFor(ControlType2 control, std::size_t position) {
    const bool first = position % 2 == 0;
    // The first control types belong to ControlType, the later ones to ControlType2.
    switch (static_cast<int>(control)) {
    case TYPE_SPINNER:
        return {first ? u"CustEdit" : u"SpinnerControl", {}};
    case TYPE_SLIDER:
        return {first ? u"CustEdit" : u"SliderControl", {}};
    case TYPE_EDITBOX:
        return {u"CustEdit", {}};
    case TYPE_SINGLECHECKBOX:
        return {u"Button", {kCheckBox, kAutoCheckBox, kThreeState, kAutoThreeState}};
    case TYPE_RADIO:
        return {u"Button", {kRadioButton, kAutoRadioButton}};
    default: // check buttons and map buttons
        return {u"CustButton", {}};
    }
}

// Window class names compare without regard to case.
bool SameClass(const std::u16string& a, const char16_t* b) {
    const std::u16string other(b);
    if (a.size() != other.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
        if (lower(a[i]) != lower(other[i])) {
            return false;
        }
    }
    return true;
}

std::string Narrow(const std::u16string& text) {
    return EncodeUtf8(std::wstring(text.begin(), text.end()));
}

const TemplateControl* Find(const std::vector<TemplateControl>& controls, int id) {
    for (const TemplateControl& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

// Why the template's control cannot carry the binding, or an empty string when it can.
std::string Mismatch(const TemplateControl* found, const ControlKind& kind) {
    if (!found) {
        return "is not in the dialog template";
    }
    if (!SameClass(found->windowClass, kind.windowClass)) {
        return "is a " + Narrow(found->windowClass) + " in the dialog template, not a " +
               Narrow(kind.windowClass);
    }
    if (kind.buttonStyles.empty()) {
        return std::string();
    }
    for (std::uint32_t style : kind.buttonStyles) {
        if ((found->style & 0xF) == style) {
            return std::string();
        }
    }
    return "is a Button of kind " + std::to_string(found->style & 0xF) +
           " in the dialog template, which cannot show this binding";
}

} // namespace

void CheckRolloutBinding(ParamBlockDesc2* desc, MapID mapId, int templateId, bool templateFound,
                         const std::vector<TemplateControl>& controls) {
    const std::string block = "rollout of parameter block \"" + EncodeUtf8(desc->int_name.data()) +
                              "\" (map " + std::to_string(mapId) + ")";
    if (!templateFound) {
        MaxStandin::HostAccess::ReportFault(MaxStandin::HostAccess::FaultKind::RolloutBinding,
                                            block + ": dialog template " +
                                                std::to_string(templateId) +
                                                " is not in the class descriptor's module");
        return;
    }
    for (int i = 0; i < desc->count; ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (!def.has_ui || def.map_id != mapId) {
            continue;
        }
        for (std::size_t position = 0; position < def.ctrl_IDs.size(); ++position) {
            const int id = def.ctrl_IDs[position];
            const std::string problem =
                Mismatch(Find(controls, id), KindFor(def.ctrl_type, position));
            if (problem.empty()) {
                continue;
            }
            MaxStandin::HostAccess::ReportFault(
                MaxStandin::HostAccess::FaultKind::RolloutBinding,
                block + ": control " + std::to_string(id) + " bound to parameter \"" +
                    EncodeUtf8(def.int_name.data()) + "\" " + problem);
        }
    }
}

} // namespace MaxStandin
