// What fuzzing found, each fixed in its reader: the minimised inputs of findings/ must give one
// line naming the file and what is wrong, never a crash or an allocation the file cannot justify.
#include "BareClassDesc.h"
#include "HostMaps.h"
#include "LoadedNacreen.h"
#include "Session.h"
#include "imaging/Noise.h"
#include "imaging/Png.h"
#include "imaging/Tool.h"

#include <gtest/gtest.h>
#include <iparamb2.h>
#include <maxhost/Host.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

const std::string kFindings = FUZZ_FINDINGS_ROOT;

// The message of the ToolError that `read` throws; fails the test when nothing is thrown.
template <typename Read> std::string ErrorOf(Read read) {
    try {
        read();
    } catch (const imaging::ToolError& error) {
        return error.what();
    }
    ADD_FAILURE() << "the input was accepted";
    return std::string();
}

void ExpectOneLineNaming(const std::string& message, const std::string& path,
                         const std::string& reason) {
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
}

// A scene may not put an object of another kind into a slot that the plug-in casts to what it
// installed there. A root that objects outside its own graph refer to was deleted with them;
// those objects are no longer built at all, and this root is a parameter block.
TEST(SceneFindings, ObjectsOfTheWrongKindInReferenceSlotsAreRefused) {
    fuzz::LoadedNacreen();
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"output-slot-wrong-class.ncs", "object #0 (Nacreen) cannot hold object #3"},
        {"map-slot-not-a-texmap.ncs", "object #0 (Nacreen) cannot hold object #2"},
        {"root-referenced.ncs", "it holds no Nacreen map"},
    };
    for (const auto& c : cases) {
        const std::string path = kFindings + "/scene/" + c.file;
        ExpectOneLineNaming(ErrorOf([&] { preview::LoadMapScene(path); }), path, c.reason);
    }
}

// The noise map's cell size comes from the file: a tiny one put lattice coordinates beyond a
// 64-bit integer (undefined conversion), and an infinite one is no size at all.
TEST(SceneFindings, NoiseCellSizesFromTheFileStayDefined) {
    fuzz::LoadedNacreen();
    const std::string infinite = kFindings + "/scene/noise-infinite-cell.ncs";
    ExpectOneLineNaming(ErrorOf([&] { preview::LoadMapScene(infinite); }), infinite,
                        "(Noise) failed to load");
    preview::LoadMapScene(kFindings + "/scene/noise-tiny-cell.ncs");

    const imaging::FractalNoise noise(7, 4);
    const float far = 2.0e19f, infinity = std::numeric_limits<float>::infinity();
    for (const float value : {noise.At(far, -far, 0.5f), noise.At(infinity, 0.0f, -infinity),
                              noise.At(std::nanf(""), 1.0f, 2.0f)}) {
        EXPECT_GE(value, 0.0f);
        EXPECT_LE(value, 1.0f);
    }
    // Cells repeat every 2^32, as the lattice hash always made them.
    EXPECT_EQ(noise.At(8589934592.0f + 0.0f, 0.25f, 0.75f), noise.At(0.0f, 0.25f, 0.75f));
}

// A header alone must not make the reader allocate what the file cannot hold: these files are
// 68 bytes long and promise 1.6 GB and 16 MB of rows.
TEST(PngFindings, HeadersPromisingMoreThanTheFileHoldsAreRefusedBeforeAllocating) {
    const std::string tooMany = kFindings + "/png/too-many-pixels.png";
    ExpectOneLineNaming(ErrorOf([&] { preview::BitmapThicknessMap map(tooMany); }), tooMany,
                        "has more pixels than a thickness map may have");
    const std::string tooFew = kFindings + "/png/more-than-the-file-holds.png";
    ExpectOneLineNaming(ErrorOf([&] { preview::BitmapThicknessMap map(tooFew); }), tooFew,
                        "promises more pixels than the file holds");
}

// libpng only warns about an ancillary chunk longer than its limit and then allocates and
// clears the length claimed: a 76-byte file took 1.4 GB and seconds. Such chunks are now
// skipped unread, and a map with text chunks of its own still reads.
TEST(PngFindings, AncillaryChunksAreSkippedUnread) {
    const std::string huge = kFindings + "/png/huge-text-chunk.png";
    ExpectOneLineNaming(ErrorOf([&] { preview::BitmapThicknessMap map(huge); }), huge,
                        "is a damaged or unsupported PNG file");

    std::vector<std::uint8_t> png = imaging::EncodePng(
        imaging::LinearImage(2, 1, {1.0f, 1.0f, 1.0f}), imaging::PixelEncoding::Linear,
        {{"Comment", std::string(5000, 'x')}, {"Software", "nacreen-preview"}});
    std::FILE* file = fmemopen(png.data(), png.size(), "rb");
    const imaging::LinearImage read = imaging::DecodePng(file, png.size(), "with-text.png");
    std::fclose(file);
    ASSERT_EQ(read.Width(), 2);
    EXPECT_FLOAT_EQ(read.At(1, 0).g, 1.0f);
}

std::string OnlyDescriptorError() {
    const std::vector<std::string> errors = maxhost::TakeDescriptorErrors();
    EXPECT_EQ(errors.size(), 1u);
    return errors.empty() ? std::string() : errors.front();
}

// Values outside an enumeration's range were stored in it (undefined behaviour) before being
// checked; now they are refused as they are read, and the descriptor describes nothing.
TEST(DescriptorFindings, ValuesOutsideTheEnumerationsAreRefusedBeforeBeingStored) {
    fuzz::BareClassDesc cd(0x7e57f023);
    maxhost::TakeDescriptorErrors();
    {
        ParamBlockDesc2 block(0, _M("t"), 0, &cd, 0, 1, _M("p"), -0x40000000, 0, 0, p_end, p_end);
        EXPECT_EQ(block.Count(), 0);
        EXPECT_NE(OnlyDescriptorError().find("parameter type -1073741824 is not supported"),
                  std::string::npos);
    }
    {
        // TYPE_INT_TAB + TYPE_BY_VAL: a passing flag over a table type.
        ParamBlockDesc2 block(0, _M("t"), 0, &cd, 0, 1, _M("p"), 0x2801, 0, 0, p_end, p_end);
        EXPECT_EQ(block.Count(), 0);
        EXPECT_NE(OnlyDescriptorError().find("parameter type 10241 is not supported"),
                  std::string::npos);
    }
    {
        ParamBlockDesc2 block(0, _M("t"), 0, &cd, 0, 1, _M("p"), TYPE_FLOAT, 0, 0, p_ui, 0x40000000,
                              p_end, p_end);
        EXPECT_EQ(block.Count(), 0);
        EXPECT_NE(OnlyDescriptorError().find("p_ui control type 1073741824 is not supported"),
                  std::string::npos);
    }
    {
        ParamBlockDesc2 block(0, _M("t"), 0, &cd, 0, 1, _M("p"), TYPE_FLOAT, 0, 0, p_ui,
                              TYPE_SPINNER, 100, 1, 2, 1.0f, p_end, p_end);
        EXPECT_EQ(block.Count(), 0);
        EXPECT_NE(OnlyDescriptorError().find("the spinner's edit type 100 is not supported"),
                  std::string::npos);
    }
}

} // namespace
