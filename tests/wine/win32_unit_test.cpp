// The settings that Shirl.exe hands to Windows, checked as values: the
// exact OPENFILENAME filter text and flags of both file dialogs, and the
// application name taken from the executable's file name; UTF-8 <-> UTF-16,
// and what a drop block (HDROP) holds.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/dialog/shirl_dlg.h"
#include "app/win32/shirl_app.h"
#include "app/win32/shirl_window.h"
#include "files/utf.h"

namespace shirl {
namespace {

TEST(Win32FileDialog, FilterTextIsThePairsEndedByAnExtraNul) {
    static constexpr char kFilter[] = "ADIF Files\0*.adi;*.adif;\0All Files\0*.*\0";  // + the literal's own NUL
    static constexpr char kInputFilter[] =
        "ADIF and Cabrillo Logs\0*.adi;*.adif;*.log;*.cbr;*.txt;\0ADIF Files\0*.adi;*.adif;\0"
        "Cabrillo Logs\0*.log;*.cbr;*.txt;\0All Files\0*.*\0";
    EXPECT_EQ(BuildFilterText(InputFileDialogRequest("").filters), std::string(kInputFilter, sizeof kInputFilter));
    EXPECT_EQ(BuildFilterText(OutputFileDialogRequest("").filters), std::string(kFilter, sizeof kFilter));
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

// The file given on the command line, made whole; none without one.
TEST(Win32App, InputOfCommandLine) {
    EXPECT_EQ(InputOfCommandLine(L"Shirl.exe"), "");
    EXPECT_EQ(InputOfCommandLine(L"\"C:\\Program Files\\Shirl\\Shirl.exe\" \"C:\\logs\\my log.adi\""),
              "C:\\logs\\my log.adi");
    EXPECT_EQ(InputOfCommandLine(L"Shirl.exe C:\\logs\\..\\Jos\u00e9.adi"), "C:\\Jos\xC3\xA9.adi");
}

// The running program's own name through the wide API, whole.
TEST(Win32App, ModuleFileNameIsTheWholeWideName) {
    const std::wstring name = ModuleFileName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(AppNameFromPath(Utf8FromWide(name)), "shirl_win32_tests");
}

} // namespace
} // namespace shirl

namespace shirl {
namespace {

TEST(WideText, RoundTripsAndReplacesInvalidBytes) {
    struct Case {
        std::string utf8;
        std::wstring wide;
        bool roundTrip;
    };
    const Case cases[] = {
        {std::string(), std::wstring(), true},
        {"C:\\logs\\party.adi", L"C:\\logs\\party.adi", true},
        {"Ni\xc3\xb1o.adi", L"Ni\u00f1o.adi", true},
        {"\xf0\x9f\x93\xbb", L"\xd83d\xdcfb", true},  // outside the BMP: a surrogate pair
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3), true},
        {"a\xff" "b", L"a\xfffd" "b", false},  // invalid UTF-8 is marked, not dropped
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WideFromUtf8(c.utf8), c.wide) << c.utf8;
        if (c.roundTrip) {
            EXPECT_EQ(Utf8FromWide(c.wide), c.utf8) << c.utf8;
        }
    }
}

// A drop block as the shell makes it: DROPFILES, then the wide names. A
// drop always names at least one thing (the shell's readers assume it).
HGLOBAL MakeDrop(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const auto& name : names) list.append(name).push_back(L'\0');
    list.push_back(L'\0');
    const std::size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(header + 1));
    GlobalUnlock(block);
    return block;
}

TEST(Win32Drop, NamesInOrderWithWhatEachIs) {
    wchar_t folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring base = std::wstring(folder) + L"shirl-drop-test-\u00f1";
    CreateDirectoryW(base.c_str(), nullptr);
    const std::wstring file = base + L"\\log.adi";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    const std::wstring missing = base + L"\\gone.adi";

    HGLOBAL drop = MakeDrop({file, base, missing});
    const auto items = DroppedItemsOf(static_cast<HDROP>(drop));
    GlobalFree(drop);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].name, Utf8FromWide(file));
    EXPECT_NE(items[0].name.find("\xc3\xb1"), std::string::npos);  // the name as UTF-8
    EXPECT_EQ(items[0].kind, DroppedKind::File);
    EXPECT_EQ(items[1].kind, DroppedKind::Folder);
    EXPECT_EQ(items[2].kind, DroppedKind::Other);

    DeleteFileW(file.c_str());
    RemoveDirectoryW(base.c_str());
}

} // namespace
} // namespace shirl
