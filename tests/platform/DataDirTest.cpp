#include "platform/DataDir.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/TempDir.h"
#include "platform/Messages.h"

namespace mss::platform {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
    std::ofstream(file) << "x";
}

TEST(DataDirTest, ExplicitDirectoryWinsInBothSpellings) {
    test::TempDir cwd;
    Touch(cwd.path() / "QVKK.DAT");
    EXPECT_EQ(ChooseDataDir({"--data-dir", "/srv/log"}, cwd.path(), "/home/op", "").dir,
              fs::path("/srv/log"));
    EXPECT_EQ(ChooseDataDir({"-debug", "--data-dir=/srv/x"}, cwd.path(), "/home/op", "").dir,
              fs::path("/srv/x"));
}

TEST(DataDirTest, MissingDirectoryArgumentIsAnError) {
    test::TempDir cwd;
    EXPECT_FALSE(ChooseDataDir({"--data-dir"}, cwd.path(), "/home/op", "").error.empty());
    EXPECT_FALSE(ChooseDataDir({"--data-dir="}, cwd.path(), "/home/op", "").error.empty());
}

TEST(DataDirTest, CurrentDirectoryIsUsedOnlyWhenItHoldsSuiteFiles) {
    test::TempDir cwd;
    Touch(cwd.path() / "notes.txt");
    Touch(cwd.path() / "QV.DAT");  // no name between prefix and extension
    EXPECT_EQ(ChooseDataDir({}, cwd.path(), "/home/op", "").dir,
              fs::path("/home/op/.local/share/tarvolt-mssprint"));
    Touch(cwd.path() / "qvsetup.dat");
    EXPECT_TRUE(HoldsSuiteFiles(cwd.path()));
    EXPECT_EQ(ChooseDataDir({}, cwd.path(), "/home/op", "").dir, cwd.path());
}

TEST(DataDirTest, XdgDataHomeTakesPrecedenceOverHome) {
    test::TempDir cwd;
    EXPECT_EQ(ChooseDataDir({}, cwd.path(), "/home/op", "/data").dir,
              fs::path("/data/tarvolt-mssprint"));
}

TEST(DataDirTest, EnteringCreatesTheDirectoryAndGivesRunDirWithSlash) {
    test::TempDir root;
    test::ScopedCurrentDir keep(root.path());
    std::string error;
    const fs::path target = root.path() / "a" / "b";
    auto runDir = EnterDataDir(target, error);
    ASSERT_TRUE(runDir) << error;
    EXPECT_EQ(*runDir, fs::canonical(target).string() + "/");
    EXPECT_EQ(fs::current_path(), fs::canonical(target));
}

TEST(DataDirTest, EnteringAPathBlockedByAFileFails) {
    test::TempDir root;
    test::ScopedCurrentDir keep(root.path());
    Touch(root.path() / "file");
    std::string error;
    EXPECT_FALSE(EnterDataDir(root.path() / "file" / "sub", error));
    EXPECT_FALSE(error.empty());
}

TEST(MessagesTest, WithoutAnInstalledUiEveryQuestionIsDeclined) {
    EXPECT_FALSE(CurrentMessages().Question("Programm beenden?"));
}

TEST(MessagesTest, ScriptedAnswersComeInOrderThenNo) {
    ScriptedMessages scripted;
    ScopedMessages install(scripted);
    scripted.SetNextAnswers({true, false});
    EXPECT_TRUE(CurrentMessages().Question("a"));
    EXPECT_FALSE(CurrentMessages().Question("b"));
    EXPECT_FALSE(CurrentMessages().Question("c"));
    CurrentMessages().Information("d");
    ASSERT_EQ(scripted.shown().size(), 4u);
    EXPECT_FALSE(scripted.shown()[3].question);
    EXPECT_EQ(scripted.LastText(), "d");
}

TEST(MessagesTest, InstallationIsUndoneByTheGuard) {
    ScriptedMessages outer;
    ScopedMessages installOuter(outer);
    {
        ScriptedMessages inner;
        ScopedMessages installInner(inner);
        CurrentMessages().Information("inner");
    }
    CurrentMessages().Information("outer");
    EXPECT_EQ(outer.shown().size(), 1u);
}

}  // namespace
}  // namespace mss::platform
