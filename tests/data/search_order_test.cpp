// The search order of a Selection with the operator's list: the list first,
// then the Selection's tables, of which a replacing list leaves only the
// independent-city ones.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "data/abbrev_list.h"
#include "data/abbrev_tables.h"
#include "data/search_order.h"
#include "data/selections.h"

namespace shirl {
namespace {

AbbrevList MakeList(AbbrevList::Mode mode) {
    AbbrevList list(mode);
    EXPECT_EQ(list.AddFile("abbreviation,county_id\nFFX,51059\n", "test.csv"), std::nullopt);
    return list;
}

// The places searched, "list" or a table's name, in order.
std::vector<std::string> Places(Selection selection, const AbbrevList* list) {
    std::vector<std::string> names;
    SearchInOrder(selection, list, [&](const SearchPlace& place) {
        names.emplace_back(place.list != nullptr ? "list" : place.table->name);
        return false;
    });
    return names;
}

// Virginia's places by name: a list goes before the tables, and a
// replacing list leaves only the independent-city table behind it.
TEST(SearchOrderTest, ListFirstThenTablesAReplacingListKeepsOnlyCities) {
    const AbbrevList extending = MakeList(AbbrevList::Mode::Extend), replacing = MakeList(AbbrevList::Mode::Replace);
    const struct {
        const char* label;
        Selection selection;
        const AbbrevList* list;
        std::vector<std::string> places;
    } cases[] = {
        {"tables alone", selections::kVA, nullptr, {"Virginia table", "Virginia independent-city table"}},
        {"extending list", selections::kVA, &extending, {"list", "Virginia table", "Virginia independent-city table"}},
        {"replacing list", selections::kVA, &replacing, {"list", "Virginia independent-city table"}},
        {"no Selection", Selection(), &extending, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Places(c.selection, c.list), c.places) << c.label;
}

TEST(SearchOrderTest, TheFirstPlaceThatAnswersEndsTheSearch) {
    const AbbrevList extending = MakeList(AbbrevList::Mode::Extend);
    int visits = 0;
    EXPECT_TRUE(SearchInOrder(selections::kVA, &extending, [&](const SearchPlace& place) {
        ++visits;
        return place.list != nullptr;
    }));
    EXPECT_EQ(visits, 1);
    EXPECT_FALSE(SearchInOrder(selections::kVA, nullptr, [](const SearchPlace&) { return false; }));
}

} // namespace
} // namespace shirl
