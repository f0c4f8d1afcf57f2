// The list windows over the open contest log besides the log form's own
// band log: the correction list (all contacts by running number), the call
// search (the contacts of one call) and the band log window (one band).
// Enter and double click edit a contact, Del deletes it, both through the
// log form; Esc closes.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;

namespace mss::app {

class TBandLogBrow;
class TContestLogStd;

enum class KorrekturMode { kCorrection = 0, kCallSearch = 1, kBandLog = 2 };

class TKorrekturstd : public QDialog {
    Q_OBJECT

  public:
    TKorrekturstd(TContestLogStd& form, KorrekturMode mode);

    TBandLogBrow& Brow() { return *Brow_; }
    // Restricts the list to the contacts of `call` (its home call) and
    // moves to the first one.
    void SearchCall(const QString& call);
    // Restricts the list to band `band`.
    void ShowBand(char band);

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void AskForCall();
    void AskForBand();

    TContestLogStd& form_;
    KorrekturMode mode_;
    TBandLogBrow* Brow_ = nullptr;
    bool asked_ = false;
};

// "Suche": the call to look for.
class TSucheQE : public QDialog {
    Q_OBJECT

  public:
    explicit TSucheQE(QWidget* parent = nullptr);
    QString Call() const;

  private:
    QLineEdit* eSuche_ = nullptr;
};

// "Band": the band to show.
class Tstdband : public QDialog {
    Q_OBJECT

  public:
    // `bands`: the contest's band codes; `current` is selected.
    Tstdband(const std::string& bands, char current, QWidget* parent = nullptr);
    // The band selected (the current one after a cancel).
    char Band() const;

  private:
    std::string bands_;
    char current_;
    QListWidget* listband_ = nullptr;
};

// Opens a list window of the log form modally. The log's record buffer and
// the contact being typed are as before when it closes; after the
// correction list and the band log window the form prepares a new contact.
void RunListWindow(TContestLogStd& form, KorrekturMode mode);

}  // namespace mss::app
