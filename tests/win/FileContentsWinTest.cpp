// Reading a file whole with ReadFile under Wine: every byte through several reads, the file
// released once read, and what is refused without waiting.
#include "TempFiles.h"
#include "base/Win32Handles.h"
#include "picture/FileContents.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string TempPath(const std::string& name)
{
    return ::TempPath("file-contents-test", name);
}

TEST(FileContentsWin, ReadsTheWholeFileAndReleasesIt)
{
    // A few MB, as the full-screen picture is, in bytes that show a chunk read twice or skipped.
    std::vector<uint8_t> bytes((size_t{5} << 19) + 7);
    uint32_t state = 1;
    std::generate(bytes.begin(), bytes.end(), [&state] {
        state = state * 1103515245 + 12345;
        return static_cast<uint8_t>(state >> 24);
    });
    const std::string path = TempPath("picture.tga");
    WriteFileBytes(path, bytes);

    const FileContents contents(path.c_str());
    ASSERT_EQ(contents.Bytes().size(), bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), contents.Bytes().begin()));
    // The file is closed once read: it can be replaced while its contents are still held.
    EXPECT_TRUE(::DeleteFileA(path.c_str())) << ::GetLastError();
}

TEST(FileContentsWin, RefusesWhatIsNoFileWithBytesOnADisk)
{
    const std::string empty = TempPath("empty.tga");
    WriteFileBytes(empty, {});
    EXPECT_FALSE(FileContents(empty.c_str()));
    EXPECT_TRUE(::DeleteFileA(empty.c_str())) << "the empty file was left open";
    EXPECT_FALSE(FileContents(TempPath("missing.tga").c_str()));
    EXPECT_FALSE(FileContents(TempFolder().c_str()));

    // A pipe whose writer never writes: a read of it would wait for ever, so it is not read.
    const std::string pipeName =
        "\\\\.\\pipe\\file-contents-test-" + std::to_string(::GetCurrentProcessId());
    const UniqueFile pipe(::CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND,
                                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0,
                                             nullptr));
    ASSERT_TRUE(pipe) << ::GetLastError();
    EXPECT_FALSE(FileContents(pipeName.c_str()));
}

} // namespace
