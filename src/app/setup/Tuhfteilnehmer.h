// The station dialog of the EDI file: the station, the responsible radio
// amateur, the operators of a multi-operator station, the equipment and the
// remarks, pre-filled by the output layer and confirmed with "OK". Closing
// it otherwise declines the file.
#pragma once

#include <QDialog>
#include <vector>

#include "output/EdiStation.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QPlainTextEdit;

namespace mss::ui {
class TkxEdit;
}

namespace mss::app {

class Tuhfteilnehmer : public QDialog {
    Q_OBJECT

  public:
    // `code` picks the section list; the caption is the contest's title.
    Tuhfteilnehmer(const output::EdiStation& station, const contest::ContestDefinition& definition,
                   char code, QWidget* parent = nullptr);

    // The values as the dialog shows them now.
    output::EdiStation Station() const;

  private:
    struct Edit {
        ui::TkxEdit* edit;
        std::string output::EdiStation::*value;
    };

    QGroupBox* CreateParticipantGroup(const output::EdiStation& station, char code);
    QGroupBox* CreateResponsibleGroup(const output::EdiStation& station);
    QGroupBox* CreateOperatorsGroup(const output::EdiStation& station);
    QGroupBox* CreateStationGroup(const output::EdiStation& station);
    // An edit field named `name` showing `value`, with its label unless empty.
    void AddEdit(QFormLayout& form, const char* name, const char* label,
                 std::string output::EdiStation::*value, const output::EdiStation& station);

    std::vector<Edit> edits_;
    QComboBox* psect_ = nullptr;
    QComboBox* pband_ = nullptr;
    QPlainTextEdit* rremarks_ = nullptr;
};

// Shows Tuhfteilnehmer over `parent` as the EDI writer's station dialog.
class QtEdiStationDialog : public output::EdiStationDialog {
  public:
    explicit QtEdiStationDialog(QWidget* parent) : parent_(parent) {}
    bool Ask(const output::OutputJob& job, output::EdiStation& station) override;

  private:
    QWidget* parent_;
};

}  // namespace mss::app
