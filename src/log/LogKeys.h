// The contest log as the record store sees it: the file names, the 27 key
// definitions and the routine that builds each key string from a record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "log/QsoRecord.h"
#include "store/Filer.h"

namespace mss::log {

// Key numbers, named after the order they give.
enum LogKey : int {
    kByTime = 1,           // D + T
    kByCallTime = 2,       // bc(14) + D + T
    kByLocatorTime = 3,    // Locator(6) + D + T
    kByNummer = 4,         // I(Nummer): the sequence key, unique
    kByPrefix = 5,         // Prefix(6)
    kByCall = 6,           // bc(14)
    kByMarked = 7,         // "1" or " "
    kByBandSeq = 8,        // B + I(BandSeq)
    kByBandCallMode = 9,   // B + bc(14) + Mode(6)
    kByBandPrefix = 10,    // B + Prefix(6)
    kByBandNrDown = 11,    // B + I(99999999 - BandNr)
    kByBandSeqDown = 12,   // B + I(99999999 - BandSeq)
    kByLfdNr = 13,         // I(LfdNr)
    kByBandSpare170 = 14,  // B + Spare170
    kByBandSpare171 = 15,  // B + Spare171
    kBySpares = 16,        // Spare170 + Spare171
    kByBandSpare = 17,     // B + the spare character
    kByDok = 18,           // (Dok + DokExt)(8)
    kByMultiCol1 = 19,     // MultiCol1(6)
    kByCall2 = 20,         // Call2(6)
    kByBandDok = 21,       // B + (Dok + DokExt)(8)
    kByBandPrefix2 = 22,   // B + Prefix2(6)
    kByBandLocator = 23,   // B + Locator(6)
    kByModeNrDown = 24,    // ModeClass(Mode) + I(99999999 - ModeNr)
    kByBandDistrict = 25,  // B + District(2)
    kByDistrict = 26,      // District(2)
    kByBandCall2 = 27,     // B + Call2(6)
};

inline constexpr int kLogKeyCount = 27;

// Length and duplicates of keys 1 to 27 (index = key number - 1).
inline constexpr std::array<store::KeyDefinition, kLogKeyCount> kLogKeyDefinitions = {{
    {8, true}, {22, true}, {14, true}, {5, false}, {6, true}, {14, true}, {1, true},
    {6, true}, {21, true}, {7, true},  {6, true},  {6, true}, {5, true},  {2, true},
    {2, true}, {2, true},  {2, true},  {8, true},  {6, true}, {6, true},  {9, true},
    {7, true}, {7, true},  {6, true},  {3, true},  {3, true}, {7, true},
}};

// The scratch copy used while renumbering: one unique key, built like the
// log's key kByNummer.
inline constexpr std::string_view kScratchLogName = "QVLKTEMP";
inline constexpr std::array<store::KeyDefinition, 1> kScratchKeyDefinitions = {{{5, false}}};

// The name of the log of contest entry `entryNumber`: "QVLK" and the number
// in four digits with leading zeros (QVLK0012).
std::string LogFileName(std::int32_t entryNumber);

// The key string of key `keyNumber` (1 to 27) of `record`; empty for any
// other number. Text parts are padded with blanks or cut to their width;
// D and T are the bytes of Datum and Zeit, most significant first, so a
// Datum of -1 sorts after every date; bc is the home call (BaseCall).
std::string BuildKey(const QsoRecord& record, int keyNumber);

}  // namespace mss::log
