#include "contest/EntryLifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "contest/ContestNotes.h"
#include "contest/ContestStore.h"
#include "contest/ContestStoreFixture.h"
#include "contest/StationFile.h"

namespace mss::contest {
namespace {

namespace fs = std::filesystem;

class EntryLifecycleTest : public test::ContestStoreFixture {
  protected:
    std::int32_t Create(std::string_view name, std::int32_t points) {
        ContestEntry entry;
        entry.SetCode('j');
        entry.SetName(name);
        ContestExtra extra;
        extra.SetPointSum(1, points);
        EXPECT_EQ(StoreEntry(true, entry, extra), 0);
        EXPECT_EQ(extra.Number(), entry.Number());
        EXPECT_TRUE(WriteStationFile(StationFileName(dir_.Dir(), entry.Number()), "TX"));
        EXPECT_TRUE(WriteNotes(NotesFileName(dir_.Dir(), entry.Number()),
                               "12.08.2012 12:05 SP5ABC     > " + std::string(name)));
        return entry.Number();
    }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const ContestEntry& e : ListContestEntries('j')) names.push_back(e.Name());
        return names;
    }

    std::int32_t PointsOf(std::int32_t number) {
        if (ExtraFile()->Find(1, store::IntToKey(number)) != 0) return -1;
        return SelectedExtra().PointSum(1);
    }

    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

TEST_F(EntryLifecycleTest, NewEntriesAreNumberedAndUpdatesKeepTheirNumber) {
    EXPECT_EQ(Create("Sprint A", 10), 1);
    EXPECT_EQ(Create("Sprint B", 20), 2);
    ContestEntry entry = SelectedEntry();
    ContestExtra extra;
    extra.SetPointSum(1, 99);
    entry.SetName("Sprint B neu");
    // The extra record of an edited entry is written (and added when lost).
    ASSERT_EQ(ExtraFile()->Find(1, store::IntToKey(2)), 0);
    ASSERT_EQ(ExtraFile()->Delete(0), 0);
    ASSERT_EQ(StoreEntry(false, entry, extra), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Sprint A", "Sprint B neu"}));
    EXPECT_EQ(PointsOf(2), 99);
    EXPECT_EQ(PointsOf(1), 10);
    EXPECT_EQ(ContestFile()->RecordCount(), 2);
}

TEST_F(EntryLifecycleTest, DeletingRemovesEntryExtraLogAndStationFileOrNothingAtAll) {
    Create("Sprint A", 10);
    Create("Sprint B", 20);
    std::vector<std::int32_t> erased;
    auto refuse = [&](std::int32_t n) {
        erased.push_back(n);
        return false;
    };
    EXPECT_EQ(DeleteEntry(2, refuse, dir_.Dir()), DeleteOutcome::LogNotErased);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Sprint A", "Sprint B"}));
    EXPECT_EQ(PointsOf(2), 20);
    EXPECT_TRUE(fs::exists(StationFileName(dir_.Dir(), 2)));
    EXPECT_TRUE(fs::exists(NotesFileName(dir_.Dir(), 2)));

    auto erase = [&](std::int32_t n) {
        erased.push_back(n);
        return true;
    };
    EXPECT_EQ(DeleteEntry(2, erase, dir_.Dir()), DeleteOutcome::Deleted);
    EXPECT_EQ(erased, (std::vector<std::int32_t>{2, 2}));
    EXPECT_EQ(Names(), std::vector<std::string>{"Sprint A"});
    EXPECT_EQ(PointsOf(2), -1);
    EXPECT_FALSE(fs::exists(StationFileName(dir_.Dir(), 2)));
    EXPECT_TRUE(fs::exists(StationFileName(dir_.Dir(), 1)));
    EXPECT_FALSE(fs::exists(NotesFileName(dir_.Dir(), 2)));
    EXPECT_TRUE(fs::exists(NotesFileName(dir_.Dir(), 1)));

    // The next entry gets the number again and starts with nothing of the old one.
    EXPECT_EQ(Create("Sprint C", 0), 2);
    EXPECT_EQ(PointsOf(2), 0);
}

TEST_F(EntryLifecycleTest, WithoutTheContestStoreNothingIsStored) {
    CloseQVKZ();
    ContestEntry entry;
    ContestExtra extra;
    EXPECT_GT(StoreEntry(true, entry, extra), 2);
    ASSERT_TRUE(OpenQVKZ());
}

TEST_F(EntryLifecycleTest, StationFilesAreWindowsTextUnderTheEntrysNumber) {
    const std::string path = StationFileName(dir_.Dir(), 7);
    EXPECT_EQ(fs::path(path).filename(), "mssprint     7.STN");
    EXPECT_FALSE(ReadStationFile(path));
    const std::string text =
        "IC-9700 500 W\nAntenne: 2 x 17 Elemente, Gr\xF6\xDF"
        "e 9 m";
    ASSERT_TRUE(WriteStationFile(path, text));
    EXPECT_EQ(Bytes(path),
              "IC-9700 500 W\r\nAntenne: 2 x 17 Elemente, Gr\xF6\xDF"
              "e 9 m\r\n");
    EXPECT_EQ(ReadStationFile(path), text);
    EXPECT_TRUE(RemoveStationFile(path));
    EXPECT_TRUE(RemoveStationFile(path));
    EXPECT_FALSE(WriteStationFile(dir_.Dir() + "missing/x.STN", text));
}

}  // namespace
}  // namespace mss::contest
