// A fixture that sets the record store up as the program does: its error
// handler (error log, fatal message, index deleted after 10070), question
// callback and messages, with the halt after a fatal error counted instead
// of ending the test.
#pragma once

#include <gtest/gtest.h>

#include "ObjectTestSupport.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "store/RecordStore.h"

namespace mss::store::test {

class ProgramStoreTest : public testing::Test {
  protected:
    void SetUp() override {
        RecordStoreSettings settings;
        settings.runDir = dir_.Dir();
        settings.halt = [this] { ++fatal_; };
        settings.fileSystem = fileSystem_;
        ASSERT_TRUE(InitRecordStore(settings));
    }
    void TearDown() override {
        ExitRecordStore();
        InstallErrorRegister(nullptr);
        SetDefaultQuestion(nullptr);
    }

    // Tests that need another file system set it before SetUp (nullptr = the platform's).
    std::shared_ptr<platform::FileSystem> fileSystem_;
    TempDir dir_;
    platform::ScriptedMessages messages_;
    platform::ScopedMessages installed_{messages_};
    platform::FakeClock clock_{{2026, 12, 9, 10, 30, 0}};
    platform::ScopedClock clockInstalled_{clock_};
    int fatal_ = 0;  // program ends after a fatal error
};

}  // namespace mss::store::test
