#include "core/workflow/work.h"
#include "core/dumpfile/workfolder.h"
#include "core/workflow/worktitle.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(WindowTitle, FollowsTheMarkerFileName) {
    EXPECT_EQ(windowTitle("/home/user/work/data.mkg", false), "data");
    EXPECT_EQ(windowTitle("/home/user/work/data.mkg", true), "data*");
    EXPECT_EQ(windowTitle("/home/user/work/archive.tar.mkg", false), "archive.tar");
    EXPECT_EQ(windowTitle("/home/user/work/README", true), "README*");
    EXPECT_EQ(windowTitle("C:\\work\\sample.mkg", false), "sample");
    EXPECT_EQ(windowTitle("/home/user/v1.0/notes", false), "notes");
    // The placeholder never gets the modified mark.
    EXPECT_EQ(windowTitle(kUnnamedMarkerFile, true), "[マーカファイル名未定義]");
}

TEST(Work, SetModifiedRewritesTheTitleButStoreModifiedDoesNot) {
    WorkFolder folder;
    Work work{folder};
    std::vector<std::string> titles;
    work.setTitleListener([&](const std::string& t) { titles.push_back(t); });
    work.setMarkerFilePath("/tmp/x/data.mkg");
    work.setModified(true);
    work.storeModified(false);
    EXPECT_FALSE(work.modified());
    work.setMarkerFilePath(std::string(kUnnamedMarkerFile));
    work.setModified(false);
    EXPECT_EQ(titles, (std::vector<std::string>{"data*", "[マーカファイル名未定義]"}));
    EXPECT_TRUE(work.isUnnamed());
}

} // namespace
} // namespace byzel
