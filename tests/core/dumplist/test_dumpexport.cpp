#include "core/dumplist/dumpexport.h"

#include "core/dumplist/dumplist.h"
#include "core/dumplist/dumplistfile.h"
#include "core/markers/markertable.h"
#include "memorysource.h"
#include "scriptedui.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace byzel {
namespace {

namespace fs = std::filesystem;

class DumpExport : public ::testing::Test {
protected:
    void SetUp() override {
        std::string dir = (fs::temp_directory_path() / "byzel-export-XXXXXX").string();
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        m_dir = dir;
        m_path = (m_dir / "DumpList.txt").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    bool run(ExportRange range, int rowsPerPage, bool dumpOnly = false) {
        return ExportDumpListText(m_path, range, 3, rowsPerPage, dumpOnly, {m_source, m_markers, 0},
                                  m_topRow, m_ui);
    }
    std::string contents() const {
        std::stringstream all;
        all << std::ifstream(m_path, std::ios::binary).rdbuf();
        return all.str();
    }
    // The file's lines without their CR LF ends.
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        const std::string text = contents();
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            result.push_back(text.substr(at, end - at));
        EXPECT_TRUE(text.ends_with("\r\n"));
        return result;
    }

    fs::path m_dir;
    std::string m_path;
    testing::MemorySource m_source;
    MarkerTable m_markers;
    Offset m_topRow = 500;
    testing::ScriptedUi m_ui;
};

TEST_F(DumpExport, WholeFileStartsAtTheFirstRowAndLeavesTheTopRowThere) {
    m_source = testing::MemorySource(std::string(32, 'A'));
    m_markers.append(3, 4, kDefaultPenColor);
    ASSERT_TRUE(m_markers.setRemark(0, "\x90\xe0\x96\xbe note"));

    ASSERT_TRUE(run(ExportRange::WholeFile, 10));
    EXPECT_EQ(m_topRow, 0);
    EXPECT_TRUE(m_ui.shown().empty());
    std::string row;
    for (int i = 0; i < 16; ++i)
        row += "41 ";
    row += std::string(16, 'A') + "   ";
    EXPECT_EQ(lines(),
              (std::vector<std::string>{std::string(kFullHeader), std::string(101, '-'),
                                        "00000000 " + row + "    1 \x90\xe0\x96\xbe note",
                                        "00000010 " + row, "00000020" + std::string(68, ' ')}));
}

TEST_F(DumpExport, PagesStartAtTheTopRowAndEndWithTheData) {
    m_source = testing::MemorySource(std::vector<std::uint8_t>(0x1000, 0x30));
    m_topRow = 100;
    ASSERT_TRUE(run(ExportRange::CurrentPage, 60));
    auto page = lines();
    ASSERT_EQ(page.size(), 2u + 60u);
    EXPECT_EQ(page[2].substr(0, 9), "00000640 ");
    EXPECT_EQ(m_topRow, 100);

    // Three pages would reach row 280; the data ends with the empty row 256.
    ASSERT_TRUE(run(ExportRange::FollowingPages, 60, true));
    auto pages = lines();
    ASSERT_EQ(pages.size(), 2u + 157u);
    EXPECT_EQ(pages[0], kDumpHeader);
    EXPECT_EQ(pages[1], std::string(74, '-'));
    for (size_t k = 2; k < pages.size(); ++k)
        EXPECT_EQ(pages[k].size(), 76u);
}

TEST_F(DumpExport, DeclinedOrImpossibleExportsChangeNothing) {
    std::ofstream(m_path) << "keep";
    m_ui.answer(No);
    EXPECT_FALSE(run(ExportRange::WholeFile, 10));
    EXPECT_EQ(contents(), "keep");
    EXPECT_EQ(m_ui.shown().at(0).style, BoxStyle::YesNo);

    m_path = (m_dir / "missing" / "x.txt").string();
    EXPECT_FALSE(run(ExportRange::WholeFile, 10));
    EXPECT_EQ(m_ui.shownIds(), (std::vector<int>{msg::AskOverwriteFile, msg::OpenFailed}));
    EXPECT_EQ(m_topRow, 500);
}

TEST_F(DumpExport, FailedWritesAreReportedAndKeepTheEarlierFileWhole) {
    // A file size limit reached after the first blocks were written: the full disk case.
    m_source = testing::MemorySource(std::vector<std::uint8_t>(0x40000, 0x55));
    std::ofstream(m_path) << "earlier list";
    m_ui.answer(Yes);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 300000;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool done = run(ExportRange::WholeFile, 10);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(done);
    EXPECT_EQ(m_ui.shownIds(), (std::vector<int>{msg::AskOverwriteFile, msg::WriteFailed}));
    EXPECT_EQ(contents(), "earlier list");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(DumpExport, ALinkLeadingNowhereCountsAsAFileOfThatName) {
    fs::create_symlink(m_dir / "nowhere.txt", m_path);
    m_ui.answer(No);
    EXPECT_FALSE(run(ExportRange::WholeFile, 10));
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::AskOverwriteFile});
    EXPECT_TRUE(fs::is_symlink(m_path));
}

TEST_F(DumpExport, AnOpenDescriptorGetsTheSameBytesAndStaysOpen) {
    m_source = testing::MemorySource(std::string(40, '\x82'));
    m_markers.append(0, 1, kDefaultPenColor);
    ASSERT_TRUE(run(ExportRange::WholeFile, 10));
    const std::string expected = contents();

    const std::string other = (m_dir / "fd.txt").string();
    const int fd = ::open(other.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "X", 1), 1);
    DumpListFile file;
    ASSERT_TRUE(file.attach(fd));
    Offset top = 7;
    EXPECT_TRUE(WriteDumpListText(file, ExportRange::WholeFile, 1, 0, false,
                                  {m_source, m_markers, 0}, top));
    EXPECT_EQ(top, 0);
    // Still open: the caller's descriptor was not closed with the stream.
    EXPECT_EQ(::write(fd, "Y", 1), 1);
    ::close(fd);
    std::stringstream written;
    written << std::ifstream(other, std::ios::binary).rdbuf();
    EXPECT_EQ(written.str(), "X" + expected + "Y");
}

TEST_F(DumpExport, StoppedExportChangesNothingAndSaysNothing) {
    m_source = testing::MemorySource(std::vector<std::uint8_t>(0x40000, 0x41));
    std::ofstream(m_path) << "earlier";
    std::vector<std::int64_t> reported;
    const ProgressFn stopAtOnce = [&](std::int64_t done, std::int64_t rows) {
        reported.push_back(done);
        EXPECT_EQ(rows, 0x4001);
        return false;
    };
    EXPECT_FALSE(ExportDumpListText(m_path, ExportRange::WholeFile, 3, 60, false,
                                    {m_source, m_markers, 0}, m_topRow, m_ui, nullptr, stopAtOnce));
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_GT(reported.front(), 0);
    EXPECT_EQ(contents(), "earlier");
    EXPECT_EQ(m_topRow, 500);
    // Only the question whether to overwrite: no failure is reported.
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::AskOverwriteFile});
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

    // Going on to the end reports every row.
    std::int64_t last = 0;
    EXPECT_TRUE(ExportDumpListText(m_path, ExportRange::WholeFile, 3, 60, false,
                                   {m_source, m_markers, 0}, m_topRow, m_ui, nullptr,
                                   [&](std::int64_t done, std::int64_t) {
                                       last = done;
                                       return true;
                                   }));
    EXPECT_EQ(last, 0x4001);
    EXPECT_EQ(m_topRow, 0);
}

} // namespace
} // namespace byzel
