#include "ParameterListing.h"

#include "ChartLayout.h"

#include <cstdio>
#include <filesystem>

#ifndef NACREEN_PLUGIN_PATH
#define NACREEN_PLUGIN_PATH "Nacreen.dlt"
#endif

namespace preview {
namespace {

std::string KindText(const ParameterInfo& info) {
    switch (info.kind) {
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

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

} // namespace

std::string ListParameters(const std::string& title, const std::vector<ParameterInfo>& parameters) {
    std::string listing = title + "\n";
    for (const ParameterInfo& info : parameters) {
        char line[256];
        std::snprintf(line, sizeof line, "  %-22s %-12s %s\n", info.name.c_str(),
                      KindText(info).c_str(), DetailText(info).c_str());
        listing += line;
    }
    return listing;
}

std::string PluginPath(const PreviewOptions& options) {
    if (!options.plugin.empty()) {
        return options.plugin;
    }
    const std::filesystem::path beside = std::filesystem::path(ExecutableFolder()) / "Nacreen.dlt";
    std::error_code error;
    if (!ExecutableFolder().empty() && std::filesystem::exists(beside, error)) {
        return beside.string();
    }
    return NACREEN_PLUGIN_PATH;
}

} // namespace preview
