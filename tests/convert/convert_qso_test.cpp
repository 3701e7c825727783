// QSO conversion: field clean-up, duplicate removal, county-line copies.
#include <gtest/gtest.h>

#include "tests/support/report_rows.h"

#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "convert/convert_qso.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl {
namespace {

using Record = std::vector<std::string>; // "NAME=value", or "NAME" without a value

// Reads written records back into field lists. Relies on nothing but the
// tag form: "<NAME:LEN>VALUE" or "<NAME>", records ended by an empty line.
std::vector<Record> ReadBack(const std::string& text) {
    std::vector<Record> records;
    Record current;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "\n\n") == 0) {
            records.push_back(current);
            current.clear();
            i += 2;
            continue;
        }
        if (text[i] != '<') {
            ++i;
            continue;
        }
        const std::size_t close = text.find('>', i);
        const std::string tag = text.substr(i + 1, close - i - 1);
        const std::size_t colon = tag.find(':');
        if (colon == std::string::npos) {
            current.push_back(tag);
            i = close + 1;
        } else {
            const std::size_t length = std::stoul(tag.substr(colon + 1));
            current.push_back(tag.substr(0, colon) + "=" + text.substr(close + 1, length));
            i = close + 1 + length;
        }
    }
    EXPECT_TRUE(current.empty()) << "output does not end with an empty line";
    return records;
}

constexpr std::int64_t kTime = 1580428800 + 12 * 3600 + 34 * 60 + 56; // 2020-01-31 12:34:56 UTC

struct QsoRun {
    std::vector<Record> records;
    int result = 0;
    RunCounters counters;
    RunReport report;
};

// The fields' names and values are views of the string literals.
QsoFields Fields(std::initializer_list<const char*> texts) {
    QsoFields fields;
    for (const std::string_view text : texts) {
        const std::size_t eq = text.find('=');
        const std::string_view name = text.substr(0, eq);
        if (eq == std::string_view::npos)
            fields.push_back({name, std::nullopt, ClassifyFieldName(name)});
        else
            fields.push_back({name, text.substr(eq + 1), ClassifyFieldName(name)});
    }
    return fields;
}

QsoRun Convert(QsoFields fields, bool addMobile = true, std::optional<std::int64_t> time = kTime,
               const char* code = "AL") {
    StringSink sink;
    QsoRun run;
    run.result = ConvertQso(RecordOutput{sink, "\n"}, QsoOptions{FindSelectionByCode(code).value_or(Selection()), addMobile}, fields, time,
                            run.counters, run.report);
    run.records = ReadBack(sink.str());
    return run;
}

const std::string D = "QSO_DATE=20200131";
const std::string T = "TIME_ON=123456";

struct QsoCase {
    const char* label;
    QsoFields fields;
    bool addMobile;
    std::vector<Record> expected;
    int result;
    std::vector<std::string> first; // INFO lines
};

// Test names and failure messages show the case label, not a byte dump.
void PrintTo(const QsoCase& c, std::ostream* os) { *os << c.label; }

class ConvertQsoCases : public ::testing::TestWithParam<QsoCase> {};

TEST_P(ConvertQsoCases, RecordsResultAndInfoLines) {
    const QsoCase& c = GetParam();
    const QsoRun run = Convert(c.fields, c.addMobile);
    EXPECT_EQ(run.records, c.expected);
    EXPECT_EQ(run.result, c.result);
    EXPECT_EQ(test::Rows(run.report.progress), c.first);
    EXPECT_EQ(run.counters.qsosWritten, static_cast<std::int64_t>(c.expected.size()));
    EXPECT_EQ(run.counters.countyLineCopies, c.expected.empty() ? 0 : static_cast<std::int64_t>(c.expected.size()) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertQsoCases,
    ::testing::Values(
        QsoCase{"one_county", Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AUTA", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1, {}},
        QsoCase{"duplicate_removed", Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CTY=AUT", "QTH=AUTA", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1, {}},
        QsoCase{"county_line_worked_example",
                Fields({"CALL=N0CALL", "QSO_DATE=20200131", "TIME_ON=123456", "BAND=40M", "MODE=CW", "CTY=AUT",
                        "CTY2=BALD", "EOR"}),
                true,
                {{D, T, "CALL=N0CALL", D, T, "BAND=40M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", D, T, "BAND=40M", "MODE=CW", "CNTY=AL,Baldwin", "STATE=AL",
                  "EOR"}},
                2,
                {"INFO: Adding QSO for N0CALL on AL,Autauga/AL,Baldwin county line."}},
        QsoCase{"three_counties",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CTY=AUT", "CTY2=BALD", "CTY3=BARB", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Baldwin", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123458", "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Barbour", "STATE=AL", "EOR"}},
                3,
                {"INFO: Adding QSO for N0CALL on AL,Autauga/AL,Baldwin county line.",
                 "INFO: Adding QSO for N0CALL on AL,Baldwin/AL,Barbour county line."}},
        QsoCase{"mobile_suffix_add_m", Fields({"CALL=N0CALL/AUT", "BAND=20M", "MODE=CW", "CTY=aut", "EOR"}), true,
                {{D, T, "CALL=N0CALL/M", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1,
                {"INFO: Changed callsign N0CALL/AUT to N0CALL/M"}},
        QsoCase{"mobile_suffix_no_add", Fields({"CALL=N0CALL/AUT", "BAND=20M", "MODE=CW", "CTY=AUT", "EOR"}), false,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1,
                {"INFO: Changed callsign N0CALL/AUT to N0CALL"}},
        // The CALL counts wherever it stands in the record.
        QsoCase{"call_after_county_counts", Fields({"CTY=AUT", "CALL=N0CALL/AUT", "BAND=20M", "MODE=CW", "EOR"}),
                true, {{D, T, "CNTY=AL,Autauga", "STATE=AL", "CALL=N0CALL/M", "BAND=20M", "MODE=CW", "EOR"}}, 1,
                {"INFO: Changed callsign N0CALL/AUT to N0CALL/M"}},
        QsoCase{"comment_digits_and_spaces",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "COMMENT=123", "COMMENT=nice QSO  ", "COMMENT=", "EOR"}),
                true, {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX=123", "COMMENT=nice QSO", "COMMENT=", "EOR"}}, 0,
                {}},
        // A QTH (a callbook's town) whose county lies outside the record's own
        // STATE is not taken; a county from the exchange is.
        QsoCase{"qth_against_state",
                Fields({"QTH=BALD", "CALL=W3SPC", "BAND=20M", "MODE=CW", "STATE=sc", "EOR"}), true,
                {{D, T, "QTH=BALD", "CALL=W3SPC", "BAND=20M", "MODE=CW", "STATE=sc", "EOR"}}, 0,
                {}},
        // A county line in a QTH outside the record's STATE stays one field as
        // written, the callsign's county suffix included.
        QsoCase{"qth_line_against_state",
                Fields({"CALL=N0CALL/AUT", "BAND=20M", "MODE=CW", "QTH=aut/bald", "STATE=GA", "EOR"}), true,
                {{D, T, "CALL=N0CALL/AUT", "BAND=20M", "MODE=CW", "QTH=aut/bald", "STATE=GA", "EOR"}}, 0, {}},
        // The record's last STATE that names a state counts, not a later empty or
        // unknown one (the record keeps its first STATE, as every record does).
        QsoCase{"qth_against_last_valid_state",
                Fields({"QTH=BALD", "CALL=W3SPC", "BAND=20M", "MODE=CW", "STATE=SC", "STATE=", "STATE=XX", "EOR"}),
                true,
                {{D, T, "QTH=BALD", "CALL=W3SPC", "BAND=20M", "MODE=CW", "STATE=SC", "EOR"}}, 0, {}},
        QsoCase{"exchange_county_replaces_state",
                Fields({"CTY=Bald", "CALL=W3SPC", "BAND=20M", "MODE=CW", "STATE=SC", "EOR"}), true,
                {{D, T, "CNTY=AL,Baldwin", "STATE=AL", "CALL=W3SPC", "BAND=20M", "MODE=CW", "EOR"}}, 1,
                {"INFO: W3SPC: STATE SC replaced by AL from its county."}},
        QsoCase{"qth_in_its_state_converts",
                Fields({"QTH=BALD", "CALL=W3SPC", "BAND=20M", "MODE=CW", "STATE=AL", "EOR"}), true,
                {{D, T, "CNTY=AL,Baldwin", "STATE=AL", "CALL=W3SPC", "BAND=20M", "MODE=CW", "EOR"}}, 1, {}},
        // A digits-only COMMENT is a serial number only where the record has no SRX.
        QsoCase{"comment_digits_beside_srx",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "COMMENT=17", "SRX=5", "COMMENT=18", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "COMMENT=17", "SRX=5", "COMMENT=18", "EOR"}}, 0, {}},
        QsoCase{"srx_serial_kept_srx_county_converted",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX=12", "SRX=aut", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX=12", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1, {}},
        // A value that names no state gets no STATE (no "DX" or "ma" state).
        QsoCase{"dx_kept_as_written_no_state", Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=dx", "EOR"}),
                true, {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=dx", "EOR"}}, 0, {}},
        // A state code from a station outside the US and Canada names no state.
        QsoCase{"dx_station_state_code_no_state",
                Fields({"CALL=PA0AAA", "BAND=20M", "MODE=CW", "CNTY=PA", "EOR"}), true,
                {{D, T, "CALL=PA0AAA", "BAND=20M", "MODE=CW", "CNTY=PA", "EOR"}}, 0, {}},
        QsoCase{"comma_value_left_alone", Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=ma,essex", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=ma,essex", "EOR"}}, 0, {}},
        QsoCase{"standard_value_gets_its_state",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=KS,Bourbon", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=KS,Bourbon", "STATE=KS", "EOR"}}, 0, {}},
        // An unconverted CNTY takes its own copy; the converted one after it is still written.
        QsoCase{"unconverted_county_does_not_hide_converted",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=XYZ", "CTY=AUT", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=XYZ", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}},
                1,
                {"INFO: Adding QSO for N0CALL on XYZ/AL,Autauga county line."}},
        // One STATE per record: the county's, wherever the input's stood.
        QsoCase{"input_states_give_way_to_county_state",
                Fields({"CALL=N0CALL", "STATE=AL", "BAND=20M", "MODE=CW", "CTY=AUT", "STATE=GA", "STATE=FL", "EOR"}),
                true, {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1,
                {"INFO: N0CALL: STATE GA replaced by AL from its county."}},
        QsoCase{"county_abbreviation_in_state_replaced",
                Fields({"CALL=K4T", "BAND=20M", "MODE=CW", "STATE=ALC", "STX_STRING=AUTA", "MY_STATE=al", "CTY=BALD",
                        "EOR"}),
                true,
                {{D, T, "CALL=K4T", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_CNTY=AL,Autauga", "MY_STATE=AL",
                  "CNTY=AL,Baldwin", "STATE=AL", "EOR"}},
                1, {"INFO: K4T: STATE ALC replaced by AL from its county."}},
        // Every copy is made from the same place; a rover on a line pairs
        // its own counties with the copies.
        QsoCase{"own_county_in_every_copy",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_STATE=AL", "CTY=BARB", "CTY2=BIBB",
                        "EOR"}),
                true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_CNTY=AL,Autauga", "MY_STATE=AL",
                  "CNTY=AL,Barbour", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_CNTY=AL,Autauga",
                  "MY_STATE=AL", "CNTY=AL,Bibb", "STATE=AL", "EOR"}},
                2, {"INFO: Adding QSO for N0CALL on AL,Barbour/AL,Bibb county line."}},
        QsoCase{"rover_on_a_line_pairs_own_counties",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "APP_N1MM_ROVERCNTY=BALD", "CTY=BARB",
                        "CTY2=BIBB", "EOR"}),
                true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_CNTY=AL,Autauga", "MY_STATE=AL",
                  "CNTY=AL,Barbour", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_CNTY=AL,Baldwin",
                  "MY_STATE=AL", "CNTY=AL,Bibb", "STATE=AL", "EOR"}},
                2,
                {"INFO: Adding QSO for N0CALL on AL,Autauga/AL,Baldwin county line.",
                 "INFO: Adding QSO for N0CALL on AL,Barbour/AL,Bibb county line."}},
        QsoCase{"input_state_kept_when_county_names_none",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=XYZ", "STATE=AL", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=XYZ", "STATE=AL", "EOR"}}, 0, {}},
        // A county line in one value converts as the counties in fields of their own.
        QsoCase{"joined_three_in_exchange",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX_STRING=57 AUT/BALD/BARB", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX_STRING=57 AUT/BALD/BARB", "CNTY=AL,Autauga",
                  "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX_STRING=57 AUT/BALD/BARB",
                  "CNTY=AL,Baldwin", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123458", "CALL=N0CALL", "BAND=20M", "MODE=CW", "SRX_STRING=57 AUT/BALD/BARB",
                  "CNTY=AL,Barbour", "STATE=AL", "EOR"}},
                3,
                {"INFO: Adding QSO for N0CALL on AL,Autauga/AL,Baldwin county line.",
                 "INFO: Adding QSO for N0CALL on AL,Baldwin/AL,Barbour county line."}},
        QsoCase{"joined_same_county_twice", Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "QTH=AUT/AUTA", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"}}, 1, {}},
        QsoCase{"joined_mobile", Fields({"CALL=N0CALL/BALD", "BAND=20M", "MODE=CW", "QTH=aut/BALD", "EOR"}), true,
                {{D, T, "CALL=N0CALL/M", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL/M", "BAND=20M", "MODE=CW", "CNTY=AL,Baldwin", "STATE=AL", "EOR"}},
                2,
                {"INFO: Changed callsign N0CALL/BALD to N0CALL/M",
                 "INFO: Adding QSO for N0CALL/M on AL,Autauga/AL,Baldwin county line."}},
        QsoCase{"aliases_renamed",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "APP_WRITELOG_RST=599", "app_writelog_snt=579", "EOR"}),
                true, {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "RST_RCVD=599", "RST_SENT=579", "EOR"}}, 0, {}},
        QsoCase{"lower_case_names", Fields({"call=N0CALL", "band=20M", "mode=CW", "app_n1mm_exchange1=auta", "eor"}),
                true, {{D, T, "call=N0CALL", "band=20M", "mode=CW", "CNTY=AL,Autauga", "STATE=AL", "eor"}}, 1, {}},
        // The sent exchange stays as written, its own county after it.
        QsoCase{"own_county", Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=AUTA", "MY_CNTY=AL,Autauga", "MY_STATE=AL",
                  "EOR"}},
                0, {}},
        // An own county line in one value: a record per own county, each with
        // the QSO's first worked county.
        QsoCase{"own_county_line_in_one_value",
                Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=599 AUTA/BALD", "CTY=BARB", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=599 AUTA/BALD", "MY_CNTY=AL,Autauga",
                  "MY_STATE=AL", "CNTY=AL,Barbour", "STATE=AL", "EOR"},
                 {D, "TIME_ON=123457", "CALL=N0CALL", "BAND=20M", "MODE=CW", "STX_STRING=599 AUTA/BALD",
                  "MY_CNTY=AL,Baldwin", "MY_STATE=AL", "CNTY=AL,Barbour", "STATE=AL", "EOR"}},
                1, {"INFO: Adding QSO for N0CALL on AL,Autauga/AL,Baldwin county line."}},
        QsoCase{"freq_rx_is_enough", Fields({"CALL=N0CALL", "FREQ_RX=14.025", "MODE=CW", "EOR"}), true,
                {{D, T, "CALL=N0CALL", "FREQ_RX=14.025", "MODE=CW", "EOR"}}, 0, {}},
        QsoCase{"no_mode_not_written", Fields({"CALL=N0CALL", "BAND=20M", "CNTY=AUTA", "EOR"}), true, {}, 1, {}},
        QsoCase{"no_band_or_freq_not_written", Fields({"CALL=N0CALL", "MODE=CW", "EOR"}), true, {}, 0, {}},
        QsoCase{"call_without_value_not_written", Fields({"CALL", "BAND=20M", "MODE=CW", "EOR"}), true, {}, 0, {}},
        QsoCase{"no_fields", Fields({}), true, {}, 0, {}}),
    [](const ::testing::TestParamInfo<QsoCase>& info) { return std::string(info.param.label); });

TEST(ConvertQso, MissingCallsignReadsNoCallInMessages) {
    const QsoRun run = Convert(Fields({"BAND=20M", "MODE=CW", "CNTY=XYZ", "EOR"}));
    EXPECT_TRUE(run.records.empty());
    ASSERT_FALSE(run.report.countyProblems.empty());
    const ReportMessage& warning = run.report.countyProblems.OldestFirst().back();
    EXPECT_EQ(warning.kind, MessageKind::Warning);
    EXPECT_EQ(warning.text.rfind("(no call) in XYZ ", 0), 0u) << warning.text;
}

// A value joined by "/" with a part that is no county gets one warning
// naming the whole value, and nothing is converted from it.
TEST(ConvertQso, JoinedValueWithoutCountyPartWarnsOnce) {
    for (const char* value : {"QTH=AUT/XYZ", "QTH=AUT/GA", "QTH=AUT/", "SRX_STRING=599 XYZ/AUT"}) {
        const QsoRun run = Convert(Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", value, "EOR"}));
        const std::string joined = std::string(value).substr(std::string(value).find_last_of("= ") + 1);
        EXPECT_EQ(run.result, 0) << value;
        EXPECT_EQ(run.records.size(), 1u) << value;
        const auto& problems = run.report.countyProblems.OldestFirst();
        ASSERT_EQ(problems.size(), 1u) << value;
        EXPECT_EQ(problems[0].kind, MessageKind::Warning) << value;
        EXPECT_EQ(problems[0].text.rfind("N0CALL in " + joined + " ", 0), 0u) << problems[0].text;
    }
}

TEST(ConvertQso, NoTimeMeansNoLeadingDateAndTime) {
    const QsoRun run = Convert(Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "EOR"}), true, std::nullopt);
    EXPECT_EQ(run.records, (std::vector<Record>{{"CALL=N0CALL", "BAND=20M", "MODE=CW", "EOR"}}));
}

TEST(ConvertQso, CopySecondsRollIntoNextDay) {
    const std::int64_t lastSecond = 1580428800 + 86399; // 2020-01-31 23:59:59
    const QsoRun run =
        Convert(Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CTY=AUT", "CTY2=BALD", "EOR"}), true, lastSecond);
    ASSERT_EQ(run.records.size(), 2u);
    EXPECT_EQ(run.records[0][0], "QSO_DATE=20200131");
    EXPECT_EQ(run.records[0][1], "TIME_ON=235959");
    EXPECT_EQ(run.records[1][0], "QSO_DATE=20200201");
    EXPECT_EQ(run.records[1][1], "TIME_ON=000000");
}

TEST(ConvertQso, MoreThanTwentyDistinctCounties) {
    const std::vector<std::pair<const char*, const char*>> counties = {
        {"AUTA", "Autauga"},   {"BALD", "Baldwin"}, {"BARB", "Barbour"},  {"BIBB", "Bibb"},
        {"BLOU", "Blount"},    {"BULL", "Bullock"}, {"BUTL", "Butler"},   {"CHOU", "Calhoun"},
        {"CHMB", "Chambers"},  {"CKEE", "Cherokee"}, {"CHIL", "Chilton"}, {"CHOC", "Choctaw"},
        {"CLRK", "Clarke"},    {"CLAY", "Clay"},    {"CLEB", "Cleburne"}, {"COFF", "Coffee"},
        {"COLB", "Colbert"},   {"CONE", "Conecuh"}, {"COOS", "Coosa"},    {"COVI", "Covington"},
        {"CREN", "Crenshaw"},  {"CULM", "Cullman"}, {"DALE", "Dale"},     {"DLLS", "Dallas"},
        {"ELMO", "Elmore"}};
    QsoFields fields = Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW"});
    for (const auto& [abbreviation, name] : counties) fields.push_back({"CTY", abbreviation, FieldKind::County});
    fields.push_back({"QTH", "DLLS", FieldKind::County}); // a duplicate beyond the twentieth
    fields.push_back({"EOR", std::nullopt});
    const QsoRun run = Convert(fields);
    ASSERT_EQ(run.records.size(), counties.size());
    EXPECT_EQ(run.result, static_cast<int>(counties.size()));
    for (std::size_t i = 0; i < counties.size(); ++i)
        EXPECT_EQ(run.records[i][5], std::string("CNTY=AL,") + counties[i].second) << i;
    EXPECT_EQ(run.report.progress.size(), counties.size() - 1);
}

TEST(ConvertQso, DuplicateRemovalSubtractsOnlyConvertedFields) {
    // The input already holds "AL,Autauga"; the converted CTY equal to it is
    // the duplicate and leaves the count.
    const QsoRun run =
        Convert(Fields({"CALL=N0CALL", "BAND=20M", "MODE=CW", "CNTY=AL,Autauga", "CTY=AUT", "CNTY=XYZ", "CNTY=XYZ", "EOR"}));
    ASSERT_EQ(run.records.size(), 2u);
    EXPECT_EQ(run.result, 0);
}

// A field keeps its text as read only while nothing changed its name or
// value; each way of changing them makes it be written anew.
TEST(QsoFieldText, ForgottenOnEveryChange) {
    const std::string input = "<CNTY:4>auta";
    const auto read = [&input] {
        QsoField field{std::string_view(input).substr(1, 4), std::string_view(input).substr(8), FieldKind::Cnty};
        field.text = input;
        return field;
    };
    const std::string otherName = "CNTY";
    const std::vector<std::pair<const char*, void (*)(QsoField&, const std::string&)>> changes = {
        {"renamed", [](QsoField& f, const std::string&) { RenameField(f, "STATE", FieldKind::State); }},
        {"value replaced", [](QsoField& f, const std::string&) { SetValueView(f, "AUTA"); }},
        {"value shortened", [](QsoField& f, const std::string&) { SetValueView(f, f.value->substr(0, 2)); }},
        {"name elsewhere", [](QsoField& f, const std::string& other) { f.name = other; }},
    };
    EXPECT_TRUE(UnchangedSinceRead(read()));
    for (const auto& [label, change] : changes) {
        QsoField field = read();
        change(field, otherName);
        EXPECT_FALSE(UnchangedSinceRead(field)) << label;
    }
}

} // namespace
} // namespace shirl
