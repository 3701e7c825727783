// Fault tests of the Convert command: a missing folder, a protected output,
// a write failure in the middle of a run, the same file under two names, an
// unreadable input and hostile inputs. Each checks the message and that no
// log is lost or damaged: the input stays as it was, an earlier output file
// survives a failed run, and no half-written or temporary file is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <linux/fs.h>
#include <sys/sysmacros.h>
#include <sys/ioctl.h>
#endif

#include "app/service/convert_command.h"
#include "app/service/report_view.h"
#include "data/selections.h"
#include "tests/support/test_files.h"
#include "tests/support/fault_print.h"

namespace fs = std::filesystem;

namespace shirl {
namespace {

using test::ReadFile;
using test::WriteFile;

const Selection kAlabama = selections::kAL;

const std::string kLog =
    "Fault test log\r\n"
    "<ADIF_VER:5>3.1.4 <EOH>\r\n"
    "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\r\n"
    "<CALL:5>K4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:3>SSB "
    "<APP_N1MM_EXCHANGE1:4>BALD <EOR>\r\n";
const std::string kPrevious = "previous output: a failed run must leave this file exactly as it is\r\n";

const Fault kOpenOutputError{FaultKind::CannotOpenOutput};
const Fault kWriteOutputError{FaultKind::CannotWriteOutput};
const Fault kOpenInputError{FaultKind::CannotOpenInput};
const Fault kSameFileError{FaultKind::SameNames};

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The names in a folder, sorted: shows a left-over temporary or cut file.
std::vector<std::string> Entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(Utf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Names(std::initializer_list<const char*> names) {
    std::vector<std::string> sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

#ifdef __linux__
// The immutable attribute: the one protection that stops root as well.
bool SetImmutable(const fs::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}
#endif

bool IsRoot() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

// A fresh folder of its own for each test, removed afterwards (with any
// protection a test put on its files, the immutable flag included).
class TempDir : public test::TempDir {
public:
    TempDir()
        : test::TempDir([](const fs::path& entry) {
#ifdef __linux__
              std::error_code ignored;
              if (fs::is_regular_file(entry, ignored)) SetImmutable(entry, false);
#else
              (void)entry;
#endif
          }) {}
};

ConvertOutcome Convert(const fs::path& input, const fs::path& output) {
    return RunConvertCommand(ConvertRequest{Utf8(input), Utf8(output), kAlabama, true});
}

// ---------------------------------------------------------------- output

TEST(FaultOutput, FolderMissing) {
    TempDir dir;
    ASSERT_TRUE(WriteFile(dir / "in.adi", kLog));
    const fs::path output = dir.path() / "no-such-folder" / "out.adi";

    const ConvertOutcome outcome = Convert(dir / "in.adi", output);

    EXPECT_EQ(outcome.fault, kOpenOutputError);
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_FALSE(fs::exists(dir / "no-such-folder")) << "the folder must not be made";
    EXPECT_EQ(ReadFile(dir / "in.adi"), kLog);
    EXPECT_EQ(Entries(dir.path()), Names({"in.adi"}));
}

TEST(FaultOutput, FolderStandsWhereTheFileShouldBe) {
    TempDir dir;
    ASSERT_TRUE(WriteFile(dir / "in.adi", kLog));
    fs::create_directory(dir / "out.adi");
    ASSERT_TRUE(WriteFile(dir.path() / "out.adi" / "keep.txt", kPrevious));

    const ConvertOutcome outcome = Convert(dir / "in.adi", dir / "out.adi");

    EXPECT_EQ(outcome.fault, kOpenOutputError);
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_TRUE(fs::is_directory(dir / "out.adi"));
    EXPECT_EQ(ReadFile(dir.path() / "out.adi" / "keep.txt"), kPrevious);
    EXPECT_EQ(Entries(dir / "out.adi"), Names({"keep.txt"}));
    EXPECT_EQ(Entries(dir.path()), Names({"in.adi", "out.adi"}));
    EXPECT_EQ(ReadFile(dir / "in.adi"), kLog);
}

// Makes `path` read-only by the strongest means at hand. Returns false when
// the file can still be written all the same (root without the immutable
// attribute), so that the test can say why it cannot run.
bool ProtectFile(const fs::path& path) {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, ec);
    if (ec) return false;
#ifdef __linux__
    if (IsRoot() && !SetImmutable(path, true)) return false;
#endif
    std::ofstream probe(path, std::ios::binary | std::ios::app);
    return !probe.is_open();
}

TEST(FaultOutput, ReadOnlyFileIsLeftAlone) {
    TempDir dir;
    ASSERT_TRUE(WriteFile(dir / "in.adi", kLog));
    ASSERT_TRUE(WriteFile(dir / "out.adi", kPrevious));
    if (!ProtectFile(dir / "out.adi")) GTEST_SKIP() << "no means here to make a file read-only for this user";

    const ConvertOutcome outcome = Convert(dir / "in.adi", dir / "out.adi");

    EXPECT_EQ(outcome.fault, kOpenOutputError);
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_EQ(ReadFile(dir / "out.adi"), kPrevious);
    EXPECT_EQ(ReadFile(dir / "in.adi"), kLog);
    EXPECT_EQ(Entries(dir.path()), Names({"in.adi", "out.adi"}));
}

// ------------------------------------------------------- the same file

struct SameFileCase {
    const char* name;
    // Makes a second name for `input` inside `dir`; nullopt when this system
    // cannot make one.
    std::function<std::optional<fs::path>(const fs::path& dir, const fs::path& input)> alias;
};

std::ostream& operator<<(std::ostream& os, const SameFileCase& c) { return os << c.name; }

class FaultSameFile : public ::testing::TestWithParam<SameFileCase> {};

TEST_P(FaultSameFile, InputIsNeitherEmptiedNorOverwritten) {
    TempDir dir;
    fs::create_directory(dir / "sub");
    const fs::path input = dir / "in.adi";
    ASSERT_TRUE(WriteFile(input, kLog));
    const std::optional<fs::path> alias = GetParam().alias(dir.path(), input);
    if (!alias) GTEST_SKIP() << GetParam().name << ": not available on this system";
    ASSERT_NE(Utf8(*alias), Utf8(input));
    const std::vector<std::string> before = Entries(dir.path());

    for (const auto& [in, out] : {std::pair{input, *alias}, std::pair{*alias, input}}) {
        SCOPED_TRACE(Utf8(in) + " -> " + Utf8(out));
        const ConvertOutcome outcome = Convert(in, out);
        EXPECT_EQ(outcome.fault, kSameFileError);
        EXPECT_TRUE(ReportRows(outcome.report).empty());
        EXPECT_EQ(ReadFile(input), kLog);
        EXPECT_EQ(Entries(dir.path()), before);
    }
}

std::optional<fs::path> SymbolicLink(const fs::path& target, const fs::path& link) {
#ifdef _WIN32
    (void)target, (void)link;
    return std::nullopt; // needs a privilege that test machines lack
#else
    std::error_code ec;
    fs::create_symlink(target, link, ec);
    if (ec) return std::nullopt;
    return link;
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Names, FaultSameFile,
    ::testing::Values(
        SameFileCase{"dot_path", [](const fs::path& dir, const fs::path&) -> std::optional<fs::path> {
                         return dir / "." / "in.adi";
                     }},
        SameFileCase{"parent_path", [](const fs::path& dir, const fs::path&) -> std::optional<fs::path> {
                         return dir / "sub" / ".." / "in.adi";
                     }},
        SameFileCase{"doubled_separator", [](const fs::path& dir, const fs::path&) -> std::optional<fs::path> {
                         return fs::path(Utf8(dir) + "//in.adi");
                     }},
        SameFileCase{"symbolic_link", [](const fs::path& dir, const fs::path& input) -> std::optional<fs::path> {
                         return SymbolicLink(input, dir / "link.adi");
                     }},
        SameFileCase{"relative_symbolic_link",
                     [](const fs::path& dir, const fs::path&) -> std::optional<fs::path> {
                         return SymbolicLink("../in.adi", dir / "sub" / "rel.adi");
                     }},
        SameFileCase{"hard_link", [](const fs::path& dir, const fs::path& input) -> std::optional<fs::path> {
                         std::error_code ec;
                         fs::create_hard_link(input, dir / "hard.adi", ec);
                         if (ec) return std::nullopt;
                         return dir / "hard.adi";
                     }},
        SameFileCase{"other_letter_case", [](const fs::path& dir, const fs::path&) -> std::optional<fs::path> {
                         // Only where the file system ignores case is IN.ADI the same file.
                         std::error_code ec;
                         if (!fs::equivalent(dir / "in.adi", dir / "IN.ADI", ec) || ec) return std::nullopt;
                         return dir / "IN.ADI";
                     }}),
    [](const ::testing::TestParamInfo<SameFileCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- input

struct UnreadableCase {
    const char* name;
    // Prepares `input` so that it cannot be read; false when this system
    // cannot (root reads everything).
    std::function<bool(const fs::path& input)> prepare;
};

std::ostream& operator<<(std::ostream& os, const UnreadableCase& c) { return os << c.name; }

class FaultUnreadableInput : public ::testing::TestWithParam<UnreadableCase> {};

TEST_P(FaultUnreadableInput, NothingIsWritten) {
    TempDir dir;
    const fs::path input = dir / "in.adi";
    if (!GetParam().prepare(input)) GTEST_SKIP() << GetParam().name << ": cannot be made on this system";
    ASSERT_TRUE(WriteFile(dir / "out.adi", kPrevious));
    const std::vector<std::string> before = Entries(dir.path());

    const ConvertOutcome outcome = Convert(input, dir / "out.adi");

    EXPECT_EQ(outcome.fault, kOpenInputError);
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_EQ(ReadFile(dir / "out.adi"), kPrevious);
    EXPECT_EQ(Entries(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FaultUnreadableInput,
    ::testing::Values(UnreadableCase{"missing", [](const fs::path&) { return true; }},
                      UnreadableCase{"a_folder", [](const fs::path& input) { return fs::create_directory(input); }},
                      UnreadableCase{"no_read_permission",
                                     [](const fs::path& input) {
                                         if (IsRoot() || !WriteFile(input, kLog)) return false;
                                         std::error_code ec;
                                         fs::permissions(input, fs::perms::none, ec);
                                         std::ifstream probe(input, std::ios::binary);
                                         return !ec && !probe.is_open();
                                     }}),
    [](const ::testing::TestParamInfo<UnreadableCase>& info) { return std::string(info.param.name); });

// A read error part way through the input: the log read so far is cut
// short, so it must not replace the previous output.
TEST(FaultInputReadError, PreviousOutputIsKept) {
#ifdef __linux__
    // /proc/self/mem opens like a regular file, and reading its first page fails.
    const fs::path input = "/proc/self/mem";
    {
        std::FILE* probe = std::fopen(input.c_str(), "rb");
        if (probe == nullptr) GTEST_SKIP() << "cannot open " << input;
        char byte;
        const bool readFails = std::fread(&byte, 1, 1, probe) == 0 && std::ferror(probe);
        std::fclose(probe);
        if (!readFails) GTEST_SKIP() << "reading " << input << " does not fail here";
    }
    TempDir dir;
    ASSERT_TRUE(WriteFile(dir / "out.adi", kPrevious));
    const std::vector<std::string> before = Entries(dir.path());

    const ConvertOutcome outcome = Convert(input, dir / "out.adi");

    EXPECT_EQ(outcome.fault, Fault{FaultKind::CannotReadInput});
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_EQ(ReadFile(dir / "out.adi"), kPrevious);
    EXPECT_EQ(Entries(dir.path()), before);
#else
    GTEST_SKIP() << "needs a file whose reads fail; made only on Linux";
#endif
}

// ------------------------------------------------------ a whole program

#ifndef _WIN32
struct ChildRun {
    int exitCode = -1; // -1 when ended by a signal
    int signal = 0;
    long peakKiB = 0;
    std::string out, err;
};

// Runs shirl-cli with `args` in a child process, stdout and stderr into
// files of `logDir`. `fileSizeLimit` > 0 puts RLIMIT_FSIZE on the child (with
// SIGXFSZ ignored, a write past it fails with EFBIG). A watchdog alarm ends
// a child that hangs.
ChildRun RunCli(const std::vector<std::string>& args, const fs::path& logDir, rlim_t fileSizeLimit = 0) {
    fs::create_directories(logDir);
    const std::string outPath = Utf8(logDir / "stdout.txt");
    const std::string errPath = Utf8(logDir / "stderr.txt");
    std::vector<std::string> argvText{SHIRL_CLI_PATH};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
        if (fileSizeLimit > 0) {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::signal(SIGXFSZ, SIG_IGN);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
        }
        ::alarm(900);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ChildRun run;
    if (pid < 0) return run;
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    run.peakKiB = usage.ru_maxrss;
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

// A log of `qsos` records of about 130 bytes each.
std::string LargeLog(int qsos) {
    std::string log = "Large log\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
    for (int i = 0; i < qsos; ++i) {
        log += "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW "
               "<CNTY:4>AUTA <SRX_STRING:6>" +
               std::to_string(100000 + i) + " <EOR>\r\n";
    }
    return log;
}

struct WriteFailureCase {
    const char* name;
    bool previousOutput;
};

std::ostream& operator<<(std::ostream& os, const WriteFailureCase& c) { return os << c.name; }

class FaultWriteFailure : public ::testing::TestWithParam<WriteFailureCase> {};

// The output grows past the file-size limit in the middle of the run: the
// write fails, the report says so and claims no success, an earlier output
// is kept as it was, and no cut file is left behind under any name.
TEST_P(FaultWriteFailure, PreviousOutputSurvives) {
    TempDir dir;
    fs::create_directory(dir / "work");
    const fs::path input = dir.path() / "work" / "in.adi";
    const fs::path output = dir.path() / "work" / "out.adi";
    const std::string log = LargeLog(20000);
    ASSERT_TRUE(WriteFile(input, log));
    if (GetParam().previousOutput) {
        ASSERT_TRUE(WriteFile(output, kPrevious));
    }
    const std::vector<std::string> before = Entries(dir / "work");
    const rlim_t limit = 256 * 1024;
    ASSERT_GT(log.size(), 4 * limit) << "the run must pass the limit well before its end";

    const ChildRun run = RunCli({"convert", "--selection", "AL", Utf8(input), Utf8(output)}, dir / "logs", limit);

    EXPECT_EQ(run.signal, 0) << "ended by a signal";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(FaultText(kWriteOutputError)), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("Wrote"), std::string::npos) << "claims success: " << run.out;
    EXPECT_EQ(run.out.find("Converted"), std::string::npos) << "claims success: " << run.out;
    if (GetParam().previousOutput) {
        EXPECT_EQ(ReadFile(output), kPrevious);
    } else {
        EXPECT_FALSE(fs::exists(output)) << "a cut output file was left";
    }
    EXPECT_EQ(ReadFile(input), log);
    EXPECT_EQ(Entries(dir / "work"), before);
}

INSTANTIATE_TEST_SUITE_P(Outputs, FaultWriteFailure,
                         ::testing::Values(WriteFailureCase{"over_an_earlier_output", true},
                                           WriteFailureCase{"new_output", false}),
                         [](const ::testing::TestParamInfo<WriteFailureCase>& info) {
                             return std::string(info.param.name);
                         });

#ifdef __linux__
// A full device as the output: every write fails with ENOSPC. As root the
// test makes its own full device in its folder, so that a fault that renamed
// a file over the device could only replace that one.
TEST(FaultOutput, FullDeviceReportsTheWriteFailure) {
    TempDir dir;
    const std::string log = LargeLog(2000);
    ASSERT_TRUE(WriteFile(dir / "in.adi", log));
    fs::path device = "/dev/full";
    if (IsRoot()) {
        device = dir / "full";
        if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) GTEST_SKIP() << "cannot make a device here";
    }
    const int probe = ::open(device.c_str(), O_WRONLY);
    if (probe < 0) GTEST_SKIP() << "no writable full device here";
    const bool full = ::write(probe, "x", 1) < 0 && errno == ENOSPC;
    ::close(probe);
    if (!full) GTEST_SKIP() << Utf8(device) << " is not a full device";
    const std::vector<std::string> before = Entries(dir.path());

    const ConvertOutcome outcome = Convert(dir / "in.adi", device);

    EXPECT_EQ(outcome.fault, kWriteOutputError);
    EXPECT_TRUE(ReportRows(outcome.report).empty());
    EXPECT_TRUE(fs::is_character_file(device)) << "the device must not be replaced";
    EXPECT_EQ(ReadFile(dir / "in.adi"), log);
    EXPECT_EQ(Entries(dir.path()), before);
}
#endif
#endif // !_WIN32

// ---------------------------------------------------- hostile inputs

constexpr std::size_t kMiB = 1024 * 1024;
const std::string kHeader = "Hostile input\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
const std::string kGoodRecord =
    "<CALL:5>K4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:3>SSB <CNTY:4>BALD <EOR>\r\n";

// The pattern of the 100 MiB value: tags, record ends and line ends that
// must stay inside the value.
const std::string kValuePattern = "value <EOR><CALL:3>BAD <eoh>\r\n0123456789";

// Writes the input file in pieces, so that no 100 MiB text is built twice.
class InputWriter {
public:
    explicit InputWriter(const fs::path& path) : m_out(path, std::ios::binary | std::ios::trunc) {}
    InputWriter& operator<<(std::string_view bytes) {
        m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return *this;
    }
    // Writes `piece` over and over, `totalBytes` in all (the last piece cut).
    InputWriter& Repeat(std::string_view piece, std::size_t totalBytes) {
        std::string block; // whole pieces only, so that every block starts a piece
        while (block.size() < kMiB) block += piece;
        for (; totalBytes >= block.size(); totalBytes -= block.size())
            m_out.write(block.data(), static_cast<std::streamsize>(block.size()));
        m_out.write(block.data(), static_cast<std::streamsize>(totalBytes));
        return *this;
    }
    bool Close() {
        m_out.close();
        return !m_out.fail();
    }

private:
    std::ofstream m_out;
};

struct Report {
    bool ran = false; // the run happened (no check failed, no crash)
    std::string failure;
    std::vector<std::string> rows;
    long peakKiB = -1; // -1 when not measured
};

bool HasRow(const Report& report, std::string_view row) {
    return std::find(report.rows.begin(), report.rows.end(), row) != report.rows.end();
}

std::size_t CountRowsStartingWith(const Report& report, std::string_view start) {
    return static_cast<std::size_t>(std::count_if(report.rows.begin(), report.rows.end(), [&](const std::string& r) {
        return r.compare(0, start.size(), start) == 0;
    }));
}

// Converts `input` to `output` for Alabama: through shirl-cli in a child
// process where there is fork (crash, hang and peak memory are observed from
// outside), in-process elsewhere.
Report ConvertHostile(const fs::path& input, const fs::path& output, const fs::path& logDir) {
    Report report;
#ifndef _WIN32
    const ChildRun run = RunCli({"convert", "--selection", "AL", Utf8(input), Utf8(output)}, logDir);
    report.peakKiB = run.peakKiB;
    if (run.signal != 0) {
        report.failure = "ended by signal " + std::to_string(run.signal) + "\n" + run.err;
        return report;
    }
    if (run.exitCode != 0) {
        report.failure = "exit status " + std::to_string(run.exitCode) + "\n" + run.err;
        return report;
    }
    std::size_t start = 0;
    while (start < run.out.size()) {
        const std::size_t end = run.out.find('\n', start);
        const std::size_t stop = end == std::string::npos ? run.out.size() : end;
        report.rows.push_back(run.out.substr(start, stop - start));
        start = stop + 1;
    }
#else
    (void)logDir;
    const ConvertOutcome outcome = Convert(input, output);
    if (outcome.fault) {
        report.failure = FaultText(*outcome.fault);
        return report;
    }
    report.rows = ReportRows(outcome.report);
#endif
    report.ran = true;
    return report;
}

struct HostileCase {
    const char* name;
    // Writes the input; returns its size in bytes.
    std::function<std::size_t(const fs::path& input)> make;
    // Checks the report and the output (the path, read when needed).
    std::function<void(const Report& report, const fs::path& input, const fs::path& output)> check;
    // Whether the run may (Maybe) or must (Always) refuse the input as no
    // log, ADIF or Cabrillo, writing nothing; `check` then applies only to a run.
    enum class NoLog { Never, Maybe, Always } noLog = NoLog::Never;
};

std::ostream& operator<<(std::ostream& os, const HostileCase& c) { return os << c.name; }

class FaultHostileInput : public ::testing::TestWithParam<HostileCase> {};

TEST_P(FaultHostileInput, ClearReportNoCrashBoundedMemory) {
    TempDir dir;
    const fs::path input = dir / "in.adi";
    const fs::path output = dir / "out.adi";
    const std::size_t size = GetParam().make(input);
    ASSERT_EQ(fs::file_size(input), size);
    fs::create_directory(dir / "logs"); // where shirl-cli's stdout and stderr go, when run as a child

    const Report report = ConvertHostile(input, output, dir / "logs");

    using NoLog = HostileCase::NoLog;
    if (GetParam().noLog == NoLog::Always) {
        EXPECT_FALSE(report.ran);
    }
    if (!report.ran && GetParam().noLog != NoLog::Never) {
        EXPECT_NE(report.failure.find("ERROR: " + Utf8(input) + " is neither an ADIF log nor a Cabrillo log."), std::string::npos)
            << report.failure;
        EXPECT_EQ(Entries(dir.path()), Names({"in.adi", "logs"})) << "nothing is written";
        EXPECT_EQ(fs::file_size(input), size) << "the input was changed";
        return;
    }
    ASSERT_TRUE(report.ran) << report.failure;
    ASSERT_GE(report.rows.size(), 3u);
    EXPECT_EQ(report.rows.front().rfind("Converted ", 0), 0u) << report.rows.front();
    EXPECT_EQ(CountRowsStartingWith(report, "Wrote "), 1u);
    EXPECT_TRUE(HasRow(report, "")) << "each list of the report ends with an empty row";
    GetParam().check(report, input, output);
    EXPECT_EQ(fs::file_size(input), size) << "the input was changed";
    EXPECT_EQ(Entries(dir.path()), Names({"in.adi", "logs", "out.adi"}));
    if (report.peakKiB >= 0) {
        RecordProperty("peak_kib", std::to_string(report.peakKiB));
        // Memory follows the largest line or value, never the whole log:
        // a few copies of it at most, and a fixed allowance.
#if defined(__SANITIZE_ADDRESS__)
        const long allowance = 8 * static_cast<long>(size / 1024) + 1024 * 1024;
#else
        const long allowance = 2 * static_cast<long>(size / 1024) + 32 * 1024;
#endif
        EXPECT_LE(report.peakKiB, allowance) << "peak memory of shirl-cli in KiB";
    }
}

std::string Wrote(int qsos, const fs::path& output) {
    return "Wrote " + std::to_string(qsos) + " QSOs to " + Utf8(output);
}

std::string Random(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xff);
    return bytes;
}

std::size_t Write(const fs::path& path, std::string_view bytes) {
    return WriteFile(path, bytes) ? bytes.size() : 0;
}

// The 100 MiB value is checked byte by byte against its pattern.
bool HoldsValue(const std::string& output, std::string_view tag, std::size_t length) {
    const std::size_t at = output.find(tag);
    if (at == std::string::npos || output.size() - at - tag.size() < length) return false;
    const char* value = output.data() + at + tag.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (value[i] != kValuePattern[i % kValuePattern.size()]) return false;
    }
    return true;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FaultHostileInput,
    ::testing::Values(
        HostileCase{"binary_garbage",
                    [](const fs::path& input) {
                        // No '<' anywhere and no Cabrillo start: a header without an
                        // end and nothing else, which is no log: refused, nothing written.
                        std::string bytes = Random(kMiB, 6);
                        std::replace(bytes.begin(), bytes.end(), '<', '#');
                        return Write(input, bytes);
                    },
                    [](const Report&, const fs::path&, const fs::path&) {}, HostileCase::NoLog::Always},
        HostileCase{"binary_garbage_after_a_header",
                    [](const fs::path& input) { return Write(input, kHeader + Random(kMiB, 7) + "\r\n" + kGoodRecord); },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_TRUE(HasRow(report, Wrote(1, output)) || HasRow(report, Wrote(0, output)));
                        EXPECT_GT(CountRowsStartingWith(report, "Malformed ADIF tag in line "), 0u);
                        EXPECT_EQ(ReadFile(output).rfind(kHeader, 0), 0u) << "the header must be copied";
                    },
                    HostileCase::NoLog::Maybe},
        HostileCase{"nul_bytes",
                    [](const fs::path& input) {
                        using namespace std::string_literals;
                        return Write(input, kHeader +
                                                "<CALL:7>N0\0CALL <QSO_DATE:8>20200131 \0 <TIME_ON:4>1234 <BAND:3>20M "
                                                "<MODE:2>CW <NOTES:5>a\0\0\0b <CNTY:4>AUTA <EOR>\r\n"s +
                                                kGoodRecord);
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        using namespace std::string_literals;
                        EXPECT_EQ(report.rows[0], "Converted 2 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(2, output));
                        const std::string out = ReadFile(output);
                        EXPECT_NE(out.find("<CALL:7>N0\0CALL"s), std::string::npos);
                        EXPECT_NE(out.find("<NOTES:5>a\0\0\0b"s), std::string::npos);
                        EXPECT_NE(out.find("<CNTY:10>AL,Autauga"), std::string::npos);
                    }},
        HostileCase{"invalid_utf8",
                    [](const fs::path& input) {
                        return Write(input, kHeader +
                                                "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M "
                                                "<MODE:2>CW <NAME:6>\xff\xfe\xc3(\x80\xed <QTH:5>caf\xc3\xa0 "
                                                "<COMMENT:4>\xc3\xc3\xc3\xc3 <CNTY:4>AUTA <EOR>\r\n");
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 1 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(1, output));
                        const std::string out = ReadFile(output);
                        EXPECT_NE(out.find("<NAME:6>\xff\xfe\xc3(\x80\xed"), std::string::npos);
                        EXPECT_NE(out.find("<COMMENT:4>\xc3\xc3\xc3\xc3"), std::string::npos);
                        EXPECT_NE(out.find("<CNTY:10>AL,Autauga"), std::string::npos);
                    }},
        HostileCase{"line_of_100_mib",
                    [](const fs::path& input) {
                        InputWriter in(input);
                        in << kHeader
                           << "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW "
                              "<CNTY:4>AUTA ";
                        in.Repeat("text between tags is ignored ", 100 * kMiB);
                        in << " <EOR>\r\n" << kGoodRecord;
                        return in.Close() ? static_cast<std::size_t>(fs::file_size(input)) : 0;
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 2 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(2, output));
                        EXPECT_LT(fs::file_size(output), 4096u);
                    }},
        HostileCase{"value_of_100_mib",
                    [](const fs::path& input) {
                        InputWriter in(input);
                        in << kHeader
                           << "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW "
                              "<CNTY:4>AUTA <NOTES:" +
                                  std::to_string(100 * kMiB) + ">";
                        in.Repeat(kValuePattern, 100 * kMiB);
                        in << " <EOR>\r\n" << kGoodRecord;
                        return in.Close() ? static_cast<std::size_t>(fs::file_size(input)) : 0;
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 2 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(2, output));
                        EXPECT_TRUE(HoldsValue(ReadFile(output), "<NOTES:" + std::to_string(100 * kMiB) + ">",
                                               100 * kMiB))
                            << "the value must be written whole and unchanged";
                    }},
        HostileCase{"record_of_100000_fields",
                    [](const fs::path& input) {
                        InputWriter in(input);
                        in << kHeader << "<CALL:6>N0CALL <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA ";
                        in.Repeat("<APP_X_FIELD:1>x ", 100000 * std::string_view("<APP_X_FIELD:1>x ").size());
                        in << "<EOR>\r\n" << kGoodRecord;
                        return in.Close() ? static_cast<std::size_t>(fs::file_size(input)) : 0;
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 1 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(1, output));
                        EXPECT_EQ(CountRowsStartingWith(report, "QSO with N0CALL in line "), 1u);
                        EXPECT_TRUE(HasRow(report, "QSO with N0CALL in line 3 has too many ADIF fields (> 1000), "
                                                   "skipping it"));
                        EXPECT_EQ(ReadFile(output).find("APP_X_FIELD"), std::string::npos);
                    }},
        HostileCase{"callsign_of_a_million_slashes",
                    [](const fs::path& input) {
                        return Write(input, kHeader + "<CALL:1000000>" + std::string(1000000, '/') +
                                                " <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\r\n");
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 1 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(1, output));
                        EXPECT_TRUE(HasRow(report, "ERROR [2]: Can't determine prefix for " + std::string(1000000, '/')))
                            << "the message names the whole callsign";
                        const std::string out = ReadFile(output);
                        EXPECT_NE(out.find("<CALL:1000000>" + std::string(1000000, '/')), std::string::npos);
                        EXPECT_NE(out.find("<CNTY:10>AL,Autauga"), std::string::npos);
                    }},
        HostileCase{"declared_length_of_20_nines",
                    [](const fs::path& input) {
                        // The value would take what is left of the file, the <EOR> with it:
                        // the tag is left out and the contact kept.
                        return Write(input, kHeader + kGoodRecord +
                                                "<CALL:6>N0CALL <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA "
                                                "<NOTES:99999999999999999999>the rest <EOR>\r\n");
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 2 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(2, output));
                        EXPECT_EQ(CountRowsStartingWith(report, "Malformed ADIF tag in line 4 (its length runs past "
                                                                "the end of the input), skipping the field: [<NOTES:"),
                                  1u);
                        EXPECT_NE(ReadFile(output).find("<CNTY:10>AL,Baldwin"), std::string::npos);
                    }},
        HostileCase{"negative_declared_length_of_20_nines",
                    [](const fs::path& input) {
                        return Write(input, kHeader +
                                                "<CALL:6>N0CALL <BAND:3>20M <MODE:2>CW "
                                                "<NOTES:-99999999999999999999>x <CNTY:4>AUTA <EOR>\r\n");
                    },
                    [](const Report& report, const fs::path&, const fs::path& output) {
                        EXPECT_EQ(report.rows[0], "Converted 1 Alabama counties.");
                        EXPECT_EQ(report.rows[1], Wrote(1, output));
                        EXPECT_NE(ReadFile(output).find("<CNTY:10>AL,Autauga"), std::string::npos);
                    }}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace shirl
