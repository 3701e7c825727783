// One table: every golden case and every sample log converts to the same
// output and the same report, row for row, on one thread and with the
// reading on a thread of its own in blocks small enough that records
// straddle them everywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "app/service/convert_command.h"
#include "app/service/report_view.h"
#include "app/service/run_preparation.h"
#include "cabrillo/adif_source.h"
#include "data/selections.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

const fs::path kGolden = fs::path(SHIRL_TEST_DATA_DIR) / "golden";
const fs::path kSamples = fs::path(SHIRL_SOURCE_DIR) / ".." / "shared" / "data" / "adif-samples";

// A conversion's output and report as text, or its fault.
std::string Converted(ConvertRequest request, RunThreads threads) {
    request.threads = threads;
    const ConvertOutcome outcome = RunConvertCommand(request);
    if (outcome.fault) return "error: " + FaultText(*outcome.fault);
    std::string text = ReadFile(request.outputName) + "\n--- report\n";
    for (const std::string& row : ReportRows(outcome.report)) text += row + "\n";
    for (const auto& [county, qsos] : outcome.countyQsos) text += std::to_string(county) + ":" + std::to_string(qsos) + " ";
    return text;
}

// The request a golden case's args stand for (--selection, --no-mobile, --list, --list-mode).
ConvertRequest GoldenRequest(const fs::path& dir, RunLists& lists) {
    std::istringstream args(ReadFile(dir / "args"));
    ConvertRequest request;
    std::vector<std::string> files;
    AbbrevList::Mode mode = AbbrevList::Mode::Extend;
    for (std::string arg; args >> arg;) {
        std::string value;
        if (arg == "--no-mobile") request.addMobile = false;
        else if (arg == "--selection" && args >> value) {
            request.selectionFromLog = value == "auto" || value == "Auto";
            request.selection = FindSelectionByCode(value).value_or(Selection());
        } else if (arg == "--list" && args >> value) files.push_back((dir / value).string());
        else if (arg == "--list-mode" && args >> value) mode = value == "replace" ? AbbrevList::Mode::Replace : mode;
        else ADD_FAILURE() << "args of " << dir << ": " << arg;
    }
    const auto fault = LoadGivenLists(files, mode, request.selectionFromLog, request.selection, lists);
    EXPECT_FALSE(fault) << FaultText(*fault);
    request.lists = &lists;
    return request;
}

// The ADIF a Cabrillo log makes: a Cabrillo log itself is always converted on one thread.
void WriteAdifOfCabrillo(const fs::path& log, const fs::path& adif) {
    const std::string text = ReadFile(log);
    MemorySource bytes(text);
    CabrilloAdifSource made(bytes, {"Shirl", "1.0", "input.log"}, nullptr);
    StringSink sink;
    char buf[4096];
    for (std::size_t n; (n = made.Read(buf, sizeof buf)) != 0;) sink.Write(std::string_view(buf, n));
    ASSERT_TRUE(test::WriteFile(adif, sink.str()));
}

void ExpectBothPathsAlike(const ConvertRequest& request, std::initializer_list<std::size_t> blocks) {
    const std::string one = Converted(request, {ThreadUse::One});
    EXPECT_EQ(one.rfind("error: ", 0), std::string::npos) << one;
    for (const std::size_t block : blocks)
        EXPECT_EQ(Converted(request, {ThreadUse::Two, block}), one) << "blocks of " << block << " bytes";
    EXPECT_EQ(Converted(request, {}), one) << "as chosen for its size";
}

TEST(TwoPaths, GoldenCasesAndSamplesAlike) {
    test::TempDir dir;
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(kGolden)) {
        if (!entry.is_directory()) continue;
        SCOPED_TRACE(entry.path().filename().string());
        RunLists lists;
        ConvertRequest request = GoldenRequest(entry.path(), lists);
        request.inputName = (entry.path() / "input.adi").string();
        if (fs::exists(entry.path() / "input.log")) {
            request.inputName = dir.File("cabrillo.adi");
            WriteAdifOfCabrillo(entry.path() / "input.log", request.inputName);
        }
        request.outputName = dir.File("output.adi");
        ExpectBothPathsAlike(request, {16, 61, 4096});
        ++cases;
    }
    EXPECT_GT(cases, 30);

    if (!fs::is_directory(kSamples)) {
        std::cout << "[ NOTICE   ] no sample logs at " << kSamples.string() << ": the golden cases only\n";
        return;
    }
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(kSamples)) {
        const std::string name = entry.path().filename().string();
        if (name == "SOURCES.md") continue;
        SCOPED_TRACE(name);
        ConvertRequest request;
        request.selection = *FindSelectionByCode(name.find("ksqp") != std::string::npos ? "KS" : "MULTI");
        request.inputName = entry.path().string();
        request.outputName = dir.File("output.adi");
        ExpectBothPathsAlike(request, {509});
        ++samples;
    }
    EXPECT_GT(samples, 30);
}

} // namespace
} // namespace shirl
