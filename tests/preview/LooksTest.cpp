// The looks come from tools/looks.tsv: the README's looks table must say what the file says,
// with the map's defaults for what a look leaves out. (The pictures and the explorer's presets
// are made from the file itself; the explorer's page test checks its buttons against it.)
#include "HostMaps.h"
#include "Parameters.h"
#include "Session.h"

#include <iparamb2.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using namespace preview;

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

// The numbers written in a piece of text, in order ("150–700 nm" gives 150 and 700).
std::vector<float> Numbers(const std::string& text) {
    std::vector<float> numbers;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (std::isdigit(static_cast<unsigned char>(text[at]))) {
            char* end = nullptr;
            numbers.push_back(std::strtof(text.c_str() + at, &end));
            at = static_cast<std::size_t>(end - text.c_str());
        }
    }
    return numbers;
}

// The README's looks table: title -> cells.
std::map<std::string, std::vector<std::string>> ReadmeLooks() {
    std::ifstream readme(std::string(NACREEN_SOURCE_DIR) + "/README.md");
    std::map<std::string, std::vector<std::string>> rows;
    bool inTable = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("| Look |", 0) == 0) {
            inTable = true;
        } else if (inTable && line.rfind("| ", 0) == 0) {
            std::vector<std::string> cells = Split(line.substr(2), '|');
            for (std::string& cell : cells) {
                cell = cell.substr(0, cell.find_last_not_of(' ') + 1);
                cell = cell.substr(cell.find_first_not_of(' '));
            }
            rows[cells[0]] = cells;
        } else if (inTable && line.rfind("|---", 0) != 0) {
            inTable = false;
        }
    }
    return rows;
}

} // namespace

TEST(Looks, TheReadmeTableSaysWhatTheLooksFileSays) {
    NacreenSession session(NACREEN_PLUGIN_FOR_TESTS);
    RegisterHostTexmapClasses();
    std::map<std::string, std::vector<std::string>> readme = ReadmeLooks();
    std::ifstream file(std::string(NACREEN_SOURCE_DIR) + "/tools/looks.tsv");
    int looks = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> fields = Split(line, '\t');
        ASSERT_EQ(fields.size(), 3u) << line;
        SCOPED_TRACE(fields[1]);
        ++looks;
        MapHandle map(session.CreateMap());
        MapParameters parameters(*map);
        for (const std::string& value : Split(fields[2], ' ')) {
            parameters.Apply(ParameterAssignment::Parse(value));
        }
        const auto value = [&](const char* name) {
            return parameters.Block().GetFloat(FindParameter(parameters.Table(), name).id, 0);
        };
        ASSERT_EQ(readme.count(fields[1]), 1u) << "no row in the README's looks table";
        const std::vector<std::string>& row = readme[fields[1]];
        ASSERT_EQ(row.size(), 6u);
        EXPECT_FLOAT_EQ(Numbers(row[1]).at(0), value("nmedium"));
        EXPECT_FLOAT_EQ(Numbers(row[2]).at(0), value("nfilm"));
        EXPECT_FLOAT_EQ(Numbers(row[3]).at(0), value("ninternal"));
        std::vector<float> expected{value("thicknessmax")};
        if (parameters.Block().GetInt(
                FindParameter(parameters.Table(), "thicknessmapenabled").id)) {
            expected.push_back(value("thicknessmin"));
        }
        EXPECT_EQ(Numbers(row[4].substr(0, row[4].find(" nm"))), expected) << row[4];
        for (const char* name : {"gamma", "hue", "sat"}) {
            const std::size_t at = row[5].find(std::string("`") + name + "` ");
            const float shown =
                at == std::string::npos
                    ? FindParameter(parameters.Table(), name).defaultValue
                    : Numbers(row[5].substr(at + std::string(name).size() + 3)).at(0);
            EXPECT_FLOAT_EQ(shown, value(name)) << name;
        }
        readme.erase(fields[1]);
    }
    EXPECT_EQ(looks, 3);
    EXPECT_TRUE(readme.empty()) << "a look in the README but not in the file: "
                                << readme.begin()->first;
}
