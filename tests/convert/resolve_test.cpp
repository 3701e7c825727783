// County field resolution, the question and its answer applied to a field:
// the documented examples, the edge cases, "(no call)" for a QSO without a
// callsign, and no message truncation.
#include <gtest/gtest.h>

#include "tests/support/report_rows.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/qso_field.h"
#include "convert/run_report.h"
#include "convert/county_answer.h"
#include "convert/resolve.h"
#include "data/abbrev_tables.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

using Messages = std::vector<std::string>;

// Asks what the field's value is (as a worked station's county field, or as
// the operator's own with `myField`) and applies the answer.
int Resolve(QsoField& field, Selection selection, std::optional<std::string_view> callsign, bool myField,
            RunReport& report) {
    if (!field.value) return 0;
    const CountyQuestion question{selection, nullptr, callsign, std::nullopt,
                                  myField ? FieldKind::MyCounty : FieldKind::County, field.name};
    field.kind = question.field;
    return ApplyCountyAnswer(field, AnswerCountyValue(*field.value, question), report);
}

struct ResolveCase {
    Selection selection;
    std::string_view name;
    std::string_view value;
    std::optional<std::string_view> callsign;
    bool myField;
    // Afterwards:
    std::string_view newName;
    std::string_view newValue;
    int result;
    Messages problems; // pushed onto the county problems, oldest first
};

std::ostream& operator<<(std::ostream& os, const ResolveCase& c) {
    return os << "selection " << c.selection.Code() << ' ' << c.name << '=' << c.value << " call "
              << (c.callsign ? *c.callsign : "(none)") << (c.myField ? " MY" : "");
}

class ResolveExamples : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveExamples, FieldResultAndMessages) {
    const ResolveCase& c = GetParam();
    QsoField field{c.name, c.value}; // views of the case table, which outlives the field
    // The callsign lives in a text of its own, as the CALL field's value does.
    std::optional<std::string> callText;
    if (c.callsign) callText = std::string(*c.callsign);
    std::optional<std::string_view> callsign;
    if (callText) callsign = *callText;

    RunReport report;
    EXPECT_EQ(Resolve(field, c.selection, callsign, c.myField, report), c.result);
    EXPECT_EQ(field.name, c.newName);
    ASSERT_TRUE(field.value.has_value());
    EXPECT_EQ(*field.value, c.newValue);
    EXPECT_EQ(test::Rows(report.countyProblems), c.problems);
    EXPECT_TRUE(report.progress.empty());
    EXPECT_TRUE(report.inputProblems.empty());
    if (c.callsign) {
        EXPECT_EQ(*callText, *c.callsign) << "the callsign is only read";
    }
    // Result 1 exactly when the field became CNTY/MY_CNTY with "ST,Name".
    const bool isCounty = field.name == (c.myField ? "MY_CNTY" : "CNTY") &&
                          field.value->size() > 3 && (*field.value)[2] == ',';
    EXPECT_EQ(c.result == 1, isCounty);
}

const std::optional<std::string_view> kNoCall = std::nullopt;

// The documented examples, row by row (callsign N0CALL unless shown).
INSTANTIATE_TEST_SUITE_P(
    ExamplesTable, ResolveExamples,
    ::testing::Values(
        ResolveCase{selections::kAL, "APP_N1MM_EXCHANGE1", "AUTA", "N0CALL", false, "CNTY", "AL,Autauga", 1, {}},
        ResolveCase{selections::kAL, "APP_N1MM_ROVERCNTY", "AUTA", "N0CALL", true, "MY_CNTY", "AL,Autauga", 1, {}},
        ResolveCase{selections::kAL, "QTH", "ON", "N0CALL", false, "STATE", "ON", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "NS", "VE1CALL", false, "CNTY", "NS", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "NS", "N0CALL", false, "CNTY", "NS", 0,
                    {"WARNING: N0CALL in NS is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kPA, "CNTY", "ONT", "VA3CALL", false, "CNTY", "ONT", 0, {}},
        ResolveCase{selections::kPA, "CNTY", "EMA", "N0CALL", false, "STATE", "MA", 0, {}},
        ResolveCase{selections::kVA, "CNTY", "ALX", "N0CALL", false, "STATE", "VA", 0,
                    {"N0CALL: ALX is the independent city of Alexandria city, VA (not a county)."}},
        ResolveCase{selections::kNEQP, "CNTY", "CTCAP", "N0CALL", false, "CNTY", "CTCAP", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "MDC", "N0CALL", false, "STATE", "MD", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "DC", "N0CALL", false, "CNTY", "DC", 0,
                    {"N0CALL: DC is not a US state.",
                     "WARNING: N0CALL in DC is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAK, "CNTY", "AUTA", "N0CALL", false, "CNTY", "AUTA", 0,
                    {"N0CALL: AK is unsupported at this time."}},
        ResolveCase{selections::kAL, "CNTY", "AUTA", "VE3/KH6", false, "CNTY", "AL,Autauga", 1,
                    {"ERROR [1]: Can't determine prefix for VE3/KH6"}}));

// Edge cases.
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ResolveExamples,
    ::testing::Values(
        // A Selection code becomes a state field, even from a Canadian station
        // and even with a party selected; no lookup.
        ResolveCase{selections::kNEQP, "CNTY", "ON", "VE3CALL", false, "STATE", "ON", 0, {}},
        ResolveCase{selections::kMULTI, "QTH", "ON", "VE3CALL", false, "STATE", "ON", 0, {}},
        ResolveCase{selections::kAK, "CNTY", "TX", "N0CALL", false, "STATE", "TX", 0, {}},
        ResolveCase{selections::kNAQP, "CNTY", "QC", "VE2CALL", false, "STATE", "QC", 0, {}},
        ResolveCase{selections::kAL, "STX_STRING", "ON", "VE3CALL", true, "MY_STATE", "ON", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "AK", std::nullopt, false, "STATE", "AK", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "WY", "N0CALL", false, "STATE", "WY", 0, {}},
        // Not a Selection code (exact comparison).
        ResolveCase{selections::kAL, "CNTY", "DC", "VE3CALL", false, "CNTY", "DC", 0,
                    {"VE3CALL: DC is not a US state.",
                     "WARNING: VE3CALL in DC is not a valid Alabama county abbreviation."}},
        // Letter case does not matter to the lookup; the standard form is written.
        ResolveCase{selections::kAL, "APP_N1MM_ROVERCNTY", "on", "N0CALL", true, "MY_STATE", "ON", 0, {}},
        ResolveCase{selections::kAL, "STX_STRING", "auta", "N0CALL", true, "MY_CNTY", "AL,Autauga", 1, {}},
        // A value that does not convert stays as written, and its message quotes it so.
        ResolveCase{selections::kAL, "CNTY", "Xyz", "N0CALL", false, "CNTY", "Xyz", 0,
                    {"WARNING: N0CALL in Xyz is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "STX_STRING", "xyz", "N0CALL", true, "STX_STRING", "xyz", 0,
                    {"WARNING: Own county xyz of the QSO with N0CALL is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "CNTY", "a\r\nb", "N0CALL", false, "CNTY", "a\r\nb", 0,
                    {"WARNING: N0CALL in a\\r\\nb is not a valid Alabama county abbreviation."}},
        // A state code names a state only from a station of the US or Canada.
        ResolveCase{selections::kAL, "CNTY", "PA", "PA0AAA", false, "CNTY", "PA", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "pa", "AA1AA", false, "STATE", "PA", 0, {}},
        // A Canadian prefix's province from a Canadian lower-case callsign: the
        // prefix "ve3" is not Canadian (upper case only), so the lookup runs.
        ResolveCase{selections::kAL, "CNTY", "NS", "ve3call", false, "CNTY", "NS", 0,
                    {"WARNING: ve3call in NS is not a valid Alabama county abbreviation."}},
        // Non-Canadian prefixes that start like Canadian ones.
        ResolveCase{selections::kAL, "CNTY", "NS", "CX0CALL", false, "CNTY", "NS", 0,
                    {"WARNING: CX0CALL in NS is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "CNTY", "NS", "XP1CALL", false, "CNTY", "NS", 0,
                    {"WARNING: XP1CALL in NS is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "CNTY", "PEI", "VH1CALL", false, "CNTY", "PEI", 0,
                    {"WARNING: VH1CALL in PEI is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "CNTY", "MB", "CE3CALL", false, "CNTY", "MB", 0,
                    {"WARNING: CE3CALL in MB is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "CNTY", "YT", "XI1CALL", false, "CNTY", "YT", 0,
                    {"WARNING: XI1CALL in YT is not a valid Alabama county abbreviation."}},
        // A Canadian station whose value is not a province: the lookup as usual.
        ResolveCase{selections::kAL, "CNTY", "AUTA", "VE3CALL", false, "CNTY", "AL,Autauga", 1, {}},
        ResolveCase{selections::kAL, "CNTY", "XYZ", "VE3CALL", false, "CNTY", "XYZ", 0,
                    {"WARNING: VE3CALL in XYZ is not a valid Alabama county abbreviation."}},
        // The Canadian prefix of a portable callsign is the one that counts.
        ResolveCase{selections::kAL, "CNTY", "NS", "VE1/N0CALL", false, "CNTY", "NS", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "NS", "VE1CALL/W4", false, "CNTY", "NS", 0,
                    {"WARNING: VE1CALL/W4 in NS is not a valid Alabama county abbreviation."}},
        // A prefix error: the field still converts; the Canadian test is skipped.
        ResolveCase{selections::kAL, "CNTY", "AUTA", "N0CALL/-", false, "CNTY", "AL,Autauga", 1,
                    {"ERROR [2]: Can't determine prefix for N0CALL/-"}},
        ResolveCase{selections::kAL, "CNTY", "NS", "VE3/KH6", false, "CNTY", "NS", 0,
                    {"ERROR [1]: Can't determine prefix for VE3/KH6",
                     "WARNING: VE3/KH6 in NS is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAK, "CNTY", "AUTA", "123", false, "CNTY", "AUTA", 0,
                    {"ERROR [2]: Can't determine prefix for 123", "123: AK is unsupported at this time."}},
        // New England QSO Party and MULTI: Connecticut regions pass silently,
        // in other Selections they draw the warning.
        ResolveCase{selections::kMULTI, "CNTY", "CTCAP", "N0CALL", false, "CNTY", "CTCAP", 0, {}},
        ResolveCase{selections::kNEQP, "CNTY", "CTWES", "N0CALL", false, "CNTY", "CTWES", 0, {}},
        ResolveCase{selections::kMULTI, "CNTY", "CTSOE", kNoCall, false, "CNTY", "CTSOE", 0, {}},
        ResolveCase{selections::kAL, "CNTY", "CTCAP", "N0CALL", false, "CNTY", "CTCAP", 0,
                    {"WARNING: N0CALL in CTCAP is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kNEQP, "CNTY", "CTXXX", "N0CALL", false, "CNTY", "CTXXX", 0,
                    {"WARNING: N0CALL in CTXXX is not a valid New England QSO Party county abbreviation."}},
        ResolveCase{selections::kMULTI, "CNTY", "XYZ", "N0CALL", false, "CNTY", "XYZ", 0,
                    {"WARNING: N0CALL in XYZ is not a valid 7QP/INQP/NEQP/DE county abbreviation."}},
        ResolveCase{selections::kNEQP, "CNTY", "VTADD", "N0CALL", false, "CNTY", "VT,Addison", 1, {}},
        // Selections without tables: two lines.
        ResolveCase{selections::kBC, "CNTY", "AUTA", "N0CALL", false, "CNTY", "AUTA", 0,
                    {"N0CALL: BC is unsupported at this time."}},
        ResolveCase{selections::kNAQP, "CNTY", "AUTA", "N0CALL", false, "CNTY", "AUTA", 0,
                    {"N0CALL: NAQP is unsupported at this time."}},
        ResolveCase{selections::kBC, "CNTY", "MDC", "N0CALL", false, "STATE", "MD", 0,
                    {"N0CALL: BC is unsupported at this time."}},
        ResolveCase{selections::kBC, "CNTY", "DC", "N0CALL", false, "CNTY", "DC", 0,
                    {"N0CALL: DC is not a US state."}},
        ResolveCase{selections::kBC, "CNTY", "NS", "VE7CALL", false, "CNTY", "NS", 0, {}},
        // The MY flag changes only the written names.
        ResolveCase{selections::kPA, "STX_STRING", "EMA", "N0CALL", true, "MY_STATE", "MA", 0, {}},
        ResolveCase{selections::kVA, "APP_WRITELOG_SENT", "ALX", "N0CALL", true, "MY_STATE", "VA", 0,
                    {"N0CALL (own county): ALX is the independent city of Alexandria city, VA (not a county)."}},
        ResolveCase{selections::kMULTI, "APP_N1MM_ROVERCNTY", "NVCAR", "W7XYZ", true, "MY_STATE", "NV", 0,
                    {"W7XYZ (own county): NVCAR is the independent city of Carson City, NV (not a county)."}},
        ResolveCase{selections::kMULTI, "APP_N1MM_ROVERCNTY", "KDE", "W7XYZ", true, "MY_CNTY", "DE,Kent", 1, {}},
        // A Selection without tables says so once per field.
        ResolveCase{selections::kAK, "CNTY", "XYZ", "N0CALL", false, "CNTY", "XYZ", 0,
                    {"N0CALL: AK is unsupported at this time."}},
        // An empty value is no county, and nothing to report.
        ResolveCase{selections::kAL, "CNTY", "", "N0CALL", false, "CNTY", "", 0, {}}));

// Every Canadian prefix class with every province code that is not a
// Selection code and every alias: unchanged, no message. The same values
// from US stations go through the lookup and draw the warning.
TEST(ResolveCanadian, EveryClassEveryProvinceAndAlias) {
    const std::vector<std::string> canadianPrefixes = {
        "CF", "CG", "CH", "CI", "CJ", "CK", "CY", "CZ", "VA", "VB", "VC", "VD",
        "VE", "VF", "VG", "VO", "VX", "VY", "XJ", "XK", "XL", "XM", "XN", "XO"};
    std::vector<std::string> values;
    for (const std::string_view code : CanadianProvinceCodes())
        if (code != "ON" && code != "QC" && code != "BC") values.emplace_back(code);
    for (const CanadianAlias& alias : CanadianAliases()) values.emplace_back(alias.alias);
    ASSERT_EQ(values.size(), 10u + 15u);
    for (const std::string& value :
         {std::string("NS"), std::string("MB"), std::string("SK"), std::string("AB"), std::string("NT"),
          std::string("NB"), std::string("NL"), std::string("YT"), std::string("PE"), std::string("NU"),
          std::string("PEI"), std::string("ONT"), std::string("QUE"), std::string("NF"), std::string("YU")})
        EXPECT_NE(std::find(values.begin(), values.end(), value), values.end()) << value;

    for (const std::string& prefix : canadianPrefixes) {
        for (const std::string& value : values) {
            for (const std::string& call : {prefix + "3ABC", prefix + "1A/P", "N0CALL/" + prefix + "2"}) {
                QsoField field{"CNTY", value};
                RunReport report;
                EXPECT_EQ(Resolve(field, selections::kAL, call, false, report), 0) << call << ' ' << value;
                EXPECT_EQ(field.name, "CNTY");
                EXPECT_EQ(field.value, value);
                EXPECT_TRUE(report.countyProblems.empty()) << call << ' ' << value;
            }
        }
    }
    for (const std::string call : {"N0CALL", "CX0CALL", "XP1CALL", "VK2ABC", "CA3ABC", "XE1ABC", "K"}) {
        for (const std::string& value : values) {
            QsoField field{"CNTY", value};
            RunReport report;
            EXPECT_EQ(Resolve(field, selections::kAL, call, false, report), 0);
            EXPECT_EQ(field.name, "CNTY");
            EXPECT_EQ(field.value, value);
            EXPECT_EQ(test::Rows(report.countyProblems),
                      Messages{"WARNING: " + call + " in " + value +
                               " is not a valid Alabama county abbreviation."});
        }
    }
}

// Without a callsign, "(no call)" stands in its place; no prefix step.
INSTANTIATE_TEST_SUITE_P(
    NoCall, ResolveExamples,
    ::testing::Values(
        ResolveCase{selections::kAL, "CNTY", "AUTA", kNoCall, false, "CNTY", "AL,Autauga", 1, {}},
        ResolveCase{selections::kAL, "CNTY", "XYZQ", kNoCall, false, "CNTY", "XYZQ", 0,
                    {"WARNING: (no call) in XYZQ is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kVA, "CNTY", "ALX", kNoCall, false, "STATE", "VA", 0,
                    {"(no call): ALX is the independent city of Alexandria city, VA (not a county)."}},
        ResolveCase{selections::kAK, "CNTY", "AUTA", kNoCall, false, "CNTY", "AUTA", 0,
                    {"(no call): AK is unsupported at this time."}},
        ResolveCase{selections::kAL, "CNTY", "DC", kNoCall, false, "CNTY", "DC", 0,
                    {"(no call): DC is not a US state.",
                     "WARNING: (no call) in DC is not a valid Alabama county abbreviation."}},
        // Without a callsign a province cannot be told to be Canadian.
        ResolveCase{selections::kAL, "CNTY", "NS", kNoCall, false, "CNTY", "NS", 0,
                    {"WARNING: (no call) in NS is not a valid Alabama county abbreviation."}},
        // A CALL field with an empty value counts as no callsign.
        ResolveCase{selections::kAL, "CNTY", "XYZQ", "", false, "CNTY", "XYZQ", 0,
                    {"WARNING: (no call) in XYZQ is not a valid Alabama county abbreviation."}},
        ResolveCase{selections::kAL, "CNTY", "AUTA", "", false, "CNTY", "AL,Autauga", 1, {}}));

class ResolveTest : public ::testing::Test {};

TEST_F(ResolveTest, FieldWithoutValueIsLeftAlone) {
    QsoField field{"CNTY", std::nullopt};
    RunReport report;
    EXPECT_EQ(Resolve(field, selections::kAL, std::string_view("N0CALL"), false, report), 0);
    EXPECT_EQ(field.name, "CNTY");
    EXPECT_FALSE(field.value.has_value());
    EXPECT_TRUE(report.countyProblems.empty());
}

TEST_F(ResolveTest, MessagesGoAfterEarlierOnes) {
    RunReport report;
    report.countyProblems.Unlabelled(MessageKind::Info, "earlier");
    QsoField field{"CNTY", "DC"};
    Resolve(field, selections::kAL, std::string_view("N0CALL"), false, report);
    EXPECT_EQ(test::Rows(report.countyProblems),
              (Messages{"earlier", "N0CALL: DC is not a US state.",
                        "WARNING: N0CALL in DC is not a valid Alabama county abbreviation."}));
}

// No message is cut to a buffer size.
TEST_F(ResolveTest, LongCallsignsAndValuesAreNotTruncated) {
    // The shorter part "-1-1..." has no letter: prefix error 2.
    std::string call = "N0" + std::string(300, 'X') + "/";
    for (int i = 0; i < 100; ++i) call += "-1";
    const std::string value = std::string(500, 'Q');
    QsoField field{"CNTY", value};
    RunReport report;
    EXPECT_EQ(Resolve(field, selections::kAL, std::string_view(call), false, report), 0);
    EXPECT_EQ(field.value, value);
    EXPECT_EQ(test::Rows(report.countyProblems),
              (Messages{"ERROR [2]: Can't determine prefix for " + call,
                        "WARNING: " + call + " in " + value + " is not a valid Alabama county abbreviation."}));
}

TEST_F(ResolveTest, CallsignOfAMillionSlashes) {
    const std::string call(1'000'000, '/');
    QsoField field{"CNTY", "AUTA"};
    RunReport report;
    EXPECT_EQ(Resolve(field, selections::kAL, std::string_view(call), false, report), 1);
    EXPECT_EQ(field.value, "AL,Autauga");
    EXPECT_EQ(test::Rows(report.countyProblems), Messages{"ERROR [2]: Can't determine prefix for " + call});
}

// Every county abbreviation of the Alabama table converts, for CNTY and MY_CNTY.
TEST_F(ResolveTest, EveryAlabamaRowConverts) {
    for (const AbbrevEntry& row : GetAbbrevTable(TableId::Alabama).rows) {
        for (const bool my : {false, true}) {
            QsoField field{"QTH", row.abbreviation};
            RunReport report;
            ASSERT_EQ(Resolve(field, selections::kAL, std::string_view("N0CALL"), my, report), 1) << row.abbreviation;
            const GazetteerRow* county = FindCounty(row.countyId);
            ASSERT_NE(county, nullptr);
            EXPECT_EQ(field.name, my ? "MY_CNTY" : "CNTY");
            EXPECT_EQ(field.value, std::string(county->stateCode) + "," + std::string(county->countyName));
            EXPECT_TRUE(report.countyProblems.empty());
        }
    }
}

} // namespace
} // namespace shirl
