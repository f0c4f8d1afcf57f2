// The review editor of a written file: its lines in a fixed-pitch memo,
// "Speichern und Beenden" writes them back and closes, "Drucken" writes them
// back and prints the file; closing otherwise discards edits. A write that
// fails leaves the file as it was.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "platform/File.h"

class QPlainTextEdit;

namespace mss::app {

class Twagdatei : public QDialog {
    Q_OBJECT

  public:
    // `path` in the local 8-bit encoding; the caption is the file name. The
    // file is written back through `fileSystem`.
    explicit Twagdatei(
        std::string path, QWidget* parent = nullptr,
        std::shared_ptr<platform::FileSystem> fileSystem = platform::DefaultFileSystem());

  private:
    bool WriteBack();
    void SpeichernClick();
    void DruckenClick();

    std::string path_;
    std::shared_ptr<platform::FileSystem> fileSystem_;
    QPlainTextEdit* memo_ = nullptr;
};

}  // namespace mss::app
