// Small files written and read whole through the file layer.
#include <gtest/gtest.h>

#include <string>

#include "files/whole_file.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(WholeFile, WriteReplacesOnlyWhenCompleteAndReadsBack) {
    TempDir dir;
    const std::string name = dir.File("report.txt");
    ASSERT_TRUE(WriteWholeFile(name, "first\n"));
    EXPECT_EQ(ReadFile(name), "first\n");
    ASSERT_TRUE(WriteWholeFile(name, "second\nrow\n"));
    EXPECT_EQ(ReadFile(name), "second\nrow\n");

    const WholeFile read = ReadWholeFile(name, 64);
    ASSERT_TRUE(read.bytes.has_value());
    EXPECT_EQ(*read.bytes, "second\nrow\n");
    EXPECT_FALSE(read.tooLarge);
}

TEST(WholeFile, FailuresLeaveWhatWasThere) {
    TempDir dir;
    // A missing folder, and a folder in place of the file.
    EXPECT_FALSE(WriteWholeFile(dir.File("missing/report.txt"), "x"));
    ASSERT_TRUE(WriteFile(dir / "kept.txt", "kept"));
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(WriteWholeFile(dir.File("folder"), "x"));
    EXPECT_EQ(ReadFile(dir / "kept.txt"), "kept");
}

TEST(WholeFile, ReadRefusesMissingFoldersAndTooLarge) {
    TempDir dir;
    ASSERT_TRUE(WriteFile(dir / "list.csv", std::string(100, 'a')));
    EXPECT_FALSE(ReadWholeFile(dir.File("none.csv"), 1000).bytes);
    EXPECT_FALSE(ReadWholeFile(dir.File(""), 1000).bytes);  // the folder itself
    const WholeFile large = ReadWholeFile(dir.File("list.csv"), 99);
    EXPECT_FALSE(large.bytes);
    EXPECT_TRUE(large.tooLarge);
    const WholeFile exact = ReadWholeFile(dir.File("list.csv"), 100);
    ASSERT_TRUE(exact.bytes);
    EXPECT_EQ(exact.bytes->size(), 100u);
}

} // namespace
} // namespace shirl
