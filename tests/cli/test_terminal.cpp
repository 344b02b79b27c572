#include "core/markerfile/markerfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace byzel::cli {
namespace {

using byzel::testing::TempFolder;

struct Output {
    int status = -1;
    std::string bytes;
};

std::string readAll(int fd) {
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        // A pseudo-terminal whose other side is closed reports EIO rather than end of file.
        if (n <= 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

int waitFor(pid_t pid) {
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

[[noreturn]] void execCli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), BYZEL_CLI_PATH);
    std::vector<char*> argv;
    for (auto& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(BYZEL_CLI_PATH, argv.data());
    ::_exit(127);
}

// byzel-cli with its standard output on a pseudo-terminal that passes the bytes unchanged.
Output onTerminal(const std::vector<std::string>& arguments) {
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        termios raw;
        ::tcgetattr(STDOUT_FILENO, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(STDOUT_FILENO, TCSANOW, &raw);
        execCli(arguments);
    }
    if (pid < 0)
        return {};
    Output out;
    out.bytes = readAll(master);
    ::close(master);
    out.status = waitFor(pid);
    return out;
}

// byzel-cli with its standard output on a pipe.
Output throughPipe(const std::vector<std::string>& arguments) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        execCli(arguments);
    }
    ::close(fds[1]);
    Output out;
    out.bytes = readAll(fds[0]);
    ::close(fds[0]);
    out.status = pid < 0 ? -1 : waitFor(pid);
    return out;
}

// A row of Japanese text, bytes that are no character and a lead byte carried into the next
// row, with a remark that tries to colour the terminal.
class DumpOnTerminal : public ::testing::Test {
protected:
    void SetUp() override {
        m_data = m_dir.write("data.bin", std::string("\x82\xA0\x82\xA2"
                                                     "ABC\xB1\x1B\x83\x9F\x7F\xA0\x82\x0A\x88"
                                                     "\x9F"
                                                     "A",
                                                     18));
        MarkerFileContents work;
        ASSERT_TRUE(work.header.setDumpPath(m_data));
        MarkerRecord r;
        r.end = 3;
        r.color = 0xB0B0FF;
        const std::string_view remark = "\x82\xA0\x1B[31mred\x7F";
        std::memcpy(r.remark.data(), remark.data(), remark.size());
        work.records.push_back(r);
        m_work = m_dir.write("work.mkg", encodeMarkerFile(work.header, work.records));
    }

    TempFolder m_dir;
    std::string m_data;
    std::string m_work;
};

TEST_F(DumpOnTerminal, ShowsReadableUtf8InTheExportsColumns) {
    const Output shown = onTerminal({"dump", m_work});
    ASSERT_EQ(shown.status, 0) << shown.bytes;
    // あいABCｱ, ESC as the export's blank, Greek alpha (one column) and a space, DEL and 0xA0
    // as dots, the lead byte with a line feed as two dots, the carried lead's blank cell.
    EXPECT_NE(shown.bytes.find("00000000 82 A0 82 A2 41 42 43 B1 1B 83 9F 7F A0 82 0A 88 "
                               "\xE3\x81\x82\xE3\x81\x84"
                               "ABC\xEF\xBD\xB1 \xCE\x91 ....    "
                               "    1 \xE3\x81\x82^[[31mred^?\r\n"),
              std::string::npos)
        << shown.bytes;
    // 亜 of the carried lead byte and its second byte, then A.
    EXPECT_NE(shown.bytes.find("00000010 9F 41" + std::string(43, ' ') + "\xE4\xBA\x9C" + "A" +
                               std::string(16, ' ') + "\r\n"),
              std::string::npos)
        << shown.bytes;
    EXPECT_EQ(shown.bytes.find('\x1B'), std::string::npos);
    EXPECT_EQ(shown.bytes.find('\x7F'), std::string::npos);

    // Shift-JIS asked for on a terminal: the export's bytes, controls still made harmless.
    const Output sjis = onTerminal({"dump", m_work, "--encoding", "SJIS"});
    ASSERT_EQ(sjis.status, 0) << sjis.bytes;
    EXPECT_NE(sjis.bytes.find("\x82\xA0\x82\xA2"
                              "ABC\xB1 \x83\x9F.\xA0\x82.  "),
              std::string::npos);
    EXPECT_NE(sjis.bytes.find("    1 \x82\xA0^[[31mred^?\r\n"), std::string::npos);
    EXPECT_EQ(sjis.bytes.find('\x1B'), std::string::npos);
}

TEST_F(DumpOnTerminal, PipesAndFilesGetTheExportBytes) {
    const std::string exported = m_dir.path("export.txt");
    ASSERT_EQ(throughPipe({"dump", m_work, "-o", exported}).status, 0);
    const auto file = TempFolder::read(exported);
    const std::string exportBytes(file.begin(), file.end());
    EXPECT_NE(exportBytes.find("\x82\xA0\x1B[31mred\x7F\r\n"), std::string::npos);

    const Output piped = throughPipe({"dump", m_work});
    ASSERT_EQ(piped.status, 0);
    EXPECT_EQ(piped.bytes, exportBytes);

    // UTF-8 asked for: decoded, but a pipe gets the remark as it is.
    const Output utf8 = throughPipe({"dump", m_work, "--encoding", "utf-8"});
    ASSERT_EQ(utf8.status, 0);
    EXPECT_NE(utf8.bytes.find("    1 \xE3\x81\x82\x1B[31mred\x7F\r\n"), std::string::npos);
    EXPECT_NE(utf8.bytes.find("\xE4\xBA\x9C"
                              "A"),
              std::string::npos);

    EXPECT_EQ(throughPipe({"dump", m_work, "--encoding", "latin1"}).status, 2);
}

} // namespace
} // namespace byzel::cli
