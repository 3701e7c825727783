// The settings that Shirl.exe hands to Windows, checked as values: the
// exact OPENFILENAME filter text and flags of both file dialogs, and the
// application name taken from the executable's file name.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <string>

#include "app/shirl_dlg.h"
#include "app/win32/shirl_app.h"
#include "app/win32/shirl_window.h"
#include "files/utf.h"

namespace shirl {
namespace {

TEST(Win32FileDialog, FilterTextIsTheTwoPairsEndedByAnExtraNul) {
    static constexpr char kFilter[] = "ADIF Files\0*.adi;*.adif;\0All Files\0*.*\0";  // + the literal's own NUL
    const std::string expected(kFilter, sizeof kFilter);
    EXPECT_EQ(BuildFilterText(InputFileDialogRequest("").filters), expected);
    EXPECT_EQ(BuildFilterText(OutputFileDialogRequest("").filters), expected);
}

TEST(Win32FileDialog, OpenDialogFlags) {
    EXPECT_EQ(FileDialogFlags(InputFileDialogRequest("")), 0x81004u);
    EXPECT_EQ(FileDialogFlags(InputFileDialogRequest("C:\\logs\\in.adi")),
              static_cast<DWORD>(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
}

TEST(Win32FileDialog, SaveDialogFlags) {
    EXPECT_EQ(FileDialogFlags(OutputFileDialogRequest("")), 0x80006u);
    EXPECT_EQ(FileDialogFlags(OutputFileDialogRequest("out.adi")),
              static_cast<DWORD>(OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY));
}

TEST(Win32FileDialog, OpenFileNameIsTheFull88ByteStructure) {
    EXPECT_EQ(sizeof(OPENFILENAMEW), 88u);
}

TEST(Win32App, NameIsTheExecutableFileNameWithoutFolderOrExtension) {
    EXPECT_EQ(AppNameFromPath("C:\\Program Files\\Shirl\\Shirl.exe"), "Shirl");
    EXPECT_EQ(AppNameFromPath("Z:/tmp/Renamed.EXE"), "Renamed");
    EXPECT_EQ(AppNameFromPath("D:Shirl.exe"), "Shirl");
    EXPECT_EQ(AppNameFromPath("C:\\my.tools\\shirl"), "shirl");
    EXPECT_EQ(AppNameFromPath("C:\\x\\Shirl.v7.exe"), "Shirl.v7");
    EXPECT_EQ(AppNameFromPath("C:\\Users\\Jos\xC3\xA9\\\xE6\x97\xA5\xE5\xBF\x97 \xF0\x9F\x93\xBB.exe"),
              "\xE6\x97\xA5\xE5\xBF\x97 \xF0\x9F\x93\xBB");
}

// The running program's own name through the wide API, whole.
TEST(Win32App, ModuleFileNameIsTheWholeWideName) {
    const std::wstring name = ModuleFileName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(AppNameFromPath(Utf8FromWide(name)), "shirl_win32_tests");
}

} // namespace
} // namespace shirl
