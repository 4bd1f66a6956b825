#include "ProgramRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream stream(path);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

[[noreturn]] void RunChild(const std::vector<std::string>& arguments, const std::string& folder,
                           const std::string& outPath, const std::string& errPath,
                           const ProgramSettings& settings) {
    if (chdir(folder.c_str()) != 0) {
        _exit(126);
    }
    const std::string& standardOutput =
        settings.standardOutput.empty() ? outPath : settings.standardOutput;
    const int out = open(standardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(err, 2);
    for (const auto& [resource, value] : settings.limits) {
        const rlimit limit{value, value};
        setrlimit(resource, &limit);
    }
    std::vector<char*> argv;
    std::string program = settings.program;
    argv.push_back(program.data());
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

} // namespace

ProgramResult RunPreviewProgram(const std::vector<std::string>& arguments,
                                const std::string& workingFolder, const ProgramSettings& settings) {
    char outTemplate[] = "/tmp/nacreen-preview-out-XXXXXX";
    char errTemplate[] = "/tmp/nacreen-preview-err-XXXXXX";
    close(mkstemp(outTemplate));
    close(mkstemp(errTemplate));
    ProgramResult result;
    const pid_t child = fork();
    if (child == 0) {
        RunChild(arguments, workingFolder, outTemplate, errTemplate, settings);
    }
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadText(outTemplate);
    result.err = ReadText(errTemplate);
    unlink(outTemplate);
    unlink(errTemplate);
    return result;
}
