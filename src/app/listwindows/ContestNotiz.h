// The contest notes window: the notes file of the entry in a memo, saved
// with Esc or "ESC: Speichern und Beenden", printed with "Drucken".
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QPlainTextEdit;

namespace mss::app {

class TContestLogStd;

class TContestNotiz : public QDialog {
    Q_OBJECT

  public:
    // `path`: the notes file; `caret`: where the caret goes in the first line.
    TContestNotiz(const std::string& path, int caret, QWidget* parent = nullptr);

    // Writes the memo to the file; false (with a message) when that fails.
    bool Save();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Print();

    std::string path_;
    int caret_;
    QPlainTextEdit* Memo1_ = nullptr;
};

// Stamps a new line into the notes of the log form's entry, shows them at
// the entry's remembered place and stores the place in the entry. True when
// the window was closed by saving.
bool EditNotes(TContestLogStd& form);

}  // namespace mss::app
