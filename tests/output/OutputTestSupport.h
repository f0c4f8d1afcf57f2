// The writers' test bench: a contest log of entry 1 in a scratch directory,
// the station values of the program, a fixed clock, pre-answered questions,
// the fixed logs the golden files are made of, and the golden-file check.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "log/LogTestSupport.h"
#include "output/OutputJob.h"
#include "output/TextTarget.h"
#include "platform/Clock.h"
#include "radio/Text.h"

namespace mss::output::test {

using log::QsoRecord;
using log::test::Hms;

inline const std::int32_t kFirstDay = radio::DayNumber(12, 8, 2012);
inline const std::int32_t kSecondDay = radio::DayNumber(13, 8, 2012);

// A contact as it stands in the log, with the exchange texts given whole.
inline QsoRecord Stored(std::string_view call, std::int32_t datum, std::int32_t zeit,
                        std::string_view mode, std::string_view sent, std::string_view rcvd,
                        std::uint16_t points, char band = 'k') {
    QsoRecord r;
    r.SetCall(call);
    r.SetBand(band);
    r.SetMode(mode);
    r.SetDatum(datum);
    r.SetZeit(zeit);
    log::StoreSentExchange(r, sent);
    log::StoreRcvdExchange(r, rcvd);
    r.SetPunkte(points);
    return r;
}

// The same contact with the partner's locator and prefix and its place in
// the band's sequence.
inline QsoRecord Placed(QsoRecord r, std::string_view locator, std::string_view prefix,
                        std::int32_t bandSeq) {
    r.SetLocator(locator);
    r.SetPrefix(prefix);
    r.SetBandSeq(bandSeq);
    return r;
}

// Reads a file whole, bytes as they are.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class OutputTest : public log::test::ContestLogTest {
  protected:
    void SetUp() override {
        log::test::ContestLogTest::SetUp();
        radio::ProgramValues& p = radio::Program();
        p.OwnCall = "DL1ABC";
        p.OwnLocator = "JO62MM";
        p.OwnName = "J\xFCrgen M\xFCller";
        p.SwlNumber = "DE-1234";
        UseEntry('j', 1);
    }

    // A fresh session of contest `code` for entry 1 in category `category`.
    void UseEntry(char code, std::uint8_t category) {
        UseContest(code, category);
        session_.entry.SetNumber(1);
    }

    // Deletes every record of the log.
    void ClearLog() {
        while (session_.log->First(log::kByNummer) == 0) ASSERT_EQ(session_.log->Delete(0), 0);
    }

    // The job the output menu would hand the writers.
    OutputJob Job() {
        OutputJob job;
        job.definition = session_.definition;
        job.entry = session_.entry;
        job.extra = extra_;
        job.log = session_.log;
        job.address = {
            "Hauptstra\xDF"
            "e 5",
            "12345 Berlin", "Deutschland", ""};
        job.dxccFinder = {};
        return job;
    }

    // The fixed log of contest 'j' the golden files are made of: a portable
    // call, a band-change marker, a contact at 00:00:00 without a locator,
    // umlauts in a name, QSL flags, frequencies. The extra record holds its
    // totals as the log form leaves them.
    void FillSprintLog() {
        QsoRecord a =
            Placed(Stored("DK5EW", kFirstDay, Hms(12, 5), "CW", "599JO62MM", "579JO31LK", 310),
                   "JO31LK", "DL", 1);
        a.SetFreq(144.36f);
        Put(a);
        Put(Placed(
            Stored("OK1KHL/P", kFirstDay, Hms(12, 40, 17), "FSK441", "26 JO62MM", "27 JO70FF", 287),
            "JO70FF", "OK", 2));
        Put(log::test::BandChange('k', 'l', Hms(13, 0)));
        QsoRecord c = Stored("SM7FJE", kSecondDay, 0, "SSB", "59 JO62MM", "59 ", 0);
        c.SetPrefix("SM");
        c.SetBandSeq(3);
        Put(c);
        QsoRecord d =
            Placed(Stored("DF9ZY", kSecondDay, Hms(3, 15), "CW", "599JO62MM", "599JO53QH", 168),
                   "JO53QH", "DL", 4);
        d.SetNameQth("J\xF6rg;M\xFCnchen");
        d.SetQslSend('J');
        d.SetQslRcvd('X');
        d.SetFreq(144.37f);
        Put(d);
        Put(Placed(
            Stored("PA3CMP", kSecondDay, Hms(11, 59, 59), "FSK441", "26 JO62MM", "26 JO22DC", 588),
            "JO22DC", "PA", 5));
        extra_.SetQsoCount(1, 5);
        extra_.SetPointSum(1, 310 + 287 + 0 + 168 + 588);
    }

    // Writes the station file of entry 1 of contest 'j'.
    void WriteStationFile(std::string_view text) {
        std::ofstream(radio::Program().RunDir + "mssprint     1.STN", std::ios::binary) << text;
    }

    // Compares with a golden file of tests/output/golden; MSS_UPDATE_GOLDEN=1
    // writes the file instead (to be read against the rules before it is kept).
    static void ExpectGolden(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path =
            std::filesystem::path(MSS_TEST_DATA) / ".." / "output" / "golden" / name;
        if (std::getenv("MSS_UPDATE_GOLDEN") != nullptr) {
            std::ofstream(path, std::ios::binary) << bytes;
        }
        EXPECT_EQ(ReadBytes(path), bytes) << "golden file " << name;
    }

    contest::ContestExtra extra_;
    platform::FakeClock clock_{{2012, 8, 14, 18, 30, 5}, {-120, true}};
    platform::ScopedClock installClock_{clock_};
};

}  // namespace mss::output::test
