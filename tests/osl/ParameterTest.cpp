// Nacreen.osl's parameters against the plug-in's own, as the OSL engine reads the shader
// (oslinfo) and as the stand-in host loads Nacreen.dlt: the same scripting names, defaults,
// ranges and spinner steps, the labels and groups the rollout shows, and nothing else.
#include "OslEngineTest.h"

#include "Parameters.h"
#include "Session.h"
#include "ScratchFolder.h"

#include "resources/resource.h"

#include <imtl.h>
#include <iparamb2.h>
#include <maxhost/Host.h>

#include <map>
#include <memory>
#include <optional>
#include <sstream>

namespace oslshade {
namespace {

// One parameter as oslinfo -v lists it: type ("float", "output color"), default and metadata
// as printed, strings without their quotes.
struct OslParameter {
    std::string type;
    std::string defaultValue;
    std::map<std::string, std::string> metadata;
};

std::map<std::string, OslParameter> ReadOslParameters(const std::string& listing) {
    std::map<std::string, OslParameter> parameters;
    OslParameter* current = nullptr;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("    \"", 0) == 0) {
            const std::size_t nameEnd = line.find('"', 5);
            const std::string name = line.substr(5, nameEnd - 5);
            current = &parameters[name];
            current->type = line.substr(nameEnd + 3, line.size() - nameEnd - 4);
        } else if (current != nullptr && line.find("Default value: ") != std::string::npos) {
            current->defaultValue = line.substr(line.find(": ") + 2);
        } else if (current != nullptr && line.find("metadata: ") != std::string::npos) {
            // metadata: TYPE NAME = VALUE
            std::istringstream words(line.substr(line.find(": ") + 2));
            std::string type, name, equals;
            words >> type >> name >> equals;
            std::string value;
            std::getline(words >> std::ws, value);
            if (type == "string") {
                value = value.substr(1, value.size() - 2);
            }
            current->metadata[name] = value;
        }
    }
    return parameters;
}

std::string Utf8(const std::u16string& text) {
    return preview::ToUtf8(winres::ToWide(text).c_str());
}

// Resource compilers store a control's class name in upper case or as they find it.
std::string Lowercase(std::string text) {
    for (char& c : text) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

// What the rollout shows for a parameter: the static text on the control's row to its left or
// just above it, and the group box around it.
struct RolloutPlace {
    std::optional<std::string> label;
    std::string group;
};

RolloutPlace PlaceOf(const winres::DialogTemplate& dialog, int controlId) {
    const winres::DialogItem* control = nullptr;
    for (const winres::DialogItem& item : dialog.items) {
        control = static_cast<int>(item.id) == controlId ? &item : control;
    }
    RolloutPlace place;
    if (control == nullptr) {
        ADD_FAILURE() << "dialog template 101 has no control " << controlId;
        return place;
    }
    int labelX = -1;
    for (const winres::DialogItem& item : dialog.items) {
        const std::string className = Lowercase(Utf8(winres::ClassNameOf(item)));
        const bool beside = item.y == control->y && item.x + item.cx <= control->x;
        const bool above = item.x == control->x && item.y < control->y && control->y - item.y <= 12;
        if (className == "static" && !item.title.text.empty() && (beside || above) &&
            item.x > labelX) {
            place.label = Utf8(item.title.text);
            labelX = item.x;
        }
        const bool groupBox = className == "button" && (item.style & 0xF) == 7;
        if (groupBox && control->x >= item.x && control->x < item.x + item.cx &&
            control->y >= item.y && control->y < item.y + item.cy) {
            place.group = Utf8(item.title.text);
        }
    }
    return place;
}

// "UseThicknessMap" as a label: "Use Thickness Map".
std::string Spaced(const std::string& displayName) {
    std::string spaced;
    for (const char c : displayName) {
        if (!spaced.empty() && c >= 'A' && c <= 'Z') {
            spaced += ' ';
        }
        spaced += c;
    }
    return spaced;
}

float Number(const std::string& text) {
    return std::stof(text);
}

using OslShader = OslEngineTest;

TEST_F(OslShader, CompilesWithoutAWarning) {
    const ScratchFolder scratch;
    const ProgramOutput compiled = RunProgram(
        {EngineProgram("oslc"), "-q", "-o", scratch.Path("Nacreen.oso"), NACREEN_OSL_SOURCE});
    EXPECT_EQ(compiled.status, 0);
    EXPECT_EQ(compiled.out + compiled.err, "");
}

TEST_F(OslShader, HasThePluginsParametersWithTheirDefaultsRangesAndLabels) {
    const ProgramOutput listing =
        RunProgram({EngineProgram("oslinfo"), "-v", CompiledShader("Nacreen")});
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::map<std::string, OslParameter> osl = ReadOslParameters(listing.out);

    preview::NacreenSession session(NACREEN_PLUGIN_FOR_OSL);
    preview::MapHandle map(session.CreateMap());
    preview::MapParameters parameters(*map);
    ParamBlockDesc2& descriptor = *parameters.Block().GetDesc();
    const HINSTANCE module = session.Descriptor().HInstance();
    const auto entry =
        maxhost::FindModuleResource(module, winres::ResName::Ordinal(winres::kTypeDialog),
                                    winres::ResName::Ordinal(IDD_NACREEN));
    ASSERT_TRUE(entry.has_value());
    winres::DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(winres::ParseDialogTemplate(entry->data, entry->size, dialog, error)) << error;

    for (const preview::ParameterInfo& info : parameters.Table()) {
        SCOPED_TRACE(info.name);
        const ParamDef& definition = descriptor.GetParamDef(info.id);
        if (info.kind == preview::ParameterInfo::Kind::Reference) {
            // The output adjustment has no counterpart: the OSL Map has no Output rollout.
            EXPECT_EQ(osl.count(info.name), 0u);
            continue;
        }
        ASSERT_EQ(osl.count(info.name), 1u);
        const OslParameter shader = osl[info.name];
        osl.erase(info.name);
        std::u16string displayName;
        ASSERT_TRUE(maxhost::FindModuleString(module, definition.local_name, displayName));
        ASSERT_FALSE(definition.ctrl_IDs.empty());
        const RolloutPlace place = PlaceOf(dialog, definition.ctrl_IDs[0]);
        const std::string label = place.label ? *place.label : Spaced(Utf8(displayName));
        EXPECT_EQ(shader.metadata.at("label") + (place.label ? ":" : ""), label);
        EXPECT_EQ(shader.metadata.at("page"), place.group);
        EXPECT_FALSE(shader.metadata.at("help").empty());
        switch (info.kind) {
        case preview::ParameterInfo::Kind::Float:
            EXPECT_EQ(shader.type, "float");
            EXPECT_EQ(Number(shader.defaultValue), info.defaultValue);
            EXPECT_EQ(Number(shader.metadata.at("min")), info.minimum);
            EXPECT_EQ(Number(shader.metadata.at("max")), info.maximum);
            EXPECT_EQ(Number(shader.metadata.at("step")), info.step);
            break;
        case preview::ParameterInfo::Kind::Bool:
            EXPECT_EQ(shader.type, "int");
            EXPECT_EQ(Number(shader.defaultValue), info.defaultValue);
            EXPECT_EQ(shader.metadata.at("widget"), "checkBox");
            break;
        case preview::ParameterInfo::Kind::TextureMap:
            // A float input a map connects to; its value is used unclamped, like EvalMono's.
            EXPECT_EQ(shader.type, "float");
            EXPECT_EQ(Number(shader.defaultValue), 0.0f);
            EXPECT_EQ(shader.metadata.count("min") + shader.metadata.count("max"), 0u);
            break;
        default:
            ADD_FAILURE() << "a parameter of a kind the shader cannot take";
        }
    }
    // Beyond the plug-in's parameters: the view and the normal, I and N unless connected, and
    // the two results.
    EXPECT_EQ(osl["viewdirection"].type, "vector");
    EXPECT_EQ(osl["shadingnormal"].type, "normal");
    EXPECT_EQ(osl["Out"].type, "output color");
    EXPECT_EQ(osl["Mono"].type, "output float");
    EXPECT_EQ(osl.size(), 4u);
}

} // namespace
} // namespace oslshade
