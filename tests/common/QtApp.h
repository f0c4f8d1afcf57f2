// One QApplication for a whole GoogleTest binary, created on first use and
// destroyed when the test run ends, before static destruction begins (a
// QApplication that outlives main() crashes on its way out).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "platform/NumericLocale.h"

namespace mss::test {

class QtAppEnvironment : public ::testing::Environment {
  public:
    QApplication& App() {
        if (!app_) {
            app_ = std::make_unique<QApplication>(argc_, argv_);
            platform::KeepNumericLocaleC();
        }
        return *app_;
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[6] = "tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// GoogleTest owns registered environments.
inline QtAppEnvironment* const kQtAppEnvironment =
    static_cast<QtAppEnvironment*>(::testing::AddGlobalTestEnvironment(new QtAppEnvironment));

inline QApplication& QtApp() {
    return kQtAppEnvironment->App();
}

}  // namespace mss::test
