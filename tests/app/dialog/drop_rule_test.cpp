// What a drop onto the window makes of the dropped things.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/dialog/drop_rule.h"
#include "tests/support/fault_print.h"

using namespace shirl;

TEST(DropRule, TheFirstDroppedThingDecides) {
    const DroppedItem file{"/logs/a.adi", DroppedKind::File};
    const DroppedItem file2{"/logs/b.adi", DroppedKind::File};
    const DroppedItem folder{"/logs", DroppedKind::Folder};
    const DroppedItem other{"https://example.org/log.adi", DroppedKind::Other};
    struct Case {
        const char* label;
        std::vector<DroppedItem> items;
        std::optional<std::string> input;
        std::optional<Fault> refusal;
        bool note;
    };
    const std::vector<Case> cases = {
        {"nothing", {}, std::nullopt, std::nullopt, false},
        {"one file", {file}, "/logs/a.adi", std::nullopt, false},
        {"two files", {file, file2}, "/logs/a.adi", std::nullopt, true},
        {"file then folder", {file, folder}, "/logs/a.adi", std::nullopt, true},
        {"folder", {folder}, std::nullopt, Fault{FaultKind::DroppedFolder}, false},
        {"folder then file", {folder, file}, std::nullopt, Fault{FaultKind::DroppedFolder}, false},
        {"not a file", {other}, std::nullopt, Fault{FaultKind::DroppedOther}, false},
        {"file without a name", {DroppedItem{"", DroppedKind::File}}, std::nullopt, Fault{FaultKind::DroppedOther}, false},
    };
    for (const Case& c : cases) {
        const DropDecision d = DecideDrop(c.items);
        EXPECT_EQ(d.inputName, c.input) << c.label;
        EXPECT_EQ(d.refusal, c.refusal) << c.label;
        EXPECT_EQ(d.reportNote.has_value(), c.note) << c.label;
    }
    const DropDecision several = DecideDrop({file, file2, folder});
    EXPECT_EQ(*several.reportNote,
              "3 items dropped; one file at a time is converted, so only /logs/a.adi was taken.");
}
