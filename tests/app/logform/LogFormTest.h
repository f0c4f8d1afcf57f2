// The log form's test fixture: a store with the contest store, the callbook
// and the prefix files open, an entry of a contest, the form over its log,
// a fixed clock, and the operator's ways of typing and looking.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "app/AppTestSupport.h"
#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStart.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "app/startup/HelpHook.h"
#include "contest/Catalogue.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "log/Scoring.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"
#include "store/FileblockObject.h"
#include "store/KeyCodec.h"
#include "suite/CallbookRecord.h"
#include "suite/SuiteFiles.h"
#include "ui/KxBrow.h"
#include "ui/KxEdit.h"

namespace mss::app::test {

using log::QsoRecord;

class ContestLogStdTest : public StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(suite::OpenQVCBUCH());
        ASSERT_TRUE(OpenTestPrefixFiles());
    }
    void TearDown() override {
        form_.reset();
        CloseTestPrefixFiles();
        suite::CloseQVCBUCH();
        StoreTest::TearDown();
    }

    // An entry of contest `code` with the clock filling date and time.
    std::int32_t AddEntry(bool bandAuto = false, char code = 'j',
                          const std::function<void(contest::ContestEntry&)>& adjust = {}) {
        contest::ContestEntry entry;
        entry.SetCode(code);
        entry.SetName("MS Sprint 2012");
        entry.SetDateAuto(true);
        entry.SetTimeAuto(true);
        entry.SetBandAuto(bandAuto);
        entry.SetQslSend('N');
        if (adjust) adjust(entry);
        (void)contest::FillContestDefinition(code, entry);
        std::int32_t number = 0;
        EXPECT_EQ(contest::AddContestEntry(entry, newExtra_, number), 0);
        return number;
    }

    void Open(char code = 'j', const std::function<void(contest::ContestEntry&)>& adjust = {}) {
        number_ = AddEntry(false, code, adjust);
        form_ = PrepareContestLog(number_, nullptr);
        ASSERT_NE(form_, nullptr);
        Show();
    }
    // A form over a definition of our own (two bands, a schedule).
    void OpenWith(const contest::ContestDefinition& definition, bool bandAuto, char code = 'j') {
        number_ = AddEntry(bandAuto, code);
        form_ = std::make_unique<TContestLogStd>(number_, definition, nullptr);
        ASSERT_TRUE(form_->Opened());
        Show();
    }
    void Show() {
        form_->show();
        QApplication::setActiveWindow(form_.get());
        form_->ClockTick();
    }

    LogEntryPanel& Panel() { return form_->Panel(); }
    ui::TkxEdit& Locator() { return *Panel().eRSTr[1]; }

    void Type(QWidget& widget, const char* text) {
        QTest::keyClicks(&widget, QString::fromLatin1(text));
    }
    void Enter(QWidget& widget) { QTest::keyClick(&widget, Qt::Key_Return); }
    // Overtypes what a field holds, as the operator does with Ctrl+A.
    void Overtype(QWidget& widget, const char* text) {
        QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier);
        Type(widget, text);
    }
    QString Caption(const char* edit) {
        auto* label = form_->findChild<QLabel*>(QStringLiteral("lab") + QLatin1String(edit));
        return label != nullptr && !label->isHidden() ? label->text() : QStringLiteral("(hidden)");
    }
    void Screenshot(const char* name) {
        const QImage shot = form_->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_GT(shot.width(), 600);
        const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
        if (!out.isEmpty()) shot.save(out + QLatin1Char('/') + QLatin1String(name));
    }
    QString Focused() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QStringLiteral("(none)");
    }
    // A contact as an operator logs it: call, Enter, locator, Enter.
    void Log(const char* call, const char* locator) {
        Type(*Panel().eCall, call);
        Enter(*Panel().eCall);
        Type(Locator(), locator);
        Enter(Locator());
    }

    // F5: the band log takes the keys.
    QWidget& ToBandLog() {
        QTest::keyClick(Panel().eCall, Qt::Key_F5);
        QWidget* grid = QApplication::focusWidget();
        EXPECT_NE(grid, nullptr);
        EXPECT_TRUE(form_->Brow().isAncestorOf(grid));
        return grid != nullptr ? *grid : *form_;
    }

    std::vector<QsoRecord> Records() { return test::LogRecords(); }
    std::string BandLogText() { return BrowserText(form_->Brow()); }

    platform::FakeClock clock_{{2012, 8, 12, 14, 0, 0}};  // 12:00 UTC with ClockOffset -2
    platform::ScopedClock installClock_{clock_};
    contest::ContestExtra newExtra_;  // the extra record of the entries added
    std::int32_t number_ = 0;
    std::unique_ptr<TContestLogStd> form_;
};

}  // namespace mss::app::test
