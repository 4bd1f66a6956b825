#include "Options.h"
#include "Parameters.h"
#include "imaging/Tool.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace preview;
using imaging::UsageError;

namespace {

PreviewOptions Parse(std::initializer_list<const char*> arguments) {
    std::vector<const char*> argv{"nacreen-preview"};
    argv.insert(argv.end(), arguments);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// The message of the usage error that the arguments cause, or "" if they are accepted.
std::string Rejection(std::initializer_list<const char*> arguments) {
    try {
        Parse(arguments);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

ParameterInfo FloatParameter(const char* name, float minimum, float maximum) {
    ParameterInfo info;
    info.name = name;
    info.kind = ParameterInfo::Kind::Float;
    info.hasRange = true;
    info.minimum = minimum;
    info.maximum = maximum;
    info.animatable = true;
    return info;
}

std::string ValueRejection(const ParameterInfo& info, const std::string& text) {
    try {
        ParseParameterValue(info, text);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(CommandLine, NoArgumentsMeanTheDefaultSwatch) {
    const PreviewOptions options = Parse({});
    EXPECT_EQ(options.mode, PreviewMode::Swatch);
    EXPECT_EQ(options.output, "nacreen-swatch.png");
    EXPECT_EQ(options.width, 512);
    EXPECT_EQ(options.height, 512);
    EXPECT_EQ(options.threads, 0);
    EXPECT_FALSE(options.linear);
    EXPECT_EQ(Parse({"--chart"}).output, "nacreen-chart.png");
    EXPECT_EQ(Parse({"--chart"}).width, 768);
}

TEST(CommandLine, ReadsEveryOptionInBothSpellings) {
    const PreviewOptions options =
        Parse({"--chart", "--size=300x200", "-o", "c.png", "--set", "nfilm=1.33",
               "--set=gamma@4800=2", "--frames", "0:10:5", "--threads", "3", "--samples=1",
               "--linear", "--save", "a.nscn", "--max-thickness", "1500", "--plugin", "x.dlt"});
    EXPECT_EQ(options.mode, PreviewMode::Chart);
    EXPECT_EQ(options.width, 300);
    EXPECT_EQ(options.height, 200);
    EXPECT_EQ(options.output, "c.png");
    ASSERT_EQ(options.assignments.size(), 2u);
    EXPECT_EQ(options.assignments[1].name, "gamma");
    EXPECT_EQ(options.assignments[1].keyTime, 4800);
    EXPECT_EQ(options.assignments[1].value, "2");
    EXPECT_EQ(options.frames->Frames(), (std::vector<int>{0, 5, 10}));
    EXPECT_EQ(PlanFrames(options).back().path, "c0010.png");
    EXPECT_EQ(PlanFrames(options).back().time, 1600);
    EXPECT_EQ(options.threads, 3);
    EXPECT_EQ(options.samplesPerSide, 1);
    EXPECT_TRUE(options.linear);
    EXPECT_EQ(*options.saveScene, "a.nscn");
    EXPECT_FLOAT_EQ(options.maxThickness, 1500.0f);
    EXPECT_EQ(options.plugin, "x.dlt");
}

TEST(CommandLine, RejectsBadInputNamingTheRange) {
    EXPECT_NE(Rejection({"--bogus"}).find("unknown option '--bogus'"), std::string::npos);
    EXPECT_NE(Rejection({"--size", "8"}).find("16 to 8192"), std::string::npos);
    EXPECT_NE(Rejection({"--size", "20x"}).find("16 to 8192"), std::string::npos);
    EXPECT_NE(Rejection({"--chart", "--size", "100"}).find("at least 160x120"), std::string::npos);
    EXPECT_NE(Rejection({"--threads", "0"}).find("1 to 256"), std::string::npos);
    EXPECT_NE(Rejection({"--samples", "two"}).find("1 to 8"), std::string::npos);
    EXPECT_NE(Rejection({"--max-thickness", "4000"}).find("1 to 3000"), std::string::npos);
    EXPECT_NE(Rejection({"--frames", "5:2"}).find("A <= B"), std::string::npos);
    EXPECT_NE(Rejection({"--frames", "1:2:0"}).find("STEP 1 or more"), std::string::npos);
    EXPECT_NE(Rejection({"--set", "nfilm"}).find("NAME=VALUE"), std::string::npos);
    EXPECT_NE(Rejection({"--set", "gamma@soon=2"}).find("ticks"), std::string::npos);
    EXPECT_NE(Rejection({"--output"}).find("needs a value"), std::string::npos);
    EXPECT_NE(Rejection({"--linear=yes"}).find("takes no value"), std::string::npos);
    EXPECT_NE(Rejection({"--load", ""}).find("needs a file name"), std::string::npos);
    EXPECT_NE(Rejection({"--frames", "-1:3"}).find("whole frames 0 to 99999"), std::string::npos);
    EXPECT_NE(Rejection({"--frames", "1:2:3:4"}).find("A:B:STEP"), std::string::npos);
    EXPECT_NE(Rejection({"--frames", "1:100000"}).find("99999"), std::string::npos);
    // What the user would otherwise trip on: an image named for another format, and a chart's
    // setting on a swatch, both silently ignored before.
    EXPECT_NE(Rejection({"-o", "out.jpg"}).find("must end in .png"), std::string::npos);
    EXPECT_EQ(Rejection({"-o", "OUT.PNG"}), "");
    EXPECT_NE(Rejection({"--max-thickness", "500"}).find("add --chart"), std::string::npos);
    EXPECT_EQ(Rejection({"--max-thickness", "500", "--chart"}), "");
}

TEST(CommandLine, FramesAreNumberedTheWayTheHostNumbersThem) {
    const auto last = [](const char* output, const char* frames) {
        return PlanFrames(Parse({"-o", output, "--frames", frames})).back().path;
    };
    EXPECT_EQ(last("swatch.png", "12:12"), "swatch0012.png");
    EXPECT_EQ(last("out/a.b.png", "0:9:4"), "out/a.b0008.png");
    EXPECT_EQ(last("frame.png", "99999:99999"), "frame99999.png");
    EXPECT_EQ(PlanFrames(Parse({"--frames", "0:9:4"})).size(), 3u);
}

TEST(ParameterValue, AcceptsTheRangeInclusiveAndNamesItWhenRejecting) {
    const ParameterInfo nfilm = FloatParameter("nfilm", 0.2f, 100.0f);
    EXPECT_FLOAT_EQ(ParseParameterValue(nfilm, "0.2").asFloat, 0.2f);
    EXPECT_FLOAT_EQ(ParseParameterValue(nfilm, "100").asFloat, 100.0f);
    EXPECT_FLOAT_EQ(ParseParameterValue(nfilm, "1.5e0").asFloat, 1.5f);
    EXPECT_EQ(ValueRejection(nfilm, "150"), "nfilm=150 is out of range: nfilm takes 0.2 to 100");
    EXPECT_EQ(ValueRejection(nfilm, "0.19"), "nfilm=0.19 is out of range: nfilm takes 0.2 to 100");
    EXPECT_EQ(ValueRejection(nfilm, "1,5"), "nfilm=1,5 is not a number: nfilm takes 0.2 to 100");
    EXPECT_NE(ValueRejection(nfilm, "nan"), "");
    EXPECT_NE(ValueRejection(nfilm, "inf"), "");
    EXPECT_NE(ValueRejection(nfilm, " 1"), "");
    EXPECT_FLOAT_EQ(ParseParameterValue(FloatParameter("hue", -180, 180), "+30").asFloat, 30.0f);
}

TEST(ParameterValue, ReadsBooleansAndRefusesObjects) {
    ParameterInfo enabled;
    enabled.name = "thicknessmapenabled";
    enabled.kind = ParameterInfo::Kind::Bool;
    EXPECT_EQ(ParseParameterValue(enabled, "true").asInteger, 1);
    EXPECT_EQ(ParseParameterValue(enabled, "off").asInteger, 0);
    EXPECT_NE(ValueRejection(enabled, "maybe").find("true or false"), std::string::npos);
    ParameterInfo map;
    map.name = "thicknessmap";
    map.kind = ParameterInfo::Kind::TextureMap;
    EXPECT_NE(ValueRejection(map, "x.png").find("--thickness-map"), std::string::npos);
}

TEST(ParameterValue, UnknownNamesListTheKnownOnes) {
    const std::vector<ParameterInfo> parameters{FloatParameter("nfilm", 0.2f, 100.0f),
                                                FloatParameter("gamma", 0.05f, 20.0f)};
    EXPECT_EQ(&FindParameter(parameters, "gamma"), &parameters[1]);
    try {
        FindParameter(parameters, "nFlim");
        ADD_FAILURE();
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "unknown parameter 'nFlim'; the parameters are nfilm, gamma");
    }
    // Any case, as MAXScript finds them.
    EXPECT_EQ(&FindParameter(parameters, "NFilm"), &parameters[0]);
}
