// Helpers of the application tests: a record store over a fresh directory
// with the contest store open, driving modal dialogs from inside their own
// event loop, and reading what the list of entries shows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/QtApp.h"
#include "common/TempDir.h"
#include "contest/ContestStore.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "radio/CtyImporter.h"
#include "radio/ProgramValues.h"
#include "store/RecordStore.h"
#include "suite/SuiteFiles.h"
#include "ui/KxBrow.h"
#include "ui/KxBrowGrid.h"

namespace mss::app::test {

// Runs `action` on the next modal widget of type W as soon as one is shown
// (polled, so it works from inside a modal event loop). A dialog that does
// not appear within `timeoutMs` fails the test.
template <class W>
void WhenModal(std::function<void(W&)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, waited, timeoutMs] {
        *waited += 10;
        auto* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (widget == nullptr && *waited < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        if (widget == nullptr) {
            ADD_FAILURE() << "no modal dialog appeared";
            return;
        }
        action(*widget);
    });
    timer->start(10);
}

// Types text as key presses; letters outside ASCII (umlauts) come as key
// events with their text, as a German keyboard sends them.
inline void TypeKeys(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces the text of the named entry field of `form` as the operator does:
// select all, delete, type.
inline void TypeInto(QWidget& form, const char* field, const QString& text) {
    auto* edit = form.findChild<QLineEdit*>(QString::fromLatin1(field));
    ASSERT_NE(edit, nullptr) << field;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    TypeKeys(edit, text);
}

inline void ClickOn(QWidget& form, const char* name) {
    auto* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The cells of the rows the list shows.
inline std::vector<QStringList> ListRows(ui::TkxBrow& brow) {
    std::vector<QStringList> rows;
    for (const ui::GridRow& row : brow.findChild<ui::TkxBrowGrid*>("grid")->Rows())
        rows.push_back(row.cells);
    return rows;
}

// A fresh directory as the current and run directory, messages answered
// by script.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mss::test::QtApp();
        radio::ResetProgramValues();
        radio::Program().RunDir = dir_.RunDir();
    }
    void TearDown() override { radio::ResetProgramValues(); }

    std::string RunDir() const { return dir_.RunDir(); }

    mss::test::TempDir dir_;
    mss::test::ScopedCurrentDir cwd_{dir_.path()};
    platform::ScriptedMessages messages_;
    platform::ScopedMessages install_{messages_};
};

// The same with the record store up and the contest store open, as while
// the main window runs.
class StoreTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        store::RecordStoreSettings settings;
        settings.runDir = RunDir();
        ASSERT_TRUE(store::InitRecordStore(settings));
        suite::SetSuiteDirectory(RunDir());
        ASSERT_TRUE(contest::OpenQVKK());
        ASSERT_TRUE(contest::OpenQVKZ());
    }
    void TearDown() override {
        contest::CloseQVKZ();
        contest::CloseQVKK();
        store::ExitRecordStore();
        suite::SetSuiteDirectory("");
        AppTest::TearDown();
    }
};

// A desktop that only notes the documents it was handed.
class RecordingDesktop : public platform::Desktop {
  public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    bool OpenUrl(std::string_view) override { return false; }
    std::vector<std::string> opened;
};

// The suite's prefix files, filled from the test country file (which knows
// German and Austrian calls) when they are empty.
inline ::testing::AssertionResult OpenTestPrefixFiles() {
    if (!suite::OpenQVPREFIX() || !suite::OpenQVPREFEE())
        return ::testing::AssertionFailure() << "prefix files not opened";
    radio::CtyImportResult imported;
    if (!radio::ImportCtyIfEmpty(std::string(MSS_TEST_DATA) + "/cty-sample.dat", imported))
        return ::testing::AssertionFailure() << "country file not imported";
    return ::testing::AssertionSuccess();
}

inline void CloseTestPrefixFiles() {
    suite::CloseQVPREFEE();
    suite::CloseQVPREFIX();
}

}  // namespace mss::app::test
