#include "app/startup/StoreStartupLoading.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/mainwindow/ContestBrow.h"
#include "common/QtApp.h"
#include "common/TempDir.h"
#include "platform/Messages.h"
#include "radio/ProgramValues.h"
#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/RecordStore.h"
#include "suite/SuiteFiles.h"
#include "suite/SuiteSettings.h"

namespace mss::app {
namespace {

namespace fs = std::filesystem;

const std::string kSampleCountryFile = std::string(MSS_TEST_DATA) + "/cty-sample.dat";

class StoreStartupLoadingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::QtApp();
        radio::ResetProgramValues();
        radio::Program().RunDir = dir_.RunDir();
    }
    void TearDown() override { radio::ResetProgramValues(); }

    std::unique_ptr<TContestBrow> Start(const std::string& countryFile = kSampleCountryFile) {
        return std::make_unique<TContestBrow>(std::make_unique<StoreStartupLoading>(countryFile));
    }

    // Edits QVSETUP record 1 while no window holds the files.
    void EditSettings(const std::function<void(suite::SuiteSettings&)>& edit) {
        store::RecordStoreSettings settings;
        settings.runDir = dir_.RunDir();
        ASSERT_TRUE(store::InitRecordStore(settings));
        suite::SetSuiteDirectory(dir_.RunDir());
        suite::UpdateSettingsRecord(
            suite::SuiteFile::QVSETUP, [&](suite::MutableRecordBytes bytes) {
                suite::SuiteSettings record(bytes);
                edit(record);
                std::copy_n(record.bytes().begin(), bytes.size(), bytes.begin());
            });
        ASSERT_EQ(store::ErrorLevel(), 0);
        store::ExitRecordStore();
    }

    suite::SuiteSettings ReadSettings() {
        suite::SuiteSettings read;
        EditSettings([&](suite::SuiteSettings& record) { read = record; });
        return read;
    }

    test::TempDir dir_;
    test::ScopedCurrentDir cwd_{dir_.path()};
    platform::ScriptedMessages messages_;
    platform::ScopedMessages install_{messages_};
};

TEST_F(StoreStartupLoadingTest, AFirstStartCreatesTheSuiteFilesAndFillsThePrefixTable) {
    {
        auto window = Start();
        ASSERT_TRUE(window->StartedUp());
        window->close();
    }
    for (const char* name : {"QVSETUP", "QVSETUP2", "QVPRO", "QVPREFIX", "QVPREFEE", "QVPREFES"}) {
        EXPECT_TRUE(fs::exists(dir_.path() / (std::string(name) + ".DAT"))) << name;
    }
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
    EXPECT_GT(fs::file_size(dir_.path() / "QVPREFIX.DAT"), 1000u);
}

TEST_F(StoreStartupLoadingTest, TheImportedPrefixTablesAreOnDiskWhileTheProgramRuns) {
    auto window = Start();
    ASSERT_TRUE(window->StartedUp());
    // A start killed from here on finds complete tables and rebuilds nothing.
    for (const char* name : {"QVPREFIX.DAT", "QVPREFEE.DAT"}) {
        std::ifstream in(dir_.path() / name, std::ios::binary);
        std::array<std::uint8_t, store::kDataHeaderSize> header{};
        in.read(reinterpret_cast<char*>(header.data()), header.size());
        const std::int32_t slotCount = store::DecodeFixed32(&header[8]);
        EXPECT_GT(slotCount, 0) << name;
        EXPECT_EQ(header[20], 0) << name;
        EXPECT_EQ(fs::file_size(dir_.path() / name),
                  static_cast<std::uintmax_t>(slotCount + 1) * store::DecodeFixed32(&header[12]))
            << name;
    }
    EXPECT_FALSE(window->ProgressBar().isVisible());
    window->close();
}

TEST_F(StoreStartupLoadingTest, WithoutCountryDataThePrefixWarningIsShownAndStartUpGoesOn) {
    auto window = Start((dir_.path() / "missing-cty.dat").string());
    EXPECT_TRUE(window->StartedUp());
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.LastText().rfind("Achtung: Die Pr\xE4"
                                         "fixdatei konnte nicht gefunden",
                                         0),
              0u);
}

TEST_F(StoreStartupLoadingTest, SettingsWithoutColoursKeepTheDefaultsAndWriteThemBack) {
    { Start()->close(); }
    const suite::SuiteSettings stored = ReadSettings();
    const ui::ColourScheme defaults;
    EXPECT_EQ(static_cast<std::uint32_t>(stored.Colour(0)), defaults.panel);
    EXPECT_EQ(static_cast<std::uint32_t>(stored.Colour(2)), defaults.tag99Font);
    EXPECT_EQ(static_cast<std::uint32_t>(stored.FormColour()), defaults.form);
    EXPECT_EQ(static_cast<std::uint32_t>(stored.BandColour()), defaults.leftBarBand);
}

TEST_F(StoreStartupLoadingTest, TheMistakenFormColourIsMendedOnReadAndOnWriteBack) {
    { Start()->close(); }
    EditSettings([](suite::SuiteSettings& record) {
        record.SetColour(0, 0x00C0C0C0);
        record.SetFormColour(0x02CD9E87);
        record.SetBandColour(0x00008000);
        record.SetCallSign("DL1ABC");
        record.SetLocator("JO31NF");
    });
    {
        auto window = Start();
        EXPECT_EQ(window->Colours().form, 0x02CF9F7Fu);
        EXPECT_EQ(window->Colours().panel, 0x00C0C0C0u);
        EXPECT_EQ(radio::Program().OwnCall, "DL1ABC");
        EXPECT_EQ(radio::Program().OwnLocator, "JO31NF");
        window->close();
    }
    EXPECT_EQ(static_cast<std::uint32_t>(ReadSettings().FormColour()), 0x02CF9F7Fu);
}

TEST_F(StoreStartupLoadingTest, TheOperatorsCallIsWrittenToTheSuiteAtCloseDown) {
    {
        auto window = Start();
        radio::Program().OwnCall = "DK5XY";
        radio::Program().ClockOffset = 0;
        window->close();
    }
    const suite::SuiteSettings stored = ReadSettings();
    EXPECT_EQ(stored.CallSign(), "DK5XY");
    EXPECT_EQ(stored.ClockOffset(), 0);
    EXPECT_EQ(stored.Locator(), "JO62MM");
}

}  // namespace
}  // namespace mss::app
