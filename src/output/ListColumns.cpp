#include "output/ListColumns.h"

#include <algorithm>

#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "output/LogWalk.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

int TrimmedLength(const std::string& text) {
    return static_cast<int>(radio::Trim(text).size());
}

// The exchange as ExchangeColumn prints it: the report always takes its 3
// places, so a report of blanks must not shrink the column below the rest.
int PrintedExchangeLength(const std::string& exchange) {
    const std::size_t end = exchange.find_last_not_of(' ');
    if (end == std::string::npos) return 0;
    return end < 3 ? TrimmedLength(exchange) : static_cast<int>(end + 1);
}

}  // namespace

WriteStatus MeasureColumns(store::TFileblockObject& log, const contest::ContestDefinition& def,
                           ListColumns& c) {
    c = ListColumns{};
    int call = 0, sent = 0, received = 0;
    std::array<int, 3> extra{};
    for (int k = 0; k < 3; ++k)
        extra[static_cast<std::size_t>(k)] = TrimmedLength(def.MultNames[k]);
    const WriteStatus status = WalkLog(log, log::kByNummer, [&](const log::QsoRecord& r) {
        call = std::max(call, TrimmedLength(r.Call()));
        sent = std::max(sent, PrintedExchangeLength(log::SentExchangeOf(r)));
        received = std::max(received, PrintedExchangeLength(log::RcvdExchangeOf(r)));
        c.points = std::max(c.points, static_cast<int>(std::to_string(r.Punkte()).size()));
        for (int k = 0; k < 3; ++k) {
            if (k == 2 && !ExtraColumnUsed(def, 2)) continue;
            int& width = extra[static_cast<std::size_t>(k)];
            width = std::max(width, TrimmedLength(ExtraColumnText(r, k)));
        }
    });
    c.call = std::max(call + 2, 8);
    c.sent = std::max(sent + 2, 9);
    c.received = std::max(received + 2, 9);
    for (std::size_t k = 0; k < 3; ++k) c.extra[k] = extra[k] + 2;
    return status;
}

bool ExtraColumnUsed(const contest::ContestDefinition& def, int k) {
    return !def.MultNames[static_cast<std::size_t>(k)].empty();
}

std::string ExtraColumnText(const log::QsoRecord& r, int k) {
    switch (k) {
        case 0:
            return r.MultiCol1();
        case 1:
            return r.MultiCol2();
        default:
            return r.Call2();
    }
}

std::string ShortDate(const log::QsoRecord& r) {
    return r.Datum() > 0 ? radio::Fit(radio::DateToText("ddmmyy", r.Datum()), 6)
                         : std::string(6, ' ');
}

std::string ExchangeColumn(const std::string& exchange, int width) {
    const std::string_view text = exchange;
    const std::string_view rest = text.size() > 3 ? text.substr(3) : std::string_view{};
    return radio::Fit(text.substr(0, 3), 3) + " " + radio::Fit(rest, width - 4);
}

std::string BandColumn(char band) {
    const std::string_view name = radio::ToBaender::BandName(band, false);
    return radio::Fit(name.substr(0, name.empty() ? 0 : name.size() - 1), 4);
}

std::string BandText(char band, bool trimmed) {
    std::string text = BandColumn(band);
    if (trimmed) text = radio::Trim(text);
    if (const std::size_t c = text.find('c'); c != std::string::npos) {
        text.erase(c, 1);
        text += ' ';
    }
    return text;
}

std::string HeadingColumns(const contest::ContestDefinition& def, const ListColumns& c,
                           std::string_view modeHeading, std::string_view sep) {
    std::string s = "DATE  ";
    s.append(sep).append("UTC ").append(sep);
    s.append(radio::Fit("CALL ", c.call)).append(sep);
    s.append("BAND").append(sep).append(modeHeading).append(sep);
    s.append(radio::Fit("SENT  ", c.sent)).append(sep);
    if (def.EntryFlag == 1) {
        s.append("CALL2    ").append(sep).append(radio::Fit("SENT2 ", c.received)).append(sep);
    } else {
        s.append(radio::Fit("RCVD  ", c.received)).append(sep);
    }
    for (int k = 0; k < 3; ++k) {
        if (!ExtraColumnUsed(def, k)) continue;
        s.append(radio::Fit(def.MultNames[static_cast<std::size_t>(k)],
                            c.extra[static_cast<std::size_t>(k)]));
        s.append(sep);
    }
    return s;
}

std::string PointsHeading(int width) {
    return radio::PadLeft(width >= 3 ? "Pkt" : "P", width);
}

}  // namespace mss::output
