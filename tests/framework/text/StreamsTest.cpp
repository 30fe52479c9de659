#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Streams.h"
#include "framework/text/WholeFile.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

TEST(StreamTest, MemoryStreamReadsWritesAndSeeks) {
    TMemoryStream s;
    s.WriteBuffer("Compact Interval\r\n");
    EXPECT_EQ(s.Size(), 18);
    s.SetPosition(8);
    char buffer[32] = {};
    EXPECT_EQ(s.Read(buffer, 20), 10);  // only what is there
    EXPECT_EQ(std::string(buffer, 8), "Interval");
    EXPECT_THROW(s.ReadBuffer(buffer, 1), EReadError);
    s.Seek(-2, soEnd);
    s.WriteBuffer("!!!");
    EXPECT_EQ(s.Size(), 19);
    s.Seek(2, soEnd);  // writing past the end fills the gap with zeros
    s.WriteBuffer("x");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()) + 16, 6),
              std::string("!!!\0\0x", 6));
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.SetSize(4);
    EXPECT_EQ(s.Position(), 4);
}

TEST(StreamTest, LoadFromStreamTakesTheWholeSourceWhateverItsPosition) {
    TMemoryStream source, copy;
    source.WriteBuffer("abcdef");  // positioned at the end
    copy.LoadFromStream(source);
    EXPECT_EQ(copy.Size(), 6);
    EXPECT_EQ(copy.Position(), 0);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 6);
    EXPECT_EQ(target.Bytes(), copy.Bytes());
}

TEST(StreamTest, FileStreamCreatesOpensAndReportsFailures) {
    test::TTempFolder folder;
    const std::string file = folder.File("data.bin");
    {
        TFileStream out(file, fmCreate);
        out.WriteBuffer("12345");
    }
    {
        TFileStream in(file, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(in.Size(), 5);
        EXPECT_EQ(in.ReadRest(), "12345");
    }
    TMemoryStream m;
    m.LoadFromFile(file);
    EXPECT_EQ(m.Size(), 5);

    const std::string missing = folder.File("missing.bin");
    try {
        TFileStream in(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"" + missing + "\". ", 0), 0u);
    }
    EXPECT_THROW(TFileStream(folder.File("no/dir/x"), fmCreate), EFCreateError);
}

TEST(WholeFileTest, ReplacesTheTargetWholeAndKeepsItsPermissions) {
    test::TTempFolder folder;
    const std::string file = folder.File("preset.prs");
    ASSERT_TRUE(WriteWholeFile(file, "old content"));
    ::chmod(file.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteWholeFile(file, std::vector<std::uint8_t>{1, 2, 3}, &error)) << error;
    EXPECT_EQ(ReadWholeFile(file), std::string("\x01\x02\x03"));
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(WholeFileTest, FollowsASymbolicLinkInsteadOfReplacingIt) {
    test::TTempFolder folder;
    const std::string target = folder.File("real.unt");
    const std::string link = folder.File("link.unt");
    ASSERT_TRUE(WriteWholeFile(target, "a"));
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(link, "b"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "b");
}

TEST(WholeFileTest, AFailureIsReportedAndLeavesTheTargetAlone) {
    test::TTempFolder folder;
    std::string error;
    EXPECT_FALSE(WriteWholeFile(folder.File("missing/unit.unt"), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteWholeFile("", "x"));
    // A folder as the target cannot be replaced by a file.
    ASSERT_TRUE(std::filesystem::create_directory(folder.File("dir")));
    EXPECT_FALSE(WriteWholeFile(folder.File("dir"), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("dir")));

    if (::geteuid() != 0) {  // the superuser writes anywhere
        const std::string file = folder.File("locked/kept.prs");
        std::filesystem::create_directory(folder.File("locked"));
        ASSERT_TRUE(WriteWholeFile(file, "old"));
        ::chmod(folder.File("locked").c_str(), 0500);
        EXPECT_FALSE(WriteWholeFile(file, "new"));
        EXPECT_EQ(ReadWholeFile(file), "old");
    }
    EXPECT_FALSE(ReadWholeFile(folder.File("dir")).has_value());
}

}  // namespace
}  // namespace dsp
