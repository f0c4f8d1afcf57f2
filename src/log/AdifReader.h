// Reading an ADIF file (the tagged ".adi" form) into records of named
// values, with no window in it: the import dialog, the command line and the
// contacts that digital-mode programs send all read through here.
//
// The format, not lines, decides:
// - A field is "<NAME:LENGTH>" or "<NAME:LENGTH:TYPE>" followed by exactly
//   LENGTH of value, which may hold "<", ">" and line ends. Names are
//   case-insensitive (kept upper case here); values keep their case.
// - "<EOR>" ends a record wherever it stands; "<EOH>" ends the header. A file
//   whose first character is not "<" has a header of free text up to "<EOH>"
//   (or none when it holds no "<EOH>"); a file that starts with a tag and has
//   an "<EOH>" has the fields before it as its header.
// - A last record without "<EOR>" at the end of the file is read. Text
//   outside tags is ignored, so is a line starting with "#", a "<" that
//   starts no tag and a bare "<NAME>" tag other than EOR and EOH.
// - Encoding: a file with the UTF-8 byte-order mark, or one that is
//   well-formed UTF-8 and holds any byte above 0x7F, is UTF-8; any other file
//   is Windows-1252. UTF-8 values are converted to Windows-1252, and a record
//   with a character that the code page lacks is refused with that reason.
// - Lengths count bytes: of the Windows-1252 file as it stands, and of the
//   UTF-8 encoding in a UTF-8 file, as the format defines them and as the
//   digital-mode programs and online logbooks write them. Some writers count
//   characters instead; a UTF-8 value is read by characters only when the
//   byte count would cut a character or leave part of the value before the
//   next tag and the character count ends cleanly.
// - Faults belong to their record: a length that is not a number, or one
//   that runs past the end of the file, refuses the record (never reads past
//   the buffer), and reading goes on at its "<EOR>".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mss::log {

enum class AdifEncoding { Cp1252, Utf8, Utf8WithBom };

enum class AdifFault {
    None,
    BadLength,      // a field tag whose length is not a number or that does not close
    LengthPastEnd,  // a declared length that runs past the end of the file
    BadUtf8,        // a value that is not well-formed UTF-8
    NoCp1252Form,   // a character the Windows-1252 code page does not have
};

struct AdifField {
    std::string Name;   // upper case
    std::string Value;  // Windows-1252 bytes, letter case as written
};

struct AdifRecord {
    std::vector<AdifField> Fields;  // in file order, repeats kept
    std::size_t Offset = 0;         // byte offset of the record's first tag in the file
    AdifFault Fault = AdifFault::None;
    std::string FaultField;  // name of the field the fault was found in
    char32_t FaultChar = 0;  // NoCp1252Form: the code point the code page lacks

    bool Ok() const { return Fault == AdifFault::None; }
    // The value of the first field of that name (any letter case), or nullopt.
    std::optional<std::string_view> Find(std::string_view name) const;
    // The same, or an empty text.
    std::string Value(std::string_view name) const;
};

struct AdifFile {
    AdifEncoding Encoding = AdifEncoding::Cp1252;
    bool HasHeader = false;
    std::string HeaderText;  // free text before the header's first tag
    std::vector<AdifField> HeaderFields;
    std::vector<AdifRecord> Records;  // in file order, refused ones with their fault

    // The distinct field names of all records, in order of first appearance.
    std::vector<std::string> FieldNames() const;
};

AdifFile ReadAdif(std::string_view bytes);

// Why a record was refused, for the operator ("" for a sound record).
std::string AdifFaultText(const AdifRecord& record);

// An ADIF date yyyymmdd (or yymmdd) as a day number, else kNoDate.
std::int32_t AdifDate(std::string_view value);
// An ADIF time hhmmss or hhmm as seconds since midnight, else kNoTime.
std::int32_t AdifTime(std::string_view value);

}  // namespace mss::log
