// The log form: the operator's window during the contest. The entry panel
// above, the band log below, a button column and the band score panel
// beside them. The form wires keys, focus and labels to the contest log's
// domain functions; it computes nothing itself.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "contest/ContestDefinition.h"
#include "contest/ContestExtra.h"
#include "log/ContactEntry.h"
#include "log/LogSession.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class QFrame;

namespace mss::ui {
class TkxEdit;
}  // namespace mss::ui

namespace mss::app {

class LogEntryPanel;
class TBandLogBrow;
class TBandScorePanel;
class TEntryScoreLabels;
class TMultiplierBoard;
class TOperatingPanel;

class TContestLogStd : public QDialog {
    Q_OBJECT

  public:
    // Opens the log of contest entry `entryNumber` with the form's own copy
    // of the contest definition. The contest store (QVKK, QVKZ) and the
    // record store must be open; the form opens the log and the suite's
    // callbook, call file and prefix table for as long as it lives.
    TContestLogStd(std::int32_t entryNumber, contest::ContestDefinition definition,
                   QWidget* mainWindow);
    ~TContestLogStd() override;

    // False when the log or the entry could not be opened; the form then
    // shows nothing and should be destroyed.
    bool Opened() const { return opened_; }

    // The windows of other parts of the program that keys and buttons open
    // (call search F4, correction F12, notes F6, party evaluation F11, band
    // log window Alt+F3, ADIF import, map F2). Unset ones do nothing.
    struct OtherWindows {
        std::function<void(TContestLogStd&)> callSearch;
        std::function<void(TContestLogStd&)> correction;
        std::function<void(TContestLogStd&)> notes;
        std::function<void(TContestLogStd&)> party;
        std::function<void(TContestLogStd&)> bandLogWindow;
        std::function<void(TContestLogStd&)> adifImport;
        std::function<void(TContestLogStd&)> map;  // F2
    };
    OtherWindows& Windows() { return windows_; }

    log::LogSession& Session() { return session_; }
    log::EntryState& State() { return state_; }
    LogEntryPanel& Panel() { return *panelEingabe_; }
    TBandLogBrow& Brow() { return *Brow_; }
    TOperatingPanel& Operating() { return *operating_; }

    // Runs one tick of the clock (the timer does every second).
    void ClockTick();
    // A new empty contact (Clear, Esc).
    void NewContact();
    // Edits or deletes the contact under the band log's cursor.
    void EditCurrent();
    void DeleteCurrent();
    // Edits or deletes a contact of the log (the list windows' Enter and Del).
    void EditRecord(const log::QsoRecord& record);
    // Deletes after the operator's confirmation, renumbers, recounts and
    // refreshes the score; the contact being typed stays. False when not
    // deleted (a band-change marker, or No).
    bool DeleteRecord(const log::QsoRecord& record);
    // Stores the contest entry (QVKK) and its extra record (QVKZ).
    bool StoreEntry();
    const log::PanelLayout& Layout() const { return layout_; }
    // Runs a long pass over the log with the clock stopped, so its ticks
    // cannot write into the contact while the pass lets messages run.
    void RunPass(const std::function<void()>& pass);

  signals:
    // A contact was saved, edited, deleted or imported: views of the log
    // read it again.
    void LogChanged();
    // The contact being typed changed.
    void ContactChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    // ContestLogStd.cpp
    void CreateComponents();
    QWidget* CreateButtons();
    void OpenLogAndFiles(std::int32_t entryNumber);
    void Caption();
    void ShowContact();
    void RefreshScore();
    bool CloseDown();

    // ContestLogKeys.cpp
    bool FormKeyDown(QObject* watched, int key, Qt::KeyboardModifiers modifiers,
                     const QString& text);
    void EnterIn(ui::TkxEdit* field);
    void LeaveField(ui::TkxEdit* field);
    void TextEdited(ui::TkxEdit* field);
    void EntryMode();
    void LogMode();
    void ShowMode(bool log);

    // ContestLogEntry.cpp
    void Save();
    void LeaveCall();
    void ShowChoice(QListWidget* list, QLabel* at, const std::string& current);
    void ChoiceTaken(QListWidget* list);
    void TakeBand(char band);
    void TakeMode(const std::string& mode);
    void ToggleQsl();
    void ShowSaved(const log::QsoRecord& stored);

    // ContestLogOperating.cpp
    QWidget* CreateOperating();
    void SaveIncoming();
    bool RadioFrequency(double mhz);
    void TakeFrequency(double mhz);

    // Marks a handler at work for its lifetime; nested guards keep the mark.
    class Busy {
      public:
        explicit Busy(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
        ~Busy() { flag_ = before_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

      private:
        bool& flag_;
        bool before_;
    };

    log::LogSession session_;
    log::EntryState state_;
    log::PanelLayout layout_;
    contest::ContestExtra extra_;
    OtherWindows windows_;
    bool opened_ = false;
    bool closed_ = false;
    bool busy_ = false;  // a handler runs; focus changes it causes are not "leaving"
    bool enterPressed_ = false;
    bool logMode_ = false;

    LogEntryPanel* panelEingabe_ = nullptr;
    TBandLogBrow* Brow_ = nullptr;
    TEntryScoreLabels* scoreLabels_ = nullptr;
    TMultiplierBoard* panelmulties_ = nullptr;
    TBandScorePanel* panelauswertung_ = nullptr;
    TOperatingPanel* operating_ = nullptr;
    QLabel* lLogbuch_ = nullptr;
    QListWidget* listband_ = nullptr;
    QListWidget* listmode_ = nullptr;
    QWidget* choiceReturn_ = nullptr;
    QTimer* clock_ = nullptr;
    QPushButton* btnSpeichern_ = nullptr;
    QPushButton* btnClear_ = nullptr;
    QPushButton* btnBand_ = nullptr;
    QPushButton* btnMode_ = nullptr;
    QPushButton* btnListe_ = nullptr;
    QPushButton* btnNameQth_ = nullptr;
    QPushButton* btnAendern_ = nullptr;
    QPushButton* btnLoeschen_ = nullptr;
    QPushButton* btnBandlog_ = nullptr;
    QPushButton* btnEnde_ = nullptr;
};

}  // namespace mss::app
