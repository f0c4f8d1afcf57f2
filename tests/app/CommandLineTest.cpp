// End to end: the real program's command line in a fresh data directory,
// run without a display; counts, score and files checked against values
// worked out by hand.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/TempDir.h"
#include "log/AdifReader.h"

namespace {

namespace fs = std::filesystem;

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CommandLineTest : public ::testing::Test {
  protected:
    // Runs the program with no display and no Qt platform chosen.
    Run Program(const std::vector<std::string>& args) {
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME='" +
                              dir_.path().string() + "' '" MSS_PROGRAM "' --data-dir '" +
                              dir_.path().string() + "'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        const fs::path out = dir_.path() / "run.out", err = dir_.path() / "run.err";
        command += " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        Run run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    // A new entry of the MS Sprint from JO62MM for August 2026; its number.
    std::string NewEntry() {
        const Run run =
            Program({"entry", "new", "--call", "DL9XYZ", "--locator", "JO62MM", "--name",
                     "MS Sprint August", "--category", "2", "--start", "01.08.2026", "--end",
                     "31.08.2026", "--town", "12345 Berlin", "--station", "4x17 el, 750 W"});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out.substr(0, run.out.find('\n'));
    }

    fs::path File(const std::string& name) const { return dir_.path() / name; }

    mss::test::TempDir dir_;
};

TEST_F(CommandLineTest, BadArgumentsGiveUsageAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"frobnicate"},
        {"entry"},
        {"entry", "new", "--locator", "JO62MM"},
        {"entry", "new", "--call", "DL9XYZ", "--locator", "JO62MM", "--category", "two"},
        {"entry", "new", "--call", "DL9XYZ", "--locator", "JO62MM", "--category", "9"},
        {"entry", "list", "--all"},
        {"score"},
        {"score", "--entry", "0"},
        {"score", "--entry", "1", "--entry", "2"},
        {"write", "--entry", "1", "--kind", "sum"},
        {"write", "--entry", "1", "--kind"},
        {"check", "--repair=yes"},
        {"check", "extra"},
    };
    for (const auto& args : cases) {
        const Run run = Program(args);
        EXPECT_EQ(run.status, 2) << args.front() << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_NE(run.err.find("usage: tarvolt-mssprint"), std::string::npos) << run.err;
    }
}

TEST_F(CommandLineTest, EveryCommandExplainsItself) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"entry", "new", "--help"},
                                               {"entry", "list", "--help"},
                                               {"score", "--help"},
                                               {"write", "--help"},
                                               {"check", "--help"}}) {
        const Run run = Program(args);
        EXPECT_EQ(run.status, 0) << args.front();
        EXPECT_EQ(run.out.rfind("usage: tarvolt-mssprint", 0), 0u) << run.out;
    }
    // Help alone touches no file.
    EXPECT_FALSE(fs::exists(File("QVKK.DAT")));
}

TEST_F(CommandLineTest, NewEntryRefusedAsTheSetupDialogRefusesIt) {
    const struct {
        std::vector<std::string> extra;
        std::string message;
    } cases[] = {
        {{"--start", "31.02.2026"}, "Datum"},
        {{"--locator", "JO62M"}, "Standortlocator"},
        {{"--name", "A name longer than the list shows"}, "zu lang"},
        {{"--start", "20.08.2026", "--end", "10.08.2026"}, "Contest-Ende"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"entry",      "new", "--call", "DL9XYZ",
                                         "--category", "1",   "--town", "12345 Berlin"};
        if (c.extra.front() != "--locator") args.insert(args.end(), {"--locator", "JO62MM"});
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const Run run = Program(args);
        EXPECT_EQ(run.status, 1) << c.extra.front() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const Run list = Program({"entry", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "");
}

TEST_F(CommandLineTest, OutputsTheContestDoesNotOfferAreRefusedWithTheOfferedList) {
    const std::string entry = NewEntry();
    const Run run =
        Program({"write", "--entry", entry, "--kind", "edi", "--out", File("x.edi").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("txt, sum, all, bnd, adif, csv, paper-sum, paper-all"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(File("x.edi")));
}

TEST_F(CommandLineTest, AFileblockHeldByAnotherProgramIsReportedLocked) {
    NewEntry();
    const int held = ::open(File("QVKK.DAT").c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const Run run = Program({"check"});
    ::close(held);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("QVKK\tlocked"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("QVKZ\tok"), std::string::npos) << run.out;
}

}  // namespace
