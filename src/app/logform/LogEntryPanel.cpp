#include "app/logform/LogEntryPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/FormatPicture.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

using platform::Cp1252Text;
using platform::QtText;
using ui::TkxEdit;

const QColor kTeal(0, 128, 128);
const QColor kRed(255, 0, 0);
const QString kErrorStyle = QStringLiteral("background-color: rgb(255, 128, 128);");

QLabel* ValueLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(40);
    return label;
}

void SetColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

std::string Text(const TkxEdit* edit) {
    return Cp1252Text(edit->text());
}

// The received fields that only a German call (or contest 'B') fills: the
// DOK, and an LDK in the last field.
bool FollowsDok(int kind, std::size_t index) {
    return kind == contest::kKindDok || (kind == contest::kKindLdk && index == 2);
}

log::ExchangeFields RowText(const std::array<TkxEdit*, 4>& row) {
    return {Text(row[0]), Text(row[1]), Text(row[2]), Text(row[3])};
}

std::string& FieldText(log::ExchangeFields& fields, std::size_t index) {
    return index == 0 ? fields.field2 : index == 1 ? fields.field3 : fields.field4;
}

}  // namespace

LogEntryPanel::LogEntryPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panelEingabe"));
    setFrameShape(QFrame::Panel);
    grid_ = new QGridLayout(this);
    eCall = AddEdit("eCall", "Call", 14, 0, 0);
    static const char* kSent[] = {"eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4"};
    static const char* kRcvd[] = {"eRSTr1", "eRSTr2", "eRSTr3", "eRSTr4"};
    eRSTs[0] = AddEdit(kSent[0], "RSTs", 3, 1, 0);
    for (int i = 1; i < 4; ++i) eRSTs[i] = AddEdit(kSent[i], "", 10, 1 + i, 0);
    // Between the rows: a listener logs each station with the report it gave,
    // and the second call is only shown in those contests.
    eCall2 = AddEdit("eCall2", "Call2", 14, 5, 0);
    eRSTr[0] = AddEdit(kRcvd[0], "RSTr", 3, 6, 0);
    for (int i = 1; i < 4; ++i) eRSTr[i] = AddEdit(kRcvd[i], "", 21, 6 + i, 0);
    eName = AddEdit("eName", "Name", 25, 0, 3);
    eQTH = AddEdit("eQTH", "QTH", 25, 1, 3);
    eFreq = AddEdit("eFreq", "Freq.", 10, 2, 3);
    ezeit = AddEdit("ezeit", "UTC", 14, 10, 0);
    eDatum = AddEdit("eDatum", "Datum", 10, 11, 0);
    emode = AddEdit("emode", "Mode", 6, 3, 3);
    emode->setText(QStringLiteral("DIGI"));

    lRSTs1 = ValueLabel(this, "lRSTs1");
    Place(lRSTs1, 1, 1);
    lRSTs2 = ValueLabel(this, "lRSTs2");
    grid_->addWidget(lRSTs2, 1, 2, 1, 3);
    lRSTr1 = ValueLabel(this, "lRSTr1");
    Place(lRSTr1, 6, 1);
    lZeit = ValueLabel(this, "lZeit");
    lZeit->setMinimumWidth(70);
    Place(lZeit, 10, 1);
    lDatum = ValueLabel(this, "lDatum");
    lDatum->setMinimumWidth(90);
    Place(lDatum, 11, 1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* panel2 = new QHBoxLayout(Panel2);
    panel2->setContentsMargins(0, 0, 0, 0);
    lMode = ValueLabel(Panel2, "lMode");
    lband = ValueLabel(Panel2, "lband");
    lNummer = ValueLabel(Panel2, "lNummer");
    panel2->addWidget(lMode);
    panel2->addWidget(lband);
    panel2->addWidget(lNummer);
    panel2->addStretch();
    grid_->addWidget(Panel2, 4, 0, 1, 12);

    lbeam = new QLabel(this);
    lbeam->setObjectName(QStringLiteral("lbeam"));
    Place(lbeam, 7, 3);
    lQSLs = new QLabel(this);
    lQSLs->setObjectName(QStringLiteral("lQSLs"));
    grid_->addWidget(lQSLs, 3, 8, 1, 2);
    lenter = new QLabel(this);
    lenter->setObjectName(QStringLiteral("lenter"));
    grid_->addWidget(lenter, 3, 10, 1, 2);
    lName = new QLabel(this);
    lName->setObjectName(QStringLiteral("lName"));
    grid_->addWidget(lName, 2, 0, 1, 3);
    lPartner = new QLabel(QStringLiteral("QSO-Partner"), this);
    lPartner->setObjectName(QStringLiteral("lPartner"));
    grid_->addWidget(lPartner, 2, 0, 1, 3);
    lName->hide();
    for (TkxEdit* edit : {eName, eQTH, eFreq, emode}) edit->hide();
}

TkxEdit* LogEntryPanel::AddEdit(const char* name, const char* caption, int maxLength, int column,
                                int row) {
    auto* edit = new TkxEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setObjectName(QStringLiteral("lab") + QString::fromLatin1(name));
    label->setBuddy(edit);
    SetColour(label, kTeal);
    grid_->addWidget(label, row, column);
    grid_->addWidget(edit, row + 1, column);
    order_.push_back(edit);
    captions_.emplace_back(edit, label);
    connect(edit, &QLineEdit::textEdited, edit, [edit] { edit->setStyleSheet(QString()); });
    return edit;
}

void LogEntryPanel::Place(QWidget* widget, int column, int row) {
    grid_->addWidget(widget, row, column);
}

void LogEntryPanel::ApplyLayout(const log::PanelLayout& layout, const log::LogSession& session) {
    layout_ = layout;
    auto show = [this](TkxEdit* edit, bool shown) { ShowEdit(edit, shown); };
    show(eCall2, layout.call2);
    for (std::size_t i = 0; i < 3; ++i) {
        show(eRSTr[i + 1], layout.rcvdFields[i]);
        show(eRSTs[i + 1], layout.sentFields[i]);
        dokKinds_[i] = FollowsDok(session.definition.RcvdKinds[i], i);
        const int field = static_cast<int>(i) + 2;
        Caption(eRSTr[i + 1], log::ReceivedFieldLabel(session, field));
        // A listener types the heard station's exchange into the upper row.
        Caption(eRSTs[i + 1], layout.call2 ? log::ReceivedFieldCaption(session, field) : "");
    }
    Caption(eRSTr[0], layout.call2 ? "RSTs2" : "RSTr");
    show(eRSTs[0], layout.rstSentEdit);
    lRSTs1->setVisible(!layout.rstSentEdit);
    show(eRSTr[0], layout.rstRcvdEdit);
    lRSTr1->setVisible(!layout.rstRcvdEdit);
    const bool anySent = layout.sentFields[0] || layout.sentFields[1] || layout.sentFields[2];
    lRSTs2->setVisible(!anySent);
    show(eDatum, layout.datumEdit);
    lDatum->setVisible(!layout.datumEdit);
    show(ezeit, layout.zeitEdit);
    lZeit->setVisible(!layout.zeitEdit);
    show(emode, layout.freeMode);
    for (TkxEdit* edit : {eName, eQTH, eFreq}) show(edit, nameQthShown_);
    ShowDokFields(dokFields_);
}

void LogEntryPanel::Caption(TkxEdit* edit, const std::string& text) {
    for (auto& [e, label] : captions_)
        if (e == edit) label->setText(QtText(text));
}

const std::array<TkxEdit*, 4>& LogEntryPanel::ReceivedRow() const {
    return layout_.call2 ? eRSTs : eRSTr;
}

const std::array<TkxEdit*, 4>& LogEntryPanel::SentRow() const {
    return layout_.call2 ? eRSTr : eRSTs;
}

void LogEntryPanel::ShowDokFields(bool shown) {
    dokFields_ = shown;
    const std::array<bool, 3>& laidOut = layout_.call2 ? layout_.sentFields : layout_.rcvdFields;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!dokKinds_[i] || !laidOut[i]) continue;
        ShowEdit(ReceivedRow()[i + 1], shown);
    }
}

log::PanelValues LogEntryPanel::Values() const {
    log::PanelValues v;
    v.call = Text(eCall);
    v.call2 = Text(eCall2);
    v.sent = RowText(SentRow());
    v.rcvd = RowText(ReceivedRow());
    // What a hidden DOK field still holds belongs to an earlier call.
    for (std::size_t i = 0; i < 3; ++i)
        if (dokKinds_[i] && !dokFields_) FieldText(v.rcvd, i).clear();
    v.datum = Text(eDatum);
    v.zeit = Text(ezeit);
    v.name = Text(eName);
    v.qth = Text(eQTH);
    v.nameQthShown = nameQthShown_;
    v.freq = Text(eFreq);
    return v;
}

void LogEntryPanel::Show(const log::PanelValues& v, const std::string& modeText, char band) {
    auto set = [](TkxEdit* edit, const std::string& text) {
        const QString shown = QtText(text);
        if (edit->text() != shown) edit->setText(shown);
    };
    set(eCall, v.call);
    set(eCall2, v.call2);
    const std::array<const std::string*, 4> sent = {&v.sent.rst, &v.sent.field2, &v.sent.field3,
                                                    &v.sent.field4};
    const std::array<const std::string*, 4> rcvd = {&v.rcvd.rst, &v.rcvd.field2, &v.rcvd.field3,
                                                    &v.rcvd.field4};
    for (std::size_t i = 0; i < 4; ++i) {
        set(SentRow()[i], *sent[i]);
        set(ReceivedRow()[i], *rcvd[i]);
    }
    set(eDatum, v.datum);
    set(ezeit, v.zeit);
    set(eName, v.name);
    set(eQTH, v.qth);
    set(eFreq, v.freq);
    // The value labels stand in for the rows of edits, whichever exchange they hold.
    const log::ExchangeFields& upper = layout_.call2 ? v.rcvd : v.sent;
    lRSTs1->setText(QtText(upper.rst));
    lRSTr1->setText(QtText((layout_.call2 ? v.sent : v.rcvd).rst));
    lRSTs2->setText(QtText(log::ComposeExchange(upper).substr(3)));
    lDatum->setText(QtText(v.datum));
    lZeit->setText(QtText(v.zeit));
    lMode->setText(QtText(modeText));
    lband->setText(QtText(std::string(radio::ToBaender::BandName(band, false))));
    const bool named = !v.name.empty() && !nameQthShown_;
    lName->setText(QtText(v.name));
    lName->setVisible(named);
    lPartner->setVisible(!named);
}

void LogEntryPanel::ShowEdit(TkxEdit* edit, bool shown) {
    edit->setVisible(shown);
    for (auto& [e, label] : captions_)
        if (e == edit) label->setVisible(shown);
}

bool LogEntryPanel::ToggleNameQth() {
    nameQthShown_ = !nameQthShown_;
    for (TkxEdit* edit : {eName, eQTH, eFreq}) ShowEdit(edit, nameQthShown_);
    return nameQthShown_;
}

std::vector<TkxEdit*> LogEntryPanel::VisibleEdits() const {
    std::vector<TkxEdit*> visible;
    for (TkxEdit* edit : order_)
        if (!edit->isHidden() && edit->isEnabled()) visible.push_back(edit);
    return visible;
}

bool LogEntryPanel::IsEntryEdit(const QObject* object) const {
    return std::ranges::find(order_, object) != order_.end();
}

int LogEntryPanel::ReceivedFieldOf(const QObject* object) const {
    for (int i = 1; i < 4; ++i)
        if (eRSTr[static_cast<std::size_t>(i)] == object) return i + 1;
    return 0;
}

int LogEntryPanel::ReceivedExchangeFieldOf(const QObject* object) const {
    for (int i = 1; i < 4; ++i)
        if (ReceivedRow()[static_cast<std::size_t>(i)] == object) return i + 1;
    return 0;
}

TkxEdit* LogEntryPanel::ReceivedExchangeEdit(int field) const {
    return ReceivedRow()[static_cast<std::size_t>(field - 1)];
}

TkxEdit* LogEntryPanel::SentExchangeEdit(int field) const {
    return SentRow()[static_cast<std::size_t>(field - 1)];
}

bool LogEntryPanel::IsExchangeField(const QObject* object) const {
    for (std::size_t i = 1; i < 4; ++i)
        if (eRSTs[i] == object || eRSTr[i] == object) return true;
    return false;
}

TkxEdit* LogEntryPanel::NextAfterEnter(TkxEdit* from) const {
    const std::vector<TkxEdit*> visible = VisibleEdits();
    if (visible.empty()) return nullptr;
    const auto shown = [](const TkxEdit* e) { return !e->isHidden(); };
    TkxEdit* lastReceived = nullptr;
    for (TkxEdit* e : eRSTr)
        if (shown(e)) lastReceived = e;
    if (((from == lastReceived && !shown(eFreq)) || from == eQTH) && shown(ezeit)) return ezeit;
    if (from == ezeit && shown(eDatum)) return eDatum;
    auto it = std::ranges::find(visible, from);
    if (it == visible.end() || ++it == visible.end()) return visible.front();
    return *it;
}

bool LogEntryPanel::NothingAfter(TkxEdit* field) const {
    const auto shown = [](const TkxEdit* e) { return !e->isHidden(); };
    if (field == ezeit || field == eDatum || field == eQTH) return true;
    if (shown(eQTH) || shown(ezeit)) return false;
    if (field == eCall) {
        for (TkxEdit* e : eRSTr)
            if (shown(e)) return false;
        return true;
    }
    const int received = ReceivedFieldOf(field);
    if (received == 0) return false;
    for (int i = received; i < 4; ++i)
        if (shown(eRSTr[static_cast<std::size_t>(i)])) return false;
    return true;
}

void LogEntryPanel::MarkError(TkxEdit* field) {
    field->setStyleSheet(kErrorStyle);
    field->setFocus();
}

void LogEntryPanel::ShowBeam(const std::string& text) {
    lbeam->setText(QtText(text));
}

void LogEntryPanel::ShowDatum(const std::string& datum) {
    eDatum->setText(QtText(datum));
    lDatum->setText(QtText(datum));
}

void LogEntryPanel::ShowZeit(const std::string& zeit) {
    ezeit->setText(QtText(zeit));
    lZeit->setText(QtText(zeit));
}

void LogEntryPanel::ShowNumber(std::int32_t next) {
    lNummer->setText(QtText(radio::FormatPicture("#####", next)));
}

void LogEntryPanel::ShowQsl(const std::string& label) {
    // The access key is Alt+Q of the form; the label only underlines it.
    QString text = QtText(label).toHtmlEscaped();
    const int amp = text.indexOf(QStringLiteral("&amp;"));
    if (amp >= 0 && amp + 5 < text.size())
        text = text.left(amp) + QStringLiteral("<u>") + text.at(amp + 5) + QStringLiteral("</u>") +
               text.mid(amp + 6);
    lQSLs->setText(text);
}

void LogEntryPanel::Hover(const QObject* object, bool inside) {
    static const QColor kMaroon(128, 0, 0);
    for (auto& [edit, label] : captions_) {
        if (edit != object && label != object) continue;
        if (!edit->hasFocus()) SetColour(label, inside ? kMaroon : kTeal);
    }
}

void LogEntryPanel::FocusChanged(QWidget* now) {
    for (auto& [edit, label] : captions_) SetColour(label, edit == now ? kRed : kTeal);
}

}  // namespace mss::app
