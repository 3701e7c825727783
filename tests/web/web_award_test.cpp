// The page's award view: the logbook tallied in the current folder, the
// needed list and the map written beside it under the offered names (the
// page test compares them with shirl-cli award's byte for byte).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/test_files.h"
#include "web/web_award.h"

namespace shirl::web {
namespace {

namespace fs = std::filesystem;

struct InFolder { // the page's files lie in the current folder
    explicit InFolder(const fs::path& folder) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(previous); }
    fs::path previous = fs::current_path();
};

TEST(WebAward, WritesTheNeededListAndMapBeside) {
    const test::TempDir dir;
    const InFolder inFolder(dir.path());
    fs::copy_file(SHIRL_TEST_DATA_DIR "/award/usaca-spellings/input.adi", dir / "my.log.adi");
    const WebAwardResult result = WebAward("my.log.adi");
    ASSERT_FALSE(result.error) << result.error.value_or("");
    EXPECT_EQ(result.reportName, "my.log-award.txt");
    EXPECT_EQ(result.neededName, "my.log-needed.csv");
    EXPECT_EQ(result.mapName, "my.log-award-map.svg");
    EXPECT_EQ(result.report.substr(0, result.report.find('\n')), "Read my.log.adi: 28 records.");
    EXPECT_EQ(result.report.back(), '\n');
    // The needed list holds every award county not worked: a header and
    // 3077 less the worked count the report gives.
    const std::size_t at = result.report.find("Worked: ") + 8;
    const int worked = std::stoi(result.report.substr(at));
    const std::string needed = test::ReadFile(dir / result.neededName);
    EXPECT_EQ(std::count(needed.begin(), needed.end(), '\n'), 1 + 3077 - worked);
    EXPECT_NE(test::ReadFile(dir / result.mapName).find("<title>USA Counties Award: " + std::to_string(worked) + " work"),
              std::string::npos);
}

} // namespace
} // namespace shirl::web
