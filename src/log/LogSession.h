// What the log form keeps while a contest log is open and every judgement of
// a contact reads: its copy of the contest definition, the contest entry, the
// open log, the services it asks (prefix tables, callbook, member lists), the
// current band and mode, the running totals and the multiplier tables.
// Nothing of it is stored; the totals are always recounted from the log.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "log/MemberList.h"
#include "log/MultiplierTables.h"
#include "store/FileblockObject.h"

namespace mss::log {

// The country a call belongs to, as the prefix tables give it.
struct Country {
    std::string dxccPrefix;
    std::string altPrefix;
    std::string continent;
};

// Resolves a call at a date (day number) to its country; nullopt when no
// table knows it or the entry is not current. `chosen` reports whether the
// operator picked the country in the choice dialog.
using PrefixLookupFunction =
    std::function<std::optional<Country>(std::string_view call, std::int32_t datum, bool& chosen)>;

// What the suite's files know about a home call (empty where a file has no
// such field): name and QTH, and the values that pre-fill the exchange.
struct KnownStation {
    std::string name;
    std::string qth;
    std::string dok;  // DOK or area
    std::string locator;
    std::string club1;   // club number of contest '7'
    std::string club2;   // club number of contest 'f'
    std::string member;  // member number of contest 'i'
    std::string ldk;
};
// Looks up a home call (cut or padded to 10 characters) in a suite file.
using StationLookupFunction = std::function<std::optional<KnownStation>(std::string_view baseCall)>;

// The totals of the open log, by band code (1 to 255).
struct LogTotals {
    std::array<std::int32_t, 256> points{};  // index 0: contacts on the current band
    std::array<std::int32_t, 256> contacts{};
    std::array<std::int32_t, 256> multipliers{};  // scope "whole log": index 1
    std::int32_t bandPoints = 0;                  // accumulator of the current band
    std::int32_t nextContact = 1;
    char lastBand = 0;
    std::int32_t multCount = 0;  // multipliers of the scope in force
};

struct LogSession {
    contest::ContestDefinition definition;
    contest::ContestEntry entry;
    store::TFileblockObject* log = nullptr;  // the open contest log

    PrefixLookupFunction prefixLookup;
    StationLookupFunction callbook;  // QVCBUCH: name and QTH (DOS code page)
    StationLookupFunction callFile;  // QVCALL: name only
    MemberList dswMembers;           // "dsw.csv"
    // The organisers' station calls that the points rules of some contests
    // reward, and the one special call of contest 'Q'; they belong to each
    // contest's rules and are set by whoever starts the log.
    std::vector<std::string> bonusCalls;
    std::string specialCall;

    char band = 0;     // the current band
    std::string mode;  // the current mode text

    LogTotals totals;
    MultiplierTables multipliers;

    // The country the operator picked for the contact being typed.
    std::optional<Country> chosenCountry;
    // Name and QTH remembered for the contact being typed.
    std::string rememberedName;
    std::string rememberedQth;

    char Code() const { return entry.Code(); }
    bool SecondCallContest() const { return definition.EntryFlag == 1; }
};

}  // namespace mss::log
