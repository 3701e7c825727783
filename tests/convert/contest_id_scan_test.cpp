// The scanner that reads the CONTEST_ID values from a log.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "convert/contest_id_scan.h"
#include "data/contest_ids.h"

namespace shirl {
namespace {

struct ScanCase {
    const char* label;
    std::string log;
    std::vector<std::string> ids;
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.label; }

class ContestIdScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ContestIdScanTest, FindsValues) {
    const ScanCase& c = GetParam();
    for (const std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{3}}) {
        MemorySource source(c.log, true, chunk);
        EXPECT_EQ(ReadContestIds(source), c.ids) << "chunk " << chunk;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Logs, ContestIdScanTest,
    ::testing::Values(
        ScanCase{"Plain", "<CALL:4>N0AA <CONTEST_ID:12>AL-QSO-PARTY <EOR>\n<CONTEST_ID:12>AL-QSO-PARTY<EOR>", {"AL-QSO-PARTY"}},
        ScanCase{"Header", "Log\n<ADIF_VER:5>3.1.4 <EOH>\n<contest_id:3:S>7qp<eor><Contest_Id:4>NEQP<eor>", {"7qp", "NEQP"}},
        ScanCase{"CaseAndBlanksMakeNoNewValue", "<CONTEST_ID:5> 7QP <EOR><CONTEST_ID:3>7qp<EOR>", {"7QP"}},
        ScanCase{"ValueHidingATag", "<COMMENT:20>x<CONTEST_ID:3>7QP!! <CONTEST_ID:4>NEQP<EOR>", {"NEQP"}},
        ScanCase{"EmptyValueIgnored", "<CONTEST_ID:0><EOR><CONTEST_ID:2>  <EOR>", {}},
        // A record with a malformed tag is dropped by the conversion: its value does not count.
        ScanCase{"MalformedTagsSkipped", "<CONTEST,ID:3>7QP <CONTEST_ID:3>7QP <EOR><CONTEST_ID:x>7QP <EOR>"
                                         "<CONTEST_ID:3>DEX<EOR>", {"DEX"}},
        ScanCase{"ValueCutByTheEndIgnored", "<CONTEST_ID:20>AL-QSO", {}}, // its QSO is not converted
        ScanCase{"LongValueCut", "<CONTEST_ID:70>" + std::string(70, 'A') + "<EOR>", {std::string(64, 'A') + "..."}},
        ScanCase{"NoIds", "<CALL:4>N0AA<EOR>", {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ContestIdScanTest, ManyDistinctValuesEndInEllipsis) {
    std::string log;
    for (int i = 0; i < 40; ++i) log += "<CONTEST_ID:4>ID" + std::to_string(10 + i) + "<EOR>";
    MemorySource source(log);
    const std::vector<std::string> ids = ReadContestIds(source);
    ASSERT_EQ(ids.size(), kMaxContestIds + 1);
    EXPECT_EQ(ids.front(), "ID10");
    EXPECT_EQ(ids.back(), "...");
    EXPECT_TRUE(DetectSelection(ids).fault.has_value());
}

} // namespace
} // namespace shirl
