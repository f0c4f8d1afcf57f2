#include "log/BandLog.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"
#include "store/KeyCodec.h"

namespace mss::log {

namespace {

using radio::Bilingual;

constexpr char kMarkedRow = '\x01';
constexpr std::int32_t kHighestNumber = 999999999;
constexpr std::size_t kExtraColumns = 3;

struct OrderRule {
    std::string_view german;
    std::string_view english;
    int keyNr;
    bool band;  // restricted to the current band
};

constexpr std::array<OrderRule, kBandLogOrderCount> kOrders = {{
    {" Band - Nr", " Band - No", kByBandSeq, true},
    {" Band - Call", " Band - Call", kByBandCallMode, true},
    {" Band - DXCC", " Band - DXCC", kByBandPrefix, true},
    {" alle - Nr", " all - No", kByNummer, false},
    {" alle - Call", " all - Call", kByCallTime, false},
    {" alle - DXCC", " all - DXCC", kByPrefix, false},
    {" alle - DOK", " all - DOK", kByDok, false},
}};

bool ValidOrder(int order) {
    return order >= 0 && order < kBandLogOrderCount;
}

bool SecondCall(const contest::ContestDefinition& d) {
    return d.EntryFlag == 1;
}

std::string JoinColumns(const std::vector<std::string>& columns, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) text += separator;
        text += columns[i];
    }
    return text;
}

// An exchange text as the band log shows it: the RST, a blank, the rest.
std::string ExchangeColumn(const std::string& text) {
    const std::size_t rst = std::min(text.size(), kRstLength);
    return text.substr(0, rst) + " " + text.substr(rst);
}

std::string QslColumn(const QsoRecord& r) {
    std::string text(1, r.QslSend() == 0 ? ' ' : r.QslSend());
    if (r.QslRcvd() != 0) return text + " " + r.QslRcvd();
    return text + "  ";
}

void AddContactColumns(const contest::ContestDefinition& d, const QsoRecord& r,
                       std::vector<std::string>& row) {
    row.push_back(r.Call());
    row.emplace_back(radio::ToBaender::BandName(r.Band(), false));
    row.push_back(r.Mode());
    const std::string sent = ExchangeColumn(SentExchangeOf(r));
    const std::string rcvd = ExchangeColumn(RcvdExchangeOf(r));
    if (SecondCall(d)) {
        row.insert(row.end(), {rcvd, r.Call2(), sent});
    } else {
        row.insert(row.end(), {sent, rcvd});
    }
    const std::array<std::string, kExtraColumns> extras = {r.MultiCol1(), r.MultiCol2(), r.Call2()};
    for (std::size_t column = 0; column < kExtraColumns; ++column)
        if (!d.MultNames[column].empty()) row.push_back(extras[column]);
    row.push_back(std::to_string(r.Punkte()));
    row.push_back(QslColumn(r));
    if (SecondCall(d)) return;
    const std::string nameQth = r.NameQth();
    const std::size_t split = nameQth.find(';');
    row.push_back(nameQth.substr(0, split));
    row.push_back(split == std::string::npos ? std::string() : nameQth.substr(split + 1));
    // A frequency of 0 means none was given.
    row.push_back(r.Freq() != 0 ? radio::FormatPicture("#####,###", static_cast<double>(r.Freq()))
                                : std::string());
}

std::size_t ColumnCount(const contest::ContestDefinition& d) {
    const std::string header = BandLogHeader(d);
    return static_cast<std::size_t>(std::ranges::count(header, ';')) + 1;
}

}  // namespace

std::vector<std::string> BandLogSortCaptions(const contest::ContestDefinition& d) {
    std::vector<std::string> captions;
    for (const OrderRule& rule : kOrders)
        captions.emplace_back(Bilingual(rule.german, rule.english));
    if (d.Features.test(8))
        captions.back() = Bilingual(" alle - Area", " all - Area");
    else if (d.Features.test(17))
        captions.back() = Bilingual(" alle - LDK", " all - LDK");
    return captions;
}

bool IsBandOrder(int order) {
    return ValidOrder(order) && kOrders[static_cast<std::size_t>(order)].band;
}

BandLogKeyRange BandLogKeyRangeOf(int order, char band) {
    if (!ValidOrder(order)) return {};
    const OrderRule& rule = kOrders[static_cast<std::size_t>(order)];
    if (rule.band) return {rule.keyNr, std::string(1, band), std::string(1, band)};
    if (rule.keyNr == kByNummer)
        return {rule.keyNr, store::IntToKey(1), store::IntToKey(kHighestNumber)};
    return {rule.keyNr, {}, {}};
}

std::string BandLogHeader(const contest::ContestDefinition& d) {
    std::vector<std::string> titles = {
        std::string(Bilingual("Nr ", "No ")),
        radio::Fit(Bilingual(" Datum", "  Date"), 7),
        radio::Fit(" UTC", 5),
        " Call    ",
        "Band ",
        "Mod",
        " RSTsent      ",
    };
    if (SecondCall(d))
        titles.insert(titles.end(), {"Call2  ", "RSTsent2 "});
    else
        titles.emplace_back(" RSTrcvd      ");
    for (const std::string& caption : d.MultNames)
        if (!caption.empty()) titles.push_back(radio::Fit(caption, 6));
    titles.insert(titles.end(), {"Pkt", "sQr"});
    if (!SecondCall(d))
        titles.insert(titles.end(), {radio::Fit("Name", 10), radio::Fit("QTH", 10), "Freq."});
    return JoinColumns(titles, ";") + std::string(200, ' ');
}

int BandLogColumnChars(const contest::ContestDefinition& d, int column) {
    // Each value of a row follows a blank.
    static constexpr std::array<std::pair<std::string_view, int>, 3> kWidest = {
        {{" Call    ", 1 + 10}, {"Mod", 1 + 6}, {"Pkt", 1 + 5}}};
    const std::vector<std::string> titles = radio::SplitText(radio::Trim(BandLogHeader(d)), ';');
    if (column < 1 || column > static_cast<int>(titles.size())) return 0;
    const std::string& title = titles[static_cast<std::size_t>(column - 1)];
    int chars = static_cast<int>(title.size());
    for (const auto& [caption, widest] : kWidest)
        if (title == caption) chars = std::max(chars, widest);
    return chars;
}

std::string BandLogRow(const contest::ContestDefinition& d, const QsoRecord& r) {
    std::vector<std::string> row;
    row.push_back(r.IsBandChange() ? std::string() : radio::FormatPicture("######", r.LfdNr()));
    row.push_back(r.Datum() > 0 ? radio::DateToText("dd.mm.yy", r.Datum()) : std::string(8, ' '));
    // Midnight is a valid time of a contact; only a missing time is blank.
    row.push_back(r.Zeit() >= 0 ? radio::TimeToText("hh:mm", r.Zeit()) : std::string(5, ' '));
    if (r.IsBandChange()) {
        row.push_back("*** QSY " + std::string(radio::ToBaender::BandName(r.QsyBand(), false)) +
                      " ***");
        row.resize(ColumnCount(d));
    } else {
        AddContactColumns(d, r, row);
    }
    std::string text = JoinColumns(row, "; ");
    if (!SecondCall(d)) text = radio::UpperText(text);
    if (r.Marked() == 1) text.insert(text.begin(), kMarkedRow);
    return text;
}

}  // namespace mss::log
