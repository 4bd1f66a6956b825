// nacreen-filmtable: prints the thin-film colour table of a Nacreen stack.
#include "FilmTable.h"
#include "imaging/Tool.h"

#include <iostream>

int main(int argc, char** argv) {
    return imaging::RunTool("nacreen-filmtable", [&] {
        const nacreen::FilmTableOptions options = nacreen::ParseFilmTableArguments(argc, argv);
        if (options.version) {
            std::cout << "nacreen-filmtable " NACREEN_VERSION_TEXT "\n";
        } else if (options.help) {
            nacreen::PrintFilmTableUsage(std::cout);
        } else {
            nacreen::PrintFilmTable(std::cout, options);
        }
        return 0;
    });
}
