// The conversion run: header rules, the record reader and its mended
// faults, dates and times, the summary lines. In-memory input and output.
#include <gtest/gtest.h>

#include "tests/support/report_rows.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "convert/convert_log.h"
#include "data/selections.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

struct RunResult {
    std::string output;
    std::vector<std::string> progress, countyProblems, inputProblems; // as rows
    RunReport report;
    ConvertLogResult totals;
};

RunResult RunLog(std::string_view input, const char* code = "AL", std::size_t maxChunk = 0, bool rewindable = true,
              std::optional<std::string_view> outputName = "out.adi") {
    MemorySource source(input, rewindable, maxChunk);
    StringSink sink;
    RunReport report;
    RunResult result;
    result.totals = ConvertLogDetailed(source, sink, FindSelectionByCode(code).value_or(Selection()), true, outputName, report);
    result.output = sink.str();
    result.progress = test::Rows(report.progress);
    result.countyProblems = test::Rows(report.countyProblems);
    result.inputProblems = test::Rows(report.inputProblems);
    result.report = std::move(report);
    return result;
}

// A QSO without date or time, written back exactly as read (one line).
std::string Rec(const std::string& call) {
    return "<CALL:" + std::to_string(call.size()) + ">" + call + " <BAND:3>20M <MODE:2>CW <EOR>";
}
std::string Out(const std::string& call, const char* lineEnd = "\n") {
    return Rec(call) + lineEnd + lineEnd;
}
// The same QSO (four-letter call) after the leading pair, the only date
// and time of the record.
std::string OutAt(const std::string& date, const std::string& time, const std::string& call) {
    return "<QSO_DATE:8>" + date + " <TIME_ON:6>" + time + " <CALL:4>" + call + " <BAND:3>20M <MODE:2>CW\n<EOR>\n\n";
}

const std::string kHeader = "Test log <EOH>\n";
const std::string kHeaderOut = "Test log <EOH>\n\n";

struct ReaderCase {
    const char* label;
    std::string input;
    std::string expectedOutput;
    std::vector<std::string> expectedInputProblems;
};

// Test names and failure messages show the case label, not a byte dump.
void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.label; }

class Reader : public ::testing::TestWithParam<ReaderCase> {};

// Every case is also read one byte at a time and from a source that
// cannot be read twice: the result must not depend on how input arrives.
TEST_P(Reader, OutputAndFileProblems) {
    const ReaderCase& c = GetParam();
    struct Feed {
        std::size_t chunk;
        bool rewindable;
    };
    for (const Feed feed : {Feed{0, true}, Feed{1, false}, Feed{7, true}, Feed{3, false}}) {
        SCOPED_TRACE("chunk " + std::to_string(feed.chunk) + (feed.rewindable ? " rewindable" : " stream"));
        const RunResult r = RunLog(c.input, "AL", feed.chunk, feed.rewindable);
        EXPECT_EQ(r.output, c.expectedOutput);
        EXPECT_EQ(r.inputProblems, c.expectedInputProblems);
    }
}

const std::string kWorkedExample =
    "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>";
// The input's date and time are left out: the leading pair was read from them.
const std::string kWorkedExampleOut =
    "<QSO_DATE:8>20200131 <TIME_ON:6>123400 <CALL:6>N0CALL <BAND:3>20M <MODE:2>CW\n"
    "<CNTY:10>AL,Autauga <STATE:2>AL <EOR>\n\n";
const std::string kLong(5000, 'x');

std::string Malformed(int line, const std::string& call, const std::string& rest) {
    return "Malformed ADIF tag in line " + std::to_string(line) + ", skipping QSO" + (call.empty() ? "" : " with " + call) +
           ": [" + rest + "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Reader,
    ::testing::Values(
        ReaderCase{"worked_example", kHeader + kWorkedExample + "\n", kHeaderOut + kWorkedExampleOut, {}},
        ReaderCase{"header_lines_then_one_empty_line", "line 1\nline 2 <adif_ver:5>3.1.4\n<EOH>\n" + Rec("K1AB") + "\n",
                   "line 1\nline 2 <adif_ver:5>3.1.4\n<EOH>\n\n" + Out("K1AB"), {}},
        // Header end in any letter case.
        ReaderCase{"mixed_case_eoh", "Log <Eoh>\n" + Rec("K1AB") + "\n", "Log <Eoh>\n\n" + Out("K1AB"), {}},
        ReaderCase{"no_header_end_copied_whole", "Some text\n" + Rec("K1AB") + "\n", "Some text\n" + Rec("K1AB") + "\n",
                   {}},
        // First byte '<' and an <eor> before any <eoh>: no header at all.
        ReaderCase{"headerless", Rec("K1AB") + "\n" + Rec("K2CD") + "\n", Out("K1AB") + Out("K2CD"), {}},
        ReaderCase{"headerless_lower_case_eor_later_eoh", "<call:4>K1AB <band:3>20M <mode:2>CW <eor> <eoh>\n",
                   "<call:4>K1AB <band:3>20M <mode:2>CW <eor>\n\n", {"QSO without <EOR> at end of file, skipping"}},
        // A header that starts with a tag stays a header.
        ReaderCase{"header_starting_with_tag", "<ADIF_VER:5>3.1.4 <PROGRAMID:4>Test\n<EOH>\n" + Rec("K1AB") + "\n",
                   "<ADIF_VER:5>3.1.4 <PROGRAMID:4>Test\n<EOH>\n\n" + Out("K1AB"), {}},
        // Records on the line that ends the header (a log on one line): the
        // header ends with <EOH>, a line end and the empty line.
        ReaderCase{"records_on_eoh_line", "<ADIF_VER:5>3.1.4 <EOH>" + Rec("K1AB") + " " + Rec("K2CD"),
                   "<ADIF_VER:5>3.1.4 <EOH>\n\n" + Out("K1AB") + Out("K2CD"), {}},
        ReaderCase{"several_records_on_one_line", kHeader + Rec("K1AB") + Rec("K2CD") + " " + Rec("K3EF") + "\n",
                   kHeaderOut + Out("K1AB") + Out("K2CD") + Out("K3EF"), {}},
        ReaderCase{"last_line_without_line_end", kHeader + Rec("K1AB") + "\n" + Rec("K2CD"),
                   kHeaderOut + Out("K1AB") + Out("K2CD"), {}},
        ReaderCase{"header_only_without_line_end", "Log <EOH>", "Log <EOH>\n", {}},
        ReaderCase{"crlf_in_crlf_out", "Log\r\n<EOH>\r\n" + kWorkedExample + "\r\n",
                   "Log\r\n<EOH>\r\n\r\n"
                   "<QSO_DATE:8>20200131 <TIME_ON:6>123400 <CALL:6>N0CALL <BAND:3>20M <MODE:2>CW\r\n"
                   "<CNTY:10>AL,Autauga <STATE:2>AL <EOR>\r\n\r\n",
                   {}},
        ReaderCase{"first_line_decides_line_end", "Log\n<EOH>\r\n" + Rec("K1AB") + "\r\n",
                   "Log\n<EOH>\r\n\n" + Out("K1AB"), {}},
        ReaderCase{"headerless_crlf", Rec("K1AB") + "\r\n" + Rec("K2CD") + "\r\n",
                   Out("K1AB", "\r\n") + Out("K2CD", "\r\n"), {}},
        ReaderCase{"one_field_per_line", kHeader + "<CALL:4>K1AB\n<BAND:3>20M\n<MODE:2>CW\n<EOR>\n",
                   kHeaderOut + Out("K1AB"), {}},
        ReaderCase{"text_between_tags_ignored", kHeader + "x <CALL:4>K1AB y\nz <BAND:3>20M > <MODE:2>CW: <EOR> tail\n",
                   kHeaderOut + Out("K1AB"), {}},
        ReaderCase{"eor_in_any_case", kHeader + "<CALL:4>K1AB <BAND:3>20M <MODE:2>CW <eor><CALL:4>K2CD <BAND:3>20M "
                                                "<MODE:2>CW <Eor>\n",
                   kHeaderOut + "<CALL:4>K1AB <BAND:3>20M <MODE:2>CW <eor>\n\n<CALL:4>K2CD <BAND:3>20M <MODE:2>CW "
                                "<Eor>\n\n",
                   {}},
        // A value is the next declared-length bytes of the file, line ends included.
        ReaderCase{"value_spans_crlf", kHeader + "<CALL:4>K1AB <NOTES:8>one\r\ntwo <BAND:3>20M <MODE:2>CW <EOR>\n",
                   kHeaderOut + "<CALL:4>K1AB <NOTES:8>one\r\ntwo <BAND:3>20M <MODE:2>CW <EOR>\n\n", {}},
        ReaderCase{"value_takes_in_next_lt", kHeader + "<CALL:4>K1AB\r\n<NAME:12>Juan Munoz\n<\r\n<BAND:3>20M\r\n"
                                                       "<MODE:2>CW\r\n<EOR>\r\n",
                   kHeaderOut + "<CALL:4>K1AB <NAME:12>Juan Munoz\n< <BAND:3>20M <MODE:2>CW <EOR>\n\n", {}},
        ReaderCase{"line_longer_than_any_buffer",
                   kHeader + "<CALL:4>K1AB <COMMENT:5000>" + kLong + " <BAND:3>20M <MODE:2>CW <EOR>" + Rec("K2CD") + "\n",
                   kHeaderOut + "<CALL:4>K1AB\n<COMMENT:5000>" + kLong + "\n<BAND:3>20M <MODE:2>CW <EOR>\n\n" +
                       Out("K2CD"),
                   {}},
        // Fields the conversion changed are written anew, never as read.
        ReaderCase{"changed_fields_written_anew",
                   kHeader + "<CALL:05>K1ABC <BAND:3>20M <MODE:2>CW <CNTY:3>xqz <COMMENT:5>hi   "
                             "<APP_WRITELOG_RST:3>599 <EOR>\n",
                   kHeaderOut + "<CALL:5>K1ABC <BAND:3>20M <MODE:2>CW <CNTY:3>xqz <COMMENT:2>hi <RST_RCVD:3>599\n"
                                "<EOR>\n\n",
                   {}},
        ReaderCase{"type_indicator_and_length_forms",
                   kHeader + "<CALL:4:S>K1AB <BAND: 3>20M <MODE:+2>CW <QSO_DATE:8:D>20200131 <EOR>\n",
                   kHeaderOut + "<QSO_DATE:8>20200131 <TIME_ON:6>000000 <CALL:4>K1AB <BAND:3>20M <MODE:2>CW\n"
                                "<EOR>\n\n",
                   {"QSO with K1AB in line 2 has no readable TIME_ON; written at 20200131 000000."}},
        ReaderCase{"negative_length_gives_empty_value", kHeader + "<CALL:4>K1AB <NOTES:-3>abc <BAND:3>20M <MODE:2>CW <EOR>\n",
                   kHeaderOut + "<CALL:4>K1AB <NOTES:0> <BAND:3>20M <MODE:2>CW <EOR>\n\n", {}},
        // A length that would run past the input leaves its tag out; the contact is kept.
        ReaderCase{"huge_length_is_malformed",
                   kHeader + Rec("K1AB") + "\n<CALL:4>K2CD <NOTES:99999999999999999999>rest <BAND:3>20M <MODE:2>CW <EOR>\n",
                   kHeaderOut + Out("K1AB") + Out("K2CD"),
                   {"Malformed ADIF tag in line 3 (its length runs past the end of the input), skipping the field: "
                    "[<NOTES:99999999999999999999>]"}},
        ReaderCase{"length_takes_in_the_next_record",
                   kHeader + "<CALL:4>K1AB <NOTES:40>ab <BAND:3>20M <MODE:2>CW <EOR>\n" + Rec("K2CD") + "\n",
                   kHeaderOut + Out("K1AB") + Out("K2CD"),
                   {"Malformed ADIF tag in line 2 (its length takes in the next record), skipping the field: "
                    "[<NOTES:40>]"}},
        ReaderCase{"input_ends_inside_qso", kHeader + Rec("K1AB") + "\n<CALL:4>K2CD <BAND:3>20M",
                   kHeaderOut + Out("K1AB"), {"QSO without <EOR> at end of file, skipping"}},
        // A '<' that starts no tag is text between fields.
        ReaderCase{"stray_lt_is_text", kHeader + "<CALL:4>K1AB < <BAND:3>20M <> <MODE:2>CW <BROKEN\r\n<EOR>" +
                                           Rec("K2CD") + "\n",
                   kHeaderOut + Out("K1AB") + Out("K2CD"), {}},
        // Malformed tags: the QSO in progress is dropped with a message naming
        // its call and line, and reading resumes after the next <EOR>.
        ReaderCase{"malformed_length_runs_into_next_tag",
                   kHeader + "<CALL:8 <COMMENT:13>20200131 xxxxx <QSO_DATE:8>20200131 <EOR>" + Rec("K2CD") + "\n",
                   kHeaderOut + Out("K2CD"),
                   {Malformed(2, "", "<CALL:8 <COMMENT:13>20200131 xxxxx <QSO_DATE:8>20200131 <EOR>" + Rec("K2CD"))}},
        ReaderCase{"malformed_no_gt_after_colon", kHeader + "<CALL:4>K1AB <NOTES:5\nabcde <eor>\n" + Rec("K2CD"),
                   kHeaderOut + Out("K2CD"), {Malformed(2, "K1AB", "<NOTES:5")}},
        ReaderCase{"malformed_letters_as_length", kHeader + "<CALL:x>K1AB <EOR>" + Rec("K2CD"),
                   kHeaderOut + Out("K2CD"), {Malformed(2, "", "<CALL:x>K1AB <EOR>" + Rec("K2CD"))}},
        ReaderCase{"malformed_empty_type", kHeader + "<CALL:4:>K1AB <EOR>" + Rec("K2CD"),
                   kHeaderOut + Out("K2CD"), {Malformed(2, "", "<CALL:4:>K1AB <EOR>" + Rec("K2CD"))}},
        ReaderCase{"malformed_comma_and_braces", kHeader + "<A,B:1>x <EOR><{C}:1>y <EOR>" + Rec("K2CD"),
                   kHeaderOut + Out("K2CD"),
                   {Malformed(2, "", "<A,B:1>x <EOR><{C}:1>y <EOR>" + Rec("K2CD")),
                    Malformed(2, "", "<{C}:1>y <EOR>" + Rec("K2CD"))}},
        ReaderCase{"malformed_skip_spans_lines",
                   kHeader + "<CALL:4>K1AB\n<CALL:4>K1CD <BA,ND:3>20M\n<MODE:2>CW\n<EOR>\n" + Rec("K2CD"),
                   kHeaderOut + Out("K2CD"), {Malformed(3, "K1CD", "<BA,ND:3>20M")}},
        // A logger's own records of one contact in two counties: a second
        // apart, the end moved with the start (past midnight, with its date).
        ReaderCase{"logger_county_line_split",
                   kHeader + "<CALL:4>K1AB <QSO_DATE:8>20201231 <TIME_ON:6>235959 <TIME_OFF:6>235959 <BAND:3>20M "
                             "<MODE:2>CW <CNTY:4>AUTA <EOR>\n<CALL:4>k1ab <QSO_DATE:8>20201231 <TIME_ON:6>235959 "
                             "<TIME_OFF:6>235959 <BAND:3>20m <MODE:2>CW <CNTY:4>BALD <EOR>\n",
                   kHeaderOut + "<QSO_DATE:8>20201231 <TIME_ON:6>235959 <CALL:4>K1AB <TIME_OFF:6>235959\n"
                                "<BAND:3>20M <MODE:2>CW <CNTY:10>AL,Autauga <STATE:2>AL <EOR>\n\n"
                                "<QSO_DATE:8>20210101 <TIME_ON:6>000000 <CALL:4>k1ab <QSO_DATE_OFF:8>20210101\n"
                                "<TIME_OFF:6>000000 <BAND:3>20m <MODE:2>CW <CNTY:10>AL,Baldwin <STATE:2>AL <EOR>\n\n",
                   {}},
        // Dates and times are UTC: no daylight saving, no time zone.
        ReaderCase{"spring_forward_night_unchanged",
                   kHeader + "<QSO_DATE:8>20210314 <TIME_ON:4>0230 " + Rec("K1AB") + "\n",
                   kHeaderOut + OutAt("20210314", "023000", "K1AB"),
                   {}},
        ReaderCase{"time_rolls_over_and_stays_normalised",
                   kHeader + "<QSO_DATE:8>20201231 <TIME_ON:4>2400 " + Rec("K1AB") + "\n<TIME_ON:4>0100 " + Rec("K2CD") +
                       "\n",
                   kHeaderOut + OutAt("20210101", "000000", "K1AB") + OutAt("20210101", "010000", "K2CD"),
                   {"QSO with K2CD in line 3 has no readable QSO_DATE; written at 20210101 010000."}},
        ReaderCase{"leap_day_and_seconds",
                   kHeader + "<QSO_DATE:8>20240229 <TIME_ON:6>235959 " + Rec("K1AB") + "\n",
                   kHeaderOut + OutAt("20240229", "235959", "K1AB"),
                   {}},
        ReaderCase{"bad_date_keeps_previous",
                   kHeader + "<QSO_DATE:8>20200131 <TIME_ON:4>1234 " + Rec("K1AB") + "\n<QSO_DATE:10>2020-02-01 " +
                       Rec("K2CD") + "\n",
                   kHeaderOut + OutAt("20200131", "123400", "K1AB") +
                       "<QSO_DATE:8>20200131 <TIME_ON:6>123400 <QSO_DATE:10>2020-02-01 <CALL:4>K2CD\n"
                                     "<BAND:3>20M <MODE:2>CW <EOR>\n\n",
                   {"Could not parse date 2020-02-01 (K2CD, input line 3)",
                    "QSO with K2CD in line 3 has no readable QSO_DATE or TIME_ON; written at 20200131 123400."}},
        ReaderCase{"no_valid_date_yet_no_leading_pair",
                   kHeader + "<QSO_DATE:8>20200230 <TIME_ON:4>1234 " + Rec("K1AB") + "\n",
                   kHeaderOut + "<QSO_DATE:8>20200230 <TIME_ON:4>1234 " + Out("K1AB"),
                   {"Could not parse date 20200230 (K1AB, input line 2)"}},
        ReaderCase{"invalid_dates", kHeader + "<QSO_DATE:8>20201301 <QSO_DATE:8>00000000 <QSO_DATE:7>2020013 "
                                               "<QSO_DATE:8>2020013A <QSO_DATE:8>20230229 <EOR>\n",
                   kHeaderOut,
                   {"Could not parse date 20201301 (no call, input line 2)",
                    "Could not parse date 00000000 (no call, input line 2)",
                    "Could not parse date 2020013 (no call, input line 2)",
                    "Could not parse date 2020013A (no call, input line 2)",
                    "Could not parse date 20230229 (no call, input line 2)"}},
        ReaderCase{"time_of_other_length", kHeader + "<QSO_DATE:8>20200131 <TIME_ON:4>1234 <TIME_ON:5>12345 " +
                                               Rec("K1AB") + "\n",
                   kHeaderOut + "<QSO_DATE:8>20200131 <TIME_ON:6>123400 <TIME_ON:5>12345 <CALL:4>K1AB\n"
                                "<BAND:3>20M <MODE:2>CW <EOR>\n\n",
                   {"Could not parse time 12345 (K1AB, input line 2)"}}),
    [](const ::testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.label); });

// A log with a header that holds ADIF fields is a log however damaged its
// records are, and its rows name them; notes about ADIF that mention its
// tags in prose are no log.
TEST(ConvertLog, DamagedLogsAreLogs) {
    struct Case {
        const char* label;
        std::string input;
        bool log;
        std::vector<std::string> third;
    };
    const std::vector<Case> cases = {
        {"header_fields_damaged_record", "Export\n<ADIF_VER:5>3.1.4 <EOH>\n<CALL:X>K4AAA <BAND:3>20M <EOR>\n", true,
         {"Malformed ADIF tag in line 3, skipping QSO: [<CALL:X>K4AAA <BAND:3>20M <EOR>]"}},
        {"one_line_stray_lt", "<ADIF_VER:5>3.1.4 <EOH><CALL:5>K4AAA < <BAND:3>20M <MODE:2>CW <EOR>", true, {}},
        {"header_without_fields_damaged_record", "Export <EOH>\n<CALL:X>K4AAA <EOR>\n", false,
         {"Malformed ADIF tag in line 2, skipping QSO: [<CALL:X>K4AAA <EOR>]"}},
        {"prose", "A header ends at <EOH>, each record at <EOR>;\nnames such as <Call:5> or <QSO_Date:8>, and\n"
                  "<public key> or a '<' alone are text.\n",
         false, {"QSO without <EOR> at end of file, skipping"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const RunResult r = RunLog(c.input);
        EXPECT_EQ(r.totals.adifLog, c.log);
        EXPECT_EQ(r.inputProblems, c.third);
    }
    // The notes beside the shared sample logs stay no log.
    const std::filesystem::path shared = std::filesystem::path(SHIRL_SOURCE_DIR) / ".." / "shared" / "data";
    for (const char* notes : {"adif-samples/SOURCES.md", "cabrillo-samples/SOURCES.md"}) {
        if (!std::filesystem::exists(shared / notes)) continue;
        EXPECT_FALSE(RunLog(test::ReadFile(shared / notes)).totals.adifLog) << notes;
    }
}

TEST(ConvertLog, EmptyInputWritesNothing) {
    const RunResult r = RunLog("");
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.progress, (std::vector<std::string>{"Converted 0 Alabama counties.", "Wrote 0 QSOs to out.adi"}));
    EXPECT_TRUE(r.inputProblems.empty());
}

TEST(ConvertLog, SummaryLinesAndTotals) {
    const RunResult r = RunLog(kHeader + kWorkedExample + "\n" + Rec("K1AB"), "AL", 0, true, std::nullopt);
    EXPECT_EQ(r.progress, (std::vector<std::string>{"Converted 1 Alabama counties.", "Wrote 2 QSOs"}));
    EXPECT_EQ(r.totals.countiesConverted, 1);
    EXPECT_EQ(r.totals.qsosWritten, 2);
    EXPECT_EQ(r.totals.countyLineCopies, 0);
}

TEST(ConvertLog, CountyLineSetsTheSummaryApartByABlankRow) {
    const RunResult r = RunLog(kHeader +
                            "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:6>123456 <BAND:3>40M <MODE:2>CW "
                            "<CTY:3>AUT <CTY2:4>BALD <EOR>\n");
    const auto& first = r.report.progress.OldestFirst();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].kind, MessageKind::Info);
    EXPECT_EQ(first[1], (ReportMessage{.kind = MessageKind::Summary, .text = "Converted 2 Alabama counties.", .blankBefore = true, .labelled = false}));
    EXPECT_EQ(first[2], (ReportMessage{.kind = MessageKind::Summary, .text = "Wrote 2 QSOs to out.adi", .labelled = false}));
    EXPECT_EQ(r.output, kHeaderOut +
                            "<QSO_DATE:8>20200131 <TIME_ON:6>123456 <CALL:6>N0CALL <BAND:3>40M <MODE:2>CW\n"
                            "<CNTY:10>AL,Autauga <STATE:2>AL <EOR>\n\n"
                            "<QSO_DATE:8>20200131 <TIME_ON:6>123457 <CALL:6>N0CALL <BAND:3>40M <MODE:2>CW\n"
                            "<CNTY:10>AL,Baldwin <STATE:2>AL <EOR>\n\n");
}

TEST(ConvertLog, QsosPerCountyCountEachCountyLineCopy) {
    // Two QSOs on the Autauga/Baldwin line, one in Baldwin, one written as a
    // CNTY already, one with a value that names no county.
    const RunResult r = RunLog(kHeader + "<CALL:4>K1AB <BAND:3>40M <MODE:2>CW <CTY:3>AUT <CTY2:4>BALD <EOR>\n"
                                         "<CALL:4>K1AC <BAND:3>40M <MODE:2>CW <CTY:3>AUT <CTY2:4>BALD <EOR>\n"
                                         "<CALL:4>K1AD <BAND:3>40M <MODE:2>CW <CNTY:4>BALD <EOR>\n"
                                         "<CALL:4>K1AE <BAND:3>40M <MODE:2>CW <CNTY:9>GA,Fulton <EOR>\n"
                                         "<CALL:4>K1AF <BAND:3>40M <MODE:2>CW <CNTY:4>XYZZ <EOR>\n");
    EXPECT_EQ(r.totals.countyQsos, (std::map<int, std::int64_t>{{1001, 2}, {1003, 3}, {13121, 1}}));
    EXPECT_EQ(r.totals.otherCntyQsos, (std::map<std::string, std::int64_t>{{"XYZZ", 1}}));

    // An independent city gives the state alone and counts as the city; a
    // STATE of the input does not, nor a city where a county gives the state.
    const RunResult va = RunLog(kHeader + "<CALL:4>K4AB <BAND:3>40M <MODE:2>CW <CNTY:3>ALX <EOR>\n"
                                          "<CALL:4>K4AC <BAND:3>40M <MODE:2>CW <CNTY:3>FFX <STATE:2>VA <EOR>\n"
                                          "<CALL:4>K4AD <BAND:3>40M <MODE:2>CW <STATE:2>VA <EOR>\n"
                                          "<CALL:4>K4AE <BAND:3>40M <MODE:2>CW <CNTY:3>FFX <CTY:3>RIX <EOR>\n",
                                "VA");
    EXPECT_EQ(va.totals.countyQsos, (std::map<int, std::int64_t>{{51059, 2}, {51510, 1}}));
}

std::string QsoWithFields(std::size_t extraFields, const std::string& call) {
    std::string text = "<CALL:" + std::to_string(call.size()) + ">" + call + " <BAND:3>20M <MODE:2>CW";
    for (std::size_t i = 3; i < extraFields + 3; ++i) text += " <APP_X_" + std::to_string(i) + ":1>x";
    return text;
}

TEST(ConvertLog, ThousandSlotsPerQso) {
    // 999 fields and <EOR> fill the 1000 slots and are written.
    const RunResult full = RunLog(kHeader + QsoWithFields(996, "K1AB") + " <EOR>\n");
    EXPECT_EQ(full.totals.qsosWritten, 1);
    EXPECT_TRUE(full.inputProblems.empty());
    EXPECT_NE(full.output.find("<APP_X_998:1>x <EOR>"), std::string::npos);

    // One field more: the QSO is dropped with a message; the next record,
    // on the same line, is read.
    const RunResult over = RunLog(kHeader + QsoWithFields(997, "K1AB") + " <EOR>" + Rec("K2CD") + "\n");
    EXPECT_EQ(over.inputProblems,
              std::vector<std::string>{"QSO with K1AB in line 2 has too many ADIF fields (> 1000), skipping it"});
    EXPECT_EQ(over.output, kHeaderOut + Out("K2CD"));

    // The overflow found on a field: the skip ends at the QSO's own <EOR>.
    const RunResult overMore = RunLog(kHeader + QsoWithFields(1200, "K1AB") + " <EOR>\n" + Rec("K2CD") + "\n");
    EXPECT_EQ(overMore.inputProblems,
              std::vector<std::string>{"QSO with K1AB in line 2 has too many ADIF fields (> 1000), skipping it"});
    EXPECT_EQ(overMore.output, kHeaderOut + Out("K2CD"));
}

TEST(ConvertLog, HeaderlessDecisionBeyondFirstMegabytes) {
    // The <eor> that shows there is no header comes after 9 MB on the first
    // line; streamed and re-read input must give the same output.
    std::string body;
    const std::string filler = "<NOTES:10000>" + std::string(10000, 'n') + " ";
    for (int i = 0; i < 900; ++i) body += filler;
    const std::string input = "<CALL:4>K1AB " + body + "<BAND:3>20M <MODE:2>CW <EOR>\n" + Rec("K2CD") + "\n";
    const RunResult reread = RunLog(input, "AL", 0, true);
    const RunResult streamed = RunLog(input, "AL", 0, false);
    EXPECT_EQ(reread.totals.qsosWritten, 2);
    EXPECT_EQ(reread.output, streamed.output);
    EXPECT_EQ(reread.output.substr(0, 13), "<CALL:4>K1AB\n");
    EXPECT_EQ(reread.output.substr(reread.output.size() - Out("K2CD").size()), Out("K2CD"));
}

TEST(ConvertLog, EachRunStartsFresh) {
    // Date, time and open QSO of one run do not leak into the next.
    (void)RunLog(kHeader + "<QSO_DATE:8>20200131 <TIME_ON:4>1234 <CALL:4>K1AB");
    const RunResult second = RunLog(kHeader + Rec("K2CD") + "\n");
    EXPECT_EQ(second.output, kHeaderOut + Out("K2CD"));
    EXPECT_TRUE(second.inputProblems.empty());
}

} // namespace
} // namespace shirl
