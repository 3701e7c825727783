// The browser page's bridge: lists by party with the Selection from the log,
// faults before the run, and the JSON text the page decodes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "web/json_text.h"
#include "web/web_convert.h"

namespace shirl::web {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLog =
    "SD party\n<EOH>\n<CALL:5>K0OGL <QSO_DATE:8>20240907 <TIME_ON:4>1400 <BAND:3>40m <MODE:2>CW "
    "<CONTEST_ID:12>SD-QSO-PARTY <CTY:4>OGLA <EOR>\n";
constexpr const char* kList = "abbreviation,state,county\nOGLA,SD,Shannon\n";

struct Case {
    const char* what;
    const char* selection;
    std::vector<std::string> lists;  // written with kList, "bad.csv" with a damaged row
    const char* expected;            // the error's start, or a report row's start
    bool listFault = false;          // the error stops a whole batch
};

// The page's files lie in the current folder: the test's folder meanwhile.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : m_previous(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

TEST(WebConvert, ListsAndFaults) {
    const Case cases[] = {
        {"a party's list with its party from the log", "auto", {"SD.csv"}, "INFO: Using abbreviation list SD.csv"},
        {"a list named after no party", "auto", {"mine.csv"}, "ERROR: Abbreviation list mine.csv: with the Selection", true},
        {"a damaged list names its line", "SD", {"bad.csv"}, "ERROR: Abbreviation list bad.csv, line 3", true},
        {"no Selection, told before any list is read", "", {"bad.csv"}, "ERROR: You must select a state or QSO Party."},
    };
    const test::TempDir dir;
    const InFolder inDir(dir.path());
    ASSERT_TRUE(test::WriteFile(dir / "party.adi", kLog));
    ASSERT_TRUE(test::WriteFile(dir / "SD.csv", kList));
    ASSERT_TRUE(test::WriteFile(dir / "mine.csv", kList));
    ASSERT_TRUE(test::WriteFile(dir / "bad.csv", std::string(kList) + "JKSN,SD\n"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WebConvertResult result = WebConvert({"party.adi", c.selection, true, c.lists, false});
        const std::string expected = c.expected;
        if (expected.starts_with("ERROR")) {
            ASSERT_TRUE(result.error);
            EXPECT_EQ(result.error->substr(0, expected.size()), expected);
            EXPECT_EQ(result.outputName, "");
            EXPECT_EQ(result.map, "");
            EXPECT_EQ(result.listFault, c.listFault);
        } else {
            ASSERT_FALSE(result.error) << *result.error;
            EXPECT_EQ(result.outputName, "party-converted.adi");
            ASSERT_GE(result.rows.size(), 2u);
            EXPECT_EQ(result.rows[1].printed.substr(0, expected.size()), expected);
            EXPECT_NE(test::ReadFile(dir / "party-converted.adi").find("<CNTY:10>SD,Shannon"), std::string::npos);
            EXPECT_EQ(result.mapName, "party-converted-map.svg");
            EXPECT_NE(result.map.find("<title>South Dakota QSO Party: 1 of "), std::string::npos);
        }
    }
    EXPECT_EQ(WebDetect("party.adi").code, "SD");
}

// What a chosen file holds, told before any State is picked.
TEST(WebConvert, DetectsKindAndParty) {
    const struct {
        const char* content;
        const char* kind;
        const char* code;
        const char* fault;        // Convert's word on it, after "ERROR: file"
        const char* logbookFault; // Fill's word on it as the logbook, after "ERROR: file"
    } cases[] = {
        {kLog, "adif", "SD", "", ""},
        {"START-OF-LOG: 3.0\nCONTEST: FL-QSO-PARTY\nQSO: 14035 CW 2025-04-26 1400 K4XX 599 PIN W1AW 599 MA\n",
         "cabrillo", "FL", "", " is not an ADIF log."},
        {"", "none", "", " is neither an ADIF log nor a Cabrillo log.", " is not an ADIF log."},
        {"\x89PNG\r\n\x1a\n picture bytes", "none", "", " is neither an ADIF log nor a Cabrillo log.",
         " is not an ADIF log."},
        {"\xFF\xFE<\0C\0", "utf16", "", " is saved as UTF-16 text; save it as UTF-8 and convert it again.",
         " is not an ADIF log."},
        {"<CALL:4>W1AW <EOR>\n", "adif", "", "", ""},
        {"A logbook with no records yet\n<EOH>\n", "adif", "", "", ""},
    };
    const test::TempDir dir;
    const InFolder inDir(dir.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        ASSERT_TRUE(test::WriteFile(dir / "file", c.content));
        const WebDetection detected = WebDetect("file");
        EXPECT_EQ(detected.kind, c.kind);
        EXPECT_EQ(detected.code, c.code);
        const auto said = [](const char* text) { return *text ? "ERROR: file" + std::string(text) : std::string(); };
        EXPECT_EQ(detected.fault, said(c.fault));
        EXPECT_EQ(detected.logbookFault, said(c.logbookFault));
    }
}

// Two logs of one batch that would download under one name: the later ones
// are numbered, and their maps and reports take the numbered name.
TEST(WebConvert, NumbersOutputNamesTakenInTheBatch) {
    const test::TempDir dir;
    const InFolder inDir(dir.path());
    ASSERT_TRUE(test::WriteFile(dir / "party.adi", kLog));
    const struct {
        std::vector<std::string> taken;
        const char* output;
        const char* map;
        const char* report;
    } cases[] = {
        {{}, "party-converted.adi", "party-converted-map.svg", "party-converted-report.txt"},
        {{"party-converted.adi"}, "party-converted-2.adi", "party-converted-2-map.svg", "party-converted-2-report.txt"},
        {{"party-converted.adi", "party-converted-2.adi"}, "party-converted-3.adi", "party-converted-3-map.svg",
         "party-converted-3-report.txt"},
    };
    for (const auto& c : cases) {
        WebConvertRequest request{"party.adi", "SD", true, {}, false};
        request.taken = c.taken;
        const WebConvertResult result = WebConvert(request);
        ASSERT_FALSE(result.error) << *result.error;
        EXPECT_EQ(result.outputName, c.output);
        EXPECT_EQ(result.mapName, c.map);
        EXPECT_EQ(result.reportName, c.report);
        EXPECT_TRUE(fs::exists(dir / c.output));
    }
    EXPECT_EQ(NumberedName("party", 2), "party-2");
    EXPECT_EQ(NumberedName(".log", 2), ".log-2");
}

TEST(WebConvert, JsonStrings) {
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a \"b\" \\c"), "\"a \\\"b\\\" \\\\c\"");
    EXPECT_EQ(JsonString(std::string("\t\r\n\x01\x7f", 5)), "\"\\u0009\\u000d\\u000a\\u0001\\u007f\"");
    EXPECT_EQ(JsonString("\xc3\xa9\xff"), "\"\xc3\xa9\xff\"");  // bytes as they are; the page decodes UTF-8
}

} // namespace
} // namespace shirl::web
