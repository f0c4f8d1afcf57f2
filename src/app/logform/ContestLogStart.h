// Starting the log form over a contest entry: what "Starten" of the main
// window and a developer's or test's call use.
#pragma once

#include <cstdint>
#include <memory>

class QWidget;

namespace mss::app {

class TContestLogStd;

// Prepares the log form of contest entry `entryNumber` for showing: the
// contest store is opened for as long as the form lives (the main window
// has it open already), the entry is read and its contest definition
// filled. nullptr when the entry or its log cannot be opened (the reason
// has been shown). Show it, or run it modally with exec().
std::unique_ptr<TContestLogStd> PrepareContestLog(std::int32_t entryNumber, QWidget* mainWindow);

// Opens the form over the entry and runs it modally until "Contest
// beenden"; false when it could not be opened.
bool RunContestLog(std::int32_t entryNumber, QWidget* mainWindow);

}  // namespace mss::app
