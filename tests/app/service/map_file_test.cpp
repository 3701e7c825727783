// The run's map: a Selection with a map of US counties gets one, a Canadian
// area says it has none and writes no file.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/service/map_file.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

TEST(MapFile, ACanadianAreaHasNoMapAndWritesNone) {
    struct Case {
        const char* code;
        bool hasMap;
    };
    const Case cases[] = {{"AL", true}, {"NAQP", true}, {"ON", false}, {"QC", false}, {"CP", false}, {"BC", false}};
    const test::TempDir dir;
    for (const Case& c : cases) {
        ConvertOutcome outcome;
        outcome.selection = *FindSelectionByCode(c.code);
        outcome.countyQsos = {{1001, 2}};
        const std::string name = dir.File(std::string(c.code) + ".svg");
        EXPECT_EQ(WriteCountyMap(name, outcome), c.hasMap) << c.code;
        EXPECT_EQ(std::filesystem::exists(name), c.hasMap) << c.code;
        EXPECT_EQ(CountyMapSvg(outcome).empty(), !c.hasMap) << c.code;
        const auto fault = NoMapFault(outcome);
        EXPECT_EQ(fault.has_value(), !c.hasMap) << c.code;
        EXPECT_EQ(fault ? fault->subject : std::string(), c.hasMap ? "" : std::string(outcome.selection.Name())) << c.code;
    }
}

} // namespace
} // namespace shirl
