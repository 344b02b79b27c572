#include "core/dumpfile/filesync.h"
#include "core/dumpfile/uniquefd.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <optional>

namespace byzel {
namespace {

using testing::TempFolder;

TEST(FileSync, TellsWhetherTheFileReachedTheDisk) {
    TempFolder tmp;
    const std::string path = tmp.path("new.bin");
    std::optional<FileSync> synced;
    {
        UniqueFd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        ASSERT_TRUE(file.valid());
        ASSERT_EQ(::write(file.get(), "data", 4), 4);
        synced.emplace(UniqueFd(::dup(file.get())));
    }
    EXPECT_TRUE(synced->wait()) << "the sync holds the file even once its maker closed it";
    EXPECT_EQ(TempFolder::read(path), (std::vector<std::uint8_t>{'d', 'a', 't', 'a'}));

    // A pipe cannot be synced; a sync nobody waits for ends by itself.
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    UniqueFd in(ends[0]);
    UniqueFd out(ends[1]);
    EXPECT_FALSE(FileSync(UniqueFd(::dup(out.get()))).wait());
    FileSync unwanted(UniqueFd(::dup(out.get())));
}

} // namespace
} // namespace byzel
