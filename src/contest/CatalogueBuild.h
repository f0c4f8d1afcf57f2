// Building blocks of the catalogue's branches, shared by the files that
// hold the rules of the individual contests.
#pragma once

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace mss::contest::build {

void SetModes(ContestDefinition& def, std::initializer_list<std::string_view> modes);
// Band codes in display order, e.g. "ba" for 80 m and 160 m.
void SetBands(ContestDefinition& def, std::string_view bands);
void SetCategories(ContestDefinition& def, std::initializer_list<ContestCategory> categories);

// One position of the exchange after the report: what is received under
// which caption, and what is sent with which preset.
struct ExchangeField {
    std::int32_t rcvdKind;
    std::string_view label;
    std::int32_t sentKind;
    std::string sentValue;
};
void SetExchange(ContestDefinition& def, std::initializer_list<ExchangeField> fields);

void SetMultipliers(ContestDefinition& def, std::initializer_list<std::string_view> names,
                    std::initializer_list<int> features);
void SetOutputs(ContestDefinition& def, std::initializer_list<int> formats);
void SetLetters(std::array<char, 26>& letters, std::string_view text);
void SetList(std::array<std::string, 100>& list, std::initializer_list<std::string_view> items);
// Period 1-10.
void SetPeriod(ContestDefinition& def, int index, ContestPeriod period);
ContestPeriod MakePeriod(std::string_view date, std::string_view timeFrom, std::string_view timeTo,
                         std::string_view bands, std::string_view dateTo = {});

// The usual exchange positions: the operator's DOK, the operator's locator,
// a serial number, and a member or club number of the given kind.
ExchangeField DokField(const ContestEntry& entry);
ExchangeField LocatorField();
ExchangeField SerialField();
ExchangeField MemberField(std::int32_t kind, std::string_view label, const ContestEntry& entry);

// The entry's category, 1-based; 0 (none chosen yet) counts as 1.
int CategoryOf(const ContestEntry& entry);
// The preset of a sent serial number: the first one, three digits.
inline constexpr std::string_view kFirstSerial = "001";

// The rules of the VHF/UHF contests and of the short-wave ones; false when
// the code is not among them.
bool FillVhfContest(char code, const ContestEntry& entry, ContestDefinition& def);
bool FillHfContest(char code, const ContestEntry& entry, ContestDefinition& def);

}  // namespace mss::contest::build
