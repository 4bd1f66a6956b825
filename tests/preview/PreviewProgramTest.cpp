// The program run end to end, as a user runs it.
#include "PngReadBack.h"
#include "ProgramRunner.h"
#include "ScratchFolder.h"
#include "imaging/Chart.h"
#include "imaging/PixelEncoding.h"
#include "imaging/Png.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace imaging;

// The sanitizers reserve terabytes of address space, so a program of theirs cannot start under
// an address space limit.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer) || __has_feature(thread_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes, std::size_t count) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(count));
}

// A small grey ramp, dark on the left and light on the right.
void WriteRampPng(const std::string& path) {
    LinearImage ramp(32, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float value = x / 31.0f;
            ramp.At(x, y) = {value, value, value};
        }
    }
    const std::vector<std::uint8_t> png = EncodePng(ramp, PixelEncoding::Linear, {});
    WriteBytes(path, std::vector<char>(png.begin(), png.end()), png.size());
}

// Every failure below must leave the folder as it was and say so in one line.
void ExpectRefused(const ProgramResult& result, const std::string& message,
                   const ScratchFolder& folder, const std::vector<std::string>& before) {
    EXPECT_NE(result.status, 0) << message;
    EXPECT_TRUE(Contains(result.err, message))
        << "expected: " << message << "\ngot: " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(folder.Entries(), before) << message;
}

} // namespace

TEST(PreviewProgram, WithNoArgumentsWritesTheDefaultSwatchAndSaysWhere) {
    ScratchFolder folder;
    const ProgramResult result = RunPreviewProgram({}, folder.Path(""));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(Contains(result.out, folder.Path("nacreen-swatch.png"))) << result.out;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"nacreen-swatch.png"});
    const InspectedPng png = InspectPng(folder.Path("nacreen-swatch.png"));
    ASSERT_TRUE(png.valid);
    EXPECT_EQ(png.width, 512);
    EXPECT_EQ(png.height, 512);
    EXPECT_TRUE(png.hasSrgbChunk);
    EXPECT_EQ(png.text.at("Software"), "nacreen-preview");
    EXPECT_TRUE(Contains(png.text.at("Comment"), "thicknessmax=250 thicknessmin=350"));
    EXPECT_TRUE(Contains(png.text.at("Comment"), "nfilm=1.5"));
    EXPECT_TRUE(Contains(png.text.at("Comment"), "thicknessmap=none"));
    // The corner is background, the centre is the sphere.
    EXPECT_EQ(png.Channel(0, 0, 0), png.Channel(0, 0, 2));
    EXPECT_NE(png.Channel(256, 256, 0), png.Channel(256, 256, 1));
}

TEST(PreviewProgram, ChartHasItsSizeAxesAndRecordsItsRange) {
    ScratchFolder folder;
    ProgramResult result = RunPreviewProgram({"--chart"}, folder.Path(""));
    ASSERT_EQ(result.status, 0) << result.err;
    const InspectedPng chart = InspectPng(folder.Path("nacreen-chart.png"));
    ASSERT_TRUE(chart.valid);
    EXPECT_EQ(chart.width, 768);
    EXPECT_EQ(chart.height, 512);
    EXPECT_TRUE(Contains(chart.text.at("Description"), "thickness 0 to 1000 nm"));

    result = RunPreviewProgram(
        {"--chart", "--size", "300x200", "--max-thickness", "600", "-o", "small.png", "--linear"},
        folder.Path(""));
    ASSERT_EQ(result.status, 0) << result.err;
    const InspectedPng small = InspectPng(folder.Path("small.png"));
    EXPECT_EQ(small.width, 300);
    EXPECT_EQ(small.height, 200);
    EXPECT_FALSE(small.hasSrgbChunk);
    EXPECT_DOUBLE_EQ(small.gamma, 1.0);
}

TEST(PreviewProgram, ChartMarksTheThicknessesOfTheUsersFilm) {
    ScratchFolder folder;
    ASSERT_EQ(RunPreviewProgram({"--chart", "-o", "one.png"}, folder.Path("")).status, 0);
    ASSERT_EQ(RunPreviewProgram({"--chart", "--thickness-map", "noise", "--set", "thicknessmin=800",
                                 "-o", "range.png"},
                                folder.Path(""))
                  .status,
              0);
    const ChartLayout layout(768, 512, 1000.0);
    const int row = layout.PlotTop() - 1;
    const int ink = EncodePixelValue(kChartInk.r, PixelEncoding::Srgb);
    const InspectedPng one = InspectPng(folder.Path("one.png"));
    EXPECT_EQ(one.Channel(layout.ColumnOf(250.0), row, 0), ink);
    EXPECT_NE(one.Channel(layout.ColumnOf(800.0), row, 0), ink);
    const InspectedPng range = InspectPng(folder.Path("range.png"));
    EXPECT_EQ(range.Channel(layout.ColumnOf(250.0), row, 0), ink);
    EXPECT_EQ(range.Channel(layout.ColumnOf(800.0), row, 0), ink);
    EXPECT_NE(range.Channel(layout.ColumnOf(500.0), row, 0), ink);
}

TEST(PreviewProgram, OneThreadAndAllThreadsGiveTheSameBytes) {
    ScratchFolder folder;
    for (const char* mode : {"--size=96", "--chart"}) {
        const std::vector<std::string> common{mode, "--samples", "2", "--set", "hue=40"};
        std::vector<std::string> single = common, all = common, odd = common;
        single.insert(single.end(), {"--threads", "1", "-o", "one.png"});
        all.insert(all.end(), {"-o", "all.png"});
        odd.insert(odd.end(), {"--threads", "5", "-o", "five.png"});
        ASSERT_EQ(RunPreviewProgram(single, folder.Path("")).status, 0);
        ASSERT_EQ(RunPreviewProgram(all, folder.Path("")).status, 0);
        ASSERT_EQ(RunPreviewProgram(odd, folder.Path("")).status, 0);
        const std::vector<char> one = ReadFileBytes(folder.Path("one.png"));
        EXPECT_EQ(one, ReadFileBytes(folder.Path("all.png"))) << mode;
        EXPECT_EQ(one, ReadFileBytes(folder.Path("five.png"))) << mode;
    }
}

TEST(PreviewProgram, SavedSceneRendersToTheSameBytes) {
    ScratchFolder folder;
    WriteRampPng(folder.Path("ramp.png"));
    const std::vector<std::vector<std::string>> setups{
        {"--thickness-map", "noise", "--set", "nfilm=1.33", "--set", "thicknessmin@4800=900"},
        {"--thickness-map", "ramp.png", "--set", "ninternal=1.52", "--set", "sat=-30"},
        {"--set", "output.RGB_Level@3200=1.6", "--set", "output.invert=on"},
    };
    for (const auto& setup : setups) {
        std::vector<std::string> save = setup;
        save.insert(save.end(),
                    {"--save", "map.nscn", "--frames", "20:20", "--size", "80", "-o", "saved.png"});
        ProgramResult result = RunPreviewProgram(save, folder.Path(""));
        ASSERT_EQ(result.status, 0) << result.err;
        result = RunPreviewProgram(
            {"--load", "map.nscn", "--frames", "20:20", "--size", "80", "-o", "loaded.png"},
            folder.Path(""));
        ASSERT_EQ(result.status, 0) << result.err;
        const std::vector<char> saved = ReadFileBytes(folder.Path("saved0020.png"));
        ASSERT_FALSE(saved.empty());
        EXPECT_EQ(saved, ReadFileBytes(folder.Path("loaded0020.png"))) << setup[1];
    }
}

TEST(PreviewProgram, FramesAreNumberedAndFollowTheKeys) {
    ScratchFolder folder;
    const ProgramResult result =
        RunPreviewProgram({"--set", "thicknessmax@0=200", "--set", "thicknessmax@320=700",
                           "--frames", "0:2", "--size", "48", "-o", "anim.png"},
                          folder.Path(""));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{"anim0000.png", "anim0001.png", "anim0002.png"}));
    const InspectedPng first = InspectPng(folder.Path("anim0000.png"));
    const InspectedPng last = InspectPng(folder.Path("anim0002.png"));
    EXPECT_TRUE(Contains(first.text.at("Comment"), "thicknessmax=200 (animated)"));
    EXPECT_TRUE(Contains(last.text.at("Comment"), "thicknessmax=700 (animated)"));
    EXPECT_TRUE(Contains(last.text.at("Description"), "frame 2 (320 ticks)"));
    EXPECT_NE(first.rgb, last.rgb);
}

TEST(PreviewProgram, HelpAndListDescribeTheToolAndTheMap) {
    ScratchFolder folder;
    ProgramResult result = RunPreviewProgram({"--help"}, folder.Path(""));
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Contains(result.out, "Usage: nacreen-preview"));
    result = RunPreviewProgram({"--list"}, folder.Path(""));
    EXPECT_EQ(result.status, 0) << result.err;
    for (const char* name :
         {"thicknessmax", "thicknessmin", "nmedium", "nfilm", "ninternal", "thicknessmap",
          "thicknessmapenabled", "gamma", "hue", "sat", "output"}) {
        EXPECT_TRUE(Contains(result.out, std::string("  ") + name + " ")) << name;
    }
    EXPECT_TRUE(Contains(result.out, "0.05 to 20, default 1, animatable"));
    EXPECT_TRUE(folder.Entries().empty());
}

struct BadInput {
    std::vector<std::string> arguments;
    std::string message;
};

TEST(PreviewProgram, BadInputFailsWithItsMessageAndWritesNothing) {
    ScratchFolder folder;
    WriteRampPng(folder.Path("ramp.png"));
    WriteText(folder.Path("text.png"), "not a picture");
    ASSERT_EQ(RunPreviewProgram({"--save", "good.nscn", "--size", "16", "-o", "good.png"},
                                folder.Path(""))
                  .status,
              0);
    const std::vector<char> scene = ReadFileBytes(folder.Path("good.nscn"));
    WriteBytes(folder.Path("cut.nscn"), scene, scene.size() / 2);
    std::vector<char> corrupt = scene;
    for (std::size_t i = 8; i < corrupt.size(); i += 3) {
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    }
    WriteBytes(folder.Path("corrupt.nscn"), corrupt, corrupt.size());
    WriteText(folder.Path("empty.nscn"), "");
    WriteText(folder.Path("keep.png"), "precious");
    const std::vector<std::string> before = folder.Entries();

    const std::vector<BadInput> cases{
        {{"--set", "nfilm=150"}, "nfilm=150 is out of range: nfilm takes 0.2 to 100"},
        {{"--set", "gamma=0"}, "gamma takes 0.05 to 20"},
        {{"--set", "hue=-181"}, "hue takes -180 to 180"},
        {{"--set", "thicknessmax=3000.5"}, "thicknessmax takes 0 to 3000"},
        {{"--set", "nfilm=abc"}, "nfilm=abc is not a number"},
        {{"--set", "thicknessmapenabled=maybe"}, "is not true or false"},
        {{"--set", "bogus=1"}, "unknown parameter 'bogus'"},
        {{"--set", "thicknessmapenabled@100=true"}, "thicknessmapenabled cannot be animated"},
        {{"--set", "thicknessmap=ramp.png"}, "--thickness-map"},
        {{"--set", "nfilm"}, "expected NAME=VALUE"},
        {{"--size", "9"}, "16 to 8192"},
        {{"--frames", "4:1"}, "A <= B"},
        {{"--threads", "0"}, "1 to 256"},
        {{"--samples", "9"}, "1 to 8"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--thickness-map", "absent.png"}, "cannot open thickness map 'absent.png'"},
        {{"--thickness-map", "text.png"}, "'text.png' is not a PNG file"},
        {{"--load", "absent.nscn"}, "cannot open scene file 'absent.nscn'"},
        {{"--load", "cut.nscn"}, "cannot load scene 'cut.nscn'"},
        {{"--load", "corrupt.nscn"}, "cannot load scene 'corrupt.nscn'"},
        {{"--load", "empty.nscn"}, "cannot load scene 'empty.nscn'"},
        {{"--save", "absent/map.nscn"}, "folder 'absent' does not exist"},
        {{"-o", "absent/out.png"}, "folder 'absent' does not exist"},
        {{"--plugin", "absent.dlt"}, "absent.dlt"},
    };
    for (const BadInput& bad : cases) {
        std::vector<std::string> arguments = bad.arguments;
        arguments.insert(arguments.end(), {"--size", "32", "-o", "keep.png"});
        if (bad.arguments[0] == "-o") {
            arguments = bad.arguments;
        }
        ExpectRefused(RunPreviewProgram(arguments, folder.Path("")), bad.message, folder, before);
    }
    EXPECT_EQ(ReadFileBytes(folder.Path("keep.png")),
              std::vector<char>({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
}

// Destinations that are not plain files, that name the same file as another output or as an
// input, and runs that fail half way (a file size limit, a fatal signal): nothing is written,
// replaced or left behind.
TEST(HostileInput, OutputsAreCheckedFirstAndNothingIsLeftBehind) {
    ScratchFolder folder;
    WriteRampPng(folder.Path("ramp.png"));
    ASSERT_EQ(
        RunPreviewProgram({"--size", "16", "--save", "good.nscn", "-o", "x.png"}, folder.Path(""))
            .status,
        0);
    std::filesystem::remove(folder.Path("x.png"));
    WriteText(folder.Path("keep.png"), "precious");
    ASSERT_EQ(mkfifo(folder.Path("pipe.png").c_str(), 0600), 0);
    std::filesystem::create_symlink("keep.png", folder.Path("link.png"));
    std::filesystem::create_hard_link(folder.Path("keep.png"), folder.Path("hard.png"));
    std::filesystem::create_directory(folder.Path("dir.png"));
    const std::vector<std::string> before = folder.Entries();
    const std::vector<BadInput> cases{
        {{"-o", "pipe.png"}, "cannot write 'pipe.png': it is a pipe"},
        {{"-o", "link.png"}, "it is a symbolic link, and only a regular file is replaced"},
        {{"-o", "dir.png"}, "cannot write 'dir.png': it is a folder"},
        {{"-o", "keep.png", "--save", "dir.png/../keep.png"}, "name the same file"},
        {{"-o", "keep.png", "--save", "hard.png"}, "name the same file"},
        {{"--save", "/dev/null"}, "cannot write '/dev/null': it is a device"},
        {{"-o", "a.png", "--frames", "0:1", "--save", "a0001.png"}, "name the same file"},
        {{"--load", "good.nscn", "--save", "good.nscn"}, "it is the input 'good.nscn'"},
        {{"--thickness-map", "ramp.png", "-o", "ramp.png"}, "it is the input 'ramp.png'"},
        {{"-o", std::string(252, 'n') + ".png"}, "the name is too long"},
    };
    for (const BadInput& bad : cases) {
        ExpectRefused(RunPreviewProgram(bad.arguments, folder.Path("")), bad.message, folder,
                      before);
    }
    // The scene is small, the pictures are not: a limit between the two fails every picture,
    // and the scene and the first frames must not stay behind.
    ProgramSettings limited;
    limited.limits = {{RLIMIT_FSIZE, 20000}};
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--save", "s.nscn", "-o", "big.png"},
          std::vector<std::string>{"--frames", "0:2", "-o", "big.png"}}) {
        ExpectRefused(RunPreviewProgram(arguments, folder.Path(""), limited), "File too large",
                      folder, before);
    }
    // The CPU time limit ends a long render half way, the scene already written: with SIGKILL,
    // which no handler sees.
    limited.limits = {{RLIMIT_CPU, 1}};
    const ProgramResult ended = RunPreviewProgram(
        {"--save", "s.nscn", "--size", "4000", "--samples", "8", "--threads", "1", "-o", "l.png"},
        folder.Path(""), limited);
    EXPECT_TRUE(ended.status == 128 + SIGKILL || ended.status == 128 + SIGXCPU) << ended.status;
    EXPECT_EQ(folder.Entries(), before);
}

// Inputs that are not regular files, or larger than their kind may be, are refused before a
// byte is read: a folder, a pipe with no writer (which would block), an endless device, and a
// 3 GB file that takes no room.
TEST(HostileInput, InputsAreRefusedBeforeAnythingIsRead) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path("folder.nscn"));
    ASSERT_EQ(mkfifo(folder.Path("pipe.nscn").c_str(), 0600), 0);
    const int sparse = open(folder.Path("huge.png").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(ftruncate(sparse, 3LL << 30), 0);
    close(sparse);
    const std::vector<std::string> before = folder.Entries();
    const std::vector<BadInput> cases{
        {{"--load", "folder.nscn"}, "'folder.nscn' is a folder, not a scene file"},
        {{"--load", "pipe.nscn"}, "'pipe.nscn' is not a regular file"},
        {{"--load", "/dev/zero"}, "'/dev/zero' is not a regular file"},
        {{"--thickness-map", "/dev/zero"}, "'/dev/zero' is not a regular file"},
        {{"--load", "huge.png"}, "is larger than a scene file may be (16 MB)"},
        {{"--thickness-map", "huge.png"}, "is larger than a thickness map may be (512 MB)"},
    };
    for (const BadInput& bad : cases) {
        std::vector<std::string> arguments = bad.arguments;
        arguments.insert(arguments.end(), {"--size", "16", "-o", "out.png"});
        ExpectRefused(RunPreviewProgram(arguments, folder.Path("")), bad.message, folder, before);
    }
}

// Output that cannot be delivered is a failure, and a system that refuses threads gets the
// frame rendered on the threads it gives.
TEST(HostileInput, TheProgramsNeverAbortAndNeverClaimSuccessFalsely) {
    ScratchFolder folder;
    ProgramSettings full;
    full.standardOutput = "/dev/full";
    for (const char* option : {"--help", "--list", "--version"}) {
        const ProgramResult result = RunPreviewProgram({option}, folder.Path(""), full);
        EXPECT_EQ(result.status, 1) << option;
        EXPECT_TRUE(Contains(result.err, "cannot write to standard output")) << result.err;
    }
    full.program = NACREEN_FILMTABLE_PROGRAM;
    EXPECT_EQ(RunPreviewProgram({}, folder.Path(""), full).status, 1);

    if (kSanitized) {
        return;
    }
    ASSERT_EQ(
        RunPreviewProgram({"--size", "64", "--threads", "1", "-o", "one.png"}, folder.Path(""))
            .status,
        0);
    // Each thread's stack would take 1 GB of an address space of 768 MB.
    ProgramSettings cramped;
    cramped.limits = {{RLIMIT_STACK, 1ull << 30}, {RLIMIT_AS, 768ull << 20}};
    const ProgramResult result = RunPreviewProgram(
        {"--size", "64", "--threads", "4", "-o", "four.png"}, folder.Path(""), cramped);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFileBytes(folder.Path("four.png")), ReadFileBytes(folder.Path("one.png")));
}
