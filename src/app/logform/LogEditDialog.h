// The dialog that changes a saved contact ("QSO ändern"): every value of
// the contact in an edit, the exchange fields enabled as the entry panel
// shows them.
#pragma once

#include <QDialog>
#include <functional>

#include "log/EditContact.h"
#include "log/LogSession.h"

class QComboBox;
class QFormLayout;

namespace mss::ui {
class TkxEdit;
}

namespace mss::app {

class LogEntryPanel;

class Teingabecontstd2 : public QDialog {
    Q_OBJECT

  public:
    Teingabecontstd2(const log::LogSession& session, const LogEntryPanel& panel,
                     const log::EditValues& values, QWidget* parent = nullptr);
    // What the edits hold now.
    log::EditValues Values() const;
    // Judges the values on "OK"; a refusal is shown, the field it names gets
    // the focus and the dialog stays open.
    using Check = std::function<log::EditRefusal(const log::EditValues&)>;
    void SetCheck(Check check) { check_ = std::move(check); }

  protected:
    void accept() override;

  private:
    ui::TkxEdit* Edit(const char* name, const char* caption, const std::string& text,
                      bool enabled = true);

    log::EditValues values_;
    Check check_;
    QFormLayout* form_ = nullptr;
    ui::TkxEdit* eCall_ = nullptr;
    ui::TkxEdit* eCall2_ = nullptr;
    std::array<ui::TkxEdit*, 4> eSent_{};
    std::array<ui::TkxEdit*, 4> eRcvd_{};
    QComboBox* cbMode_ = nullptr;
    QComboBox* cbBand_ = nullptr;
    ui::TkxEdit* eDatum_ = nullptr;
    ui::TkxEdit* eZeit_ = nullptr;
    ui::TkxEdit* eQslS_ = nullptr;
    ui::TkxEdit* eQslR_ = nullptr;
    ui::TkxEdit* ePrefix_ = nullptr;
    ui::TkxEdit* eName_ = nullptr;
    ui::TkxEdit* eQth_ = nullptr;
    ui::TkxEdit* eFreq_ = nullptr;
};

}  // namespace mss::app
