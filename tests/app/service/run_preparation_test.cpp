// The one preparation of a run: the Selection told from the log, the lists
// given by file name, and the rows that open the report.
#include <gtest/gtest.h>

#include "adif/byte_io.h"
#include "app/service/run_preparation.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

TEST(RunPreparation, PartyFromTheLogTakesOnlyItsOwnList) {
    test::TempDir dir;
    test::WriteFile(dir / "SD.csv", "abbreviation,state,county\nOGLA,SD,Shannon\n");
    test::WriteFile(dir / "AL.replace.csv", "abbreviation,state,county\nAUTA,AL,Autauga\n");
    RunLists lists;
    std::string err, unnamed;
    ASSERT_TRUE(LoadGivenLists({dir.File("SD.csv"), dir.File("AL.replace.csv")}, AbbrevList::Mode::Extend, true,
                               Selection(), lists, &err, &unnamed));
    const RunRequest request{Selection(), true, &lists};

    MemorySource log("<CONTEST_ID:12>AL-QSO-PARTY <EOR>\n");
    PreparedRun run;
    ASSERT_TRUE(PrepareRun(request, log, run, &err)) << err;
    EXPECT_EQ(run.selection, selections::kAL);
    ASSERT_NE(run.List(), nullptr);
    EXPECT_TRUE(run.List()->replaces());
    const auto& first = run.report.progress.OldestFirst();
    ASSERT_EQ(first.size(), 2u); // the Selection taken, the list in use
    for (const ReportMessage& m : first) EXPECT_EQ(m.kind, MessageKind::Info) << m.text;
    EXPECT_NE(first[1].text.find("AL.replace.csv"), std::string::npos);

    MemorySource two("<CONTEST_ID:12>AL-QSO-PARTY <EOR><CONTEST_ID:12>TX-QSO-PARTY <EOR>\n");
    PreparedRun refused;
    EXPECT_FALSE(PrepareRun(request, two, refused, &err));
    EXPECT_TRUE(refused.partyUnknown);
    EXPECT_EQ(err.find("--"), std::string::npos); // names no option of any front end

    RunLists none;
    EXPECT_FALSE(LoadGivenLists({dir.File("mine.csv")}, AbbrevList::Mode::Extend, true, Selection(), none, &err,
                                &unnamed));
    EXPECT_TRUE(err.empty());
    EXPECT_EQ(unnamed, dir.File("mine.csv"));
}

} // namespace
} // namespace shirl
