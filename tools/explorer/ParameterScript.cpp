// nacreen-explorer-parameters PLUGIN LOOKS OUTPUT.js: loads the plug-in as 3ds Max does and
// writes the explorer's tables: the map's parameters from its own parameter block descriptor,
// so the page keeps no names, ranges, steps or defaults of its own; the looks of the looks file
// as its presets, each value checked as --set checks it; and the version.
#include "HostMaps.h"
#include "Parameters.h"
#include "Session.h"
#include "imaging/Files.h"
#include "imaging/Tool.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using preview::ParameterInfo;

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

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string Entry(const ParameterInfo& info) {
    std::string entry = "  {\"id\": " + std::to_string(info.id) +
                        ", \"name\": " + Quoted(info.name) + ", \"kind\": \"" +
                        preview::KindText(info.kind) + "\"";
    if (info.hasRange) {
        entry += ", \"min\": " + ShortestFloatText(info.minimum) +
                 ", \"max\": " + ShortestFloatText(info.maximum);
    }
    if (info.step > 0.0f) {
        entry += ", \"step\": " + ShortestFloatText(info.step);
    }
    const bool hasValue = info.kind == ParameterInfo::Kind::Float ||
                          info.kind == ParameterInfo::Kind::Integer ||
                          info.kind == ParameterInfo::Kind::Bool;
    if (hasValue) {
        entry += ", \"default\": " + ShortestFloatText(info.defaultValue);
    }
    entry += std::string(", \"animatable\": ") + (info.animatable ? "true" : "false") + "}";
    return entry;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    return parts;
}

// One look of the file as a JavaScript object, its values applied to a new map as --set applies
// them: a name or value the map would refuse stops the build.
std::string LookEntry(const std::vector<std::string>& fields, preview::NacreenSession& session) {
    preview::MapHandle map(session.CreateMap());
    preview::MapParameters parameters(*map);
    std::string values;
    for (const std::string& text : Split(fields[2], ' ')) {
        if (text.empty()) {
            continue;
        }
        const auto assignment = preview::ParameterAssignment::Parse(text);
        if (assignment.keyTime) {
            throw imaging::ToolError("look " + fields[0] + ": " + text + " sets a key");
        }
        parameters.Apply(assignment);
        const ParameterInfo& info = preview::FindParameter(parameters.Table(), assignment.name);
        const preview::ParameterValue value = preview::ParseParameterValue(info, assignment.value);
        values += (values.empty() ? "" : ", ") + Quoted(info.name) + ": " +
                  (info.kind == ParameterInfo::Kind::Bool
                       ? std::string(value.asInteger != 0 ? "true" : "false")
                       : ShortestFloatText(value.asFloat));
    }
    return "  {\"id\": " + Quoted(fields[0]) + ", \"title\": " + Quoted(fields[1]) +
           ", \"values\": {" + values + "}}";
}

std::vector<std::string> LookEntries(const std::string& path, preview::NacreenSession& session) {
    const std::vector<unsigned char> bytes =
        imaging::InputFile(path, 1u << 20, "looks file").ReadAll();
    std::vector<std::string> entries;
    int number = 0;
    for (const std::string& line : Split(std::string(bytes.begin(), bytes.end()), '\n')) {
        ++number;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() != 3 || fields[0].empty() || fields[1].empty()) {
            throw imaging::ToolError(path + " line " + std::to_string(number) +
                                     ": expected an id, a title and values, separated by tabs");
        }
        try {
            entries.push_back(LookEntry(fields, session));
        } catch (const imaging::ToolError& error) {
            throw imaging::ToolError(path + " line " + std::to_string(number) + ": " +
                                     error.what());
        }
    }
    return entries;
}

std::string Array(const std::vector<std::string>& entries) {
    std::string array = "[\n";
    for (std::size_t index = 0; index < entries.size(); ++index) {
        array += entries[index] + (index + 1 < entries.size() ? ",\n" : "\n");
    }
    return array + "]";
}

} // namespace

int main(int argc, char** argv) {
    return imaging::RunTool("nacreen-explorer-parameters", [&] {
        if (argc != 4) {
            throw imaging::UsageError(
                "usage: nacreen-explorer-parameters Nacreen.dlt LOOKS.tsv OUTPUT.js");
        }
        imaging::StagedOutputs outputs;
        outputs.Plan(argv[3]);
        outputs.CheckNotInput(argv[2]);
        preview::NacreenSession session(argv[1]);
        preview::RegisterHostTexmapClasses();
        preview::MapHandle map(session.CreateMap());
        const preview::MapParameters table(*map);
        std::vector<std::string> parameters;
        for (const ParameterInfo& info : table.Table()) {
            parameters.push_back(Entry(info));
        }
        const std::string script =
            "// Generated at build time from the parameter block descriptor of Nacreen.dlt and "
            "from tools/looks.tsv; do not edit.\n"
            "const NACREEN_VERSION = \"" NACREEN_VERSION_TEXT "\";\n"
            "const NACREEN_PARAMETERS = " +
            Array(parameters) +
            ";\n"
            "const NACREEN_LOOKS = " +
            Array(LookEntries(argv[2], session)) + ";\n";
        outputs.Stage(argv[3], script.data(), script.size());
        outputs.CommitAll();
        return 0;
    });
}
