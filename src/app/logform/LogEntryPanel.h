// The entry panel of the log form (panelEingabe): the edits of one contact
// with their captions and read-only value labels, laid out in their tab
// order, shown or hidden by the contest's layout, and exchanged with the
// domain as panel texts.
#pragma once

#include <QFrame>
#include <array>
#include <vector>

#include "log/ContactEntry.h"
#include "log/PanelFill.h"

class QLabel;
class QGridLayout;

namespace mss::ui {
class TkxEdit;
}

namespace mss::app {

class LogEntryPanel : public QFrame {
    Q_OBJECT

  public:
    explicit LogEntryPanel(QWidget* parent = nullptr);

    void ApplyLayout(const log::PanelLayout& layout, const log::LogSession& session);
    // The texts of the edits (a hidden edit gives what its label shows).
    log::PanelValues Values() const;
    void Show(const log::PanelValues& values, const std::string& modeText, char band);
    // Shows or hides name, QTH and frequency; answers whether they are shown now.
    bool ToggleNameQth();
    bool NameQthShown() const { return nameQthShown_; }

    // The visible, enabled entry edits in tab order.
    std::vector<ui::TkxEdit*> VisibleEdits() const;
    bool IsEntryEdit(const QObject* object) const;
    // 2, 3 or 4 for a received field (the row after the second call), 0
    // otherwise. The Enter flow and saving go by these edits.
    int ReceivedFieldOf(const QObject* object) const;
    // 2, 3 or 4 for an edit of the row that holds the received exchange: the
    // received fields, or in second-call contests the row after the call
    // ("RSTs", the heard station's report; the row "RSTs2" holds the sent one).
    int ReceivedExchangeFieldOf(const QObject* object) const;
    // The edit of field 1 (the RST) to 4 of the received or the sent exchange.
    ui::TkxEdit* ReceivedExchangeEdit(int field) const;
    ui::TkxEdit* SentExchangeEdit(int field) const;
    // An exchange field 2 to 4 of either row.
    bool IsExchangeField(const QObject* object) const;
    // Where Enter moves from `from`.
    ui::TkxEdit* NextAfterEnter(ui::TkxEdit* from) const;
    // The last field whose leaving may save: no visible field after it.
    bool NothingAfter(ui::TkxEdit* field) const;

    // A failed check: the field turns light red until typed into.
    void MarkError(ui::TkxEdit* field);
    void ShowBeam(const std::string& text);
    // The date or the time as the clock set it (edit and label).
    void ShowDatum(const std::string& datum);
    void ShowZeit(const std::string& zeit);
    void ShowQsl(const std::string& label);
    // The next contact number.
    void ShowNumber(std::int32_t next);
    // Caption colours: red for the field with the focus, teal otherwise.
    void FocusChanged(QWidget* now);
    // Maroon while the mouse is over an edit or its caption.
    void Hover(const QObject* object, bool inside);
    // Shows or hides the received fields that follow the DOK (a German call).
    // A hidden one gives no text.
    void ShowDokFields(bool shown);

    ui::TkxEdit* eCall = nullptr;
    ui::TkxEdit* eCall2 = nullptr;
    std::array<ui::TkxEdit*, 4> eRSTs{};  // eRSTs1 ... eRSTs4
    std::array<ui::TkxEdit*, 4> eRSTr{};  // eRSTr1 ... eRSTr4
    ui::TkxEdit* eDatum = nullptr;
    ui::TkxEdit* ezeit = nullptr;
    ui::TkxEdit* eName = nullptr;
    ui::TkxEdit* eQTH = nullptr;
    ui::TkxEdit* eFreq = nullptr;
    ui::TkxEdit* emode = nullptr;

    QLabel* lDatum = nullptr;
    QLabel* lZeit = nullptr;
    QLabel* lRSTs1 = nullptr;
    QLabel* lRSTs2 = nullptr;
    QLabel* lRSTr1 = nullptr;
    QLabel* lMode = nullptr;
    QLabel* lband = nullptr;
    QLabel* lNummer = nullptr;
    QLabel* lbeam = nullptr;
    QLabel* lQSLs = nullptr;
    QLabel* lenter = nullptr;
    QLabel* lName = nullptr;     // the remembered name when the edits are hidden
    QLabel* lPartner = nullptr;  // "QSO-Partner"
    QFrame* Panel2 = nullptr;    // mode, band, next number; the score labels

  private:
    ui::TkxEdit* AddEdit(const char* name, const char* caption, int maxLength, int column, int row);
    void Place(QWidget* widget, int column, int row);
    void ShowEdit(ui::TkxEdit* edit, bool shown);
    void Caption(ui::TkxEdit* edit, const std::string& text);
    const std::array<ui::TkxEdit*, 4>& ReceivedRow() const;
    const std::array<ui::TkxEdit*, 4>& SentRow() const;

    QGridLayout* grid_ = nullptr;
    std::vector<ui::TkxEdit*> order_;  // tab order
    std::vector<std::pair<ui::TkxEdit*, QLabel*>> captions_;
    log::PanelLayout layout_;
    bool nameQthShown_ = false;
    bool dokFields_ = true;
    std::array<bool, 3> dokKinds_{};
};

}  // namespace mss::app
