// The main dialog's rules, driven through a fake window that records what
// the dialog asks of it. Every front end shares these rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "app/dialog/shirl_dlg.h"
#include "app/service/version.h"
#include "data/selections.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using namespace shirl;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace {

struct ShownMessage {
    std::string text;
    MessageIcon icon;
};

class FakeWindow : public DialogWindow {
public:
    // What the dialog put into the window.
    std::vector<std::string> selectionRows;
    int fillCalls = 0;
    bool check = false;
    std::string inputBox, outputBox;
    int setNameCalls = 0;
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> reportRows;
    int reportReplaceCalls = 0;
    int guideOpenCalls = 0;
    int setRowCalls = 0;
    std::vector<std::string> clipboardTexts;

    // What the user or the platform answers.
    int selectedRow = -1;
    std::deque<std::optional<std::string>> fileAnswers;
    bool browserStarts = true;
    std::string guideFile;
    bool clipboardWorks = true;
    std::optional<std::pair<int, int>> version = std::make_pair(7, 1);

    void FillSelectionList(const std::vector<std::string>& rows) override {
        ++fillCalls;
        selectionRows.insert(selectionRows.end(), rows.begin(), rows.end());
        selectedRow = -1;
    }
    void SetAddMobileCheck(bool checked) override { check = checked; }
    bool GetAddMobileCheck() override { return check; }
    int GetSelectionRow() override { return selectedRow; }
    void SetSelectionRow(int row) override {
        ++setRowCalls;
        selectedRow = row;
    }
    std::string GetInputNameText() override { return inputBox; }
    std::string GetOutputNameText() override { return outputBox; }
    void SetNameTexts(const std::string& input, const std::string& output) override {
        ++setNameCalls;
        inputBox = input;
        outputBox = output;
    }
    void ShowMessageBox(const std::string& text, MessageIcon icon) override { messages.push_back({text, icon}); }
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) return std::nullopt;
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    void ReplaceReportRows(const std::vector<std::string>& rows) override {
        ++reportReplaceCalls;
        reportRows = rows;
    }
    bool PutTextOnClipboard(const std::string& text) override {
        if (clipboardWorks) clipboardTexts.push_back(text);
        return clipboardWorks;
    }
    bool OpenUserGuide() override {
        ++guideOpenCalls;
        return browserStarts;
    }
    std::string UserGuideFile() override { return guideFile; }
    std::optional<std::pair<int, int>> ReadProgramVersion() override { return version; }
    void EnableMapButton(bool enabled) override { mapButtonEnabled = enabled; }
    bool ShowCountyMap(const std::string& svg) override {
        shownMaps.push_back(svg);
        return showsMaps;
    }
    bool OpenWithDefaultProgram(const std::string& name) override {
        openedFiles.push_back(name);
        return browserStarts;
    }
    bool mapButtonEnabled = true;
    bool showsMaps = true;
    std::vector<std::string> shownMaps, openedFiles;

    // User actions the dialog hears about through its handlers.
    void TypeInput(CShirlDlg& dlg, const std::string& text) {
        inputBox = text;
        dlg.OnNameEdited();
    }
    void TypeOutput(CShirlDlg& dlg, const std::string& text) {
        outputBox = text;
        dlg.OnNameEdited();
    }
    void PickRow(CShirlDlg& dlg, int row) {
        selectedRow = row;
        dlg.OnSelectionChanged();
    }
    void ClickCheck(CShirlDlg& dlg) {
        check = !check;
        dlg.OnAddMobileClicked();
    }
};

constexpr const char* kAlabamaLog =
    "Test log\n<EOH>\n"
    "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\n";

int RowOf(std::string_view name) {
    const auto order = DisplayOrder();
    for (std::size_t r = 0; r < order.size(); ++r)
        if (order[r].Name() == name) return static_cast<int>(r);
    return -1;
}

class DialogTest : public ::testing::Test {
protected:
    DialogTest() : dlg(window) { dlg.OnInitDialog(); }

    // Writes the Alabama log to in.adi of `dir` and fills the dialog in as a
    // user would: both names typed, Alabama picked.
    void PrepareAlabamaRun(const TempDir& dir) {
        in = dir.File("in.adi");
        out = dir.File("out.adi");
        WriteFile(in, kAlabamaLog);
        window.TypeInput(dlg, in);
        window.TypeOutput(dlg, out);
        window.PickRow(dlg, RowOf("Alabama"));
    }

    FakeWindow window;
    CShirlDlg dlg;
    std::string in, out;
};

} // namespace

// A fresh window has no party picked (Convert asks for one instead of
// converting for a party the user never chose) and adds /M to a mobile's
// callsign until the box is cleared.
TEST_F(DialogTest, StartsWithNothingPickedAndAddingMobile) {
    TempDir dir;
    in = dir.File("in.adi");
    out = dir.File("out.adi");
    WriteFile(in, "Test log\n<EOH>\n<CALL:10>N0CALL/AUT <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M "
                  "<MODE:2>CW <CNTY:3>AUT <EOR>\n");
    window.TypeInput(dlg, in);
    window.TypeOutput(dlg, out);
    dlg.OnConvert();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "ERROR: You must select a state or QSO Party.");
    EXPECT_FALSE(fs::exists(out));
    window.PickRow(dlg, RowOf("Alabama"));
    dlg.OnConvert();
    EXPECT_NE(ReadFile(out).find("<CALL:8>N0CALL/M "), std::string::npos) << ReadFile(out);
}

// The list shows the display order, and picking row r gives its entry r
// (not Selection r); the order itself is the data's own test.
TEST_F(DialogTest, SelectionListRowsAreTheDisplayOrder) {
    const auto order = DisplayOrder();
    ASSERT_EQ(window.selectionRows.size(), order.size());
    for (std::size_t row = 0; row < order.size(); ++row) {
        EXPECT_EQ(window.selectionRows[row], order[row].Name()) << "row " << row;
        window.PickRow(dlg, static_cast<int>(row));
        EXPECT_EQ(dlg.selection(), order[row]) << "row " << row;
    }
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.reportReplaceCalls, 0);
}

TEST_F(DialogTest, ARowOutsideTheListKeepsThePick) {
    window.PickRow(dlg, 3);
    window.PickRow(dlg, -1);
    EXPECT_EQ(dlg.selection(), selections::kBC);
    window.PickRow(dlg, 53);
    EXPECT_EQ(dlg.selection(), selections::kBC);
}

TEST_F(DialogTest, ClickingTheCheckBoxTwiceRestoresTheFlag) {
    window.ClickCheck(dlg);
    EXPECT_EQ(dlg.addMobile(), 0);
    window.ClickCheck(dlg);
    EXPECT_EQ(dlg.addMobile(), 1);
}

TEST_F(DialogTest, EditingEitherBoxStoresBothNames) {
    window.TypeInput(dlg, "in.adi");
    EXPECT_EQ(dlg.inputName(), "in.adi");
    window.TypeOutput(dlg, "  ");
    EXPECT_EQ(dlg.inputName(), "in.adi");
    EXPECT_EQ(dlg.outputName(), "  ");
}

TEST_F(DialogTest, FileDialogsAskWithTheirTitlesFiltersAndChecks) {
    window.TypeInput(dlg, "/logs/party.adi");
    dlg.OnInputBrowse();
    dlg.OnOutputBrowse();
    ASSERT_EQ(window.fileRequests.size(), 2u);
    const FileDialogRequest& in = window.fileRequests[0];
    const FileDialogRequest& out = window.fileRequests[1];
    const std::vector<std::pair<std::string, std::string>> filters = {{"ADIF Files", "*.adi;*.adif;"},
                                                                      {"All Files", "*.*"}};
    const std::vector<std::pair<std::string, std::string>> inputFilters = {
        {"ADIF and Cabrillo Logs", "*.adi;*.adif;*.log;*.cbr;*.txt;"}, filters[0], {"Cabrillo Logs", "*.log;*.cbr;*.txt;"},
        filters[1]};
    EXPECT_EQ(in.kind, FileDialogKind::Open);
    EXPECT_EQ(in.title, "Input ADIF File");
    EXPECT_EQ(in.initialName, "/logs/party.adi");
    EXPECT_EQ(in.defaultSuffix, "adi");
    EXPECT_EQ(in.filters, inputFilters);
    EXPECT_TRUE(in.mustExist);
    EXPECT_FALSE(in.overwritePrompt);
    EXPECT_EQ(out.kind, FileDialogKind::Save);
    EXPECT_EQ(out.title, "Output ADIF file");
    EXPECT_EQ(out.initialName, "/logs/party-converted.adi");  // the name offered for the input
    EXPECT_EQ(out.defaultSuffix, "adi");
    EXPECT_EQ(out.filters, filters);
    EXPECT_FALSE(out.mustExist);
    EXPECT_TRUE(out.overwritePrompt);
}

TEST_F(DialogTest, ALongNameIsOfferedWhole) {
    const std::string longName = "/" + std::string(400, 'x') + ".adi";
    window.TypeOutput(dlg, longName);
    dlg.OnOutputBrowse();
    ASSERT_EQ(window.fileRequests.size(), 1u);
    EXPECT_EQ(window.fileRequests[0].initialName, longName);
}

TEST_F(DialogTest, CancellingEitherFileDialogKeepsBothNames) {
    window.TypeInput(dlg, "a.adi");
    window.TypeOutput(dlg, "b.adi");
    const int setsBefore = window.setNameCalls;
    dlg.OnInputBrowse();
    dlg.OnOutputBrowse();
    EXPECT_EQ(dlg.inputName(), "a.adi");
    EXPECT_EQ(dlg.outputName(), "b.adi");
    EXPECT_EQ(window.inputBox, "a.adi");
    EXPECT_EQ(window.outputBox, "b.adi");
    EXPECT_EQ(window.setNameCalls, setsBefore);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(DialogTest, TypedInputAndBrowsedOutputBothSurvive) {
    window.TypeInput(dlg, "typed.adi");
    window.fileAnswers.push_back("/home/op/chosen.adi");
    dlg.OnOutputBrowse();
    EXPECT_EQ(dlg.inputName(), "typed.adi");
    EXPECT_EQ(dlg.outputName(), "/home/op/chosen.adi");
    EXPECT_EQ(window.inputBox, "typed.adi");
    EXPECT_EQ(window.outputBox, "/home/op/chosen.adi");

    window.fileAnswers.push_back("/home/op/input.adif");
    dlg.OnInputBrowse();
    EXPECT_EQ(dlg.inputName(), "/home/op/input.adif");
    EXPECT_EQ(window.inputBox, "/home/op/input.adif");
    EXPECT_EQ(window.outputBox, "/home/op/chosen.adi");
}

TEST_F(DialogTest, ConvertReportsOnlyTheFirstFailingCheck) {
    TempDir dir;
    const std::string existing = dir.File("in.adi");
    WriteFile(existing, kAlabamaLog);
    struct Case {
        std::string input;
        std::string output;
        int row;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"", "", -1, "ERROR: Didn't specify input file."},
        {"", "out.adi", 0, "ERROR: Didn't specify input file."},
        {existing, "", -1, "ERROR: Didn't specify output file."},
        {existing, existing, -1, "ERROR: Input and output file names must be different."},
        {existing, dir.File("out.adi"), -1, "ERROR: You must select a state or QSO Party."},
        {dir.File("missing.adi"), dir.File("never.adi"), 0, "ERROR: Could not open input file."},
        // A name of blanks is a name: it fails only when it is opened.
        {"  ", dir.File("never.adi"), 0, "ERROR: Could not open input file."},
        {existing, dir.File("no-such-folder/out.adi"), 0, "ERROR: Could not open output file."},
    };
    for (const Case& c : cases) {
        FakeWindow w;
        CShirlDlg d(w);
        d.OnInitDialog();
        w.TypeInput(d, c.input);
        w.TypeOutput(d, c.output);
        if (c.row >= 0) w.PickRow(d, c.row);
        d.OnConvert();
        ASSERT_EQ(w.messages.size(), 1u) << c.message;
        EXPECT_EQ(w.messages[0].text, c.message);
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(w.reportReplaceCalls, 0) << c.message;
        EXPECT_EQ(d.selection(), c.row < 0 ? Selection() : selections::kAL);
    }
    EXPECT_FALSE(fs::exists(dir.File("never.adi")));
    EXPECT_FALSE(fs::exists(dir.File("out.adi")));
    EXPECT_EQ(ReadFile(existing), kAlabamaLog);
}

TEST_F(DialogTest, AFailedConvertLeavesTheLastReport) {
    TempDir dir;
    PrepareAlabamaRun(dir);
    dlg.OnConvert();
    ASSERT_EQ(window.reportReplaceCalls, 1);
    const auto report = window.reportRows;
    window.TypeInput(dlg, dir.File("gone.adi"));
    dlg.OnConvert();
    EXPECT_EQ(window.reportReplaceCalls, 1);
    EXPECT_EQ(window.reportRows, report);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "ERROR: Could not open input file.");
}

TEST_F(DialogTest, ConvertWritesTheOutputAndShowsTheReport) {
    TempDir dir;
    PrepareAlabamaRun(dir);
    dlg.OnConvert();
    EXPECT_TRUE(window.messages.empty());
    ASSERT_EQ(window.reportReplaceCalls, 1);
    const std::vector<std::string> expected = {"Converted 1 Alabama counties.", "Wrote 1 QSOs to " + out, ""};
    EXPECT_EQ(window.reportRows, expected);
    const std::string written = ReadFile(out);
    EXPECT_NE(written.find("<CNTY:10>AL,Autauga"), std::string::npos) << written;
    EXPECT_NE(written.find("<STATE:2>AL"), std::string::npos) << written;
    // Convert reads the members and leaves them as they were.
    EXPECT_EQ(dlg.inputName(), in);
    EXPECT_EQ(dlg.outputName(), out);
    EXPECT_EQ(dlg.selection(), selections::kAL);
    EXPECT_TRUE(dlg.addMobile());
}

TEST_F(DialogTest, ConvertTwiceRewritesTheOutputAndShowsTheSecondReportOnly) {
    TempDir dir;
    PrepareAlabamaRun(dir);
    dlg.OnConvert();
    const std::string first = ReadFile(out);
    const auto firstReport = window.reportRows;
    dlg.OnConvert();
    EXPECT_EQ(window.reportReplaceCalls, 2);
    EXPECT_EQ(ReadFile(out), first) << "the second run must empty the file before writing";
    EXPECT_EQ(window.reportRows, firstReport);

    // A second log with an unknown abbreviation: only its report is shown.
    WriteFile(in, "<EOH>\n<CALL:5>K1ABC <QSO_DATE:8>20200131 <TIME_ON:4>1300 <BAND:3>40M <MODE:2>CW "
                  "<CNTY:3>ZZZ <EOR>\n");
    dlg.OnConvert();
    EXPECT_EQ(window.reportReplaceCalls, 3);
    ASSERT_GE(window.reportRows.size(), 5u);
    EXPECT_EQ(window.reportRows[0], "Converted 0 Alabama counties.");
    EXPECT_EQ(window.reportRows[2], "");
    EXPECT_NE(window.reportRows[3].find("ZZZ"), std::string::npos) << window.reportRows[3];
    EXPECT_EQ(window.reportRows.back(), "");
    EXPECT_EQ(std::count(window.reportRows.begin(), window.reportRows.end(), "Converted 1 Alabama counties."), 0);
    EXPECT_EQ(ReadFile(out).find("AL,Autauga"), std::string::npos);
}

TEST(DialogAbout, TextHasItsExactForm) {
    EXPECT_EQ(FormatAboutText(std::make_pair(7, 1), "May  2 2026", "09:21:28"),
              "Copyright: 2026 Shirl developers\nAuthor: Shirl developers\nEmail:  shirl@example.org\n\n"
              "Version: 7.1\nDate:    May  2 2026\nTime:    09:21:28");
    const std::string later = FormatAboutText(std::make_pair(12, 34), "Dec 31 2030", "23:59:59");
    EXPECT_EQ(later.substr(later.find("\n\nVersion")), "\n\nVersion: 12.34\nDate:    Dec 31 2030\nTime:    23:59:59");
    EXPECT_EQ(FormatAboutText(std::nullopt, "May 12 2026", "09:21:28"), "");
}

TEST(DialogAbout, BuildDateAndTimeHaveTheirForms) {
    EXPECT_TRUE(std::regex_match(std::string(BuildDate()),
                                 std::regex("(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) ( [1-9]|[12][0-9]|3[01]) "
                                            "[0-9]{4}")))
        << BuildDate();
    EXPECT_TRUE(std::regex_match(std::string(BuildTime()), std::regex("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]")))
        << BuildTime();
}

TEST(DialogAbout, CaptionCarriesMajorAndMinorVersion) {
    EXPECT_EQ(DialogCaption(),
              "Shirl " + std::to_string(SHIRL_VERSION_MAJOR) + "." + std::to_string(SHIRL_VERSION_MINOR));
}

TEST_F(DialogTest, AboutShowsTheProgramVersionWithoutIcon) {
    dlg.OnAboutButton();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(window.messages[0].text, FormatAboutText(std::make_pair(7, 1), BuildDate(), BuildTime()));
    EXPECT_NE(window.messages[0].text.find("\nVersion: 7.1\n"), std::string::npos);

    window.version = std::nullopt;
    dlg.OnAboutButton();
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].text, "");
    EXPECT_EQ(window.messages[1].icon, MessageIcon::None);
}

TEST_F(DialogTest, HelpFailureShowsTheErrorBoxAndSuccessShowsNothing) {
    dlg.OnHelpButton();
    EXPECT_EQ(window.guideOpenCalls, 1);
    EXPECT_TRUE(window.messages.empty());
    window.browserStarts = false;
    dlg.OnHelpButton();
    EXPECT_EQ(window.guideOpenCalls, 2);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "ERROR:  Could not start web browser.");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Error);
    // The guide's file is named, also when the opener fails after starting.
    window.guideFile = "/opt/shirl/guide.html";
    dlg.OnHelpButton();
    dlg.OnUserGuideFailed();
    ASSERT_EQ(window.messages.size(), 3u);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(window.messages[i].text,
                  "ERROR:  Could not start web browser.\n\nThe user guide is /opt/shirl/guide.html; open it by hand.");
        EXPECT_EQ(window.messages[i].icon, MessageIcon::Error);
    }
    EXPECT_EQ(dlg.inputName(), "");
    EXPECT_EQ(window.reportReplaceCalls, 0);
}

// ---------------------------------------------------------------------------
// The offered output name, drops, and the report copied and saved.

namespace {

// Two QSOs, the second on a county line: the Converted row then begins
// with a line feed.
constexpr const char* kCountyLineLog =
    "Test log\n<EOH>\n"
    "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\n"
    "<CALL:5>K4MNO <QSO_DATE:8>20240601 <TIME_ON:6>143000 <BAND:3>20M <MODE:2>CW <STX_STRING:4>AUTA "
    "<APP_N1MM_EXCHANGE1:4>MOBI <APP_N1MM_MISCTEXT:4>MGMY <EOR>\n";

enum class Step { TypeInput, TypeOutput, BrowseInput, BrowseOutput, Drop };

struct NameStep {
    Step step;
    std::string text;
    std::string expectInput, expectOutput;
};

void RunSteps(const std::vector<NameStep>& steps, const char* label) {
    FakeWindow w;
    CShirlDlg d(w);
    d.OnInitDialog();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const NameStep& s = steps[i];
        switch (s.step) {
        case Step::TypeInput: w.TypeInput(d, s.text); break;
        case Step::TypeOutput: w.TypeOutput(d, s.text); break;
        case Step::BrowseInput: w.fileAnswers.push_back(s.text); d.OnInputBrowse(); break;
        case Step::BrowseOutput: w.fileAnswers.push_back(s.text); d.OnOutputBrowse(); break;
        case Step::Drop: d.OnFilesDropped({DroppedItem{s.text, DroppedKind::File}}); break;
        }
        const std::string where = std::string(label) + ", step " + std::to_string(i + 1);
        EXPECT_EQ(d.inputName(), s.expectInput) << where;
        EXPECT_EQ(d.outputName(), s.expectOutput) << where;
        EXPECT_EQ(w.inputBox, s.expectInput) << where;
        EXPECT_EQ(w.outputBox, s.expectOutput) << where;
    }
    EXPECT_TRUE(w.messages.empty()) << label;
}

} // namespace

TEST(DialogOfferedName, FollowsTheInputUntilTheUserGivesAnOutputName) {
    RunSteps({{Step::TypeInput, "/a/party.adi", "/a/party.adi", "/a/party-converted.adi"},
              {Step::BrowseInput, "/b/log.adif", "/b/log.adif", "/b/log-converted.adif"},
              {Step::Drop, "/c/x.adi", "/c/x.adi", "/c/x-converted.adi"},
              {Step::TypeInput, "", "", ""}},
             "offered from every source, withdrawn with the input");
    RunSteps({{Step::TypeInput, "/a/party.adi", "/a/party.adi", "/a/party-converted.adi"},
              {Step::TypeOutput, "/a/mine.adi", "/a/party.adi", "/a/mine.adi"},
              {Step::Drop, "/c/x.adi", "/c/x.adi", "/a/mine.adi"},
              {Step::BrowseInput, "/b/log.adi", "/b/log.adi", "/a/mine.adi"}},
             "a typed output name stays");
    RunSteps({{Step::TypeInput, "/a/p.adi", "/a/p.adi", "/a/p-converted.adi"},
              {Step::BrowseOutput, "/a/p-converted.adi", "/a/p.adi", "/a/p-converted.adi"},
              {Step::TypeInput, "/a/q.adi", "/a/q.adi", "/a/p-converted.adi"}},
             "a chosen output name stays even when it is the offered one");
    RunSteps({{Step::BrowseOutput, "/o/out.adi", "", "/o/out.adi"},
              {Step::TypeInput, "/a/p.adi", "/a/p.adi", "/o/out.adi"},
              {Step::TypeOutput, "", "/a/p.adi", ""},
              {Step::TypeInput, "/a/r.adi", "/a/r.adi", "/a/r-converted.adi"}},
             "an emptied output box gets the offer again");
}

TEST(DialogOfferedName, TypingTheInputLetterByLetterEndsWithTheWholeOffer) {
    FakeWindow w;
    CShirlDlg d(w);
    d.OnInitDialog();
    const std::string name = "/logs/al.adi";
    for (std::size_t n = 1; n <= name.size(); ++n) w.TypeInput(d, name.substr(0, n));
    EXPECT_EQ(w.outputBox, "/logs/al-converted.adi");
}

TEST_F(DialogTest, ADroppedFileIsTheInputAndConvertsWithOnePress) {
    TempDir dir;
    in = dir.File("party.adi");
    WriteFile(in, kCountyLineLog);
    window.PickRow(dlg, RowOf("Alabama"));
    dlg.OnFilesDropped({DroppedItem{in, DroppedKind::File}});
    EXPECT_EQ(window.outputBox, dir.File("party-converted.adi"));
    dlg.OnConvert();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_NE(ReadFile(dir.File("party-converted.adi")).find("AL,Autauga"), std::string::npos);
}

TEST_F(DialogTest, RefusedDropsShowAMessageAndChangeNothing) {
    window.TypeInput(dlg, "/a/kept.adi");
    window.TypeOutput(dlg, "/a/out.adi");
    struct Case {
        DroppedItem item;
        const char* text;
    };
    for (const Case& c : {Case{{"/a", DroppedKind::Folder}, "ERROR: A folder can't be converted. Drop a log file."},
                          Case{{"ftp://x/y.adi", DroppedKind::Other}, "ERROR: Only a log file can be dropped here."}}) {
        window.messages.clear();
        dlg.OnFilesDropped({c.item, DroppedItem{"/a/b.adi", DroppedKind::File}});
        ASSERT_EQ(window.messages.size(), 1u) << c.text;
        EXPECT_EQ(window.messages[0].text, c.text);
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(dlg.inputName(), "/a/kept.adi");
        EXPECT_EQ(window.inputBox, "/a/kept.adi");
        EXPECT_EQ(dlg.outputName(), "/a/out.adi");
    }
    EXPECT_EQ(window.reportReplaceCalls, 0);
}

TEST_F(DialogTest, SeveralDroppedFilesTakeTheFirstAndTheReportSaysSo) {
    TempDir dir;
    PrepareAlabamaRun(dir);
    dlg.OnConvert();
    const auto before = window.reportRows;
    dlg.OnFilesDropped({DroppedItem{"/x/first.adi", DroppedKind::File}, DroppedItem{"/x/second.adi", DroppedKind::File}});
    EXPECT_EQ(dlg.inputName(), "/x/first.adi");
    EXPECT_EQ(dlg.outputName(), out);  // typed by the user: kept
    ASSERT_EQ(window.reportRows.size(), before.size() + 2);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), window.reportRows.begin()));
    EXPECT_EQ(window.reportRows[before.size()],
              "INFO: 2 items dropped; one file at a time is converted, so only /x/first.adi was taken.");
    EXPECT_EQ(window.reportRows.back(), "");
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(DialogTest, TheSummaryRowIsShownAfterAnEmptyRowAndCopiedAndSavedAsPrinted) {
    TempDir dir;
    in = dir.File("in.adi");
    out = dir.File("out.adi");
    WriteFile(in, kCountyLineLog);
    window.TypeInput(dlg, in);
    window.TypeOutput(dlg, out);
    window.PickRow(dlg, RowOf("Alabama"));
    dlg.OnConvert();
    ASSERT_TRUE(window.messages.empty());

    // The blank before the summary is a row of its own, in the list as printed.
    const auto& rows = dlg.reportRows();
    const auto converted = std::find(rows.begin(), rows.end(), "Converted 3 Alabama counties.");
    ASSERT_NE(converted, rows.begin());
    ASSERT_NE(converted, rows.end());
    EXPECT_EQ(*(converted - 1), "");
    const auto shown = std::find(window.reportRows.begin(), window.reportRows.end(), "Converted 3 Alabama counties.");
    ASSERT_NE(shown, window.reportRows.begin());
    ASSERT_NE(shown, window.reportRows.end());
    EXPECT_EQ(*(shown - 1), "");
    EXPECT_EQ(window.reportRows, rows);
    for (const std::string& row : window.reportRows) EXPECT_EQ(row.find('\n'), std::string::npos) << row;

    const int shownIndex = static_cast<int>(shown - window.reportRows.begin());
    dlg.OnCopyReportRows({shownIndex + 1, shownIndex});
    dlg.OnCopyReport();
    ASSERT_EQ(window.clipboardTexts.size(), 2u);
    EXPECT_EQ(window.clipboardTexts[0], "Converted 3 Alabama counties.\nWrote 3 QSOs to " + out + "\n");
    std::string printed;
    for (const std::string& row : rows) printed += row + "\n";
    EXPECT_EQ(window.clipboardTexts[1], printed);

    window.fileAnswers.push_back(dir.File("report.txt"));
    dlg.OnSaveReport();
    ASSERT_EQ(window.fileRequests.size(), 1u);
    const FileDialogRequest& request = window.fileRequests[0];
    EXPECT_EQ(request.kind, FileDialogKind::Save);
    EXPECT_EQ(request.title, "Save report as");
    EXPECT_EQ(request.initialName, dir.File("out-report.txt"));
    EXPECT_EQ(request.defaultSuffix, "txt");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(ReadFile(dir.File("report.txt")), printed);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(DialogTest, CopyAndSaveFailuresAndNothingToCopyOrSave) {
    // Nothing converted yet: nothing to copy or save, and no dialog asks.
    dlg.OnCopyReport();
    dlg.OnCopyReportRows({0});
    dlg.OnSaveReport();
    EXPECT_TRUE(window.clipboardTexts.empty());
    EXPECT_TRUE(window.fileRequests.empty());

    TempDir dir;
    PrepareAlabamaRun(dir);
    dlg.OnConvert();
    window.clipboardWorks = false;
    dlg.OnCopyReport();
    dlg.OnSaveReport();  // cancelled: nothing written, nothing said
    window.fileAnswers.push_back(dir.File("no-such-folder/r.txt"));
    dlg.OnSaveReport();
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0].text, "ERROR: Could not copy to the clipboard.");
    EXPECT_EQ(window.messages[1].text, "ERROR: Could not write report file.");
    EXPECT_EQ(window.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(window.fileRequests.size(), 2u);
}

namespace {

TEST_F(DialogTest, MapOfTheLastConversionShownSavedOrOpenedBesideTheOutput) {
    dlg.OnMapButton(); // nothing converted yet
    EXPECT_FALSE(window.mapButtonEnabled);
    EXPECT_TRUE(window.shownMaps.empty());

    TempDir dir;
    PrepareAlabamaRun(dir);
    dlg.OnConvert();
    ASSERT_TRUE(window.mapButtonEnabled);
    dlg.OnMapButton(); // a window that draws it
    ASSERT_EQ(window.shownMaps.size(), 1u);
    EXPECT_NE(window.shownMaps[0].find("<title>Alabama QSO Party: 1 of 67 counties</title>"), std::string::npos);

    window.fileAnswers.push_back(dir.File("saved.svg"));
    dlg.OnSaveMap();
    ASSERT_EQ(window.fileRequests.size(), 1u);
    EXPECT_EQ(window.fileRequests[0].title, "Save map as");
    EXPECT_EQ(window.fileRequests[0].initialName, dir.File("out-map.svg"));
    EXPECT_EQ(ReadFile(dir.File("saved.svg")), window.shownMaps[0]);

    window.showsMaps = false; // a window that opens it with the default program
    window.TypeOutput(dlg, dir.File("later.adi")); // the map stays the last run's
    dlg.OnMapButton();
    EXPECT_EQ(window.openedFiles, std::vector<std::string>{dir.File("out-map.svg")});
    EXPECT_EQ(ReadFile(dir.File("out-map.svg")), window.shownMaps[0]);
    window.browserStarts = false;
    dlg.OnMapButton();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "ERROR: Could not open the map.");
}

} // namespace
