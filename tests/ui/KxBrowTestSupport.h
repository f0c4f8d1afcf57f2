// A contest-log-like fileblock for the record browser's tests: 64-byte
// records with an auto-numbered running number (key 1), the call (key 2,
// duplicates allowed) and the band followed by the number (key 3), created
// through a fileblock object in a scratch directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "common/TempDir.h"
#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/KeyCodec.h"
#include "ui/KxBrowWindow.h"

namespace mss::ui::test {

inline constexpr std::int32_t kRecLen = 64;
inline constexpr int kNumberKey = 1, kCallKey = 2, kBandKey = 3;
inline constexpr int kNumberAt = 4, kCallAt = 8, kCallLen = 10, kLocatorAt = 18, kBandAt = 24,
                     kModeAt = 25, kTimeAt = 28, kDistanceAt = 32;

inline std::string Field(std::span<const std::uint8_t> record, int at, int length) {
    std::string text(reinterpret_cast<const char*>(record.data() + at),
                     static_cast<std::size_t>(length));
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

inline std::int32_t Number(std::span<const std::uint8_t> record) {
    return store::DecodeFixed32(record.data() + kNumberAt);
}

inline std::string LogKey(std::span<const std::uint8_t> record, int keyNr) {
    switch (keyNr) {
        case kNumberKey:
            return store::IntToKey(Number(record));
        case kCallKey:
            return std::string(reinterpret_cast<const char*>(record.data() + kCallAt), kCallLen);
        case kBandKey:
            return std::string(1, static_cast<char>(record[kBandAt])) +
                   store::IntToKey(Number(record));
        default:
            return {};
    }
}

// The row text: number, call, locator, band, mode, time and distance.
inline void BuildLogRow(const store::TFileblockObject& object, RowRec& row) {
    const auto r = object.RecordBuffer();
    char number[8];
    std::snprintf(number, sizeof number, "%6d", Number(r));
    const std::int32_t minutes = store::DecodeFixed32(r.data() + kTimeAt);
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", minutes / 60 % 24, minutes % 60);
    row.Line = std::string(number) + ";" + Field(r, kCallAt, kCallLen) + ";" +
               Field(r, kLocatorAt, 6) + ";" + static_cast<char>(r[kBandAt]) + ";" +
               Field(r, kModeAt, 3) + ";" + time + ";" +
               std::to_string(store::DecodeFixed32(r.data() + kDistanceAt));
}

struct Qso {
    std::string call;
    char band = 'k';
    std::string locator = "JO62MM";
    std::string mode = "CW";
    std::int32_t minutes = 0;
    std::int32_t distance = 0;
};

// Initialises the object layer for one test and owns the log object.
class BrowLog {
  public:
    BrowLog() {
        EXPECT_EQ(store::InitFiles(0, 160, 32), 0);
        store::ObjectDefinition d;
        d.logicalName = "BROWLOG";
        d.fileName = dir_.RunDir() + "BROWLOG";
        d.recLen = kRecLen;
        d.keyCount = 3;
        d.keyBuilder = LogKey;
        object_ = store::TFileblockObject::Create(d);
        EXPECT_TRUE(object_);
        EXPECT_EQ(object_->DefineKey(kNumberKey, 5, false), 0);
        EXPECT_EQ(object_->DefineKey(kCallKey, kCallLen, true), 0);
        EXPECT_EQ(object_->DefineKey(kBandKey, 6, false), 0);
        EXPECT_EQ(object_->SetAutoNumber(kNumberKey, kNumberAt), 0);
    }
    ~BrowLog() {
        object_.reset();
        EXPECT_EQ(store::ExitFiles(), 0);
    }
    BrowLog(const BrowLog&) = delete;
    BrowLog& operator=(const BrowLog&) = delete;

    store::TFileblockObject& Object() { return *object_; }

    void Add(const Qso& qso) {
        object_->ClearRecord();
        auto r = object_->RecordBuffer();
        Put(r, kCallAt, kCallLen, qso.call);
        Put(r, kLocatorAt, 6, qso.locator);
        r[kBandAt] = static_cast<std::uint8_t>(qso.band);
        Put(r, kModeAt, 3, qso.mode);
        store::EncodeFixed32(r.data() + kTimeAt, qso.minutes);
        store::EncodeFixed32(r.data() + kDistanceAt, qso.distance);
        ASSERT_EQ(object_->Add(), 0);
    }

    // Records numbered 1 ... count with calls "C0000001" ... in number order
    // and bands cycling through k, l, m.
    void AddNumbered(int count) {
        for (int i = 1; i <= count; ++i) {
            char call[12];
            std::snprintf(call, sizeof call, "C%07d", i);
            Add({call, static_cast<char>('k' + (i - 1) % 3)});
        }
    }

    // Marks the record's slot as deleted behind the index's back, so that its
    // index entries remain but it cannot be read.
    void MakeUnreadable(store::RecordRef ref) {
        ASSERT_EQ(store::CloseAllFiles(), 0);
        std::fstream file(dir_.RunDir() + "BROWLOG.DAT",
                          std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(ref) * kRecLen);
        const char mark[4] = {'\xFF', '\xFF', '\xFF', '\xFF'};
        file.write(mark, 4);
    }

  private:
    static void Put(std::span<std::uint8_t> r, int at, int length, const std::string& text) {
        std::memset(r.data() + at, ' ', static_cast<std::size_t>(length));
        std::memcpy(r.data() + at, text.data(), std::min<std::size_t>(text.size(), length));
    }

    mss::test::TempDir dir_;
    std::unique_ptr<store::TFileblockObject> object_;
};

// The running numbers shown in the window, top to bottom.
inline std::vector<int> Numbers(const TKBrowser& browser) {
    std::vector<int> numbers;
    for (int row = 1; row <= browser.FilledRows(); ++row)
        numbers.push_back(std::atoi(browser.Row(row).Line.c_str()));
    return numbers;
}

// from, from + 1, ..., to.
inline std::vector<int> Span(int from, int to) {
    std::vector<int> numbers;
    for (int n = from; n <= to; ++n) numbers.push_back(n);
    return numbers;
}

}  // namespace mss::ui::test
