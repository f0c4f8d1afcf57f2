#include "log/ScorePanel.h"

#include "log/Scoring.h"
#include "radio/Baender.h"
#include "radio/FormatPicture.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

using radio::FormatPicture;

std::string BandName(char band) {
    return std::string(radio::ToBaender::BandName(band, false));
}

// A total written without leading blanks.
std::string Total(std::string_view picture, std::int64_t value) {
    return radio::Trim(FormatPicture(picture, value));
}

bool NoMultipliers(const contest::ContestDefinition& d) {
    return d.Features.none();
}

// Contest '5' counts postcode areas and shows only its points.
bool PostcodeAreas(const LogSession& s) {
    return s.Code() == '5' && s.definition.MultNames[0] == "PLZ";
}

std::string MultiplierSuffix(const contest::ContestDefinition& d) {
    if (d.PointsOnly == 0 && d.PerBandProduct == 0) return " Multi x";
    if (d.MultNames[0] == "PLZ") return " PLZ";
    if (d.MultNames[0] == "Prefix") return " Prefixe";
    return " Multi";
}

void FillTotalLine(const LogSession& s, BandScorePanel& panel) {
    const contest::ContestDefinition& d = s.definition;
    const LogTotals& t = s.totals;
    if (PostcodeAreas(s)) {
        panel.totalMulti = FormatPicture("#####", 0);
        panel.totalPoints = Total("#######", PointSum(t)) + " Punkte";
        return;
    }
    panel.totalQso = Total("######", ContactSum(t)) + " QSO";
    panel.score = Total("#########", Score(s)) + " Pkt.";
    if (NoMultipliers(d)) return;
    panel.totalMulti = Total("###", MultiplierSum(t)) + MultiplierSuffix(d);
    if (d.PerBandProduct != 0) {
        panel.totalPoints = Total("#######", PointSum(t)) + " Punkte";
        panel.totalPointsVisible = false;
    } else {
        panel.totalPoints = Total("#######", PointSum(t)) + " Punkte =";
    }
}

}  // namespace

BandScorePanel BandScorePanelOf(const LogSession& s) {
    const contest::ContestDefinition& d = s.definition;
    const LogTotals& t = s.totals;
    BandScorePanel panel;
    for (std::size_t i = 0; i < panel.rows.size(); ++i) {
        const char band = d.Bands[i];
        if (band == 0) break;
        const auto index = static_cast<unsigned char>(band);
        BandScoreRow& row = panel.rows[i];
        row.visible = true;
        row.current = band == s.band;
        row.caption = BandName(band);
        row.qso = FormatPicture("#####", t.contacts[index]);
        row.multi = FormatPicture("#####", t.multipliers[index]);
        // Strong entries pass 100 000 points on a band.
        row.points = FormatPicture("######", t.points[index]);
    }
    panel.multiColumnVisible = !NoMultipliers(d) && d.MultMode != 1;
    FillTotalLine(s, panel);
    return panel;
}

EntryScoreLabels EntryScoreLabelsOf(const LogSession& s) {
    const contest::ContestDefinition& d = s.definition;
    const LogTotals& t = s.totals;
    EntryScoreLabels labels;
    labels.visible = !NoMultipliers(d);
    labels.pointsCaption = std::string(radio::Bilingual("Punkte ", "Score ")) + BandName(s.band);
    labels.points = FormatPicture("########", t.bandPoints);
    labels.multi = FormatPicture("###", t.multCount);
    if (s.Code() == '5') {
        labels.multiCaption = "PLZ-Bereiche";
        labels.multi = "Postleitzahlregionen: " + FormatPicture("#####", 0);
    } else {
        labels.multiCaption = s.Code() == 'P' ? "Prefixe " : "Multi ";
    }
    if (d.MultMode == 0 || d.MultMode == 2) labels.multiCaption += BandName(s.band);
    labels.qsoCaption = "QSO " + BandName(s.band);
    labels.qso = FormatPicture("#####", t.points[0]);
    return labels;
}

}  // namespace mss::log
