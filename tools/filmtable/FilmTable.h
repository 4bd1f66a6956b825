#pragma once

#include <iosfwd>
#include <string>

namespace nacreen {

// What the film colour table shows: the stack's three indices and the thickness rows.
struct FilmTableOptions {
    float nMedium = 1.0f;
    float nFilm = 1.5f;
    float nInternal = 1.0f;
    float thicknessLimit = 1000.0f; // nanometres, last row
    float thicknessStep = 50.0f;    // nanometres between rows
    bool help = false;              // --help or -h
    bool version = false;           // --version
};

// Reads the command line. Throws UsageError naming a bad argument.
FilmTableOptions ParseFilmTableArguments(int argc, const char* const* argv);

void PrintFilmTableUsage(std::ostream& out);

// One row per thickness, one column per viewing angle; each cell is the film's red, green and
// blue reflectance.
void PrintFilmTable(std::ostream& out, const FilmTableOptions& options);

} // namespace nacreen
