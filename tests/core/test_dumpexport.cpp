#include "core/dumpexport.h"

#include "core/dumplist.h"
#include "core/markertable.h"
#include "memorysource.h"
#include "scriptedui.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::MemorySource;
using testing::ScriptedUi;

class DumpExport : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "byzel-export-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_path = (m_dir / "DumpList.txt").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    bool exportTo(const std::string& path, ExportRange range, int pageCount, int rowsPerPage,
                  bool dumpOnly = false) {
        return ExportDumpListText(path, range, pageCount, rowsPerPage, dumpOnly,
                                  {m_source, m_markers, 0}, m_topRow, m_ui);
    }
    std::string contents() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
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
    MemorySource m_source;
    MarkerTable m_markers;
    Offset m_topRow = 500;
    ScriptedUi m_ui;
};

TEST_F(DumpExport, WholeFileWritesEveryRowFromTheStartAndResetsTheTopRow) {
    m_source = MemorySource(std::string(32, 'A'));
    m_markers.append(3, 4, kDefaultPenColor);
    ASSERT_TRUE(m_markers.setRemark(0, "\x90\xe0\x96\xbe note"));

    ASSERT_TRUE(exportTo(m_path, ExportRange::WholeFile, 5, 10));
    EXPECT_EQ(m_topRow, 0);
    EXPECT_TRUE(m_ui.shown().empty());
    const std::string hex = "41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 ";
    const std::string text = std::string(16, 'A') + "   ";
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           std::string(kFullHeader),
                           std::string(101, '-'),
                           "00000000 " + hex + text + "    1 \x90\xe0\x96\xbe note",
                           "00000010 " + hex + text,
                           "00000020" + std::string(68, ' '),
                       }));
}

TEST_F(DumpExport, PagesStartAtTheTopRowAndEndWithTheData) {
    m_source = MemorySource(std::vector<std::uint8_t>(0x1000, 0x30));
    m_topRow = 100;
    ASSERT_TRUE(exportTo(m_path, ExportRange::CurrentPage, 3, 60));
    auto page = lines();
    ASSERT_EQ(page.size(), 62u);
    EXPECT_EQ(page[2].substr(0, 9), "00000640 ");
    EXPECT_EQ(m_topRow, 100);

    // Three pages would reach row 280; the data ends with the empty row 256.
    ASSERT_TRUE(exportTo(m_path, ExportRange::FollowingPages, 3, 60, true));
    auto pages = lines();
    ASSERT_EQ(pages.size(), 2u + 157u);
    EXPECT_EQ(pages[0].size(), 76u);
    EXPECT_EQ(pages[1], std::string(74, '-'));
    for (const auto& line : pages)
        EXPECT_LE(line.size(), 76u);
    EXPECT_EQ(pages.back(), "00001000" + std::string(68, ' '));
}

TEST_F(DumpExport, DeclinedOrFailedExportsKeepTheFileAndTheTopRow) {
    m_source = MemorySource(std::string(40, 'x'));
    { std::ofstream(m_path) << "keep"; }
    m_ui.answer(No);
    EXPECT_FALSE(exportTo(m_path, ExportRange::WholeFile, 5, 10));
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::AskOverwriteFile});
    EXPECT_EQ(m_ui.shown()[0].style, BoxStyle::YesNo);
    EXPECT_EQ(contents(), "keep");
    EXPECT_EQ(m_topRow, 500);

    m_ui.clearRecord();
    EXPECT_FALSE(exportTo((m_dir / "missing" / "x.txt").string(), ExportRange::WholeFile, 5, 10));
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::OpenFailed});
    EXPECT_EQ(m_topRow, 500);
}

TEST_F(DumpExport, WriteFailuresAreReportedNotTakenForSuccess) {
    // A full disk from the first block on.
    if (fs::exists("/dev/full")) {
        m_source = MemorySource(std::string(40, 'x'));
        m_ui.answer(Yes);
        EXPECT_FALSE(exportTo("/dev/full", ExportRange::WholeFile, 5, 10));
        EXPECT_EQ(m_ui.shownIds(), (std::vector<int>{msg::AskOverwriteFile, msg::WriteFailed}));
    }

    // A file size limit hit after several blocks were written.
    m_ui.clearRecord();
    m_source = MemorySource(std::vector<std::uint8_t>(0x40000, 0x55));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 300000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool done = exportTo(m_path, ExportRange::WholeFile, 5, 10);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(done);
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::WriteFailed});
}

} // namespace
} // namespace byzel
