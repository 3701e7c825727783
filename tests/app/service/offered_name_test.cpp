// The names offered for a run's output and report, made from the names before them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/service/offered_name.h"

using namespace shirl;

TEST(OfferedName, OutputNameGetsConvertedBeforeTheExtension) {
    struct Case {
        std::string input, offered;
    };
    std::vector<Case> cases = {
        {"party.adi", "party-converted.adi"},
        {"/logs/party.adi", "/logs/party-converted.adi"},
        {"/logs/party.ADIF", "/logs/party-converted.ADIF"},
        {"/logs/party", "/logs/party-converted"},
        {"/logs.d/party", "/logs.d/party-converted"},
        {"/logs/a.b.adi", "/logs/a.b-converted.adi"},
        {"/logs/.adi", "/logs/.adi-converted"},
        {"party.", "party-converted."},
        {"my log.adi", "my log-converted.adi"},
        {"", ""},
        {"/logs/", ""},
    };
#ifdef _WIN32
    cases.push_back({"C:\\logs.d\\party", "C:\\logs.d\\party-converted"});
    cases.push_back({"C:\\logs\\party.adi", "C:\\logs\\party-converted.adi"});
    cases.push_back({"C:party.adi", "C:party-converted.adi"});
    cases.push_back({"C:\\logs\\", ""});
#else
    cases.push_back({"dir.x\\party", "dir-converted.x\\party"});  // a backslash is part of a name here
#endif
    for (const Case& c : cases) EXPECT_EQ(OfferedOutputName(c.input), c.offered) << c.input;
}

TEST(OfferedName, ReportNameReplacesTheExtension) {
    struct Case {
        std::string output, offered;
    };
    for (const Case& c : {Case{"out.adi", "out-report.txt"}, Case{"/a/party-converted.adi", "/a/party-converted-report.txt"},
                          Case{"/a.b/out", "/a.b/out-report.txt"}, Case{"", ""}, Case{"/a/", ""}})
        EXPECT_EQ(OfferedReportName(c.output), c.offered) << c.output;
}
