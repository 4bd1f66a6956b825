#include "OslSwatch.h"

#include "HostMaps.h"
#include "OslShading.h"
#include "imaging/SwatchCamera.h"

#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace oslshade {
namespace {

// Three floats a texel, rows from the top.
struct FloatImage {
    int width, height;
    std::vector<float> texels;

    FloatImage(int w, int h) : width(w), height(h), texels(static_cast<std::size_t>(w) * h * 3) {}
    void Set(int x, int y, float a, float b, float c) {
        float* texel = &texels[(static_cast<std::size_t>(y) * width + x) * 3];
        texel[0] = a;
        texel[1] = b;
        texel[2] = c;
    }
};

// A colour PFM: little-endian floats (the negative scale says so), rows from the bottom.
void WritePfm(const std::string& path, const FloatImage& image) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error(path + ": cannot be written");
    }
    std::fprintf(file, "PF\n%d %d\n-1.0\n", image.width, image.height);
    const std::size_t row = static_cast<std::size_t>(image.width) * 3;
    bool written = true;
    for (int y = image.height - 1; y >= 0; --y) {
        written = written && std::fwrite(&image.texels[y * row], sizeof(float), row, file) == row;
    }
    if (std::fclose(file) != 0 || !written) {
        throw std::runtime_error(path + ": could not be written");
    }
}

} // namespace

bool Look::SpansThicknesses() const {
    for (const auto& [name, value] : values) {
        if (name == "thicknessmapenabled") {
            return value == "true";
        }
    }
    return false;
}

std::vector<Look> Looks() {
    std::vector<Look> looks = {{"swatch", "Default", {}}};
    std::ifstream file(NACREEN_LOOKS_FILE);
    if (!file) {
        throw std::runtime_error(NACREEN_LOOKS_FILE ": cannot be read");
    }
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Look look;
        std::string values;
        if (!std::getline(fields, look.id, '\t') || !std::getline(fields, look.title, '\t') ||
            !std::getline(fields, values)) {
            throw std::runtime_error(NACREEN_LOOKS_FILE ": not a look: " + line);
        }
        std::istringstream assignments(values);
        std::string assignment;
        while (assignments >> assignment) {
            const std::size_t equals = assignment.find('=');
            if (equals == std::string::npos) {
                throw std::runtime_error(NACREEN_LOOKS_FILE ": not NAME=VALUE: " + assignment);
            }
            look.values.push_back({assignment.substr(0, equals), assignment.substr(equals + 1)});
        }
        looks.push_back(look);
    }
    return looks;
}

std::vector<std::string> PreviewArguments(const Look& look, int size) {
    std::vector<std::string> arguments = {"--size", std::to_string(size)};
    for (const auto& [name, value] : look.values) {
        arguments.insert(arguments.end(), {"--set", name + "=" + value});
    }
    if (look.SpansThicknesses()) {
        arguments.insert(arguments.end(), {"--thickness-map", "noise"});
    }
    return arguments;
}

ShadedSwatch RenderOslSwatch(const Look& look, int size, int samplesPerSide,
                             const std::string& scratchFolder) {
    // Sample (i, j) of pixel (x, y) is texel (x n + i, y n + j), taken where nacreen-preview
    // takes it: at offsets (k + 0.5) / n from the pixel's corner.
    const int n = samplesPerSide;
    const int side = size * n;
    const imaging::SwatchCamera camera(size, size);
    const preview::NoiseThicknessMap noise;
    FloatImage views(side, side), normals(side, side), maps(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double sampleX = (x / n) + ((x % n) + 0.5) / n;
            const double sampleY = (y / n) + ((y % n) + 0.5) / n;
            const std::optional<imaging::SwatchHit> hit = camera.Hit(sampleX, sampleY);
            if (!hit) {
                continue; // no view, no normal, and lands stays 0
            }
            const imaging::Vector3 view = hit->View(), normal = hit->Normal(), p = hit->Point();
            views.Set(x, y, view.x, view.y, view.z);
            normals.Set(x, y, normal.x, normal.y, normal.z);
            const float mapValue =
                look.SpansThicknesses() ? noise.ValueAt(Point3(p.x, p.y, p.z)) : 0.0f;
            maps.Set(x, y, mapValue, 1.0f, 0.0f);
        }
    }
    ShadingRun run;
    run.mode = 3;
    run.width = side;
    run.height = side;
    run.center = true;
    run.brief = true;
    for (const auto& [name, value] : look.values) {
        run.shaderParameters.push_back({name, value == "true" ? 1.0f : std::stof(value)});
    }
    const char* const names[] = {"viewimage", "normalimage", "mapimage"};
    const FloatImage* images[] = {&views, &normals, &maps};
    for (int i = 0; i < 3; ++i) {
        const std::string path =
            (std::filesystem::path(scratchFolder) / (look.id + "-" + names[i] + ".pfm")).string();
        WritePfm(path, *images[i]);
        run.images.push_back({names[i], path});
    }

    // Every sample starts as background; those that land take the shader's colour. Each pixel
    // is then the mean of its samples summed in double in nacreen-preview's order, row by row
    // of samples.
    std::vector<nacreen::Color4> samples(static_cast<std::size_t>(side) * side,
                                         {imaging::kSwatchBackground.r,
                                          imaging::kSwatchBackground.g,
                                          imaging::kSwatchBackground.b, 1.0f});
    for (const ProbedSample& sample : ShadeBrief(run)) {
        if (sample.x < 0 || sample.x >= side || sample.y < 0 || sample.y >= side) {
            throw std::runtime_error("testshade printed a sample off the grid");
        }
        samples[static_cast<std::size_t>(sample.y) * side + sample.x] = sample.colour;
    }
    imaging::LinearImage image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0.0, g = 0.0, b = 0.0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const nacreen::Color4& c =
                        samples[static_cast<std::size_t>(y * n + j) * side + (x * n + i)];
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            const double count = n * n;
            image.At(x, y) = {static_cast<float>(r / count), static_cast<float>(g / count),
                              static_cast<float>(b / count)};
        }
    }
    return {image, CommandText(ShadingCommand(run))};
}

} // namespace oslshade
