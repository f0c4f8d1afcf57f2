// The contest store (QVKK and QVKZ) open over a fresh directory, as while
// the program runs.
#pragma once

#include <gtest/gtest.h>

#include "contest/ContestStore.h"
#include "store/ObjectTestSupport.h"

namespace mss::contest::test {

class ContestStoreFixture : public store::test::ObjectLayerTest {
  protected:
    void SetUp() override {
        ObjectLayerTest::SetUp();
        suite::SetSuiteDirectory(dir_.Dir());
        ASSERT_TRUE(OpenQVKK());
        ASSERT_TRUE(OpenQVKZ());
    }
    void TearDown() override {
        CloseQVKZ();
        CloseQVKK();
        suite::SetSuiteDirectory("");
        ObjectLayerTest::TearDown();
    }
};

}  // namespace mss::contest::test
