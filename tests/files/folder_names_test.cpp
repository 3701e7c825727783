// The output name of a log converted into a folder.
#include <gtest/gtest.h>

#include <string>

#include "files/folder_names.h"

namespace shirl {
namespace {

struct FolderCase {
    const char* folder;
    const char* input;
    const char* expected;
};

TEST(NameInFolder, TakesTheInputsLastPartIntoTheFolder) {
#ifdef _WIN32
    const FolderCase cases[] = {
        {"out", "log.adi", "out\\log.adi"},
        {"out/", "logs/2026/log.adi", "out/log.adi"},
        {"C:\\out", "D:\\logs\\Zoë.adi", "C:\\out\\Zoë.adi"},
        {"C:\\out\\", "D:log.adi", "C:\\out\\log.adi"},
        {"", "logs\\log.adi", "log.adi"},
        {"out", "a b\\party log.adi", "out\\party log.adi"},
    };
#else
    const FolderCase cases[] = {
        {"out", "log.adi", "out/log.adi"},
        {"out/", "logs/2026/log.adi", "out/log.adi"},
        {"/tmp/out", "/home/op/logs/Zoë.adi", "/tmp/out/Zoë.adi"},
        {"", "logs/log.adi", "log.adi"},
        {"out", "a b/party log.adi", "out/party log.adi"},
        // A backslash is an ordinary letter of a POSIX name.
        {"out", "logs\\log.adi", "out/logs\\log.adi"},
    };
#endif
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.input);
        EXPECT_EQ(NameInFolder(c.folder, c.input), c.expected);
    }
}

} // namespace
} // namespace shirl
