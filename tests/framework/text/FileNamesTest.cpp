#include <gtest/gtest.h>

#include <string>

#include "framework/text/FileNames.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

TEST(FileNamesTest, PartsOfAName) {
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"/home/u/presets/live.prs", "/home/u/presets/", "/home/u/presets", "live.prs", ".prs"},
        {"live.prs", "", "", "live.prs", ".prs"},
        {"/top.unt", "/", "/", "top.unt", ".unt"},
        {"/a.b/noext", "/a.b/", "/a.b", "noext", ""},
        {"/a/archive.tar.gz", "/a/", "/a", "archive.tar.gz", ".gz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("/x/editor", ".ini"), "/x/editor.ini");
    EXPECT_EQ(ChangeFileExt("/x.d/unit.UNT", ".unt"), "/x.d/unit.unt");
    EXPECT_EQ(ChangeFileExt("unit.unt", ""), "unit");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(ExpandFileName("/a/./b/../c.txt"), "/a/c.txt");
}

TEST(FileNamesTest, FoldersAndTheProgramsOwnPlace) {
    test::TTempFolder folder;
    const std::string deep = folder.File("x/y/z");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));

    const std::string before = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(deep));
    EXPECT_EQ(ExpandFileName("../w.txt"), folder.File("x/y/w.txt"));
    ASSERT_TRUE(SetCurrentDir(before));

    EXPECT_EQ(ExtractFileName(ProgramFileName()), "test_framework_text");
    EXPECT_TRUE(DirectoryExists(ProgramFolder()));
    EXPECT_EQ(ProgramFolder().back(), '/');
}

}  // namespace
}  // namespace dsp
