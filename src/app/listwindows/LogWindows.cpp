#include "app/listwindows/LogWindows.h"

#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStd.h"
#include "app/listwindows/ContestNotiz.h"
#include "app/listwindows/Formadifimport.h"
#include "app/listwindows/FortschrittAusgabe.h"
#include "app/listwindows/Korrekturstd.h"
#include "app/logform/LogEntryPanel.h"
#include "app/map/MapOpening.h"
#include "app/listwindows/Partyauswertungform.h"
#include "log/AdifImport.h"
#include "platform/Messages.h"

namespace mss::app {

void InstallLogWindows(TContestLogStd& form) {
    TContestLogStd::OtherWindows& windows = form.Windows();
    windows.correction = [](TContestLogStd& f) { RunListWindow(f, KorrekturMode::kCorrection); };
    windows.callSearch = [](TContestLogStd& f) { RunListWindow(f, KorrekturMode::kCallSearch); };
    windows.bandLogWindow = [](TContestLogStd& f) { RunListWindow(f, KorrekturMode::kBandLog); };
    windows.notes = [](TContestLogStd& f) { (void)EditNotes(f); };
    windows.party = RunPartyEvaluation;
    windows.adifImport = RunAdifImport;
    windows.map = ToggleLogFormMap;
}

void RunAdifImport(TContestLogStd& form) {
    TFormadifimport dialog(form.Session().definition, &form);
    if (dialog.exec() != QDialog::Accepted) return;
    // The import lets messages run for its progress window; the form's
    // clock stays stopped meanwhile, so it cannot write into the contact.
    log::AdifImportResult result;
    form.RunPass([&] {
        TFortschrittAusgabe progress(QStringLiteral("ADIF-Import"), &form);
        result = log::ImportAdif(form.Session(), form.State(), form.Layout(), dialog.File(),
                                 dialog.Fields(), form.Panel().Values(), dialog.Options(),
                                 progress);
    });
    form.NewContact();
    form.Brow().LastPage();
    emit form.LogChanged();
    platform::CurrentMessages().Information(log::AdifImportReport(result));
}

}  // namespace mss::app
