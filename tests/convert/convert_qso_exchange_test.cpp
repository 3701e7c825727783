// A QSO whose county is only in SRX_STRING, or whose own county is the last
// word of STX_STRING: when the word is taken, where the county goes, and
// that a QSO with a county field converts as before.
#include <gtest/gtest.h>

#include "tests/support/report_rows.h"

#include <algorithm>

#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "convert/convert_qso.h"
#include "data/selections.h"

namespace shirl {
namespace {

struct ExchangeCase {
    const char* label;
    std::vector<std::pair<std::string_view, std::string_view>> fields; // name, value
    std::string expected;                                             // the written fields after TIME_ON
    int converted;
    std::vector<std::string> problems; // the report's county problems
};

void PrintTo(const ExchangeCase& c, std::ostream* os) { *os << c.label; }

class ExchangeTest : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(ExchangeTest, Converts) {
    const ExchangeCase& c = GetParam();
    // Values kept in strings of their own, long enough to live on the heap,
    // as the reader's buffer would hold them.
    std::vector<std::string> values;
    values.reserve(c.fields.size() + 5);
    QsoFields fields;
    auto add = [&](std::string_view name, std::string_view value) {
        values.emplace_back(value);
        fields.push_back({name, std::string_view(values.back()), ClassifyFieldName(name)});
    };
    add("CALL", "K4AA");
    add("BAND", "40m");
    add("MODE", "CW");
    for (const auto& [name, value] : c.fields) add(name, value);
    fields.push_back({"EOR", std::nullopt, ClassifyFieldName("EOR")});

    StringSink sink;
    RunCounters counters;
    RunReport report;
    const int converted = ConvertQso(RecordOutput{sink, "\n"}, QsoOptions{selections::kAL, true}, fields,
                                     std::nullopt, counters, report);
    EXPECT_EQ(converted, c.converted);
    std::string written = sink.str(); // lines are wrapped: read the line ends as blanks
    std::replace(written.begin(), written.end(), '\n', ' ');
    const std::string prefix = "<CALL:4>K4AA <BAND:3>40m <MODE:2>CW ";
    ASSERT_EQ(written.substr(0, prefix.size()), prefix) << written;
    EXPECT_EQ(written.substr(prefix.size()), c.expected + " <EOR>  ");
    EXPECT_EQ(test::Rows(report.countyProblems), c.problems);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeTest,
    ::testing::Values(
        ExchangeCase{"WordAfterReport", {{"SRX_STRING", "599 autauga-county-of-alabama"}},
                     "<SRX_STRING:29>599 autauga-county-of-alabama", 0,
                     {"WARNING: K4AA in autauga-county-of-alabama is not a valid Alabama county abbreviation."}},
        ExchangeCase{"CountyAddedAfterExchange", {{"SRX_STRING", "599 AUTA"}, {"NAME", "Al"}},
                     "<SRX_STRING:8>599 AUTA <CNTY:10>AL,Autauga <STATE:2>AL <NAME:2>Al", 1, {}},
        ExchangeCase{"EmptyCountyFieldDoesNotCount", {{"CTY", ""}, {"SRX_STRING", "BALD"}},
                     "<CTY:0> <SRX_STRING:4>BALD <CNTY:10>AL,Baldwin <STATE:2>AL", 1, {}},
        ExchangeCase{"SerialInSrxDoesNotCount", {{"SRX", "17"}, {"SRX_STRING", "17 BALD"}},
                     "<SRX:2>17 <SRX_STRING:7>17 BALD <CNTY:10>AL,Baldwin <STATE:2>AL", 1, {}},
        ExchangeCase{"CountyFieldWins", {{"QTH", "AUTA"}, {"SRX_STRING", "BALD"}},
                     "<CNTY:10>AL,Autauga <STATE:2>AL <SRX_STRING:4>BALD", 1, {}},
        ExchangeCase{"OnlyDigits", {{"SRX_STRING", "599 0042"}}, "<SRX_STRING:8>599 0042", 0, {}},
        ExchangeCase{"DxAddsNothing", {{"SRX_STRING", "DX"}}, "<SRX_STRING:2>DX", 0, {}},
        ExchangeCase{"StateCodeAddsState", {{"SRX_STRING", "5NN TN"}}, "<SRX_STRING:6>5NN TN <STATE:2>TN", 0, {}},
        // The sent exchange: its last word is the operator's own county.
        ExchangeCase{"SentWordAddsOwnCounty", {{"STX_STRING", "599 AUTA"}},
                     "<STX_STRING:8>599 AUTA <MY_CNTY:10>AL,Autauga <MY_STATE:2>AL", 0, {}},
        ExchangeCase{"SentOneWordKept", {{"STX_STRING", "AUTA"}}, "<STX_STRING:4>AUTA <MY_CNTY:10>AL,Autauga <MY_STATE:2>AL", 0, {}},
        ExchangeCase{"SentSerialNotLookedUp", {{"STX_STRING", "599 0042"}}, "<STX_STRING:8>599 0042", 0, {}},
        ExchangeCase{"SentWordUnknown", {{"STX_STRING", "599 XYZ"}}, "<STX_STRING:7>599 XYZ", 0,
                     {"WARNING: Own county XYZ of the QSO with K4AA is not a valid Alabama county abbreviation."}},
        ExchangeCase{"OwnCountyFieldWins", {{"APP_N1MM_ROVERCNTY", "BALD"}, {"STX_STRING", "599 AUTA"}},
                     "<MY_CNTY:10>AL,Baldwin <MY_STATE:2>AL <STX_STRING:8>599 AUTA", 0, {}},
        ExchangeCase{"BothExchanges", {{"SRX_STRING", "599 AUTA"}, {"STX_STRING", "5NN BALD"}},
                     "<SRX_STRING:8>599 AUTA <CNTY:10>AL,Autauga <STATE:2>AL <STX_STRING:8>5NN BALD "
                     "<MY_CNTY:10>AL,Baldwin <MY_STATE:2>AL",
                     1, {}}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace shirl
