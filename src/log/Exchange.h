// The exchange texts of a contact and the DOK, and how they are packed into
// the record's pieces. An exchange text is the RST padded to 3 characters,
// then exchange field 2, then "/" field 3 and "/" field 4 where needed; at
// most 20 characters, stored in four pieces of 9, 2, 2 and 7 characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "log/QsoRecord.h"

namespace mss::log {

inline constexpr std::size_t kExchangeLength = 20;
inline constexpr std::size_t kRstLength = 3;
inline constexpr std::size_t kDokLength = 8;

// The four exchange edits of the entry panel.
struct ExchangeFields {
    std::string rst;
    std::string field2;
    std::string field3;
    std::string field4;

    friend bool operator==(const ExchangeFields&, const ExchangeFields&) = default;
};

// RST cut or padded to 3, then field 2; "/" and field 3 when field 3 or 4 is
// not empty; "/" and field 4 when field 4 is not empty ("599" "12" "" "7"
// gives "59912//7"). Cut to 20 characters.
std::string ComposeExchange(const ExchangeFields& fields);

// The reverse: characters 1-3 are the RST (as they stand, blanks kept), the
// rest is field 2 up to the first "/", field 3 up to the next "/", and
// field 4 the remainder.
ExchangeFields SplitExchange(std::string_view text);

// Store an exchange text into the record's pieces; characters beyond 20 are lost.
void StoreSentExchange(QsoRecord& record, std::string_view text);
void StoreRcvdExchange(QsoRecord& record, std::string_view text);

// Join the pieces back into the exchange text.
std::string SentExchangeOf(const QsoRecord& record);
std::string RcvdExchangeOf(const QsoRecord& record);

// A DOK of up to 8 characters: characters 1-6 in Dok, 7-8 in DokExt.
std::string DokOf(const QsoRecord& record);
void StoreDok(QsoRecord& record, std::string_view dok);

}  // namespace mss::log
