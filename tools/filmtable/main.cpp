// nacreen-filmtable: prints the thin-film colour table of a Nacreen stack.

#include "FilmTable.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    nacreen::FilmTableOptions options;
    bool wantsHelp = false;
    std::string error;
    if (!nacreen::ParseFilmTableArguments(argc, argv, options, wantsHelp, error)) {
        std::cerr << "nacreen-filmtable: " << error << "\n";
        nacreen::PrintFilmTableUsage(std::cerr);
        return 2;
    }
    if (wantsHelp) {
        nacreen::PrintFilmTableUsage(std::cout);
        return 0;
    }
    nacreen::PrintFilmTable(std::cout, options);
    return std::cout ? 0 : 1;
}
