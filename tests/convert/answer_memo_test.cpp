// The remembered answers are the answers: every value a table of the
// selection knows (far more, with every field kind, than the memory keeps),
// the area and province codes whose answer turns on the callsign, values
// that draw messages, for callsigns of every class and ones that draw a
// message of their own, asked twice, for selections and a list that change
// between the asks.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_util.h"
#include "convert/answer_memo.h"
#include "data/abbrev_list.h"
#include "data/abbrev_tables.h"
#include "data/selections.h"

namespace shirl {
namespace {

std::string Shown(const CountyAnswer& a) {
    std::string shown =
        std::string(CountyAnswerKindName(a.kind)) + "|" + std::string(a.value) + "|" + std::string(a.city);
    for (const ReportMessage& m : a.messages)
        shown += "|" + std::to_string(static_cast<int>(m.kind)) + ":" + std::to_string(m.code) + ":" + m.text;
    return shown;
}

std::vector<std::string> ValuesFor(Selection selection) {
    std::vector<std::string> values = {
        "",   "DX",        "dx",  "AL,Autauga", "ZZZZ", "AL",
        "al", "VA",        "ON",  "BC",         "PQ",   "NF",
        "QC", "AUTA/BALD", "MDC", "DC",         "12",   std::string(AnswerMemo::kLongestValue + 1, 'A')};
    for (const CanadianAlias& alias : CanadianAliases()) values.emplace_back(alias.alias);
    for (const TableId id : TablesForSelection(selection))
        for (const AbbrevEntry& row : GetAbbrevTable(id).rows) {
            values.emplace_back(row.abbreviation);
            values.push_back(AsciiUpperCase(row.abbreviation) == row.abbreviation ? std::string(row.abbreviation) + "x"
                                                                                  : AsciiUpperCase(row.abbreviation));
        }
    return values;
}

TEST(AnswerMemoTest, AnswersAsTheRulesDo) {
    const std::optional<std::string_view> calls[] = {std::nullopt, "",      "W1AW",  "w1aw", "VE3ABC", "K1ABC/VE3",
                                                     "VE3ABC/W1",  "4X4AA", "AB/CD", "///",  "XE1ABC", "CY0A"};
    const struct {
        FieldKind field;
        std::optional<std::string_view> state;
    } asks[] = {{FieldKind::Cnty, std::nullopt},
                {FieldKind::Cnty, "TX"},
                {FieldKind::County, "AL"},
                {FieldKind::Qth, std::nullopt},
                {FieldKind::Qth, "TX"},
                {FieldKind::Srx, std::nullopt},
                {FieldKind::MyCounty, std::nullopt},
                {FieldKind::SentExchange, std::nullopt}};
    AbbrevList list(AbbrevList::Mode::Replace);
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nAUTA,1003\nBALD,1001\n", "test.csv"), std::nullopt);
    const struct {
        std::string_view code;
        const AbbrevList* list;
    } runs[] = {{"AL", nullptr}, {"AL", &list}, {"VA", nullptr}, {"AL", nullptr}};

    AnswerMemo memo;
    std::size_t compared = 0, silentOrNot = 0;
    for (const auto& run : runs) {
        const Selection selection = *FindSelectionByCode(run.code);
        const std::vector<std::string> values = ValuesFor(selection);
        for (int twice = 0; twice < 2; ++twice)
            for (const std::string& value : values)
                for (const auto call : calls)
                    for (const auto& ask : asks) {
                        const CountyQuestion plain{selection, run.list, call, ask.state, ask.field, "F"};
                        const CountyAnswer expected = AnswerCountyValue(value, plain);
                        ASSERT_EQ(Shown(memo.Answer(value, plain)), Shown(expected))
                            << run.code << (run.list ? " with list: " : ": ") << value << " from "
                            << call.value_or("(none)") << " as " << static_cast<int>(ask.field);
                        ++compared;
                        silentOrNot += expected.messages.empty();
                    }
    }
    EXPECT_GT(silentOrNot, 4 * 1024u);        // more answers kept than the memory holds
    EXPECT_GT(compared - silentOrNot, 1000u); // and many with messages, worked out each time
}

} // namespace
} // namespace shirl
