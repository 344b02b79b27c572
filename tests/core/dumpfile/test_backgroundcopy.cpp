#include "copygate.h"
#include "core/dumpfile/dumpfile.h"
#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/workfolder.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <numeric>
#include <optional>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::CopyGate;
using testing::ScriptedUi;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t kChunk = 4096;

Bytes countingBytes(std::size_t n, std::uint8_t first = 0) {
    Bytes bytes(n);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

Bytes readBytes(const DumpFile& dump, Offset offset, std::size_t count) {
    Bytes buffer(count);
    buffer.resize(static_cast<std::size_t>(dump.readAt(offset, buffer)));
    return buffer;
}

// Every file counts as large and is copied a few chunks at a time, held after the first.
class BackgroundCopyTest : public ::testing::Test {
protected:
    void SetUp() override { m_dump.setCopyPacing(m_gate.pacing(kChunk), 1); }
    void TearDown() override { m_gate.release(); }

    TempFolder m_files;
    TempFolder m_temporaryRoot;
    CopyGate m_gate;
    std::optional<WorkFolder> m_work{std::in_place, m_temporaryRoot.path()};
    DumpFile m_dump{*m_work};
    ScriptedUi m_ui;
    const Bytes m_bytes = countingBytes(16 * kChunk, 7);
};

TEST_F(BackgroundCopyTest, ShowsTheFileWhileCopyingAndTheCopyOnceComplete) {
    const std::string path = m_files.write("data.bin", m_bytes);
    ASSERT_TRUE(m_dump.open(path, m_ui));
    m_gate.waitUntilHeld();
    EXPECT_EQ(m_dump.readingPath(), path);
    EXPECT_TRUE(m_dump.copyPending());
    EXPECT_EQ(m_dump.copyDone(), kChunk);
    EXPECT_EQ(m_dump.size(), 16 * kChunk);
    EXPECT_EQ(m_dump.settleWorkingCopy(), CopyOutcome::None) << "still running";
    EXPECT_EQ(readBytes(m_dump, 0, 16), Bytes(m_bytes.begin(), m_bytes.begin() + 16));
    EXPECT_EQ(readBytes(m_dump, 16 * kChunk - 8, 16), Bytes(m_bytes.end() - 8, m_bytes.end()))
        << "past the copied part, short at the end";

    m_gate.release();
    ASSERT_TRUE(m_dump.waitForWorkingCopy({}));
    EXPECT_EQ(m_dump.settleWorkingCopy(), CopyOutcome::Switched);
    EXPECT_FALSE(m_dump.copyPending());
    EXPECT_EQ(m_dump.readingPath(), m_work->filePath(kWorkingCopyName));
    m_files.write("data.bin", countingBytes(100, 200));
    EXPECT_EQ(readBytes(m_dump, 5 * kChunk, 64),
              Bytes(m_bytes.begin() + 5 * kChunk, m_bytes.begin() + 5 * kChunk + 64))
        << "the complete copy is read, not the file changed since";
}

TEST_F(BackgroundCopyTest, FileTruncatedWhileCopiedIsReadShortAndTheCopyRefused) {
    const std::string path = m_files.write("data.bin", m_bytes);
    ASSERT_TRUE(m_dump.open(path, m_ui));
    m_gate.waitUntilHeld();
    ASSERT_EQ(::truncate(path.c_str(), 1000), 0);
    EXPECT_EQ(readBytes(m_dump, 990, 16), Bytes(m_bytes.begin() + 990, m_bytes.begin() + 1000));
    EXPECT_TRUE(readBytes(m_dump, 5 * kChunk, 16).empty()) << "past the new end: nothing";

    m_gate.release();
    ASSERT_TRUE(m_dump.waitForWorkingCopy({}));
    EXPECT_EQ(m_dump.settleWorkingCopy(), CopyOutcome::SourceChanged);
    EXPECT_FALSE(fs::exists(m_work->filePath(kWorkingCopyName)));
    EXPECT_EQ(m_dump.readingPath(), path);
    EXPECT_TRUE(m_ui.shown().empty()) << "the owner tells the user";
}

TEST_F(BackgroundCopyTest, WaitStoppedByProgressLeavesTheCopyRunning) {
    ASSERT_TRUE(m_dump.open(m_files.write("data.bin", m_bytes), m_ui));
    m_gate.waitUntilHeld();
    std::int64_t reported = -1;
    EXPECT_FALSE(m_dump.waitForWorkingCopy([&](std::int64_t done, std::int64_t total) {
        reported = done;
        EXPECT_EQ(total, 16 * kChunk);
        return false;
    }));
    EXPECT_EQ(reported, kChunk);
    EXPECT_TRUE(m_dump.copyPending());
}

TEST_F(BackgroundCopyTest, ClosingDuringTheCopyStopsItAndLeavesNothingBehind) {
    bool told = false;
    m_dump.setCopyEndedListener([&] { told = true; });
    ASSERT_TRUE(m_dump.open(m_files.write("data.bin", m_bytes), m_ui));
    m_gate.waitUntilHeld();
    const std::string folder = m_work->folder();
    m_gate.releaseSoon();
    m_dump.close();
    EXPECT_FALSE(told) << "a stopped copy tells nobody";
    EXPECT_FALSE(m_dump.isOpen());
    EXPECT_FALSE(fs::exists(folder + "/" + std::string(kWorkingCopyName)));

    // The same when the program ends: the work folder goes with it.
    CopyGate gate;
    m_dump.setCopyPacing(gate.pacing(kChunk), 1);
    ASSERT_TRUE(m_dump.open(m_files.path("data.bin"), m_ui));
    gate.waitUntilHeld();
    gate.releaseSoon();
    m_dump.close();
    m_work.reset();
    EXPECT_FALSE(fs::exists(folder));
}

TEST(FileCopyTest, SparseFileStaysSparseAndStopsWhenAsked) {
    TempFolder files;
    const std::string in = files.path("sparse.bin");
    const Bytes data = countingBytes(4096, 1);
    {
        UniqueFd fd(::open(in.c_str(), O_WRONLY | O_CREAT, 0600));
        ASSERT_EQ(::ftruncate(fd.get(), 64 << 20), 0);
        ASSERT_EQ(::pwrite(fd.get(), data.data(), data.size(), 32 << 20), 4096);
    }
    UniqueFd source(::open(in.c_str(), O_RDONLY));
    UniqueFd copy(::open(files.path("copy.bin").c_str(), O_RDWR | O_CREAT, 0600));
    ASSERT_TRUE(copyFileData(source.get(), copy.get(), {}, 1 << 20));
    struct stat st;
    ASSERT_EQ(::fstat(copy.get(), &st), 0);
    EXPECT_EQ(st.st_size, 64 << 20);
    EXPECT_LT(st.st_blocks * 512, 1 << 20);
    Bytes back(4096 + 2);
    ASSERT_EQ(::pread(copy.get(), back.data(), back.size(), (32 << 20) - 1), 4098);
    EXPECT_EQ(back.front(), 0);
    EXPECT_EQ(Bytes(back.begin() + 1, back.end() - 1), data);
    EXPECT_EQ(back.back(), 0);

    UniqueFd dense(::open(files.write("dense.bin", countingBytes(8192)).c_str(), O_RDONLY));
    UniqueFd stopped(::open(files.path("stopped.bin").c_str(), O_RDWR | O_CREAT, 0600));
    int steps = 0;
    EXPECT_FALSE(copyFileData(
        dense.get(), stopped.get(), [&](std::int64_t, std::int64_t) { return ++steps < 1; }, 1024));
    EXPECT_EQ(steps, 1);
}

} // namespace
} // namespace byzel
