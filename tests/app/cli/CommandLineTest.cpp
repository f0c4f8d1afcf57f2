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

#include "app/cli/CommandLine.h"
#include "common/TempDir.h"
#include "log/AdifReader.h"
#include "output/picture/LogPicture.h"
#include "radio/DateTime.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
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
    // Runs the program with no display and no Qt platform chosen; `env`
    // adds variables ("NAME=value ...").
    Outcome Program(const std::vector<std::string>& args, const std::string& env = "") {
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + env + " HOME='" +
                              dir_.path().string() + "' '" MSS_PROGRAM "' --data-dir '" +
                              dir_.path().string() + "'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        const fs::path out = dir_.path() / "run.out", err = dir_.path() / "run.err";
        command += " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    // A new entry of the MS Sprint from JO62MM for August 2026; its number.
    std::string NewEntry(const std::string& env = "") {
        const Outcome run =
            Program({"entry", "new", "--call", "DL9XYZ", "--locator", "JO62MM", "--name",
                     "MS Sprint August", "--category", "2", "--start", "01.08.2026", "--end",
                     "31.08.2026", "--town", "12345 Berlin", "--station", "4x17 el, 750 W"},
                    env);
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
        {"import-adif", "--entry", "1"},
        {"import-adif", "--entry", "1", "a.adi", "b.adi"},
        {"import-adif", "--entry", "1", "--map", "GRID", "a.adi"},
    };
    for (const auto& args : cases) {
        const Outcome run = Program(args);
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
                                               {"import-adif", "--help"},
                                               {"write", "--help"},
                                               {"check", "--help"}}) {
        const Outcome run = Program(args);
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
        const Outcome run = Program(args);
        EXPECT_EQ(run.status, 1) << c.extra.front() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const Outcome list = Program({"entry", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "");
}

// Without --start and --end the entry gets the sprint's August dates of
// the year nearest to today, never the catalogue's own year.
TEST_F(CommandLineTest, ANewEntryWithoutDatesGetsTheNearestSprint) {
    const Outcome made =
        Program({"entry", "new", "--call", "DL9XYZ", "--locator", "JO62MM", "--category", "1",
                 "--town", "12345 Berlin", "--station", "IC-9700"});
    ASSERT_EQ(made.status, 0) << made.err;
    const Outcome list = Program({"entry", "list"});
    std::istringstream row(list.out);
    std::string number, name, start, end;
    std::getline(row, number, '\t');
    std::getline(row, name, '\t');
    std::getline(row, start, '\t');
    std::getline(row, end, '\t');
    const std::int32_t from = mss::radio::TextToDate("dd.mm.yyyy", start);
    const std::int32_t today = mss::radio::TodayLocal();
    ASSERT_GT(from, 0) << list.out;
    EXPECT_EQ(start.substr(0, 6), "12.08.");
    EXPECT_EQ(mss::radio::TextToDate("dd.mm.yyyy", end), from + 1) << end;
    // Within half a year back, at most a year ahead.
    EXPECT_GE(from, today - 183) << start;
    EXPECT_LT(from, today + 366) << start;
}

TEST_F(CommandLineTest, OutputsTheContestDoesNotOfferAreRefusedWithTheOfferedList) {
    const std::string entry = NewEntry();
    const Outcome run =
        Program({"write", "--entry", entry, "--kind", "edi", "--out", File("x.edi").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("txt, sum, all, bnd, adif, csv, map, paper-sum, paper-all"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(File("x.edi")));
}

TEST_F(CommandLineTest, AFileblockHeldByAnotherProgramIsReportedLocked) {
    NewEntry();
    const int held = ::open(File("QVKK.DAT").c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const Outcome run = Program({"check"});
    // A command that needs the file ends with the store's message, opening nothing twice.
    const Outcome list = Program({"entry", "list"});
    ::close(held);
    EXPECT_EQ(list.status, 1);
    EXPECT_EQ(list.out, "");
    EXPECT_NE(list.err.find("tarvolt-mssprint: "), std::string::npos);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("QVKK\tlocked"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("QVKZ\tok"), std::string::npos) << run.out;
}

// Own locator JO62MM. Distances by the locator formula, worked out by hand:
// JO40XC 343 km, JO31MM 425 km, IO91WM 906 km.
constexpr const char* kAdif =
    "Exported by a test\n<ADIF_VER:5>3.1.4<EOH>\n"
    // stored
    "<CALL:6>DL1AAA<QSO_DATE:8>20260812<TIME_ON:4>0105<MODE:6>FSK441<FREQ:7>144.370"
    "<RST_SENT:2>26<RST_RCVD:2>27<GRIDSQUARE:6>JO40XC<EOR>\n"
    // a duplicate of the first
    "<CALL:6>DL1AAA<QSO_DATE:8>20260812<TIME_ON:4>0230<MODE:6>FSK441<FREQ:7>144.370"
    "<RST_SENT:2>26<RST_RCVD:2>27<GRIDSQUARE:6>JO40XC<EOR>\n"
    // a portable call, stored
    "<CALL:8>DL2DDD/P<QSO_DATE:8>20260812<TIME_ON:4>0310<MODE:2>CW<BAND:2>2m"
    "<RST_SENT:3>599<RST_RCVD:3>599<GRIDSQUARE:6>JO31MM<EOR>\n"
    // the same station at home: a duplicate through its home call
    "<CALL:6>DL2DDD<QSO_DATE:8>20260812<TIME_ON:4>0320<MODE:2>CW<BAND:2>2m"
    "<RST_SENT:3>599<RST_RCVD:3>599<GRIDSQUARE:6>JO31MM<EOR>\n"
    // no locator: stored without points, as the log form stores it
    "<CALL:5>OK1BB<QSO_DATE:8>20260812<TIME_ON:4>0400<MODE:6>FSK441<FREQ:7>144.370<EOR>\n"
    // a bad date
    "<CALL:5>SP2CC<QSO_DATE:8>20261340<TIME_ON:4>0410<MODE:6>FSK441<FREQ:7>144.370"
    "<GRIDSQUARE:6>JO94AA<EOR>\n"
    // stored
    "<CALL:5>G4EEE<QSO_DATE:8>20260813<TIME_ON:4>2300<MODE:6>FSK441<FREQ:7>144.360"
    "<RST_SENT:2>26<RST_RCVD:2>37<GRIDSQUARE:6>IO91WM<EOR>\n";

TEST(CommandLineChoice, AWordOrHelpAsksForTheCommandLineAnythingElseForTheWindow) {
    const struct {
        std::vector<std::string> args;
        bool commandLine;
    } cases[] = {
        {{}, false},
        {{"--data-dir", "/tmp/x"}, false},
        {{"--data-dir=/tmp/x"}, false},
        {{"-style", "fusion"}, false},
        {{"/debug"}, false},
        {{"--help"}, true},
        {{"-h"}, true},
        {{"entry", "list"}, true},
        {{"--data-dir", "/tmp/x", "score", "--entry", "1"}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(mss::app::IsCommandLine(c.args), c.commandLine);
}

// The commands go without Qt's platform plugins: a platform that cannot be
// loaded would end a program that made a GUI application.
TEST_F(CommandLineTest, TheCommandsRunWithoutAnyPlatformPlugin) {
    const std::string noPlugin =
        "QT_QPA_PLATFORM=no-such-platform QT_PLUGIN_PATH=/nonexistent "
        "QT_QPA_PLATFORM_PLUGIN_PATH=/nonexistent";
    ASSERT_EQ(NewEntry(noPlugin), "1");
    std::ofstream(File("in.adi"), std::ios::binary) << kAdif;
    const std::vector<std::vector<std::string>> commands = {
        {"import-adif", "--entry", "1", File("in.adi").string()},
        {"score", "--entry", "1"},
        {"write", "--entry", "1", "--kind", "txt", "--out", File("out.txt").string()},
        {"entry", "list"},
    };
    for (const auto& args : commands) {
        const Outcome run = Program(args, noPlugin);
        EXPECT_EQ(run.status, 0) << args.front() << ": " << run.err;
        EXPECT_EQ(run.err.find("plugin"), std::string::npos) << run.err;
    }
    EXPECT_NE(Program({"score", "--entry", "1"}, noPlugin).out.find("contacts\t4\n"),
              std::string::npos);
}

TEST_F(CommandLineTest, MeteorScatterModesCountAsTheDigitalModeUnlessStrict) {
    const std::string entry = NewEntry();
    std::ofstream(File("wsjtx.adi"), std::ios::binary)
        << "WSJT-X ADIF Export<eoh>\n"
           "<call:6>dl1aaa <gridsquare:4>jo40 <mode:4>MFSK <submode:6>MSK144 "
           "<qso_date:8>20260812 <time_on:6>010500 <band:2>2m <freq:10>144.360000 <eor>\n"
           "<call:6>dl2bbb <gridsquare:4>jo31 <mode:2>CW <qso_date:8>20260812 "
           "<time_on:6>011000 <band:2>2m <freq:10>144.050000 <eor>\n";
    const struct {
        std::vector<std::string> flags;
        std::string out;
    } runs[] = {
        {{"--strict-modes"}, "read\t2\nstored\t1\nas digital mode\t0\nduplicates\t0\nrefused\t1\n"},
        {{}, "read\t2\nstored\t1\nas digital mode\t1\nduplicates\t1\nrefused\t0\n"},
    };
    for (const auto& run : runs) {
        std::vector<std::string> args = {"import-adif", "--entry", entry,
                                         File("wsjtx.adi").string()};
        args.insert(args.end(), run.flags.begin(), run.flags.end());
        const Outcome import = Program(args);
        EXPECT_EQ(import.status, 0) << import.err;
        EXPECT_EQ(import.out, run.out) << import.err;
    }
    EXPECT_NE(Program({"score", "--entry", entry}).out.find("contacts\t2\n"), std::string::npos);
}

TEST_F(CommandLineTest, AnImportedLogIsScoredWrittenCheckedAndRepaired) {
    const std::string entry = NewEntry();
    ASSERT_EQ(entry, "1");
    std::ofstream(File("in.adi"), std::ios::binary) << kAdif;

    const Outcome import = Program({"import-adif", "--entry", entry, File("in.adi").string()});
    EXPECT_EQ(import.status, 0) << import.err;
    EXPECT_EQ(import.out, "read\t7\nstored\t4\nas digital mode\t0\nduplicates\t2\nrefused\t1\n")
        << import.err;
    for (const char* named : {"SP2CC", "DL1AAA 12.08.2026 02:30", "DL2DDD 12.08.2026 03:20"})
        EXPECT_NE(import.err.find(named), std::string::npos) << import.err;

    const Outcome score = Program({"score", "--entry", entry});
    EXPECT_EQ(score.status, 0) << score.err;
    EXPECT_NE(score.out.find("contacts\t4\n"), std::string::npos) << score.out;
    EXPECT_NE(score.out.find("band\t2 m\t4\t1674\n"), std::string::npos) << score.out;
    EXPECT_NE(score.out.find("score\t1674\n"), std::string::npos) << score.out;
    const Outcome list = Program({"entry", "list"});
    EXPECT_EQ(list.out, "1\tMS Sprint August\t01.08.2026\t31.08.2026\t4\t1674\n") << list.err;

    for (const char* kind :
         {"txt", "sum", "all", "bnd", "adif", "csv", "map", "paper-sum", "paper-all"}) {
        const fs::path out = File(std::string("out.") + kind);
        const Outcome run = Program({"write", "--entry", entry, "--kind", kind, "--out", out.string()});
        EXPECT_EQ(run.status, 0) << kind << ": " << run.err;
        EXPECT_GT(fs::file_size(out), 100u) << kind;
    }
    EXPECT_EQ(ReadAll(File("out.paper-all")).rfind("%PDF", 0), 0u);
    // The map, drawn without a display: the three stations with a locator as
    // points of their modes' colours, two FSK441 and one CW, each mode also
    // once in the key.
    const QImage map(QString::fromStdString(File("out.map").string()), "PNG");
    ASSERT_EQ(map.size(), mss::output::kLogPictureSize);
    auto painted = [&map](const char* mode) {
        int pixels = 0;
        for (int y = 0; y < map.height(); ++y)
            for (int x = 0; x < map.width(); ++x)
                pixels += map.pixelColor(x, y) == mss::output::ModeColour(mode) ? 1 : 0;
        return pixels;
    };
    const int cw = painted("CW");
    EXPECT_GT(cw, 100);
    EXPECT_NEAR(static_cast<double>(painted("FSK441")) / cw, 3.0 / 2, 0.15);
    EXPECT_NE(ReadAll(File("out.all")).find("DL2DDD/P"), std::string::npos);
    const mss::log::AdifFile back = mss::log::ReadAdif(ReadAll(File("out.adif")));
    ASSERT_EQ(back.Records.size(), 4u);
    EXPECT_EQ(back.Records[0].Value("CALL"), "DL1AAA");
    EXPECT_EQ(back.Records[1].Value("CALL"), "DL2DDD/P");
    EXPECT_EQ(back.Records[2].Value("GRIDSQUARE"), "");
    EXPECT_EQ(back.Records[3].Value("GRIDSQUARE"), "IO91WM");
    EXPECT_EQ(back.Records[3].Value("PTS"), "906");
    // Nothing is left under a temporary name.
    for (const auto& item : fs::directory_iterator(dir_.path()))
        EXPECT_EQ(item.path().filename().string().find(".tmp"), std::string::npos);

    const Outcome sound = Program({"check"});
    EXPECT_EQ(sound.status, 0) << sound.out;
    EXPECT_NE(sound.out.find("QVLK0001\tok\t4 records"), std::string::npos) << sound.out;

    // Index pages after the header zeroed: the log's indexes are lost.
    {
        std::fstream ix(File("QVLK0001.IX"), std::ios::in | std::ios::out | std::ios::binary);
        ix.seekp(0, std::ios::end);
        const auto size = static_cast<std::size_t>(ix.tellp());
        ASSERT_GT(size, 2048u);
        ix.seekp(1024);
        const std::string zeros(size - 1024, '\0');
        ix.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    const Outcome damaged = Program({"check"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.out.find("QVLK0001\tdamaged"), std::string::npos) << damaged.out;
    const Outcome repaired = Program({"check", "--repair"});
    EXPECT_EQ(repaired.status, 0) << repaired.out;
    EXPECT_NE(repaired.out.find("QVLK0001\trebuilt\t4 records"), std::string::npos) << repaired.out;
    EXPECT_EQ(Program({"check"}).status, 0);
    EXPECT_EQ(Program({"score", "--entry", entry}).out, score.out);
}

}  // namespace
