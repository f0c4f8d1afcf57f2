// Connects the log form's keys and buttons to the windows around it: the
// list windows, the contest notes, the party evaluation and the ADIF import.
#pragma once

namespace mss::app {

class TContestLogStd;

void InstallLogWindows(TContestLogStd& form);

// "Import von ADIF-Dateien": the import dialog, then the import of the
// mapped file through the form's save path and the result box.
void RunAdifImport(TContestLogStd& form);

}  // namespace mss::app
