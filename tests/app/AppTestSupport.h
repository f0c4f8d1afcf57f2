// Helpers of the application tests: a record store over a fresh directory
// with the contest store open, driving modal dialogs from inside their own
// event loop, and reading what the list of entries shows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/QtApp.h"
#include "common/TempDir.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/QsoRecord.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "radio/CtyImporter.h"
#include "radio/ProgramValues.h"
#include "store/RecordStore.h"
#include "suite/SuiteFiles.h"
#include "ui/KxBrow.h"
#include "ui/KxBrowGrid.h"

namespace mss::app::test {

// Runs `action` on the widget of type W that `current` answers as soon as
// one is shown (polled, so it works from inside a modal event loop). One
// that does not appear within `timeoutMs` fails the test.
template <class W>
void WhenShown(QWidget* (*current)(), std::function<void(W&)> action, int timeoutMs) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, current, action, waited, timeoutMs] {
        *waited += 10;
        auto* widget = qobject_cast<W*>(current());
        if (widget == nullptr && *waited < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        if (widget == nullptr) {
            ADD_FAILURE() << "no " << W::staticMetaObject.className() << " appeared";
            return;
        }
        action(*widget);
    });
    timer->start(10);
}

// The next modal dialog of type W.
template <class W>
void WhenModal(std::function<void(W&)> action, int timeoutMs = 5000) {
    WhenShown<W>(&QApplication::activeModalWidget, std::move(action), timeoutMs);
}

// The next pop-up of type W (a menu).
template <class W>
void WhenPopup(std::function<void(W&)> action, int timeoutMs = 5000) {
    WhenShown<W>(&QApplication::activePopupWidget, std::move(action), timeoutMs);
}

// Types text as key presses; letters outside ASCII (umlauts) come as key
// events with their text, as a German keyboard sends them.
// The open contest log's contacts in number order, as stored; the record
// buffer (the contact being typed) is left as it was.
inline std::vector<log::QsoRecord> LogRecords() {
    std::vector<log::QsoRecord> records;
    store::TFileblockObject& log = *log::OpenLog();
    log::BufferGuard guard(log);
    for (int level = log.First(log::kByLfdNr); level == 0; level = log.Next(log::kByLfdNr))
        records.push_back(log::BufferRecord(log));
    return records;
}

inline void TypeKeys(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Makes `window` the active window and waits until it is.
inline ::testing::AssertionResult Activate(QWidget& window) {
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 2000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "window " << window.objectName().toStdString() << " did not become active";
}

// One key pressed as the keyboard sends it: to whatever widget has the focus.
inline void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no widget has the focus for key " << key;
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

// Types into `window` as an operator does: activates it, then sends every
// key to the widget that has the focus at that moment, so Return, Tab and
// the form's own moves decide where the next key lands. "\r" is Return,
// "\t" Tab, "\b" Backspace, "\x1b" Esc. For example
// TypeKeys(form, "DL1ABC\r26\r\r27\rJO31AA\r").
inline void TypeKeys(QWidget& window, const QString& keys) {
    ASSERT_TRUE(Activate(window));
    for (const QChar c : keys) {
        switch (c.unicode()) {
            case '\r':
                PressKey(Qt::Key_Return);
                break;
            case '\t':
                PressKey(Qt::Key_Tab);
                break;
            case '\b':
                PressKey(Qt::Key_Backspace);
                break;
            case 0x1b:
                PressKey(Qt::Key_Escape);
                break;
            default: {
                QWidget* focus = QApplication::focusWidget();
                ASSERT_NE(focus, nullptr) << "no widget has the focus for " << c.toLatin1();
                TypeKeys(focus, QString(c));
            }
        }
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

// A complete entry of the setup dialog as an operator types it; the
// category comes last, since choosing it already saves.
inline void FillInEntry(QWidget& dialog, bool category = true) {
    const std::pair<const char*, QString> kFields[] = {
        {"eName", QStringLiteral("Sprint Sommer")},
        {"eDatumvon", QStringLiteral("12.08.2026")},
        {"eDatumbis", QStringLiteral("13.08.2026")},
        {"eZeitvon", QStringLiteral("12:00")},
        {"eZeitbis", QStringLiteral("12:00")},
        {"eCall", QStringLiteral("dl1abc")},
        {"eDOK", QStringLiteral("f 12")},
        {"ecname", QStringLiteral("Max Müller")},
        {"eStrasse", QStringLiteral("Hauptstraße 1")},
        {"ePLZ", QStringLiteral("01234")},
        {"eOrt", QStringLiteral("Dresden")},
        {"eLoc", QStringLiteral("jo61ua")},
    };
    for (const auto& [field, text] : kFields) TypeInto(dialog, field, text);
    auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("memogroupzusatz3"));
    ASSERT_NE(memo, nullptr);
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("IC-9700, 500 W"));
    ClickOn(dialog, "rZeitUTC");
    if (category) ClickOn(dialog, "eteilnahmeart1");
}

// Grabs the window; with MSS_SCREENSHOT_DIR set it is saved there as `name`.
inline void Screenshot(QWidget& window, const char* name) {
    const QImage shot = window.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty()) shot.save(out + QLatin1Char('/') + QLatin1String(name));
}

// The cells of the rows the list shows.
inline std::vector<QStringList> ListRows(ui::TkxBrow& brow) {
    std::vector<QStringList> rows;
    for (const ui::GridRow& row : brow.findChild<ui::TkxBrowGrid*>("grid")->Rows())
        rows.push_back(row.cells);
    return rows;
}

// The lines of the rows the list has filled, one a line.
inline std::string BrowserText(const ui::TkxBrow& brow) {
    std::string text;
    const ui::TKBrowser* browser = brow.Browser();
    for (int row = 1; browser != nullptr && row <= browser->FilledRows(); ++row)
        text += browser->Row(row).Line + "\n";
    return text;
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
    void Beep() override { ++beeps; }
    std::vector<std::string> opened;
    int beeps = 0;
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
