// The ADIF stream made from a Cabrillo log, the same however the input is
// cut into reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "cabrillo/adif_source.h"

namespace shirl {
namespace {

struct Made {
    std::string adif;
    std::vector<std::string> problems;
    std::int64_t qsos = 0;
};

Made MakeAdif(std::string_view log, std::size_t chunk, bool rewindable) {
    MemorySource input(log, rewindable, chunk);
    Made made;
    CabrilloAdifSource source(input, {"Shirl", "1.0", "log.cbr"}, [&](std::string text) { made.problems.push_back(text); });
    char buf[5];
    for (std::size_t n; (n = source.Read(buf, 1 + made.adif.size() % sizeof buf)) != 0;) made.adif.append(buf, n);
    made.qsos = source.QsoCount();
    return made;
}

TEST(Cabrillo, StreamIsTheSameHoweverTheInputIsCut) {
    const std::string log = "START-OF-LOG: 3.0\r\nCONTEST: FL-QSO-PARTY\r\n"
                            "QSO: 14035 CW 2025-04-26 1400 K4XX 599 PIN W1AW 599 MA 1\r\n"
                            "QSO: 14035 CW 2025-04-26 1401 K4XX 599 PIN W1AW 599\r\n" +
                            std::string(5000, 'x') + "\r\nQSO: 3550 PH 2025-04-26 1402 K4XX 59 PIN W4A 59 ALC";
    const Made whole = MakeAdif(log, 0, true);
    EXPECT_EQ(whole.qsos, 2);
    ASSERT_EQ(whole.problems.size(), 2u);
    EXPECT_EQ(whole.problems[1].substr(0, 50), "Cabrillo line 5 is longer than 4096 bytes, skippin");
    EXPECT_NE(whole.adif.find("\r\n<EOH>\r\n"), std::string::npos);
    EXPECT_NE(whole.adif.find("<SRX_STRING:6>599 MA <CONTEST_ID:12>FL-QSO-PARTY <EOR>\r\n"), std::string::npos);
    EXPECT_NE(whole.adif.find("<BAND:3>80m <FREQ:5>3.550"), std::string::npos);
    EXPECT_NE(whole.adif.find("<MODE:3>SSB"), std::string::npos);
    for (std::size_t chunk = 1; chunk < 8; ++chunk) {
        const Made pieces = MakeAdif(log, chunk, false);
        EXPECT_EQ(pieces.adif, whole.adif) << chunk;
        EXPECT_EQ(pieces.problems, whole.problems) << chunk;
    }
}

// A byte-order mark before the first line is no part of it: the log's
// version is read and no line is reported.
TEST(Cabrillo, ByteOrderMarkIsNoText) {
    const Made made = MakeAdif("\xEF\xBB\xBFSTART-OF-LOG: 3.0\nQSO: 14035 CW 2025-04-26 1400 K4XX 599 PIN W1AW 599 MA\n",
                               0, true);
    EXPECT_EQ(made.problems, std::vector<std::string>());
    EXPECT_EQ(made.qsos, 1);
    EXPECT_NE(made.adif.find("START-OF-LOG: 3.0"), std::string::npos);
}

} // namespace
} // namespace shirl
