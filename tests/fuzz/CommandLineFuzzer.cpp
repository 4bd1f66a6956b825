// nacreen-preview's command line: the input is the arguments, separated by NUL bytes. What
// parses is then applied as a run would apply it: --set values to a new Nacreen map through
// its descriptor's names, types and ranges, and the frames and sizes planned into file names.
#include "LoadedNacreen.h"
#include "Options.h"
#include "Parameters.h"
#include "Session.h"
#include "imaging/Tool.h"

#include <imtl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Frame lists are planned only up to this many frames: a long sequence is valid but would
// only make the fuzzer slow.
constexpr int kMaxPlannedFrames = 1000;

std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments{"nacreen-preview"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    arguments.push_back(current);
    return arguments;
}

void ApplyToMap(const preview::PreviewOptions& options) {
    preview::MapHandle map(fuzz::LoadedNacreen().CreateMap());
    try {
        preview::MapParameters parameters(*map);
        for (const preview::ParameterAssignment& assignment : options.assignments) {
            parameters.Apply(assignment);
        }
        parameters.Summary(0);
    } catch (const imaging::ToolError&) {
    }
}

void Run(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
        preview::ParseWholeNumber(argument);
        preview::ParseFloat(argument);
    }
    argv.push_back(nullptr);
    const preview::PreviewOptions options =
        preview::ParseCommandLine(static_cast<int>(arguments.size()), argv.data());
    ApplyToMap(options);
    if (!options.frames ||
        (options.frames->last - options.frames->first) / options.frames->step < kMaxPlannedFrames) {
        preview::PlanFrames(options);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        Run(SplitArguments(data, size));
    } catch (const imaging::ToolError&) {
        // A usage error with its one line: what the parser should do with bad arguments.
    }
    return 0;
}
