#pragma once

#include <string>
#include <vector>

// Runs nacreen-preview as a user would, in a given working folder, and keeps what it said.
struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

ProgramResult RunPreviewProgram(const std::vector<std::string>& arguments,
                                const std::string& workingFolder);
