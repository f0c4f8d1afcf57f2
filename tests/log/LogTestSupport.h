// A contest log in a scratch directory for the tests of the log layer: the
// record store initialised, the log of entry 1 open, a session of contest
// 'j' (or any other code) judging it, and the steps of the entry form that
// save a contact.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/TempDir.h"
#include "contest/Catalogue.h"
#include "log/ContestLog.h"
#include "log/DupeCheck.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "log/LogSession.h"
#include "log/Multipliers.h"
#include "log/Recount.h"
#include "log/RunningNumbers.h"
#include "log/Scoring.h"
#include "platform/Messages.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "radio/ProgramValues.h"
#include "store/FileblockObject.h"

namespace mss::log::test {

inline const std::int32_t kSprintDay = radio::DayNumber(12, 8, 2012);

inline int Hms(int h, int m, int s = 0) {
    return h * 3600 + m * 60 + s;
}

// A contact as the entry panel fills it; the received exchange is the RST
// and `field2`.
inline QsoRecord Contact(std::string_view call, char band = 'k', std::string_view mode = "CW",
                         std::int32_t zeit = Hms(12, 0), std::string_view field2 = {}) {
    QsoRecord r;
    r.SetCall(call);
    r.SetBand(band);
    r.SetMode(mode);
    r.SetDatum(kSprintDay);
    r.SetZeit(zeit);
    StoreRcvdExchange(r, ComposeExchange({"599", std::string(field2), "", ""}));
    return r;
}

// The locator field of contest 'j' as the entry panel reads it: a valid
// locator of 4 or more characters and its distance, else no distance.
inline void TakeLocator(QsoRecord& r, std::string_view locator) {
    if (locator.size() >= 4 && radio::ToLocator::IsValidLocator(locator)) {
        r.SetLocator(locator);
        r.SetQrb(radio::QrbKm(locator));
    } else {
        r.SetQrb(0);
    }
}

// A band-change marker to `band`.
inline QsoRecord BandChange(char from, char to, std::int32_t zeit) {
    QsoRecord r;
    r.SetBand(from);
    r.SetQsyBand(to);
    r.SetDatum(kSprintDay);
    r.SetZeit(zeit);
    return r;
}

// A session of contest 'j' on the open log, on 2 m in CW.
inline LogSession SprintSession() {
    LogSession session;
    session.entry.SetCode('j');
    session.definition = contest::FillContestDefinition('j', session.entry);
    session.log = OpenLog();
    session.band = 'k';
    session.mode = "CW";
    return session;
}

class ContestLogTest : public testing::Test {
  protected:
    void SetUp() override {
        radio::ResetProgramValues();
        radio::Program().RunDir = dir_.RunDir();
        ASSERT_EQ(store::InitFiles(0, 160, 32), 0);
        ASSERT_TRUE(OpenContestLog(1));
        UseContest('j');
    }
    void TearDown() override {
        CloseContestLog();
        EXPECT_EQ(store::ExitFiles(), 0);
        radio::ResetProgramValues();
    }

    // A fresh session of contest `code` on the open log.
    void UseContest(char code, std::uint8_t category = 0) {
        session_ = LogSession{};
        session_.entry.SetCode(code);
        session_.entry.SetCategory(category);
        session_.definition = contest::FillContestDefinition(code, session_.entry);
        session_.log = OpenLog();
        session_.band = 'k';
        session_.mode = "CW";
    }

    // What saving in the entry form does: judge, number, add, count.
    bool Save(QsoRecord contact) {
        if (contact.Band() != session_.band) {
            // The entry form changes band first: provisional values go, the
            // tables are those of the new band.
            UndoProvisionalMultipliers(session_);
            session_.band = contact.Band();
            Recount(session_, false);
        }
        EvaluateMultipliers(session_, contact);
        if (!CanSave(session_, contact)) return false;
        const RunningNumbers next = NextNumbers(*session_.log, contact.Band(), contact.Mode());
        contact.SetLfdNr(next.lfdNr);
        contact.SetBandNr(next.bandNr);
        contact.SetBandSeq(next.bandSeq);
        contact.SetModeNr(static_cast<std::uint16_t>(next.modeNr));
        if (AddContact(*session_.log, contact) != 0) return false;
        CountSavedContact(session_, contact);
        SetBufferRecord(*session_.log, contact);
        return session_.log->Update() == 0;
    }

    // Adds a record as it stands (no judgement); answers its Nummer.
    std::int32_t Put(QsoRecord record) {
        EXPECT_EQ(AddContact(*session_.log, record), 0);
        return record.Nummer();
    }

    // Every record of the log in the order of `keyNr`.
    std::vector<QsoRecord> Records(int keyNr = kByNummer) {
        std::vector<QsoRecord> records;
        store::TFileblockObject& log = *OpenLog();
        for (int level = log.First(keyNr); level == 0; level = log.Next(keyNr))
            records.push_back(BufferRecord(log));
        return records;
    }

    mss::test::TempDir dir_;
    LogSession session_;
    platform::ScriptedMessages messages_;
    platform::ScopedMessages installMessages_{messages_};
};

}  // namespace mss::log::test
