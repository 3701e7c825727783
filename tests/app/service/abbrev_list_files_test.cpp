// Which Selection a list file is named after.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/service/abbrev_list_files.h"

namespace shirl {
namespace {

TEST(SelectionOfListFile, CodeAndReplaceFromTheFileName) {
    struct Case {
        std::string name;
        std::optional<Selection> selection;
        bool replace;
    };
    const Case cases[] = {
        {"SD.csv", selections::kSD, false},
        {"lists/marac.replace.csv", selections::kMARAC, true},
        {"/home/op/.config/shirl/lists/7qp.CSV", selections::k7QP, false},
        {"Usqcp.csv", std::nullopt, false},  // no such code
        {"SD.txt", std::nullopt, false},
        {".csv", std::nullopt, false},
        {".replace.csv", std::nullopt, false},
        {"SD.replace.csv.bak", std::nullopt, false},
        {"lists/", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto named = SelectionOfListFile(c.name);
        ASSERT_EQ(named.has_value(), c.selection.has_value());
        if (!named) continue;
        EXPECT_EQ(named->selection, *c.selection);
        EXPECT_EQ(named->replace, c.replace);
    }
}

} // namespace
} // namespace shirl
