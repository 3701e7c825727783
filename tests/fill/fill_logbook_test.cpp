// Filling a logbook: the call, band and mode keys, the pairing rule, the
// logbook read back byte for byte, and a table of match cases through the
// two passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "convert/convert_log.h"
#include "data/selections.h"
#include "fill/contest_qsos.h"
#include "fill/fill_logbook.h"
#include "fill/pairing.h"
#include "fill/qso_facts.h"
#include "fill/record_scanner.h"

namespace shirl {
namespace {

TEST(FillKeys, CallsBandsAndModeFamilies) {
    const struct {
        const char* call;
        const char* key;
    } calls[] = {{"k1abc", "K1ABC"},    {"KH6/K1ABC", "K1ABC"}, {"K1ABC/M", "K1ABC"}, {"K1ABC/P", "K1ABC"},
                 {"K1ABC/4", "K1ABC"},  {"K1ABC/AUT", "K1ABC"}, {"KH6/W1A", "W1A"},   {"VE3/W1AW/QRP", "W1AW"},
                 {"W4JKL/BALD", "W4JKL"}, {"", ""},             {"QRZ", ""},          {"//", ""}};
    for (const auto& c : calls) EXPECT_EQ(CallKey(c.call), c.key) << c.call;

    EXPECT_EQ(BandOfQso("20M", "7.040"), "20m"); // BAND wins
    EXPECT_EQ(BandOfQso("", "7.040100"), "40m");
    EXPECT_EQ(BandOfQso("", "14"), "20m");
    EXPECT_EQ(BandOfQso("", "abc"), "");

    const struct {
        const char* mode;
        const char* submode;
        const char* family;
    } modes[] = {{"CW", "", "CW"},         {"ssb", "", "PHONE"}, {"USB", "", "PHONE"}, {"FM", "", "PHONE"},
                 {"PH", "", "PHONE"},      {"RTTY", "", "DATA"}, {"RY", "", "DATA"},   {"DG", "", "DATA"},
                 {"FT8", "", "DATA"},      {"MFSK", "FT4", "DATA"}, {"DATA", "", "DATA"},
                 {"NEWMODE", "FT4", "DATA"}, {"NEWMODE", "", "NEWMODE"}, {"", "USB", ""}};
    for (const auto& m : modes) EXPECT_EQ(ModeFamilyOfQso(m.mode, m.submode), m.family) << m.mode;
}

TEST(FillPairing, NearestFirstEachOnceTiesLeftOut) {
    const struct {
        const char* what;
        std::vector<Candidate> candidates;
        std::size_t qsos;
        std::vector<std::pair<std::int64_t, std::size_t>> pairs; // record, qso
        std::vector<std::size_t> ambiguous;
    } cases[] = {
        {"one pair", {{0, 0, 30}}, 1, {{0, 0}}, {}},
        {"the nearer record wins", {{0, 0, 300}, {1, 0, 20}}, 1, {{1, 0}}, {}},
        {"a mobile worked twice from two counties", {{0, 0, 5}, {1, 1, 0}, {0, 1, 240}, {1, 0, 235}}, 2,
         {{0, 0}, {1, 1}}, {}},
        {"two records equally near: neither", {{0, 0, 60}, {1, 0, 60}}, 1, {}, {0}},
        {"a record equally near two QSOs: neither", {{0, 0, 60}, {0, 1, 60}}, 2, {}, {0, 1}},
        {"a tied record out, the QSO takes another", {{0, 0, 60}, {0, 1, 60}, {1, 1, 90}}, 2, {{1, 1}}, {0}},
        {"a tie behind a taken pair counts not", {{0, 0, 0}, {1, 0, 60}, {2, 0, 60}}, 1, {{0, 0}}, {}},
    };
    for (const auto& c : cases) {
        const Pairing pairing = PairCandidates(c.candidates, c.qsos);
        std::vector<std::pair<std::int64_t, std::size_t>> pairs;
        for (const Candidate& p : pairing.pairs) pairs.emplace_back(p.record, p.qso);
        EXPECT_EQ(pairs, c.pairs) << c.what;
        EXPECT_EQ(pairing.ambiguous, c.ambiguous) << c.what;
    }
}

// Every byte of the input comes back from the pieces, whatever the input.
TEST(FillScanner, PiecesAreTheWholeInput) {
    const std::string inputs[] = {
        "",
        "header text <adif_ver:5>3.1.4\r\n<EOH>\r\n<CALL:4>W1AW <EOR>\r\n<CALL:4>K1AB\r\n<eor>\r\ntrailing",
        "<CALL:4>W1AW<EOR><CALL:4>K1AB <EOR>",
        "<CALL:4>W1AW <COMMENT:3>a<b <bad tag> <x:zz>y <EOR>\n<CALL:99>short",
        "< <<< <CALL:2>AB <EOR> no record end",
        std::string("<CALL:3>A\0B <NAME:10>Ju\xC3\xA1n Mu\xC3\xB1oz <EOR>\n", 40),
    };
    for (const std::string& input : inputs) {
        for (const std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{7}}) {
            MemorySource source(input, true, chunk);
            RecordScanner scanner(source);
            std::string back;
            for (RecordScanner::Piece piece; (piece = scanner.Next()) != RecordScanner::Piece::End;)
                back.append(scanner.Bytes());
            EXPECT_EQ(back, input) << input;
        }
    }
}

// A converted contest log of one QSO: CALL, date, time, band, mode and counties.
std::string ContestRecord(const std::string& fields) { return fields + " <EOR>\n"; }

struct FillRun {
    std::string output;
    std::vector<std::string> rows;
    FillResult result;
};

FillRun Fill(const std::string& contest, const std::string& logbook, CountyLines lines = CountyLines::Copies) {
    MemorySource contestSource(contest);
    const ContestQsos qsos = ReadContestQsos(contestSource);
    MemorySource logbookSource(logbook);
    StringSink sink;
    RunReport report;
    FillRun run;
    run.result = FillLogbook(qsos, logbookSource, sink, FillOptions{600, lines}, "out.adi", report);
    run.output = sink.str();
    for (const ReportMessage& message : report.progress.OldestFirst()) run.rows.push_back(message.text);
    return run;
}

bool HasRow(const FillRun& run, const std::string& start) {
    for (const std::string& row : run.rows)
        if (row.starts_with(start)) return true;
    return false;
}

constexpr const char* kQso = "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW ";
constexpr const char* kJefferson = "<CNTY:12>AL,Jefferson <STATE:2>AL";

TEST(FillMatch, CasesOfOneQsoAndItsLogbook) {
    const struct {
        const char* what;
        std::string contest;
        std::string logbook;
        std::string expected; // the whole output
        std::int64_t matched, filled;
        const char* row; // a report row that starts so, or ""
    } cases[] = {
        {"seconds apart, other fields kept", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>140217 <BAND:3>20M <MODE:2>CW <NAME:3>Bob <EOR>\n",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>140217 <BAND:3>20M <MODE:2>CW <NAME:3>Bob "
         "<CNTY:12>AL,Jefferson <STATE:2>AL <EOR>\n",
         1, 1, ""},
        {"minutes apart, FREQ for the band, CR LF", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>k4xyz\r\n<QSO_DATE:8>20240601\r\n<TIME_ON:4>1409\r\n<FREQ:6>14.035\r\n<MODE:2>CW\r\n<EOR>\r\n",
         "<CALL:5>k4xyz\r\n<QSO_DATE:8>20240601\r\n<TIME_ON:4>1409\r\n<FREQ:6>14.035\r\n<MODE:2>CW\r\n"
         "<CNTY:12>AL,Jefferson\r\n<STATE:2>AL\r\n<EOR>\r\n",
         1, 1, ""},
        {"beyond the window", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1413 <BAND:3>20m <MODE:2>CW <EOR>\n",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1413 <BAND:3>20m <MODE:2>CW <EOR>\n", 0, 0,
         "Not in the logbook: K4XYZ 2024-06-01 14:02 20m CW"},
        {"a /M call", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:7>K4XYZ/M <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW<EOR>",
         "<CALL:7>K4XYZ/M <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW "
         "<CNTY:12>AL,Jefferson <STATE:2>AL<EOR>",
         1, 1, ""},
        {"another band", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>40m <MODE:2>CW <EOR>\n",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>40m <MODE:2>CW <EOR>\n", 0, 0,
         "Not in the logbook:"},
        {"phone and a voice mode are one family",
         ContestRecord("<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:3>SSB " +
                       std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>FM <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>FM <CNTY:12>AL,Jefferson "
         "<STATE:2>AL <EOR>",
         1, 1, ""},
        {"CW and phone are not",
         ContestRecord("<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:3>SSB " +
                       std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <EOR>", 0, 0,
         "Not in the logbook:"},
        {"two records equally near", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1401 <BAND:3>20m <MODE:2>CW <EOR>\n"
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1403 <BAND:3>20m <MODE:2>CW <EOR>\n",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1401 <BAND:3>20m <MODE:2>CW <EOR>\n"
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1403 <BAND:3>20m <MODE:2>CW <EOR>\n",
         0, 0, "Ambiguous: K4XYZ 2024-06-01 14:02 20m CW: equally near records at logbook lines 1, 2"},
        {"the same CNTY already there", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <CNTY:12>AL,Jefferson <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <CNTY:12>AL,Jefferson <EOR>",
         1, 0, "1 matched record held the county already."},
        {"no county in the contest log", ContestRecord(kQso + std::string("<STATE:2>ON")),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <EOR>", 1, 0,
         "1 matched contest QSO has no county in the contest log."},
        {"another CNTY already there", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <CNTY:9>AL,Shelby <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <CNTY:9>AL,Shelby <EOR>", 1, 0,
         "Disagrees: K4XYZ 2024-06-01 14:02 20m CW (logbook line 1): the logbook's CNTY AL,Shelby differs"},
        {"a STATE that disagrees", ContestRecord(kQso + std::string(kJefferson)),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <STATE:2>GA <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <STATE:2>GA <EOR>", 1, 0,
         "Disagrees: K4XYZ 2024-06-01 14:02 20m CW (logbook line 1): the logbook's STATE GA disagrees"},
        {"the operator's own county, STATE already there",
         ContestRecord(kQso + std::string(kJefferson) + " <MY_CNTY:10>AL,Autauga <MY_STATE:2>AL"),
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <STATE:2>AL <EOR>",
         "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW <STATE:2>AL "
         "<CNTY:12>AL,Jefferson <MY_CNTY:10>AL,Autauga <MY_STATE:2>AL <EOR>",
         1, 1, ""},
    };
    for (const auto& c : cases) {
        const FillRun run = Fill(c.contest, c.logbook);
        EXPECT_EQ(run.output, c.expected) << c.what;
        EXPECT_EQ(run.result.matched, c.matched) << c.what;
        EXPECT_EQ(run.result.filled, c.filled) << c.what;
        if (*c.row) {
            EXPECT_TRUE(HasRow(run, c.row)) << c.what << "\n" << ::testing::PrintToString(run.rows);
        }
    }
}

TEST(FillMatch, LineQsoCopiesOrUsacaCounties) {
    const std::string contest = ContestRecord(
        "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>235959 <BAND:3>20m <MODE:2>CW " + std::string(kJefferson));
    const std::string line = ContestRecord("<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>235959 <BAND:3>20m "
                                           "<MODE:2>CW <CNTY:12>AL,Jefferson <USACA_COUNTIES:22>AL,Jefferson:AL,Shelby");
    const std::string logbook = "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>235959 <BAND:3>20m <MODE:2>CW "
                                "<QSL_SENT:1>Y <LOTW_QSL_RCVD:1>Y <eqsl_qsl_sent:1>Y <HAMQTH_QSO_UPLOAD_STATUS:1>Y "
                                "<NAME:3>Bob <EOR>\n";
    const std::string filled = "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>235959 <BAND:3>20m <MODE:2>CW "
                               "<QSL_SENT:1>Y <LOTW_QSL_RCVD:1>Y <eqsl_qsl_sent:1>Y <HAMQTH_QSO_UPLOAD_STATUS:1>Y "
                               "<NAME:3>Bob <CNTY:12>AL,Jefferson <STATE:2>AL";
    EXPECT_EQ(Fill(contest, logbook).output, filled + " <EOR>\n");

    // Two QSO lines of one contact at one time are one QSO on a county line.
    const std::string twoLines = contest + ContestRecord("<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:6>235959 "
                                                         "<BAND:3>20m <MODE:2>CW <CNTY:9>AL,Shelby <STATE:2>AL");
    for (const std::string& given : {line, twoLines}) {
        const FillRun copies = Fill(given, logbook);
        EXPECT_EQ(copies.output, filled + " <EOR>\n" +
                                     "<CALL:5>K4XYZ <QSO_DATE:8>20240602 <TIME_ON:6>000000 <BAND:3>20m <MODE:2>CW "
                                     "<NAME:3>Bob <CNTY:9>AL,Shelby <STATE:2>AL <EOR>\n");
        EXPECT_EQ(copies.result.lineRecords, 1);
        EXPECT_EQ(copies.result.written, 2);
    }
    const FillRun usaca = Fill(line, logbook, CountyLines::Usaca);
    EXPECT_EQ(usaca.output, filled + " <USACA_COUNTIES:22>AL,Jefferson:AL,Shelby <EOR>\n");
    EXPECT_EQ(usaca.result.lineRecords, 0);
}

// The converter's one-record form of a county line.
TEST(CountyLinesUsaca, OneRecordWithAllCounties) {
    const std::string log = "<CALL:5>K4XYZ <QSO_DATE:8>20240601 <TIME_ON:4>1402 <BAND:3>20m <MODE:2>CW "
                            "<CNTY:9>AUTA/JEFF <APP_N1MM_ROVERCNTY:4>SHEL <APP_WRITELOG_SENT:4>BIBB <EOR>\n";
    for (const CountyLines form : {CountyLines::Copies, CountyLines::Usaca}) {
        MemorySource input(log);
        StringSink output;
        RunReport report;
        const ConvertLogResult result = ConvertLogDetailed(input, output, selections::kAL, true, std::nullopt, report,
                                                           nullptr, form);
        const std::string& text = output.str();
        if (form == CountyLines::Copies) {
            EXPECT_EQ(result.qsosWritten, 2);
            EXPECT_EQ(text.find("USACA_COUNTIES"), std::string::npos);
            continue;
        }
        EXPECT_EQ(result.qsosWritten, 1);
        EXPECT_EQ(result.countyLineCopies, 0);
        EXPECT_EQ(result.countyQsos.size(), 2u) << "both counties count as worked";
        EXPECT_NE(text.find("<CNTY:10>AL,Autauga <STATE:2>AL <USACA_COUNTIES:23>AL,Autauga:AL,Jefferson"),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("<MY_CNTY:9>AL,Shelby <MY_STATE:2>AL <MY_USACA_COUNTIES:17>AL,Shelby:AL,Bibb"),
                  std::string::npos)
            << text;
        EXPECT_EQ(text.find("AL,Jefferson <STATE"), std::string::npos) << "no second CNTY";
    }
}

} // namespace
} // namespace shirl
