// The page's Fill: the contest log and the logbook side by side in the
// current folder, the filled logbook written as NAME-filled.adi, the
// county-line form passed on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/test_files.h"
#include "web/web_convert.h"

namespace shirl::web {
namespace {

namespace fs = std::filesystem;

TEST(WebFill, WritesTheFilledLogbookBeside) {
    const test::TempDir dir;
    struct InFolder { // the page's files lie in the current folder
        fs::path previous = fs::current_path();
        ~InFolder() { fs::current_path(previous); }
    } inFolder;
    fs::current_path(dir.path());
    ASSERT_TRUE(test::WriteFile(dir / "party.adi",
                                "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW "
                                "<CNTY:9>AUTA/JEFF <EOR>\n"));
    const std::string logbook = "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>140230 <BAND:3>20m <MODE:2>CW <EOR>\n";
    ASSERT_TRUE(test::WriteFile(dir / "my.log.adi", logbook));
    const struct {
        bool usaca;
        const char* filled;
    } cases[] = {
        {false, "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>140230 <BAND:3>20m <MODE:2>CW <CNTY:10>AL,Autauga "
                "<STATE:2>AL <EOR>\n<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>140231 <BAND:3>20m <MODE:2>CW "
                "<CNTY:12>AL,Jefferson <STATE:2>AL <EOR>\n"},
        {true, "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>140230 <BAND:3>20m <MODE:2>CW <CNTY:10>AL,Autauga "
               "<STATE:2>AL <USACA_COUNTIES:23>AL,Autauga:AL,Jefferson <EOR>\n"},
    };
    for (const auto& c : cases) {
        WebConvertRequest contest{.inputName = "party.adi", .selectionCode = "AL", .usaca = c.usaca};
        const WebFillResult result = WebFill(contest, "my.log.adi");
        EXPECT_FALSE(result.error) << result.error.value_or("");
        EXPECT_EQ(result.outputName, "my.log-filled.adi");
        EXPECT_EQ(test::ReadFile(dir / "my.log-filled.adi"), c.filled);
        EXPECT_EQ(test::ReadFile(dir / "my.log.adi"), logbook);
    }
    // A logbook of the contest log's name, from another folder, lies in a folder below.
    fs::create_directory(dir / "logbook");
    ASSERT_TRUE(test::WriteFile(dir / "logbook" / "party.adi", logbook));
    const WebFillResult clash = WebFill({.inputName = "party.adi", .selectionCode = "AL"}, "logbook/party.adi");
    EXPECT_FALSE(clash.error) << clash.error.value_or("");
    EXPECT_EQ(clash.outputName, "party-filled.adi");
    EXPECT_EQ(test::ReadFile(dir / "party-filled.adi"), cases[0].filled);
    const WebFillResult none = WebFill({"party.adi", "", true, {}, false}, "my.log.adi");
    EXPECT_EQ(none.error.value_or(""), "ERROR: You must select a state or QSO Party.");
}

} // namespace
} // namespace shirl::web
