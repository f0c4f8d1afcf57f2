// The output menu of the setup dialog ("Drucken / E-Log") and its job
// runner: printed lists through the print dialog, files through the save
// dialog (behind a seam tests can answer) and the writers of the output
// layer, the review editor for the E-Log lists and the STF file.
#pragma once

#include <optional>
#include <string>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "platform/ScopedInstall.h"

class QWidget;

namespace mss::app {

// The save dialog: the chosen file name, or nullopt when it was cancelled.
// Asks before an existing file is replaced.
class SaveFileDialog {
  public:
    virtual ~SaveFileDialog() = default;
    virtual std::optional<std::string> Ask(QWidget* parent, const std::string& filter,
                                           const std::string& fileName,
                                           const std::string& suffix) = 0;
};
SaveFileDialog& CurrentSaveFileDialog();
using ScopedSaveFileDialog = platform::ScopedInstall<SaveFileDialog>;

// Pops the menu up at the top left corner of the dialog's "Drucken / E-Log"
// button; `dialog` is the setup dialog.
void ShowOutputMenu(QWidget& dialog);

// One output job of the menu for the entry.
void RunOutput(QWidget& parent, int kind, const contest::ContestEntry& entry,
               const contest::ContestDefinition& definition);

}  // namespace mss::app
