// The one preparation of a run: the Selection told from the log, the lists
// given by file name, and the rows that open the report.
#include <gtest/gtest.h>

#include "adif/byte_io.h"
#include "app/service/run_preparation.h"
#include "tests/support/test_files.h"
#include "tests/support/fault_print.h"

namespace shirl {
namespace {

TEST(RunPreparation, PartyFromTheLogTakesOnlyItsOwnList) {
    test::TempDir dir;
    test::WriteFile(dir / "SD.csv", "abbreviation,state,county\nOGLA,SD,Shannon\n");
    test::WriteFile(dir / "AL.replace.csv", "abbreviation,state,county\nAUTA,AL,Autauga\n");
    RunLists lists;
    ASSERT_EQ(LoadGivenLists({dir.File("SD.csv"), dir.File("AL.replace.csv")}, AbbrevList::Mode::Extend, true,
                             Selection(), lists),
              std::nullopt);
    const RunRequest request{.selection = Selection(), .selectionFromLog = true, .lists = &lists};

    MemorySource log("<CONTEST_ID:12>AL-QSO-PARTY <EOR>\n");
    PreparedRun run;
    ASSERT_EQ(PrepareRun(request, log, run), std::nullopt);
    EXPECT_EQ(run.selection, selections::kAL);
    ASSERT_NE(run.List(), nullptr);
    EXPECT_TRUE(run.List()->replaces());
    const auto& first = run.report.progress.OldestFirst();
    ASSERT_EQ(first.size(), 2u); // the Selection taken, the list in use
    for (const ReportMessage& m : first) EXPECT_EQ(m.kind, MessageKind::Info) << m.text;
    EXPECT_NE(first[1].text.find("AL.replace.csv"), std::string::npos);

    MemorySource two("<CONTEST_ID:12>AL-QSO-PARTY <EOR><CONTEST_ID:12>TX-QSO-PARTY <EOR>\n");
    PreparedRun refused;
    EXPECT_EQ(PrepareRun(request, two, refused),
              (Fault{FaultKind::PartyUnknown, "", "AL-QSO-PARTY, TX-QSO-PARTY"}));

    RunLists none;
    EXPECT_EQ(LoadGivenLists({dir.File("mine.csv")}, AbbrevList::Mode::Extend, true, Selection(), none),
              (Fault{FaultKind::ListUnnamed, dir.File("mine.csv")}));
}

} // namespace
} // namespace shirl
