// nacreen-osl-swatch FOLDER [SIZE]: the README's swatches shaded by Nacreen.osl on testshade,
// written as FOLDER/NAME-osl.png beside nacreen-preview's NAME.png (320 pixels a side unless
// SIZE says otherwise).
#include "OslShading.h"
#include "OslSwatch.h"

#include "imaging/Files.h"
#include "imaging/Png.h"

#include <stdlib.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: nacreen-osl-swatch FOLDER [SIZE]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int size = argc == 3 ? std::atoi(argv[2]) : 320;
    if (size < 1 || size > 4096) {
        std::fprintf(stderr, "nacreen-osl-swatch: SIZE must be 1 to 4096\n");
        return 2;
    }
    const std::string missing = oslshade::MissingEngine();
    if (!missing.empty()) {
        std::fprintf(stderr, "nacreen-osl-swatch: %s\n", missing.c_str());
        return 1;
    }
    char scratchName[] = "/tmp/nacreen-osl-swatch-XXXXXX";
    if (mkdtemp(scratchName) == nullptr) {
        std::fprintf(stderr, "nacreen-osl-swatch: cannot create a temporary folder\n");
        return 1;
    }
    int status = 0;
    try {
        for (const oslshade::Look& look : oslshade::Looks()) {
            const oslshade::ShadedSwatch swatch =
                oslshade::RenderOslSwatch(look, size, 3, scratchName);
            const std::string path = folder + "/" + look.id + "-osl.png";
            const std::vector<std::uint8_t> png = imaging::EncodePng(
                swatch.image, imaging::PixelEncoding::Srgb,
                {{"Software", "Nacreen.osl on the OSL reference engine (testshade)"}});
            imaging::StagedOutputs output;
            output.Plan(path);
            output.Stage(path, png.data(), png.size());
            output.CommitAll();
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nacreen-osl-swatch: %s\n", error.what());
        status = 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratchName, ignored);
    return status;
}
