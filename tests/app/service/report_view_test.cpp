// The report as the windows show, copy and save it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/service/report_view.h"

using namespace shirl;

namespace {

struct ListCase {
    const char* label;
    std::vector<std::string> rows;
    std::vector<std::string> shown;
    std::vector<std::string> printed;
};

} // namespace

TEST(ReportView, EntriesReadAsRowsByKind) {
    using K = MessageKind;
    const std::vector<std::pair<ReportMessage, std::string>> cases = {
        {{K::Info, "x"}, "INFO: x"},
        {{K::Warning, "x"}, "WARNING: x"},
        {{K::Error, "x"}, "ERROR: x"},
        {{K::Error, "x", false, 2}, "ERROR [2]: x"},
        {{K::Summary, "x", true, 0, false}, "x"},
        {{K::Warning, "x", false, 0, false}, "x"},
        // One row whatever the text holds: line breaks shown as \r and \n, other bytes as they are.
        {{K::Info, "a\r\nb\nc\td\\n\x01"}, "INFO: a\\r\\nb\\nc\td\\n\x01"},
    };
    for (const auto& [message, row] : cases) EXPECT_EQ(ReportRowText(message), row) << row;

    // Each list that has entries, then an empty row; a blank before an entry that asks for one.
    RunReport report;
    report.progress.Info("a");
    report.progress.Summary("b", true);
    report.inputProblems.Error("c");
    EXPECT_EQ(ReportRows(report), (std::vector<std::string>{"INFO: a", "", "b", "", "ERROR: c", ""}));
    EXPECT_TRUE(ReportRows(RunReport{}).empty());
}

// Every kind of fault reads as a line of its own: labelled once, ending
// its sentence, told apart from every other kind, and naming the file or
// values it is about wherever its text takes them.
TEST(ReportView, EveryFaultReadsAsOneLineOfItsOwn) {
    std::set<std::string> texts;
    for (int k = 0; k <= static_cast<int>(FaultKind::DroppedOther); ++k) {
        const auto kind = static_cast<FaultKind>(k);
        const std::string bare = FaultText({kind});
        const std::string full = FaultText({kind, "subject.adi", "7QP, NEQP"});
        SCOPED_TRACE(full);
        EXPECT_TRUE(full.starts_with("ERROR: "));
        EXPECT_EQ(full.find("ERROR:", 1), std::string::npos);
        EXPECT_EQ(full.find('\n'), std::string::npos);
        EXPECT_TRUE(full.ends_with("."));
        EXPECT_TRUE(texts.insert(bare).second) << "two kinds read alike";
        if (full != bare) {
            EXPECT_TRUE(full.find("subject.adi") != std::string::npos || full.find("7QP, NEQP") != std::string::npos);
        }
    }
    // The texts that put a subject or a detail into a sentence.
    using K = FaultKind;
    const std::vector<std::pair<Fault, std::string>> composed = {
        {{K::NotALog, "notes.txt"}, "ERROR: notes.txt is neither an ADIF log nor a Cabrillo log."},
        {{K::PartyUnknown, "", "7QP, AL-QSO-PARTY"},
         "ERROR: Could not tell the QSO party from the log's CONTEST_ID (found: 7QP, AL-QSO-PARTY)."},
        {{K::ListFaulty, "SD.csv", "line 3: empty abbreviation"},
         "ERROR: Abbreviation list SD.csv, line 3: empty abbreviation."},
        {{K::MapUnwritable}, "ERROR: Could not write map file."},
        {{K::MapUnwritable, "out-map.svg"}, "ERROR: Could not write map file out-map.svg."},
        {{K::NoMapOfSelection, "Ontario"}, "ERROR: No map: Ontario is not on the map of US counties; no map file written."},
    };
    for (const auto& [fault, text] : composed) EXPECT_EQ(FaultText(fault), text);
}

TEST(ReportView, RowsBecomeListRowsOfOneLineWithVisibleText) {
    const std::vector<ListCase> cases = {
        {"plain row", {"Wrote 14 QSOs to out.adi"}, {"Wrote 14 QSOs to out.adi"}, {"Wrote 14 QSOs to out.adi"}},
        {"leading line feed",
         {"INFO: x", "\nConverted 11 Alabama counties.", "Wrote 1 QSOs"},
         {"INFO: x", "", "Converted 11 Alabama counties.", "Wrote 1 QSOs"},
         {"INFO: x", "", "Converted 11 Alabama counties.", "Wrote 1 QSOs"}},
        {"empty row", {""}, {""}, {""}},
        {"only line feeds", {"\n\n"}, {"", "", ""}, {"", "", ""}},
        {"line feed inside", {"a\nb"}, {"a", "b"}, {"a", "b"}},
        {"tab and carriage return", {"x\ty\r\nz"}, {"x y ", "z"}, {"x\ty\r", "z"}},
        {"other controls", {std::string("a\0b\x1b\x7f" "c", 6)}, {"a b  c"}, {std::string("a\0b\x1b\x7f" "c", 6)}},
        {"UTF-8 kept", {"Ni\xc3\xb1o"}, {"Ni\xc3\xb1o"}, {"Ni\xc3\xb1o"}},
        {"no rows", {}, {}, {}},
    };
    for (const ListCase& c : cases) {
        const auto list = ReportListRows(c.rows);
        std::vector<std::string> printed;
        for (const auto& row : list) printed.push_back(row.printed);
        EXPECT_EQ(ShownTexts(list), c.shown) << c.label;
        EXPECT_EQ(printed, c.printed) << c.label;
    }
}

TEST(ReportView, TextIsWhatTheCommandLinePrintsAndAllListRowsGiveTheSame) {
    const std::vector<std::vector<std::string>> reports = {
        {"INFO: Changed callsign W4JKL/BALD to W4JKL/M", "\nConverted 11 Alabama counties.", "Wrote 14 QSOs to o",
         ""},
        {"a\tb", "", "c\r", ""},
        {},
    };
    EXPECT_EQ(ReportText(reports[0]),
              "INFO: Changed callsign W4JKL/BALD to W4JKL/M\n\nConverted 11 Alabama counties.\nWrote 14 QSOs to o\n\n");
    EXPECT_EQ(ReportText(reports[2]), "");
    for (const auto& rows : reports) {
        const auto list = ReportListRows(rows);
        std::vector<int> all;
        for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) all.push_back(i);  // any order
        EXPECT_EQ(ListRowsText(list, all), ReportText(rows));
    }
}

TEST(ReportView, SelectedRowsAreCopiedInListOrderOnceEach) {
    const auto list = ReportListRows({"one", "\ntwo", "th\tree"});
    struct Case {
        std::vector<int> indices;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{2}, "two\n"},        {{3, 0}, "one\nth\tree\n"}, {{1, 1, 2}, "\ntwo\n"},
        {{-1, 4, 99}, ""},     {{}, ""},                   {{0, 7}, "one\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ListRowsText(list, c.indices), c.text) << c.text;
}
