// The multiplier check list: one row per DOK (area, LDK) and per prefix,
// with the first call that brought the value on each band of the contest.
#include <array>
#include <functional>
#include <string>

#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "output/BandList.h"
#include "output/LogWalk.h"
#include "output/StationTexts.h"
#include "radio/Baender.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;
using radio::Fit;

constexpr std::size_t kCallLength = 12;

class CheckRows {
  public:
    CheckRows(ListOutput& out, const contest::ContestDefinition& def) : out_(out), def_(def) {}

    // One walk in the order of `keyNr`, grouping by `valueOf`; `counts`
    // says whether a contact's value is a multiplier at all.
    WriteStatus Walk(store::TFileblockObject& log, int keyNr,
                     const std::function<std::string(const QsoRecord&)>& valueOf,
                     const std::function<bool(const QsoRecord&)>& counts) {
        Clear();
        current_.clear();
        const WriteStatus status = WalkLog(log, keyNr, [&](const QsoRecord& r) {
            if (r.IsBandChange() || r.Band() == 0 || r.Band() == ' ' || !counts(r)) return;
            const std::string value = valueOf(r);
            if (value != current_) {
                WriteRow();
                Clear();
                current_ = value;
            }
            if (!current_.empty()) Take(r);
        });
        if (AnyCall()) WriteRow();
        Clear();
        return status;
    }

  private:
    void Clear() { cells_.fill({}); }
    bool AnyCall() const {
        for (const std::string& cell : cells_) {
            if (!cell.empty()) return true;
        }
        return false;
    }
    void Take(const QsoRecord& r) {
        std::string& cell = cells_[static_cast<unsigned char>(r.Band())];
        if (cell.empty()) cell = r.Call().substr(0, kCallLength);
    }
    void WriteRow() {
        std::string row = Fit(current_, 8);
        for (const char band : def_.Bands) {
            if (band != 0) row += Fit(cells_[static_cast<unsigned char>(band)], 13);
        }
        out_.Line(row);
    }

    ListOutput& out_;
    const contest::ContestDefinition& def_;
    std::array<std::string, 256> cells_;
    // The whole value is held, so DOKs of 7 and 8 characters group as well.
    std::string current_;
};

void CheckListHeader(ListOutput& out, const contest::ContestDefinition& def) {
    out.TopOfPage();
    std::string title = Fit(def.ContestName + " Multiplier Check List   " + StationCall(def), 65);
    if (out.OnPaper()) title += PageLabel(out.PageNumber());
    out.BoldLine(title);
    out.Line(" ");
    out.Line(" ");
    std::string headings = Fit("Multi", 8);
    for (const char band : def.Bands) {
        if (band != 0) headings += Fit(radio::ToBaender::BandName(band, false), 13);
    }
    out.Line(headings);
    out.Line(" ");
}

}  // namespace

WriteStatus WriteMultiplierCheckList(ListOutput& out, const OutputJob& job) {
    if (!job.log) return {kLogReadFailed};
    const contest::ContestDefinition def = job.definition;
    const contest::ByteSet& f = def.Features;
    out.SetPageHeader([&] { CheckListHeader(out, def); });
    CheckListHeader(out, def);
    CheckRows rows(out, def);
    if (f.test(4) || f.test(8) || f.test(17)) {
        const WriteStatus s = rows.Walk(
            *job.log, log::kByDok, [](const QsoRecord& r) { return radio::Trim(log::DokOf(r)); },
            [](const QsoRecord&) { return true; });
        if (!s.Ok()) return s;
    }
    if (f.test(2)) {
        const auto counts = [&](const QsoRecord& r) {
            if (!f.test(3) && radio::Trim(r.Prefix()) == "DL") return false;
            return !f.test(9) || r.Continent() == "EU";
        };
        const WriteStatus s = rows.Walk(
            *job.log, log::kByPrefix, [](const QsoRecord& r) { return radio::Trim(r.Prefix()); },
            counts);
        if (!s.Ok()) return s;
    }
    out.SetPageHeader({});
    return out.Status();
}

}  // namespace mss::output
