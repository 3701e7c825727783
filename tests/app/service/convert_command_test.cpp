// The Convert command without a window: checks in order, safe replacement
// of the output, report rows. The same file under two names, a protected
// output and a full device are the fault tests' own (fault_test.cpp).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/service/convert_command.h"
#include "app/service/report_view.h"
#include "tests/support/test_files.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif
#include "data/selections.h"
#include "tests/support/fault_print.h"

namespace shirl {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

std::string Name(const fs::path& path) { return path.string(); }

class ConvertCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = fs::temp_directory_path() / ("shirl-convert-command-" + std::to_string(stamp));
        fs::create_directories(m_dir);
        m_input = m_dir / "in.adi";
        m_output = m_dir / "out.adi";
        WriteFile(m_input, kLog);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }
    ConvertOutcome Convert(const std::string& input, const std::string& output, Selection selection = selections::kAL) {
        return RunConvertCommand(ConvertRequest{input, output, selection, true});
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static inline const std::string kLog = "Test log\n<EOH>\n"
                                           "<CALL:6>N0CALL <BAND:3>40M <MODE:2>CW <CTY:3>AUT <CTY2:4>BALD <EOR>\n"
                                           "<CALL:4>K1AB <BAND:3>20M <MODE:2>CW <CNTY:3>XYZ <EOR>\n"
                                           "<CALL:4>K2CD <BAND:3>20M <MODE:2>CW <b,ad:1>x <EOR>\n";
    fs::path m_dir, m_input, m_output;
};

TEST_F(ConvertCommand, ChecksInOrder) {
    struct Case {
        const char* label;
        std::string input, output;
        Selection selection;
        FaultKind fault;
    };
    const std::string in = Name(m_input), out = Name(m_output);
    const std::vector<Case> cases = {
        {"nothing given", "", "", Selection(), FaultKind::NoInputName},
        {"no output", in, "", Selection(), FaultKind::NoOutputName},
        {"equal names before selection", in, in, Selection(), FaultKind::SameNames},
        {"no selection", in, out, Selection(), FaultKind::NoSelection},
        {"missing input", Name(m_dir / "missing.adi"), out, selections::kAL, FaultKind::CannotOpenInput},
        {"missing folder", in, Name(m_dir / "no-such-folder" / "out.adi"), selections::kAL, FaultKind::CannotOpenOutput},
        {"output is a folder", in, Name(m_dir), selections::kAL, FaultKind::CannotOpenOutput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ConvertOutcome outcome = Convert(c.input, c.output, c.selection);
        EXPECT_EQ(outcome.fault, Fault{c.fault});
        EXPECT_TRUE(ReportRows(outcome.report).empty());
    }
    // No check that failed created or touched a file.
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"in.adi"});
    EXPECT_EQ(ReadFile(m_input), kLog);
}

// A run that names its output once the input is open sees the name of the
// ADIF log made from it (a Cabrillo log's takes .adi), and a name refused
// or equal to the input's writes nothing.
TEST_F(ConvertCommand, OutputNamedOnceTheInputIsOpen) {
    const fs::path cabrillo = m_dir / "fl.log";
    WriteFile(cabrillo, "START-OF-LOG: 3.0\nCONTEST: FL-QSO-PARTY\nCALLSIGN: K4AB\n"
                        "QSO: 14000 CW 2024-04-27 1600 K4AB 599 DADE W1AW 599 MA\nEND-OF-LOG:\n");
    struct Case {
        const char* label;
        fs::path input;
        std::optional<std::string> name; // what the namer answers
        std::string seen;                // the name it is asked about
        std::optional<FaultKind> fault;
    };
    const std::vector<Case> cases = {
        {"adif log", m_input, Name(m_dir / "a.adi"), Name(m_input), std::nullopt},
        {"cabrillo log", cabrillo, Name(m_dir / "b.adi"), Name(m_dir / "fl.adi"), std::nullopt},
        {"refused", m_input, std::nullopt, Name(m_input), FaultKind::DuplicateOutputName},
        {"the input itself", m_input, Name(m_input), Name(m_input), FaultKind::SameNames},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ConvertRequest request{Name(c.input), "", selections::kAL, true};
        std::string seen;
        request.nameOutput = [&](const std::string& adifName) {
            seen = adifName;
            return c.name;
        };
        const ConvertOutcome outcome = RunConvertCommand(request);
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(outcome.fault ? std::optional(outcome.fault->kind) : std::nullopt, c.fault);
        if (c.fault) continue;
        EXPECT_EQ(outcome.outputName, *c.name);
        EXPECT_TRUE(fs::is_regular_file(*c.name));
    }
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"a.adi", "b.adi", "fl.log", "in.adi"}));
}

TEST_F(ConvertCommand, ReportRowsAndOutput) {
    const ConvertOutcome outcome = Convert(Name(m_input), Name(m_output));
    ASSERT_FALSE(outcome.fault.has_value());
    const std::vector<std::string> expected = {
        "INFO: Adding QSO for N0CALL on AL,Autauga/AL,Baldwin county line.",
        "",
        "Converted 2 Alabama counties.",
        "Wrote 3 QSOs to " + Name(m_output),
        "",
        "WARNING: K1AB in XYZ is not a valid Alabama county abbreviation.",
        "",
        "Malformed ADIF tag in line 5, skipping QSO with K2CD: [<b,ad:1>x <EOR>]",
        "",
    };
    EXPECT_EQ(ReportRows(outcome.report), expected);
    EXPECT_EQ(ReadFile(m_output), "Test log\n<EOH>\n\n"
                                  "<CALL:6>N0CALL <BAND:3>40M <MODE:2>CW <CNTY:10>AL,Autauga <STATE:2>AL <EOR>\n\n"
                                  "<CALL:6>N0CALL <BAND:3>40M <MODE:2>CW <CNTY:10>AL,Baldwin <STATE:2>AL <EOR>\n\n"
                                  "<CALL:4>K1AB <BAND:3>20M <MODE:2>CW <CNTY:3>XYZ <EOR>\n\n");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.adi", "out.adi"}));
}

TEST_F(ConvertCommand, OnlyNonEmptyListsGiveRows) {
    WriteFile(m_input, "<CALL:4>K1AB <BAND:3>20M <MODE:2>CW <EOR>\n");
    const ConvertOutcome outcome = Convert(Name(m_input), "relative-name-unused.adi");
    ASSERT_FALSE(outcome.fault.has_value());
    EXPECT_EQ(ReportRows(outcome.report), (std::vector<std::string>{"Converted 0 Alabama counties.",
                                                      "Wrote 1 QSOs to relative-name-unused.adi", ""}));
    std::error_code ec;
    fs::remove("relative-name-unused.adi", ec);
}

TEST_F(ConvertCommand, RunningTwiceReplacesOutputAndLeavesNoTemporaryFile) {
    WriteFile(m_output, "an older output that is longer than the new one will be, by far........................"
                        "...................................................................................");
    const ConvertOutcome first = Convert(Name(m_input), Name(m_output));
    const std::string once = ReadFile(m_output);
    const ConvertOutcome second = Convert(Name(m_input), Name(m_output));
    EXPECT_EQ(ReportRows(first.report), ReportRows(second.report));
    EXPECT_EQ(ReadFile(m_output), once);
    EXPECT_EQ(once.substr(0, 16), "Test log\n<EOH>\n\n");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.adi", "out.adi"}));
}

#ifndef _WIN32
TEST_F(ConvertCommand, OutputThroughSymbolicLinkReplacesTheTarget) {
    WriteFile(m_dir / "target.adi", "old");
    fs::create_symlink(m_dir / "target.adi", m_output);
    ASSERT_FALSE(Convert(Name(m_input), Name(m_output)).fault.has_value());
    EXPECT_TRUE(fs::is_symlink(m_output));
    EXPECT_EQ(ReadFile(m_dir / "target.adi").substr(0, 16), "Test log\n<EOH>\n\n");
}
#endif

#ifndef _WIN32
// A file size limit makes writing the output fail part way, whatever the
// rights of the user running the test.
TEST_F(ConvertCommand, WriteFailureLeavesExistingOutputAsItWas) {
    WriteFile(m_output, "keep me");
    std::string big = "Big log\n<EOH>\n";
    for (int i = 0; i < 2000; ++i) big += "<CALL:4>K1AB <BAND:3>20M <MODE:2>CW <EOR>\n";
    WriteFile(m_input, big);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ConvertOutcome outcome = Convert(Name(m_input), Name(m_output));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(outcome.fault, Fault{FaultKind::CannotWriteOutput});
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_EQ(ReadFile(m_output), "keep me");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.adi", "out.adi"}));
}
#endif

} // namespace
} // namespace shirl
