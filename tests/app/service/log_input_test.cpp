// The kind of an input log told from its first bytes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "app/service/log_input.h"

namespace shirl {
namespace {

TEST(Cabrillo, KindOfLogFromItsFirstBytes) {
    const struct {
        std::string_view first;
        LogKind kind;
    } cases[] = {
        {"START-OF-LOG: 3.0\nCONTEST: FL-QSO-PARTY\n", LogKind::Cabrillo},
        {"\xEF\xBB\xBF\r\n  start-of-log: 2.0\r\n", LogKind::Cabrillo},
        {"Made by a logger\n<EOH>\n<CALL:4>W1AW <EOR>\n", LogKind::Adif},
        {"<CALL:4>W1AW <EOR>", LogKind::Adif},
        {"", LogKind::Adif},
        {"QSO: 14035 CW 2025-04-26 1400 K4XX 599 PIN W1AW 599 MA\n", LogKind::NotALog},
        {"Worked W1AW on 20m.\n", LogKind::NotALog},
        {std::string_view("\xFF\xFE<\0C\0", 6), LogKind::Utf16},
        {std::string_view("\xFE\xFF\0<\0C", 6), LogKind::Utf16},
    };
    for (const auto& c : cases) EXPECT_EQ(KindOfLog(c.first), c.kind) << c.first;
}

} // namespace
} // namespace shirl
