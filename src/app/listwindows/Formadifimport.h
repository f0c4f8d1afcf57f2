// The ADIF import dialog ("ADIF-Import"): choosing the file and mapping its
// field names onto the log's fields by dragging them from the left list
// onto the right one. The import itself is the log layer's ImportAdif.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "log/AdifImport.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace mss::app {

class TFormadifimport : public QDialog {
    Q_OBJECT

  public:
    explicit TFormadifimport(const contest::ContestDefinition& definition,
                             QWidget* parent = nullptr);

    // Reads the file, maps its fields of the standard names and lists the
    // others; "Datei existiert nicht" when it is missing. False when nothing
    // was read.
    bool LoadFile(const QString& path);
    // Maps the left list's field `adifName` onto the right list's row; what
    // a drop does. False when the row is mapped already or out of range.
    bool MapField(int rightRow, const QString& adifName);

    const log::AdifFile& File() const { return file_; }
    const std::vector<log::AdifLogField>& Fields() const { return fields_; }
    // The import's options as the check boxes stand.
    log::AdifImportOptions Options() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ChooseFile();
    void ShowRightList();

    contest::ContestDefinition definition_;
    log::AdifFile file_;
    std::vector<log::AdifLogField> fields_;
    QLabel* ldatei_ = nullptr;
    QListWidget* ListeLinks_ = nullptr;
    QListWidget* ListeRechtsLB_ = nullptr;
    QCheckBox* cKeinCheck_ = nullptr;
    QCheckBox* cDigital_ = nullptr;
    QPushButton* btnStart_ = nullptr;
};

// The mime type a dragged file field travels in.
inline constexpr const char* kAdifFieldMime = "application/x-mss-adif-field";

}  // namespace mss::app
