// The review editor of a written file: its lines in a fixed-pitch memo,
// "Speichern und Beenden" writes them back and closes, "Drucken" writes them
// back and prints the file; closing otherwise discards edits.
#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace mss::app {

class Twagdatei : public QDialog {
    Q_OBJECT

  public:
    // `path` in the local 8-bit encoding; the caption is the file name.
    explicit Twagdatei(std::string path, QWidget* parent = nullptr);

  private:
    bool WriteBack();
    void SpeichernClick();
    void DruckenClick();

    std::string path_;
    QPlainTextEdit* memo_ = nullptr;
};

}  // namespace mss::app
