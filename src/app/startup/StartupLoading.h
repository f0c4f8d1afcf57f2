// The data side of the start-up and close-down of the main window: record
// store, suite settings, prefix files, contest store and the list of entries.
// The main window calls the stages at fixed points of its creation.
#pragma once

namespace mss::app {

class TContestBrow;

class StartupLoading {
  public:
    virtual ~StartupLoading() = default;
    // Stage 1: record store, station profile, suite settings, prefix files.
    // False ends the program.
    virtual bool LoadSettings(TContestBrow& window) = 0;
    // Stage 2: the contest store. False (after telling the operator) ends
    // the program.
    virtual bool OpenContestStore(TContestBrow& window) = 0;
    // Stage 3: the list of contest entries in the browser.
    virtual void ListEntries(TContestBrow& window) = 0;
    // Stage 4: a first start leads straight into a new entry.
    virtual void FirstStart(TContestBrow& window) = 0;
    // Closes every file and writes the suite settings back.
    virtual void CloseDown(TContestBrow& window) = 0;
};

}  // namespace mss::app
