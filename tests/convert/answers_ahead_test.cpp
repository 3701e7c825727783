// County answers worked out ahead: the conversion takes the answer asked
// ahead for each question it asks, and asks anew where the question
// changed or was not asked ahead.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "convert/answers_ahead.h"
#include "convert/convert_qso.h"
#include "data/selections.h"

namespace shirl {
namespace {

// Each record is asked about ahead as the reading thread asks, each answer
// ahead is then marked (a county no table has), and the written records
// show how many marked answers the conversion took.
TEST(AnswersAhead, TheConversionTakesTheAnswersToItsOwnQuestions) {
    struct Case {
        const char* label;
        std::vector<const char*> fields; // "NAME=value"
        std::size_t asked;               // answers worked out ahead
        std::size_t taken;               // of them, those the conversion took
    };
    const std::vector<Case> cases = {
        {"county field", {"CALL=N0XYZ", "BAND=20M", "MODE=CW", "APP_N1MM_EXCHANGE1=AUT"}, 1, 1},
        {"QTH with the record's STATE", {"CALL=N0XYZ", "BAND=20M", "MODE=CW", "QTH=AUT", "STATE=AL"}, 1, 1},
        {"own county, CALL after it", {"APP_N1MM_ROVERCNTY=BLO", "CALL=N0XYZ", "BAND=20M", "MODE=CW"}, 1, 1},
        {"exchanges' words", {"CALL=N0XYZ", "BAND=20M", "MODE=CW", "SRX_STRING=599 AUT", "STX_STRING=5NN FAY"}, 2, 2},
        {"a serial number asks nothing", {"CALL=N0XYZ", "BAND=20M", "MODE=CW", "SRX=12"}, 0, 0},
        {"a county line is split first", {"CALL=N0XYZ", "BAND=20M", "MODE=CW", "CNTY=AUT/BLO"}, 0, 0},
        {"the callsign loses its county suffix", {"CALL=N0XYZ/AUT", "BAND=20M", "MODE=CW", "CNTY=AUT"}, 1, 0},
    };
    const Selection alabama = FindSelectionByCode("AL").value_or(Selection());
    for (const Case& c : cases) {
        QsoFields fields;
        for (const std::string_view text : c.fields) {
            const std::size_t eq = text.find('=');
            fields.push_back({text.substr(0, eq), text.substr(eq + 1), ClassifyFieldName(text.substr(0, eq))});
        }
        fields.push_back({"EOR", std::nullopt, FieldKind::Other});

        RecordQuestions questions(alabama, nullptr);
        for (std::size_t i = 0; i < fields.size(); ++i)
            questions.Field(i, fields[i].kind, fields[i].name, fields[i].value);
        AnswersAhead notes;
        questions.Answer(notes);
        const std::span<AnswerAhead> ahead = notes.NextRecord();
        EXPECT_EQ(ahead.size(), c.asked) << c.label;
        for (AnswerAhead& a : ahead) {
            a.answer.kind = CountyAnswer::Kind::County;
            a.answer.value = "AL,Marked";
        }

        StringSink sink;
        RunCounters counters;
        RunReport report;
        ConvertQso(RecordOutput{sink, "\n"}, QsoOptions{alabama}, fields, std::nullopt, counters, report, ahead);
        const std::string& written = sink.str();
        std::size_t marked = 0;
        for (std::size_t at = written.find("AL,Marked"); at != std::string::npos; at = written.find("AL,Marked", at + 1))
            ++marked;
        EXPECT_EQ(marked, c.taken) << c.label << "\n" << written;
        EXPECT_TRUE(notes.NextRecord().empty()) << c.label;
    }
}

// Records take their answers in the order they ended; a record dropped
// before its end (the next starts at index 0) leaves none.
TEST(AnswersAhead, RecordsTakeTheirAnswersInTheOrderTheyEnded) {
    RecordQuestions questions(FindSelectionByCode("AL").value_or(Selection()), nullptr);
    AnswersAhead notes;
    const auto record = [&](std::string_view county, bool ends) {
        questions.Field(0, FieldKind::Call, "CALL", "N0XYZ");
        questions.Field(1, FieldKind::Cnty, "CNTY", county);
        if (ends) questions.Answer(notes);
    };
    record("AUT", true);
    record("BLO", false);
    record("CHO", true);
    std::vector<std::string> taken;
    for (std::span<AnswerAhead> answers = notes.NextRecord(); !answers.empty(); answers = notes.NextRecord())
        for (const AnswerAhead& a : answers) taken.push_back(std::string(a.value) + "=" + std::string(a.answer.value));
    EXPECT_EQ(taken, (std::vector<std::string>{"AUT=AL,Autauga", "CHO=AL,Choctaw"}));
    notes.Clear();
    EXPECT_TRUE(notes.NextRecord().empty());
}

} // namespace
} // namespace shirl
