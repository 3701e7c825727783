// The county word of a received exchange (SRX_STRING).
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "convert/exchange_county.h"

namespace shirl {
namespace {

TEST(ExchangeCountyTest, LastWordUnlessDigits) {
    const std::pair<std::string_view, std::optional<std::string_view>> cases[] = {
        {"AUTA", "AUTA"},
        {"599 AUT", "AUT"},
        {"123 5NN  auta ", "auta"},
        {"\tAUT\r\n", "AUT"},
        {"AUT 599", std::nullopt}, // the last word is a report
        {"0042", std::nullopt},    // a serial number
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"599 N0CALL/AUT", "N0CALL/AUT"},
        {"12A", "12A"},
    };
    for (const auto& [exchange, word] : cases) EXPECT_EQ(CountyWordOfExchange(exchange), word) << exchange;
}

} // namespace
} // namespace shirl
