// The dialog's Selection detection and the operator's lists in the window:
// a detected Selection is shown in the State list, a Selection that the user
// picked is never changed, the next detection may replace a detected one;
// lists are found by Selection code in the lists folders, and a faulty list
// stops the run with a message box.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/service/abbrev_list_files.h"
#include "app/service/run_preparation.h"
#include "app/dialog/selection_choice.h"
#include "app/dialog/shirl_dlg.h"
#include "data/contest_ids.h"
#include "data/selections.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using namespace shirl;

namespace {

// Records what the dialog asks; SetSelectionRow reports the change back
// through OnSelectionChanged, as a Qt combo box does.
class EchoingWindow : public DialogWindow {
public:
    CShirlDlg* dlg = nullptr;
    int row = -1;
    int setRowCalls = 0;
    std::string input, output;
    std::vector<std::string> messages, report;

    void FillSelectionList(const std::vector<std::string>&) override { row = -1; }
    void SetAddMobileCheck(bool) override {}
    bool GetAddMobileCheck() override { return true; }
    int GetSelectionRow() override { return row; }
    void SetSelectionRow(int r) override {
        ++setRowCalls;
        row = r;
        if (dlg != nullptr) dlg->OnSelectionChanged();
    }
    std::string GetInputNameText() override { return input; }
    std::string GetOutputNameText() override { return output; }
    void SetNameTexts(const std::string& in, const std::string& out) override {
        input = in;
        output = out;
    }
    void ShowMessageBox(const std::string& text, MessageIcon) override { messages.push_back(text); }
    std::optional<std::string> RunFileDialog(const FileDialogRequest&) override { return nextFile; }
    void ReplaceReportRows(const std::vector<std::string>& rows) override { report = rows; }
    bool PutTextOnClipboard(const std::string&) override { return true; }
    bool OpenUserGuide() override { return true; }
    std::optional<std::pair<int, int>> ReadProgramVersion() override { return std::nullopt; }
    void EnableMapButton(bool) override {}
    bool ShowCountyMap(const std::string&) override { return true; }
    bool OpenWithDefaultProgram(const std::string&) override { return true; }

    std::optional<std::string> nextFile;
};

int RowOfCode(std::string_view code) {
    const auto order = DisplayOrder();
    for (std::size_t r = 0; r < order.size(); ++r)
        if (order[r].Code() == code) return static_cast<int>(r);
    return -1;
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Log(std::string_view contestId, std::string_view county) {
    std::string log = "Log\n<EOH>\n<CALL:4>K4AA <QSO_DATE:8>20240101 <TIME_ON:4>1200 <BAND:3>40m <MODE:2>CW ";
    if (!contestId.empty())
        log += "<CONTEST_ID:" + std::to_string(contestId.size()) + ">" + std::string(contestId) + " ";
    log += "<CTY:" + std::to_string(county.size()) + ">" + std::string(county) + " <EOR>\n";
    return log;
}

class DetectionTest : public ::testing::Test {
protected:
    DetectionTest() : dlg(window) {
        window.dlg = &dlg;
        dlg.OnInitDialog();
        dir = tempDir.path();
        WriteFile(dir / "al.adi", Log("AL-QSO-PARTY", "AUTA"));
        WriteFile(dir / "7qp.adi", Log("7QP", "AZAPH"));
        WriteFile(dir / "plain.adi", Log("", "AUTA"));
        WriteFile(dir / "sd.adi", Log("SD-QSO-PARTY", "OGLA"));
    }
    std::string File(const char* name) const { return (dir / name).string(); }
    void Browse(const char* name) {
        window.nextFile = File(name);
        dlg.OnInputBrowse();
    }
    void Type(const char* name) {
        window.input = File(name);
        dlg.OnNameEdited();
    }

    test::TempDir tempDir;
    EchoingWindow window;
    CShirlDlg dlg;
    fs::path dir;
};

} // namespace

TEST(SelectionChoiceTest, Rule) {
    using namespace selections;
    SelectionChoice choice;
    EXPECT_EQ(TakeDetectedSelection(choice, kAL), kAL);
    EXPECT_EQ(TakeDetectedSelection(choice, kAL), std::nullopt);     // no change
    EXPECT_EQ(TakeDetectedSelection(choice, k7QP), k7QP);            // the next detection replaces it
    EXPECT_EQ(TakeDetectedSelection(choice, Selection()), Selection()); // nothing detected: cleared
    PickSelection(choice, kTX);
    EXPECT_EQ(TakeDetectedSelection(choice, k7QP), std::nullopt);    // a pick is never replaced
    EXPECT_EQ(choice.selection, kTX);
    EXPECT_TRUE(choice.picked);
}

TEST_F(DetectionTest, ChosenFileShowsItsParty) {
    Browse("al.adi");
    EXPECT_EQ(window.row, RowOfCode("AL"));
    EXPECT_EQ(dlg.selection(), selections::kAL);
    // The dialog's own change of the row is not taken for a pick: the next
    // file's party replaces it, and a file without CONTEST_ID clears it.
    Type("7qp.adi");
    EXPECT_EQ(window.row, RowOfCode("7QP"));
    EXPECT_EQ(dlg.selection(), selections::k7QP);
    Browse("plain.adi");
    EXPECT_EQ(window.row, -1);
    EXPECT_EQ(dlg.selection(), Selection());
}

// A Cabrillo log, told by its content: the party from CONTEST:, the output offered as ADIF.
TEST_F(DetectionTest, CabrilloLogShowsItsPartyAndIsOfferedAsAdif) {
    WriteFile(dir / "fqp.log", "START-OF-LOG: 3.0\nCONTEST: FL-QSO-PARTY\n"
                               "QSO: 14035 CW 2025-04-26 1400 K4XX 599 PIN W4AAA 599 ALC\nEND-OF-LOG:\n");
    Browse("fqp.log");
    EXPECT_EQ(dlg.selection(), selections::kFL);
    EXPECT_EQ(window.output, File("fqp-converted.adi"));
}

TEST_F(DetectionTest, PickedSelectionIsNeverChanged) {
    window.row = RowOfCode("TX");
    dlg.OnSelectionChanged();
    const int calls = window.setRowCalls;
    Browse("al.adi");
    Type("7qp.adi");
    EXPECT_EQ(window.setRowCalls, calls);
    EXPECT_EQ(window.row, RowOfCode("TX"));
    EXPECT_EQ(dlg.selection(), selections::kTX);
}

TEST_F(DetectionTest, PickAfterDetectionHolds) {
    Browse("al.adi");
    window.row = RowOfCode("GA");
    dlg.OnSelectionChanged();
    Browse("7qp.adi");
    EXPECT_EQ(dlg.selection(), selections::kGA);
}

TEST_F(DetectionTest, MissingFileDetectsNothing) {
    Type("al.adi");
    Type("no-such-file.adi");
    EXPECT_EQ(dlg.selection(), Selection());
}

TEST_F(DetectionTest, ListsFromTheFoldersAndTheirFaults) {
    const fs::path user = dir / "user" / "lists";
    const fs::path program = dir / "program" / "lists";
    WriteFile(user / "SD.csv", "abbreviation,state,county\nOGLA,SD,Shannon\n");
    WriteFile(program / "SD.csv", "abbreviation,county_id\nOGLB,46113\n");
    WriteFile(program / "MARAC.replace.csv", "abbreviation,county_id\nALAUT,1001\n");
    const std::vector<std::string> folders = {user.string(), program.string()};

    const FoundLists sd = FindListsForSelection(folders, "SD");
    EXPECT_EQ(sd.files, (std::vector<std::string>{(user / "SD.csv").string(), (program / "SD.csv").string()}));
    EXPECT_FALSE(sd.replace);
    const FoundLists marac = FindListsForSelection(folders, "MARAC");
    EXPECT_EQ(marac.files, std::vector<std::string>{(program / "MARAC.replace.csv").string()});
    EXPECT_TRUE(marac.replace);
    EXPECT_TRUE(FindListsForSelection(folders, "AL").files.empty());

    dlg.SetLists(RunLists{{}, folders});
    Browse("sd.adi");
    window.output = File("out.adi");
    dlg.OnNameEdited();
    dlg.OnConvert();
    ASSERT_TRUE(window.messages.empty());
    ASSERT_GE(window.report.size(), 3u);
    EXPECT_EQ(window.report[0], "INFO: Using abbreviation list " + (user / "SD.csv").string() +
                                    " for South Dakota (1 rows, extends the built-in table).");
    EXPECT_EQ(window.report[2], "Converted 1 South Dakota counties.");

    // A faulty list: a message box, and the output is not written again.
    fs::remove(File("out.adi"));
    WriteFile(program / "SD.csv", "abbreviation,county_id\nOGLB,99999\n");
    dlg.OnConvert();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0],
              "ERROR: Abbreviation list " + (program / "SD.csv").string() + ", line 2: unknown county id \"99999\".");
    EXPECT_FALSE(fs::exists(File("out.adi")));
}

TEST(ListFoldersTest, SettingsFolderThenProgramFolder) {
#ifndef _WIN32
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string keptXdg = oldXdg ? oldXdg : "";
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(ListFolders("/opt/shirl/bin"), (std::vector<std::string>{"/cfg/shirl/lists", "/opt/shirl/bin/lists"}));
    ::unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(ListFolders(""), std::vector<std::string>{std::string(home) + "/.config/shirl/lists"});
    }
    if (oldXdg) ::setenv("XDG_CONFIG_HOME", keptXdg.c_str(), 1);
#else
    const auto folders = ListFolders("C:\\Shirl");
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.back(), "C:\\Shirl\\lists");
    if (folders.size() == 2) {
        EXPECT_NE(folders.front().find("\\Shirl\\lists"), std::string::npos);
    }
#endif
}

TEST(ContestIdSelectionsTest, EveryDetectableSelectionIsInTheStateList) {
    // A detected Selection can only be shown when the list offers it.
    for (const ContestIdEntry& entry : ContestIdTable()) EXPECT_GE(RowOfCode(Selection(entry.selection).Code()), 0) << entry.contestId;
}

namespace {

#ifdef _WIN32
constexpr const char* kSettingsVariable = "APPDATA";
constexpr const char* kListsUnder = "Shirl\\lists";
#else
constexpr const char* kSettingsVariable = "XDG_CONFIG_HOME";
constexpr const char* kListsUnder = "shirl/lists";
#endif

// Sets an environment variable to a UTF-8 value for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name) {
#ifdef _WIN32
        const std::wstring wide(name, name + std::strlen(name));
        if (const wchar_t* old = _wgetenv(wide.c_str())) m_old = fs::path(old).u8string();
        _wputenv_s(wide.c_str(), fs::path(std::u8string(value.begin(), value.end())).wstring().c_str());
#else
        if (const char* old = std::getenv(name)) m_old = std::u8string(old, old + std::strlen(old));
        ::setenv(name, value.c_str(), 1);
#endif
    }
    ~ScopedVariable() {
#ifdef _WIN32
        const std::wstring wide(m_name, m_name + std::strlen(m_name));
        _wputenv_s(wide.c_str(), m_old ? fs::path(*m_old).wstring().c_str() : L"");
#else
        if (m_old) {
            ::setenv(m_name, std::string(m_old->begin(), m_old->end()).c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
#endif
    }

private:
    const char* m_name;
    std::optional<std::u8string> m_old;
};

std::string Utf8(const fs::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

} // namespace

// The window's settings folder (%APPDATA%\Shirl\lists on Windows, under Wine
// in the Windows build; $XDG_CONFIG_HOME/shirl/lists elsewhere), in a folder
// whose name is not ASCII: the list is found by the Selection's code and
// used by Convert.
TEST_F(DetectionTest, ListInTheSettingsFolder) {
    const fs::path settings = dir / fs::path(u8"Einstellungen \u00c4");
    const ScopedVariable variable(kSettingsVariable, Utf8(settings));
    const fs::path listFile = settings / fs::path(kListsUnder) / "SD.csv";
    WriteFile(listFile, "# this year's list\r\nabbreviation,state,county\r\nOGLA,SD,Shannon\r\n");

    dlg.SetLists(ListsInFolders(""));
    Browse("sd.adi");
    ASSERT_EQ(dlg.selection(), selections::kSD);
    window.output = Utf8(dir / "out.adi");
    dlg.OnNameEdited();
    dlg.OnConvert();
    ASSERT_TRUE(window.messages.empty()) << window.messages.front();
    ASSERT_GE(window.report.size(), 2u);
    EXPECT_EQ(window.report[0],
              "INFO: Using abbreviation list " + Utf8(listFile) + " for South Dakota (1 rows, extends the built-in table).");
    EXPECT_EQ(window.report[1], "Converted 1 South Dakota counties.");
    std::ifstream out(dir / "out.adi", std::ios::binary);
    std::stringstream text;
    text << out.rdbuf();
    EXPECT_NE(text.str().find("<CNTY:10>SD,Shannon"), std::string::npos);
}
