// Nacreen.osl shaded by the OSL reference engine's testshade, for the tests and the docs images:
// where the engine is, how a run is put together, and what it printed.
#pragma once

#include "shading/Color4.h"
#include "shading/FilmParams.h"
#include "shading/Vec3.h"

#include <string>
#include <utility>
#include <vector>

namespace oslshade {

// Why Nacreen.osl cannot be shaded here (the engine or the compiled shaders are missing), or
// an empty text when it can.
std::string MissingEngine();

// A program of the OSL engine (oslc, oslinfo, testshade) and a shader compiled by the build.
std::string EngineProgram(const std::string& name);
std::string CompiledShader(const std::string& name);

struct ProgramOutput {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with these arguments (the program first) and keeps what it printed.
ProgramOutput RunProgram(const std::vector<std::string>& command);

// The command line as a shell would take it, for reports.
std::string CommandText(const std::vector<std::string>& command);

// Which inputs TestInputs.osl makes (its modes), and for how many points.
struct ShadingRun {
    int mode = 0;  // 0 random, 1 thickness and angle grid, 2 edges, 3 from images
    int width = 1; // the grid
    int height = 1;
    bool center = false; // shade at texel centres (images)
    // Float parameters of TestInputs (the grid's stack and maxthickness) or of both Nacreen
    // layers (mode 3), by name.
    std::vector<std::pair<std::string, float>> inputs;
    std::vector<std::pair<std::string, float>> shaderParameters;
    std::vector<std::pair<std::string, std::string>> images; // mode 3: viewimage, ...
    bool brief = false; // print only the grid position and the colour of points that land
    // The engine's own optimisation of the shader group (testshade -O0 to -O2; 2 unless set).
    int optimisation = 2;
};

// One shading point as Probe.osl printed it: the inputs and Nacreen.osl's results. film is
// Nacreen.osl's colour with the colour controls at rest (gamma 1, no hue or saturation shift).
struct ProbedPoint {
    nacreen::Vec3 view{}, normal{};
    nacreen::FilmParams params{};
    float mapValue = 0.0f;
    bool mapEnabled = false;
    float gamma = 1.0f;
    nacreen::Color4 film{}, colour{};
    float mono = 0.0f;
};

// A brief line: the grid position and the colour.
struct ProbedSample {
    int x = 0, y = 0;
    nacreen::Color4 colour{};
};

// The testshade command of the run: TestInputs feeds two Nacreen layers (one with the colour
// controls at rest) and Probe prints what they made.
std::vector<std::string> ShadingCommand(const ShadingRun& run);

// Runs it; throws std::runtime_error with testshade's own words when it fails.
std::vector<ProbedPoint> ShadeProbed(const ShadingRun& run);
std::vector<ProbedSample> ShadeBrief(const ShadingRun& run);

} // namespace oslshade
