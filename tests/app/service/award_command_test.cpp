// The Award command's failures are reported, never passed off as a result:
// a logbook that cannot be opened or is no log, and an output that cannot be
// written (the report is still given); a Cabrillo log is read as convert
// reads it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/service/award_command.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(AwardCommandTest, FaultsAndWhatIsStillGiven) {
    TempDir dir;
    ASSERT_TRUE(WriteFile(dir / "log.adi", "<CALL:4>W1AW <CNTY:11>AL,Autauga <EOR>\n"));
    ASSERT_TRUE(WriteFile(dir / "notes.txt", "no tags here\n"));
    ASSERT_TRUE(WriteFile(dir / "party.log",
                          "START-OF-LOG: 3.0\nCONTEST: AL-QSO-PARTY\n"
                          "QSO:  7025 CW 2024-04-20 1700 K4ABC 599 ELM W1AW 599 CT\nEND-OF-LOG:\n"));
    struct Case {
        const char* logbook;
        std::string map; // "" none
        std::optional<FaultKind> fault;
        bool reported;   // whether report lines come back
    };
    const Case cases[] = {
        {"missing.adi", "", FaultKind::CannotOpenInput, false},
        {"notes.txt", "", FaultKind::NotALog, false},
        {"log.adi", dir.File("no-such-folder/map.svg"), FaultKind::MapUnwritable, true},
        {"log.adi", dir.File("map.svg"), std::nullopt, true},
        {"party.log", "", std::nullopt, true},
    };
    for (const Case& c : cases) {
        AwardRequest request;
        request.logbookName = dir.File(c.logbook);
        request.mapName = c.map;
        const AwardOutcome outcome = RunAwardCommand(request);
        EXPECT_EQ(outcome.fault ? std::optional<FaultKind>(outcome.fault->kind) : std::nullopt, c.fault) << c.logbook;
        EXPECT_EQ(!outcome.lines.empty(), c.reported) << c.logbook;
    }
    EXPECT_NE(ReadFile(dir / "map.svg").find("1 worked, 0 confirmed of 3077"), std::string::npos);
}

} // namespace
} // namespace shirl
