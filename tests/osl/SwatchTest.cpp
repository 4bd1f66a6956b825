// The same swatch twice: the default map and each README look rendered by nacreen-preview
// through the plug-in, and by Nacreen.osl on testshade from the same samples, compared pixel by
// pixel as the 8-bit sRGB values of the pictures.
#include "OslEngineTest.h"
#include "OslSwatch.h"

#include "imaging/Files.h"
#include "imaging/PixelEncoding.h"
#include "imaging/Png.h"
#include "ScratchFolder.h"

#include <cmath>
#include <cstdlib>

namespace oslshade {
namespace {

// Half the README's 320 pixels a side, to keep the suite quick; nacreen-preview's 3 x 3
// samples a pixel.
constexpr int kSize = 160;
constexpr int kSamplesPerSide = 3;

using OslSwatch = OslEngineTest;

TEST_F(OslSwatch, MatchesThePluginsToOneLevelForEveryLook) {
    const ScratchFolder scratch;
    for (const Look& look : Looks()) {
        SCOPED_TRACE(look.id);
        std::vector<std::string> command = {NACREEN_PREVIEW_FOR_OSL, "--plugin",
                                            NACREEN_PLUGIN_FOR_OSL};
        for (const std::string& argument : PreviewArguments(look, kSize)) {
            command.push_back(argument);
        }
        const std::string pluginPng = scratch.Path(look.id + ".png");
        command.insert(command.end(), {"-o", pluginPng});
        const ProgramOutput preview = RunProgram(command);
        ASSERT_EQ(preview.status, 0) << preview.err;
        imaging::InputFile file(pluginPng, 1u << 26, "picture");
        const imaging::LinearImage plugin =
            imaging::DecodePng(file.Stream(), file.Size(), pluginPng);
        const ShadedSwatch shaded = RenderOslSwatch(look, kSize, kSamplesPerSide, scratch.Path(""));
        const imaging::LinearImage& osl = shaded.image;
        std::printf("%s\n", shaded.command.c_str());

        int worst = 0, differing = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const imaging::RgbPixel& a = plugin.At(x, y);
                const imaging::RgbPixel& b = osl.At(x, y);
                const float pluginChannels[] = {a.r, a.g, a.b};
                const float oslChannels[] = {b.r, b.g, b.b};
                for (int c = 0; c < 3; ++c) {
                    const int stored = static_cast<int>(std::lround(pluginChannels[c] * 255.0f));
                    const int shaded =
                        imaging::EncodePixelValue(oslChannels[c], imaging::PixelEncoding::Srgb);
                    worst = std::max(worst, std::abs(stored - shaded));
                    differing += stored != shaded ? 1 : 0;
                }
            }
        }
        std::printf("%s: worst %d level(s), %d of %d channels differ\n", look.id.c_str(), worst,
                    differing, kSize * kSize * 3);
        EXPECT_LE(worst, 1);
    }
}

} // namespace
} // namespace oslshade
