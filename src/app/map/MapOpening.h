// Where the window "Karte" is opened: from the log form, where it follows
// the log live (saves, edits, deletes, imports, WSJT-X contacts) and the
// contact being typed, and from the setup dialog after the contest.
#pragma once

class QWidget;

namespace mss::contest {
class ContestEntry;
}  // namespace mss::contest

namespace mss::app {

class TContestLogStd;

// Shows the form's map window, or hides it when it is shown.
void ToggleLogFormMap(TContestLogStd& form);

// Shows the map of the entry's log, modally over `parent`.
void ShowEntryMap(QWidget& parent, const contest::ContestEntry& entry);

}  // namespace mss::app
