#include "FilmTable.h"

#include "imaging/Tool.h"
#include "shading/FilmReflectance.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace nacreen {

namespace {

// The viewing angles of the columns, in degrees from the normal.
constexpr int kAngles[] = {0, 30, 45, 60, 75, 85};

// The parameter ranges the map's rollout allows.
constexpr float kMinIndex = 0.2f;
constexpr float kMaxIndex = 100.0f;
constexpr float kMaxThickness = 3000.0f;
constexpr int kMaxRows = 1000;

constexpr int kCellWidth = 17; // "0.036 0.147 0.140"

bool ParseNumber(const char* text, float& value) {
    errno = 0;
    char* end = nullptr;
    const float parsed = std::strtof(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

std::string FormatNumber(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

float ReadOption(const char* name, float lo, float hi, int& index, int argc,
                 const char* const* argv) {
    if (index + 1 >= argc) {
        throw imaging::UsageError(std::string(name) + " needs a value");
    }
    const char* text = argv[++index];
    float value = 0.0f;
    if (!ParseNumber(text, value) || value < lo || value > hi) {
        throw imaging::UsageError(std::string(name) + " must be a number from " + FormatNumber(lo) +
                                  " to " + FormatNumber(hi) + ", not \"" + text + "\"");
    }
    return value;
}

void PrintCentred(std::ostream& out, const std::string& text, int width) {
    const int padding = width - static_cast<int>(text.size());
    const int left = padding > 0 ? padding / 2 : 0;
    const int right = padding > 0 ? padding - left : 0;
    out << std::string(static_cast<std::size_t>(left), ' ') << text
        << std::string(static_cast<std::size_t>(right), ' ');
}

} // namespace

FilmTableOptions ParseFilmTableArguments(int argc, const char* const* argv) {
    FilmTableOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--medium") {
            options.nMedium = ReadOption("--medium", kMinIndex, kMaxIndex, i, argc, argv);
        } else if (argument == "--film") {
            options.nFilm = ReadOption("--film", kMinIndex, kMaxIndex, i, argc, argv);
        } else if (argument == "--internal") {
            options.nInternal = ReadOption("--internal", kMinIndex, kMaxIndex, i, argc, argv);
        } else if (argument == "--max-thickness") {
            options.thicknessLimit =
                ReadOption("--max-thickness", 0.0f, kMaxThickness, i, argc, argv);
        } else if (argument == "--step") {
            options.thicknessStep = ReadOption("--step", 1.0f, kMaxThickness, i, argc, argv);
        } else {
            throw imaging::UsageError("unknown argument \"" + argument + "\"");
        }
    }
    if (options.thicknessLimit / options.thicknessStep >= static_cast<float>(kMaxRows)) {
        throw imaging::UsageError("--step is too small for --max-thickness: more than " +
                                  std::to_string(kMaxRows) + " rows");
    }
    return options;
}

void PrintFilmTableUsage(std::ostream& out) {
    out << "Usage: nacreen-filmtable [--medium N] [--film N] [--internal N]\n"
           "                         [--max-thickness NM] [--step NM]\n"
           "Prints the thin-film colour that Nacreen computes: the reflectance at 650, 510 and\n"
           "475 nm (red, green, blue) for a range of film thicknesses and viewing angles.\n"
           "  --medium N         refractive index of the outer medium (default 1)\n"
           "  --film N           refractive index of the film (default 1.5)\n"
           "  --internal N       refractive index of the material under the film (default 1)\n"
           "  --max-thickness NM thickness of the last row in nanometres (default 1000)\n"
           "  --step NM          thickness between rows in nanometres (default 50)\n"
           "  --version          show the version\n";
}

void PrintFilmTable(std::ostream& out, const FilmTableOptions& options) {
    const std::ios_base::fmtflags savedFlags = out.flags();
    const std::streamsize savedPrecision = out.precision();

    out << "Nacreen film colour: outer medium " << options.nMedium << ", film " << options.nFilm
        << ", internal material " << options.nInternal << "\n"
        << "Each cell: reflected red, green and blue (650, 510 and 475 nm), from 0 to 1.\n\n";

    out << "thickness |";
    for (int angle : kAngles) {
        out << ' ';
        PrintCentred(out, std::to_string(angle) + " deg", kCellWidth);
        out << " |";
    }
    out << "\n----------+";
    for (std::size_t i = 0; i < sizeof kAngles / sizeof kAngles[0]; ++i) {
        out << std::string(kCellWidth + 2, '-') << '+';
    }
    out << '\n' << std::fixed;

    constexpr double kDegreesToRadians = 3.141592653589793 / 180.0;
    const int rows = static_cast<int>(std::floor(options.thicknessLimit / options.thicknessStep));
    for (int row = 0; row <= rows; ++row) {
        const float thickness = static_cast<float>(row) * options.thicknessStep;
        out << std::setprecision(0) << std::setw(6) << thickness << " nm |";
        const FilmParams params{
            options.nMedium, options.nFilm, options.nInternal, thickness, thickness, 0.0f, 0.0f};
        for (int angle : kAngles) {
            const float cos0 = static_cast<float>(std::cos(angle * kDegreesToRadians));
            const Color4 colour = EvalFilmColor(cos0, 0.0f, params);
            out << std::setprecision(3) << ' ' << colour.r << ' ' << colour.g << ' ' << colour.b
                << " |";
        }
        out << '\n';
    }

    out.flags(savedFlags);
    out.precision(savedPrecision);
}

} // namespace nacreen
