// File names in any language, through the whole Convert command (this suite
// also runs as a Windows program under Wine): names in several scripts, an
// emoji (a UTF-16 surrogate pair), blanks, folders of such names and a path
// longer than 260 characters. Each conversion must write the named file,
// name it in the report as given, and see two spellings of one file as one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "files/system_name.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/service/convert_command.h"
#include "app/service/report_view.h"
#include "data/selections.h"
#include "files/file_streams.h"
#include "files/file_system.h"
#include "files/utf.h"
#include "tests/support/fault_print.h"

namespace shirl {
namespace {

#ifdef _WIN32
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

const std::string kLog =
    "Names test log\r\n"
    "<ADIF_VER:5>3.1.4 <EOH>\r\n"
    "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\r\n"
    "<CALL:5>K4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:3>SSB <CNTY:4>BALD <EOR>\r\n";

// Folders made and removed by UTF-8 name through the system's own calls, so
// that they work at any length (a test helper; the program makes no folders).
bool MakeFolder(const std::string& name) {
#ifdef _WIN32
    const auto wide = SystemName(name);
    return wide && CreateDirectoryW(wide->c_str(), nullptr) != 0;
#else
    return ::mkdir(name.c_str(), 0700) == 0;
#endif
}

void RemoveFolder(const std::string& name) {
#ifdef _WIN32
    if (const auto wide = SystemName(name)) RemoveDirectoryW(wide->c_str());
#else
    ::rmdir(name.c_str());
#endif
}

bool WriteBytes(const std::string& name, const std::string& bytes) {
    FileSink sink;
    if (!sink.Open(name)) return false;
    sink.Write(bytes);
    return sink.Close();
}

std::string ReadBytes(const std::string& name) {
    FileSource source;
    if (!source.Open(name)) return "(cannot open " + name + ")";
    std::string bytes;
    char chunk[4096];
    for (std::size_t n; (n = source.Read(chunk, sizeof chunk)) != 0;) bytes.append(chunk, n);
    return bytes;
}

// A fresh folder for a test; what the test made in it is removed by name.
class NamesDir {
public:
    NamesDir() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const std::u8string base = std::filesystem::temp_directory_path().u8string();
        m_path = std::string(base.begin(), base.end()) + kSep + "shirl-names-" + std::to_string(stamp);
        m_made = MakeFolder(m_path);
    }
    ~NamesDir() {
        for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) RemoveFile(*it);
        for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it) RemoveFolder(*it);
        RemoveFolder(m_path);
    }
    NamesDir(const NamesDir&) = delete;
    NamesDir& operator=(const NamesDir&) = delete;
    bool Made() const { return m_made; }
    const std::string& Path() const { return m_path; }
    // Makes the folders of `relative` (separated by kSep) below this one.
    bool Folders(const std::vector<std::string>& names) {
        std::string path = m_path;
        for (const std::string& name : names) {
            path += kSep + name;
            if (!MakeFolder(path)) return false;
            m_folders.push_back(path);
        }
        return true;
    }
    // Remembers a file to remove.
    std::string File(const std::string& name) {
        m_files.push_back(name);
        return name;
    }

private:
    std::string m_path;
    bool m_made = false;
    std::vector<std::string> m_folders;
    std::vector<std::string> m_files;
};

ConvertOutcome Convert(const std::string& input, const std::string& output) {
    return RunConvertCommand(ConvertRequest{input, output, selections::kAL, true});
}

// The report rows expected for kLog written to `output`.
std::vector<std::string> ExpectedRows(const std::string& output) {
    NamesDir dir;
    const std::string in = dir.File(dir.Path() + kSep + "ref-in.adi");
    const std::string out = dir.File(dir.Path() + kSep + "ref-out.adi");
    WriteBytes(in, kLog);
    std::vector<std::string> rows = ReportRows(Convert(in, out).report);
    for (std::string& row : rows)
        if (row == "Wrote 2 QSOs to " + out) row = "Wrote 2 QSOs to " + output;
    return rows;
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

struct NameCase {
    const char* label;
    std::vector<std::string> folders;  // below the test's folder
    std::string input;
    std::string output;
};

std::ostream& operator<<(std::ostream& os, const NameCase& c) { return os << c.label; }

// One folder name of 60 characters in four scripts (at most 255 bytes of
// UTF-8, the limit of one name on Linux); five of them make a path of more
// than 300 characters.
// (Windows drops a blank at the end of a name, so none ends in one.)
const std::string kLongFolder = Repeat("\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB \xC3\xB1 \xE6\x97\xA5\xE5\xBF\x97 "
                                       "\xF0\x9F\x93\xBB-",
                                       4);

class FileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNames, ConvertWritesTheNamedFileAndReportsItAsGiven) {
    const NameCase& c = GetParam();
    NamesDir dir;
    ASSERT_TRUE(dir.Made());
    ASSERT_TRUE(dir.Folders(c.folders));
    std::string folder = dir.Path();
    for (const std::string& name : c.folders) folder += kSep + name;
    const std::string input = dir.File(folder + kSep + c.input);
    const std::string output = dir.File(folder + kSep + c.output);
    ASSERT_TRUE(WriteBytes(input, kLog)) << input;

    NamesDir reference;
    const std::string refIn = reference.File(reference.Path() + kSep + "in.adi");
    const std::string refOut = reference.File(reference.Path() + kSep + "out.adi");
    ASSERT_TRUE(WriteBytes(refIn, kLog));
    ASSERT_FALSE(Convert(refIn, refOut).fault);
    const std::string expected = ReadBytes(refOut);

    for (int run = 0; run < 2; ++run) {  // a new output, then one replaced
        SCOPED_TRACE(run == 0 ? "new output" : "replaced output");
        const ConvertOutcome outcome = Convert(input, output);
        ASSERT_FALSE(outcome.fault) << FaultText(*outcome.fault);
        EXPECT_EQ(ReportRows(outcome.report), ExpectedRows(output));
        EXPECT_EQ(KindOf(output), FileKind::Regular);
        EXPECT_EQ(ReadBytes(output), expected);
        EXPECT_EQ(ReadBytes(input), kLog);
    }

    // Two spellings of one file are one file.
    const std::string last = c.folders.empty() ? std::string() : c.folders.back();
    const std::string dotted = folder + kSep + "." + kSep + c.input;
    const std::string roundabout =
        last.empty() ? dir.Path() + kSep + "." + kSep + c.input : folder + kSep + ".." + kSep + last + kSep + c.input;
    for (const std::string& alias : {dotted, roundabout}) {
        SCOPED_TRACE(alias);
        EXPECT_TRUE(SameExistingFile(input, alias));
        EXPECT_EQ(Convert(input, alias).fault, Fault{FaultKind::SameNames});
        EXPECT_EQ(Convert(alias, input).fault, Fault{FaultKind::SameNames});
        EXPECT_EQ(ReadBytes(input), kLog);
    }
    EXPECT_FALSE(SameExistingFile(input, output));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FileNames,
    ::testing::Values(
        NameCase{"latin", {}, "Zo\xC3\xAB.adi", "Jos\xC3\xA9 \xC3\xBC\xC3\xB1.adi"},
        NameCase{"latin_folder", {"Jos\xC3\xA9"}, "M\xC3\xBCller.adi", "Peña.adi"},
        NameCase{"cyrillic", {"\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB"}, "\xD0\xBB\xD0\xBE\xD0\xB3.adi",
                 "\xD0\xB2\xD1\x8B\xD0\xB2\xD0\xBE\xD0\xB4.adi"},
        NameCase{"greek", {}, "\xCE\x97\xCE\xBC\xCE\xB5\xCF\x81\xCE\xBF\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xB9\xCE\xBF.adi",
                 "\xCE\xAD\xCE\xBE\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x82.adi"},
        NameCase{"chinese", {"\xE6\x97\xA5\xE5\xBF\x97"}, "\xE8\xBE\x93\xE5\x85\xA5.adi",
                 "\xE8\xBE\x93\xE5\x87\xBA.adi"},
        NameCase{"emoji", {"\xF0\x9F\x93\xBB radio"}, "log \xF0\x9F\x93\xBB.adi", "out \xF0\x9F\x8E\x99.adi"},
        NameCase{"blanks", {"my field day logs"}, "field day log.adi", "out put.adi"},
        NameCase{"longer_than_260", {kLongFolder, kLongFolder, kLongFolder, kLongFolder, kLongFolder},
                 "\xCE\xB5\xCE\xAF\xCF\x83\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x82 " + Repeat("\xC3\xA9", 40) + ".adi",
                 "\xE8\xBE\x93\xE5\x87\xBA " + Repeat("\xC3\xBC", 40) + ".adi"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

TEST(FileNames, LongCaseReallyPassesTheOldLimit) {
    const std::string path = Repeat(kLongFolder + kSep, 5) + "x.adi";
    EXPECT_GT(Utf16FromUtf8(path).size(), 300u);
    EXPECT_LE(kLongFolder.size(), 255u);
}

// Bytes that are no UTF-8 (a Latin-1 "Zoë" from an old disk): a name on
// POSIX systems, where names are bytes; on Windows no file can have it, and
// the command says so instead of ending.
TEST(FileNames, NameThatIsNotUtf8) {
    NamesDir dir;
    ASSERT_TRUE(dir.Made());
    const std::string input = dir.File(dir.Path() + kSep + "Zo\xEB.adi");
    const std::string output = dir.File(dir.Path() + kSep + "caf\xE9.adi");
#ifdef _WIN32
    EXPECT_FALSE(WriteBytes(input, kLog));
    EXPECT_EQ(Convert(input, output).fault, Fault{FaultKind::CannotOpenInput});
    const std::string good = dir.File(dir.Path() + kSep + "good.adi");
    ASSERT_TRUE(WriteBytes(good, kLog));
    EXPECT_EQ(Convert(good, output).fault, Fault{FaultKind::CannotOpenOutput});
    EXPECT_EQ(KindOf(output), FileKind::Missing);
#else
    ASSERT_TRUE(WriteBytes(input, kLog));
    const ConvertOutcome outcome = Convert(input, output);
    ASSERT_FALSE(outcome.fault) << FaultText(*outcome.fault);
    EXPECT_EQ(ReportRows(outcome.report), ExpectedRows(output));
    EXPECT_EQ(KindOf(output), FileKind::Regular);
    EXPECT_NE(ReadBytes(output).find("<CNTY:10>AL,Autauga"), std::string::npos);
#endif
}

// A name the system refuses (one part longer than any file system allows)
// gives the command's messages; nothing is written.
TEST(FileNames, NameTheSystemRefuses) {
    NamesDir dir;
    ASSERT_TRUE(dir.Made());
    const std::string input = dir.File(dir.Path() + kSep + "in.adi");
    ASSERT_TRUE(WriteBytes(input, kLog));
    const std::string tooLong = dir.Path() + kSep + Repeat("\xC3\xA9", 300) + ".adi";
    const std::string output = dir.File(dir.Path() + kSep + "out.adi");
    EXPECT_EQ(Convert(tooLong, output).fault, Fault{FaultKind::CannotOpenInput});
    EXPECT_EQ(Convert(input, tooLong).fault, Fault{FaultKind::CannotOpenOutput});
    EXPECT_EQ(Convert(input, tooLong + kSep + "out.adi").fault, Fault{FaultKind::CannotOpenOutput});
    EXPECT_EQ(KindOf(output), FileKind::Missing);
    EXPECT_EQ(ReadBytes(input), kLog);
}

// A name holding a NUL byte reaches no file (the C library would cut it
// short and open another one).
TEST(FileNames, NameWithNulByteIsNoFile) {
    NamesDir dir;
    ASSERT_TRUE(dir.Made());
    const std::string input = dir.File(dir.Path() + kSep + "in.adi");
    ASSERT_TRUE(WriteBytes(input, kLog));
    const std::string cut = input + std::string("\0.old", 5);
    EXPECT_EQ(KindOf(cut), FileKind::Missing);
    EXPECT_EQ(Convert(cut, dir.Path() + kSep + "out.adi").fault, Fault{FaultKind::CannotOpenInput});
    const std::string output = dir.File(dir.Path() + kSep + "out.adi");
    EXPECT_EQ(Convert(input, output + std::string("\0x", 2)).fault, Fault{FaultKind::CannotOpenOutput});
    EXPECT_EQ(KindOf(output), FileKind::Missing);
}

} // namespace
} // namespace shirl
