// The contest store: QVKK with one ContestEntry per participation (the list
// the main window shows) and QVKZ with one ContestExtra per entry. Both are
// shared suite files; their record buffers are the selected entry and its
// extra record. Entries of all contest codes share QVKK; keys 1 and 2 begin
// with the code, so a code's entries form one range of key 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"
#include "suite/SuiteFiles.h"

namespace mss::contest {

inline constexpr std::string_view kContestFileName = "QVKK";
inline constexpr std::string_view kExtraFileName = "QVKZ";

// The keys of QVKK.
enum ContestKey : int {
    kByCodeName = 1,  // Code + Name padded to 25; duplicates allowed
    kByCodeDate = 2,  // Code + StartDate, most significant byte first
    kByNumber = 3,    // integer key of Number, unique; numbers the entries
    kByKeyChar4 = 4,  // KeyChar4
    kByName = 5,      // Name padded to 25
};

std::string ContestKeyOf(suite::RecordBytes record, int keyNr);
// QVKZ: key 1 is the integer key of Number.
std::string ExtraKeyOf(suite::RecordBytes record, int keyNr);
suite::SuiteFileDefinition ContestFileDefinition();
suite::SuiteFileDefinition ExtraFileDefinition();

bool OpenQVKK();
void CloseQVKK();
bool OpenQVKZ();
void CloseQVKZ();
// The shared objects, or nullptr while the file is not open.
store::TFileblockObject* ContestFile();
store::TFileblockObject* ExtraFile();

// The selected entry and its extra record: copies of the record buffers,
// and back. Without an open file the getters answer a cleared record.
ContestEntry SelectedEntry();
void SetSelectedEntry(const ContestEntry& entry);
ContestExtra SelectedExtra();
void SetSelectedExtra(const ContestExtra& extra);

// Makes the QVKZ buffer the extra record of the selected entry; a missing
// one is added empty with the entry's Number. Answers ErrorLevel().
int LoadExtra();

// Adds a new entry and its extra record: QVKK numbers the entry, the extra
// record gets the same Number. Answers ErrorLevel(); number is the entry's
// number on success.
int AddContestEntry(const ContestEntry& entry, const ContestExtra& extra, std::int32_t& number);

// The keys of one contest code in key 1, from low to high inclusive.
struct KeyRange {
    std::string low;
    std::string high;
    bool Contains(std::string_view key) const;
};
KeyRange ContestRange(char code);

// The entries of a contest code in key 1 order (by name, then in the order
// they were added). The selected entry stays as it was, unsaved changes
// included.
std::vector<ContestEntry> ListContestEntries(char code);

}  // namespace mss::contest
