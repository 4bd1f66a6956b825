#pragma once

#include <sys/resource.h>

#include <string>
#include <utility>
#include <vector>

// Runs nacreen-preview (or another of the tools) as a user would, in a given working folder,
// and keeps what it said.
struct ProgramResult {
    int status = -1; // the exit status, or 128 + the signal that ended the program
    std::string out;
    std::string err;
};

struct ProgramSettings {
    std::string program = NACREEN_PREVIEW_PROGRAM;
    std::string standardOutput;                 // a file to write it to; kept when empty
    std::vector<std::pair<int, rlim_t>> limits; // resource limits, soft and hard alike
};

ProgramResult RunPreviewProgram(const std::vector<std::string>& arguments,
                                const std::string& workingFolder,
                                const ProgramSettings& settings = {});
