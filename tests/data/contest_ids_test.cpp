// The CONTEST_ID table and the Selection detection rule.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/contest_ids.h"
#include "data/selections.h"
#include "tests/support/fault_print.h"

namespace shirl {
namespace {

// Every row of data/contest_ids.csv reaches its Selection, in any letter case.
TEST(ContestIdsTest, EveryCsvRowFindsItsSelection) {
    std::ifstream file(std::string(SHIRL_SOURCE_DIR) + "/data/contest_ids.csv");
    ASSERT_TRUE(file) << "data/contest_ids.csv";
    std::string line;
    std::getline(file, line);
    ASSERT_EQ(line, "contest_id,selection,source");
    std::size_t rows = 0;
    while (std::getline(file, line)) {
        std::stringstream cells(line);
        std::string id, code;
        std::getline(cells, id, ',');
        std::getline(cells, code, ',');
        const std::optional<Selection> selection = FindSelectionByCode(code);
        ASSERT_TRUE(selection.has_value()) << line;
        EXPECT_EQ(FindSelectionByContestId(id), *selection) << id;
        std::string lower = id;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(FindSelectionByContestId(lower), *selection) << lower;
        ++rows;
    }
    EXPECT_EQ(rows, ContestIdTable().size());
}

TEST(ContestIdsTest, Lookup) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"AL-QSO-PARTY", "AL"}, {"  al-qso-party\t", "AL"}, {"7QP", "7QP"}, {"WA-SALMON-RUN", "WA"},
        {"Virginia QSO Party", "VA"}, {"IL QSO PARTY", "IL"}, {"US-COUNTIES-QSO", "USCQP"},
        {"MAR-QSO-PARTY", ""}, {"CQ-WW-CW", ""}, {"", ""}, {"AL-QSO-PARTY-X", ""}, {"AL", ""},
    };
    for (const auto& [id, code] : cases)
        EXPECT_EQ(FindSelectionByContestId(id), code.empty() ? Selection() : *FindSelectionByCode(code)) << id;
}

struct DetectCase {
    const char* label;
    std::vector<std::string> ids;
    std::string code; // empty: a fault
    std::string text;  // the info row, or the values the fault names
};

void PrintTo(const DetectCase& c, std::ostream* os) { *os << c.label; }

class DetectSelectionTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectSelectionTest, Rule) {
    const DetectCase& c = GetParam();
    const SelectionDetection d = DetectSelection(c.ids);
    if (c.code.empty()) {
        EXPECT_EQ(d.selection, Selection());
        EXPECT_EQ(d.fault, (Fault{FaultKind::PartyUnknown, "", c.text}));
        EXPECT_EQ(d.info, "");
    } else {
        EXPECT_EQ(d.selection, *FindSelectionByCode(c.code));
        EXPECT_EQ(d.info, c.text);
        EXPECT_EQ(d.fault, std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectSelectionTest,
    ::testing::Values(
        DetectCase{"OneId", {"AL-QSO-PARTY"}, "AL", "Selection Alabama QSO Party from CONTEST_ID AL-QSO-PARTY."},
        DetectCase{"TwoIdsOneParty", {"7QP", "7AREA-QSO-PARTY"}, "7QP",
                   "Selection 7-Land QSO Party from CONTEST_ID 7QP, 7AREA-QSO-PARTY."},
        DetectCase{"Logger", {"WA-SALMON-RUN"}, "WA", "Selection Washington QSO Party from CONTEST_ID WA-SALMON-RUN."},
        DetectCase{"SharedWeekend", {"7QP", "IN-QSO-PARTY", "NEQP", "de-qso-party"}, "MULTI",
                   "Selection 7QP/INQP/NEQP/DE from CONTEST_ID 7QP, IN-QSO-PARTY, NEQP, de-qso-party."},
        DetectCase{"TwoOfTheWeekend", {"NEQP", "DE-QSO-PARTY"}, "MULTI",
                   "Selection 7QP/INQP/NEQP/DE from CONTEST_ID NEQP, DE-QSO-PARTY."},
        DetectCase{"OnePartyOfTheWeekendAlone", {"DE-QSO-PARTY"}, "DE",
                   "Selection Delaware QSO Party from CONTEST_ID DE-QSO-PARTY."},
        DetectCase{"Nationwide", {"US-COUNTIES-QSO"}, "USCQP",
                   "Selection US Counties QSO Party from CONTEST_ID US-COUNTIES-QSO."},
        DetectCase{"TwoUnrelated", {"AL-QSO-PARTY", "TX-QSO-PARTY"}, "", "AL-QSO-PARTY, TX-QSO-PARTY"},
        DetectCase{"WeekendAndAnother", {"7QP", "AL-QSO-PARTY"}, "", "7QP, AL-QSO-PARTY"},
        DetectCase{"UnknownBeside", {"AL-QSO-PARTY", "CQ-WW-CW"}, "", "AL-QSO-PARTY, CQ-WW-CW"},
        DetectCase{"Unknown", {"MAR-QSO-PARTY"}, "", "MAR-QSO-PARTY"},
        DetectCase{"None", {}, "", "none"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace shirl
