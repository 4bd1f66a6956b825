#include "OslShading.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace oslshade {
namespace {

// The parameters TestInputs makes and Nacreen.osl takes, under the same names. The colour
// controls go only to the layer that uses them.
const char* const kGeometryAndStack[] = {"viewdirection", "shadingnormal", "thicknessmax",
                                         "thicknessmin",  "nmedium",       "nfilm",
                                         "ninternal",     "thicknessmap",  "thicknessmapenabled"};
const char* const kColourControls[] = {"gamma", "hue", "sat"};
// What an image gives per point; the rest are the run's shader parameters.
const char* const kPerSample[] = {"viewdirection", "shadingnormal", "thicknessmap"};

// Enough for every line a run prints (testshade keeps them all until the run ends).
constexpr const char* kPrintBufferMegabytes = "1024";

std::string ReadWhole(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

// A temporary file that goes away with this object.
class TemporaryFile {
public:
    TemporaryFile() {
        char name[] = "/tmp/nacreen-osl-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) {
            throw std::runtime_error("cannot create a temporary file");
        }
        close(fd);
        path_ = name;
    }
    ~TemporaryFile() { std::remove(path_.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Every parameter is a float but the check box, an int.
void AddParameter(std::vector<std::string>& command, const std::string& name, float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    const bool flag = name == "thicknessmapenabled";
    command.insert(command.end(), {flag ? "--param:type=int" : "--param:type=float", name, text});
}

void Connect(std::vector<std::string>& command, const std::string& from, const std::string& output,
             const std::string& to, const std::string& input) {
    command.insert(command.end(), {"--connect", from, output, to, input});
}

// The numbers of one printed line, or nothing for a line of testshade's own.
std::vector<float> Numbers(const std::string& line) {
    std::vector<float> numbers;
    const char* cursor = line.c_str();
    while (*cursor != '\0') {
        char* end = nullptr;
        const float value = std::strtof(cursor, &end);
        if (end == cursor) {
            return {};
        }
        numbers.push_back(value);
        cursor = end;
        while (*cursor == ' ' || *cursor == '\n') {
            ++cursor;
        }
    }
    return numbers;
}

std::vector<std::vector<float>> ShadeAndRead(const ShadingRun& run, std::size_t numbersPerLine) {
    const std::vector<std::string> command = ShadingCommand(run);
    const ProgramOutput output = RunProgram(command);
    if (output.status != 0) {
        throw std::runtime_error("testshade failed (status " + std::to_string(output.status) +
                                 "): " + output.err + "\n" + CommandText(command));
    }
    std::vector<std::vector<float>> lines;
    std::istringstream stream(output.out);
    std::string line;
    while (std::getline(stream, line)) {
        std::vector<float> numbers = Numbers(line);
        if (numbers.size() == numbersPerLine) {
            lines.push_back(std::move(numbers));
        }
    }
    return lines;
}

} // namespace

std::string EngineProgram(const std::string& name) {
    return std::string(NACREEN_OSL_ROOT) + "/bin/" + name;
}

std::string CompiledShader(const std::string& name) {
    return std::string(NACREEN_OSL_SHADERS) + "/" + name + ".oso";
}

std::string MissingEngine() {
    std::error_code error;
    for (const char* program : {"oslc", "oslinfo", "testshade"}) {
        if (!std::filesystem::exists(EngineProgram(program), error)) {
            return "no OSL engine at " NACREEN_OSL_ROOT " (scripts/setup-osl.sh BUILD-DIR "
                   "installs it there)";
        }
    }
    for (const char* shader : {"Nacreen", "TestInputs", "Probe"}) {
        if (!std::filesystem::exists(CompiledShader(shader), error)) {
            return CompiledShader(shader) + " was not compiled (the build found no OSL engine)";
        }
    }
    return {};
}

ProgramOutput RunProgram(const std::vector<std::string>& command) {
    const TemporaryFile out;
    const TemporaryFile err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.Path().c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.Path().c_str(), O_WRONLY | O_TRUNC, 0);
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProgramOutput output;
    if (spawned != 0) {
        output.err = command[0] + ": cannot be started";
        return output;
    }
    int status = 0;
    waitpid(child, &status, 0);
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    output.out = ReadWhole(out.Path());
    output.err = ReadWhole(err.Path());
    return output;
}

std::string CommandText(const std::vector<std::string>& command) {
    std::string text;
    for (const std::string& argument : command) {
        const bool plain = argument.find_first_of(" \"'$\\") == std::string::npos;
        text += (text.empty() ? "" : " ") + (plain ? argument : "'" + argument + "'");
    }
    return text;
}

std::vector<std::string> ShadingCommand(const ShadingRun& run) {
    std::vector<std::string> command = {EngineProgram("testshade"), "--jbufferMB",
                                        kPrintBufferMegabytes,      "-g",
                                        std::to_string(run.width),  std::to_string(run.height)};
    if (run.center) {
        command.push_back("--center");
    }
    command.push_back("-O" + std::to_string(run.optimisation));
    command.insert(command.end(), {"--param", "mode", std::to_string(run.mode)});
    for (const auto& [name, value] : run.inputs) {
        AddParameter(command, name, value);
    }
    for (const auto& [name, path] : run.images) {
        command.insert(command.end(), {"--param", name, path});
    }
    command.insert(command.end(), {"--layer", "inputs", CompiledShader("TestInputs")});
    for (const char* layer : {"film", "main"}) {
        if (run.brief && std::string(layer) == "film") {
            continue;
        }
        for (const auto& [name, value] : run.shaderParameters) {
            AddParameter(command, name, value);
        }
        command.insert(command.end(), {"--layer", layer, CompiledShader("Nacreen")});
    }
    command.insert(command.end(), {"--param", "brief", run.brief ? "1" : "0", "--layer", "probe",
                                   CompiledShader("Probe")});
    if (run.brief) {
        for (const char* name : kPerSample) {
            Connect(command, "inputs", name, "main", name);
        }
        Connect(command, "inputs", "lands", "probe", "lands");
    } else {
        for (const char* name : kGeometryAndStack) {
            for (const char* layer : {"film", "main", "probe"}) {
                Connect(command, "inputs", name, layer, name);
            }
        }
        for (const char* name : kColourControls) {
            for (const char* layer : {"main", "probe"}) {
                Connect(command, "inputs", name, layer, name);
            }
        }
        Connect(command, "film", "Out", "probe", "film");
        Connect(command, "main", "Mono", "probe", "mono");
    }
    Connect(command, "main", "Out", "probe", "colour");
    command.insert(command.end(), {"-o", "printed", "null"});
    return command;
}

std::vector<ProbedPoint> ShadeProbed(const ShadingRun& run) {
    std::vector<ProbedPoint> points;
    for (const std::vector<float>& n : ShadeAndRead(run, 23)) {
        ProbedPoint point;
        point.view = {n[0], n[1], n[2]};
        point.normal = {n[3], n[4], n[5]};
        // The printed order is the parameters' order; FilmParams has its own.
        point.params = {n[8], n[9], n[10], n[6], n[7], n[14], n[15]};
        point.mapValue = n[11];
        point.mapEnabled = n[12] != 0.0f;
        point.gamma = n[13];
        point.film = {n[16], n[17], n[18], 1.0f};
        point.colour = {n[19], n[20], n[21], 1.0f};
        point.mono = n[22];
        points.push_back(point);
    }
    return points;
}

std::vector<ProbedSample> ShadeBrief(const ShadingRun& run) {
    std::vector<ProbedSample> samples;
    for (const std::vector<float>& n : ShadeAndRead(run, 5)) {
        samples.push_back(
            {static_cast<int>(n[0]), static_cast<int>(n[1]), {n[2], n[3], n[4], 1.0f}});
    }
    return samples;
}

} // namespace oslshade
