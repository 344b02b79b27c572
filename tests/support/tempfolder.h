#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace byzel::testing {

// A folder of one test's own under the temporary folder, removed with its contents at the end.
class TempFolder {
public:
    TempFolder() {
        const char* tmpdir = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/byzel-test-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a test folder");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }
    [[nodiscard]] std::string path(std::string_view name) const {
        return m_path + "/" + std::string(name);
    }

    std::string write(std::string_view name, const std::vector<std::uint8_t>& bytes) const {
        return writeFile(path(name), bytes);
    }
    std::string write(std::string_view name, std::string_view text) const {
        return writeFile(path(name), text);
    }
    static std::string writeFile(const std::string& file, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    static std::string writeFile(const std::string& file, std::string_view text) {
        return writeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    [[nodiscard]] static std::vector<std::uint8_t> read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Names of the entries, sorted.
    [[nodiscard]] std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string m_path;
};

} // namespace byzel::testing
