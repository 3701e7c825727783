// The remembered lookups answer as the lookup does, whatever the memory
// held before: every abbreviation of every table (far more than it keeps,
// so that they push each other out), asked twice, for selections and lists
// that change between the asks.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "convert/lookup_memo.h"
#include "data/abbrev_list.h"
#include "data/abbrev_tables.h"
#include "data/selections.h"

namespace shirl {
namespace {

std::string Shown(const LookupResult& r) {
    std::string shown = std::to_string(static_cast<int>(r.kind)) + "|" + r.message + "|" + std::string(r.state);
    if (r.county != nullptr) shown += "|" + std::string(r.county->cntyValue);
    if (r.city != nullptr) shown += "|" + std::string(r.city->cntyValue);
    return shown;
}

TEST(LookupMemoTest, AnswersAsTheLookupDoes) {
    std::vector<std::string_view> asked = {"", "DC", "MDC", "al", "ZZZZ", "AUTA", "AUTA"};
    for (const AbbrevTable& table : AllAbbrevTables())
        for (const AbbrevEntry& row : table.rows) asked.push_back(row.abbreviation);
    AbbrevList list(AbbrevList::Mode::Replace);
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nAUTA,1003\nBALD,1001\n", "test.csv"), std::nullopt);
    const struct {
        std::string_view code;
        const AbbrevList* list;
    } runs[] = {{"AL", nullptr}, {"AL", &list}, {"VA", nullptr}, {"NE", nullptr}, {"AL", nullptr}};

    LookupMemo memo;
    std::size_t compared = 0;
    for (const auto& run : runs) {
        const Selection selection = *FindSelectionByCode(run.code);
        for (int twice = 0; twice < 2; ++twice)
            for (const std::string_view abbreviation : asked) {
                const std::string expected = Shown(LookupAbbreviation(abbreviation, selection, run.list));
                ASSERT_EQ(Shown(memo.Find(abbreviation, selection, run.list)), expected)
                    << run.code << (run.list ? " with list: " : ": ") << abbreviation;
                ++compared;
            }
    }
    EXPECT_GT(compared, 5 * 2 * 256u);
}

} // namespace
} // namespace shirl
