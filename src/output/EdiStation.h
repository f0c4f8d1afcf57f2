// The station values of the EDI file's header that the log does not hold:
// pre-filled from the entry and the suite settings, the club, DOK, e-mail,
// power, transceiver and antenna remembered from the last run in
// "editemp.txt" of the data directory, and confirmed by the operator in the
// station dialog behind a seam (headless runs take the pre-filled values).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestDefinition.h"
#include "output/OutputJob.h"
#include "platform/ScopedInstall.h"

namespace mss::output {

struct EdiStation {
    std::string pcall, ploc, padr1, padr2, psect, pband, pclub1, pclub2, remail;
    std::string rname, radr1, radr2, rpoco, rcity, rcoun;
    std::string mope1, mope2;
    std::string rpower, rtrx, rant;
    std::string rremarks;  // lines joined with CR LF
};

// The choices of the band and section lists of the dialog.
extern const std::array<std::string_view, 16> kEdiBands;
extern const std::array<std::string_view, 28> kEdiSections;
// The section list of contest '8'.
extern const std::array<std::string_view, 3> kAgcwSections;
// The section choices of the dialog for a contest.
std::vector<std::string_view> EdiSectionChoices(char code);

inline constexpr std::string_view kEdiMemoryName = "editemp.txt";

// The start values of the dialog (before the remembered ones).
EdiStation PrefillEdiStation(const OutputJob& job);
// Takes club, DOK, e-mail, power, transceiver and antenna from the memory
// file `path` when it holds exactly six lines; otherwise nothing changes.
void ReadEdiMemory(const std::string& path, EdiStation& station);
// Writes those six values, one a line; false when the file cannot be written.
bool WriteEdiMemory(const std::string& path, const EdiStation& station);
// RunDir + "editemp.txt".
std::string EdiMemoryPath();

// The station dialog: shows the values and lets the operator change them.
// True when they were confirmed with "OK"; a dialog closed otherwise ends
// the output without a file.
class EdiStationDialog {
  public:
    virtual ~EdiStationDialog() = default;
    [[nodiscard]] virtual bool Ask(const OutputJob& job, EdiStation& station) = 0;
};

// The installed dialog, or one that keeps the values as they are.
EdiStationDialog& CurrentEdiStationDialog();
using ScopedEdiStationDialog = platform::ScopedInstall<EdiStationDialog>;

}  // namespace mss::output
