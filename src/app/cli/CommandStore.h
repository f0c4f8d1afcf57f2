// The files a command works on, opened as the main window's start-up opens
// them (record store, suite settings, prefix tables, contest store) and
// closed again when the command ends. Nothing of the settings is written
// back: a command changes no setting of the program.
#pragma once

#include <string>

namespace mss::app {

class CommandStore {
  public:
    CommandStore() = default;
    ~CommandStore();
    CommandStore(const CommandStore&) = delete;
    CommandStore& operator=(const CommandStore&) = delete;

    // The record store alone (for the data check); false (and the reason
    // on standard error) when it cannot be initialised.
    bool OpenEngine();
    // Everything the windows have open; false (and the reason) on failure.
    bool OpenAll();

  private:
    bool engine_ = false;
    bool suiteFiles_ = false;
    bool contestStore_ = false;
};

}  // namespace mss::app

#include <cstdint>
#include <optional>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"

namespace mss::app {

// A contest entry as the setup dialog shows it: the entry, its extra record
// and its contest definition.
struct StoredEntry {
    contest::ContestEntry entry;
    contest::ContestExtra extra;
    contest::ContestDefinition definition;
};

// Reads entry `number` of the open contest store; nullopt (and the reason
// on standard error) when it cannot be read.
std::optional<StoredEntry> ReadStoredEntry(std::int32_t number);

}  // namespace mss::app
