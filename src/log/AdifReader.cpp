#include "log/AdifReader.h"

#include <cstdio>
#include <set>

#include "platform/Cp1252.h"
#include "radio/DateTime.h"

namespace mss::log {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperAscii(c);
    return out;
}

// Characters a field name may not hold; blanks and controls end it too.
bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > ' ' && c != '<' && c != '>' && c != ':' && c != ',' && c != '{' && c != '}';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct Tag {
    enum Kind { NotATag, Bare, Field, Broken } kind = NotATag;
    std::string name;        // upper case
    std::size_t length = 0;  // Field: the declared length, capped just past the text
    std::size_t end = 0;     // index after the tag's ">" (Broken: after its name)
};

class Scanner {
  public:
    Scanner(std::string_view text, bool utf8, AdifFile& out)
        : text_(text), utf8_(utf8), out_(out) {}

    void Run() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '#' && AtLineStart()) {
                SkipLine();
            } else if (c == '<') {
                OnTag(ParseTag(pos_));
            } else {
                ++pos_;
            }
        }
        // A last record without its "<EOR>".
        if (!current_.Fields.empty() || !current_.Ok()) EndRecord();
    }

  private:
    bool AtLineStart() const {
        return pos_ == 0 || text_[pos_ - 1] == '\n' || text_[pos_ - 1] == '\r';
    }

    void SkipLine() {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    }

    Tag ParseTag(std::size_t lt) const {
        Tag tag;
        std::size_t i = lt + 1;
        while (i < text_.size() && IsNameChar(text_[i])) ++i;
        if (i == lt + 1 || i >= text_.size()) return tag;
        tag.name = UpperAscii(text_.substr(lt + 1, i - lt - 1));
        if (text_[i] == '>') {
            tag.kind = Tag::Bare;
            tag.end = i + 1;
            return tag;
        }
        if (text_[i] != ':') return tag;
        tag.kind = Tag::Broken;
        tag.end = ++i;
        std::size_t j = i;
        for (; j < text_.size() && IsDigit(text_[j]); ++j) {
            // Any length beyond the text is as good as another: cap it there.
            if (tag.length <= text_.size()) tag.length = tag.length * 10 + (text_[j] - '0');
        }
        if (j == i) return tag;
        if (j < text_.size() && text_[j] == ':') {
            ++j;
            while (j < text_.size() && IsNameChar(text_[j])) ++j;
        }
        if (j >= text_.size() || text_[j] != '>') return tag;
        tag.kind = Tag::Field;
        tag.end = j + 1;
        return tag;
    }

    void OnTag(const Tag& tag) {
        switch (tag.kind) {
            case Tag::NotATag:
                ++pos_;
                return;
            case Tag::Bare:
                pos_ = tag.end;
                if (tag.name == "EOR") EndRecord();
                if (tag.name == "EOH") EndHeader();
                return;
            case Tag::Broken:
                Refuse(AdifFault::BadLength, tag.name);
                pos_ = tag.end;
                return;
            case Tag::Field:
                ReadValue(tag);
                return;
        }
    }

    void ReadValue(const Tag& tag) {
        const std::size_t start = tag.end;
        if (tag.length > text_.size() - start) {
            // Go on at the next tag: the record's "<EOR>" ends the damage.
            Refuse(AdifFault::LengthPastEnd, tag.name);
            pos_ = start;
            return;
        }
        if (current_.Fields.empty() && current_.Ok()) current_.Offset = pos_;
        const std::size_t end = utf8_ ? Utf8ValueEnd(start, tag.length) : start + tag.length;
        const std::string_view raw = text_.substr(start, end - start);
        AdifField field{tag.name, std::string(raw)};
        if (utf8_) {
            platform::ExactCp1252 converted = platform::Utf8ToCp1252Exact(raw);
            field.Value = std::move(converted.text);
            if (!converted.exact && converted.refused == platform::kIllFormedUtf8) {
                Refuse(AdifFault::BadUtf8, tag.name);
            } else if (!converted.exact) {
                Refuse(AdifFault::NoCp1252Form, tag.name, converted.refused);
            }
        }
        current_.Fields.push_back(std::move(field));
        pos_ = end;
    }

    // Only blanks up to the next tag or the end of the text.
    bool EndsCleanly(std::size_t end) const {
        while (end < text_.size() && IsBlank(text_[end])) ++end;
        return end == text_.size() || text_[end] == '<';
    }

    bool IsWellFormed(std::size_t start, std::size_t end) const {
        return platform::IsWellFormedUtf8(text_.substr(start, end - start));
    }

    std::size_t Utf8ValueEnd(std::size_t start, std::size_t length) const {
        const std::size_t byteEnd = start + length;
        if (EndsCleanly(byteEnd) && IsWellFormed(start, byteEnd)) return byteEnd;
        std::size_t charEnd = start;
        for (std::size_t n = 0; n < length && charEnd < text_.size(); ++n) {
            ++charEnd;
            while (charEnd < text_.size() &&
                   (static_cast<unsigned char>(text_[charEnd]) & 0xC0) == 0x80) {
                ++charEnd;
            }
        }
        if (charEnd > byteEnd && EndsCleanly(charEnd) && IsWellFormed(start, charEnd))
            return charEnd;
        return byteEnd;
    }

    // Called with pos_ on the tag's "<".
    void Refuse(AdifFault fault, const std::string& field, char32_t character = 0) {
        if (!current_.Ok()) return;  // the first fault is the reason
        if (current_.Fields.empty()) current_.Offset = pos_;
        current_.Fault = fault;
        current_.FaultField = field;
        current_.FaultChar = character;
    }

    void EndRecord() {
        if (!current_.Fields.empty() || !current_.Ok()) out_.Records.push_back(std::move(current_));
        current_ = AdifRecord{};
    }

    void EndHeader() {
        out_.HasHeader = true;
        for (AdifField& f : current_.Fields) out_.HeaderFields.push_back(std::move(f));
        current_ = AdifRecord{};
    }

    std::string_view text_;
    bool utf8_;
    AdifFile& out_;
    std::size_t pos_ = 0;
    AdifRecord current_;
};

bool HasHighByte(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 0x7F) return true;
    }
    return false;
}

// The free text of a header: everything before its first tag, when the
// file does not start with one and holds an "<EOH>".
std::string HeaderTextOf(std::string_view text, bool utf8) {
    if (text.empty() || text[0] == '<') return {};
    if (UpperAscii(text).find("<EOH>") == std::string::npos) return {};
    const std::string_view free = text.substr(0, text.find('<'));
    return utf8 ? platform::Utf8ToCp1252(free) : std::string(free);
}

// A run of exactly n digits at the start of the text, as a number.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t n) {
    if (at + n > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<std::string_view> AdifRecord::Find(std::string_view name) const {
    const std::string upper = UpperAscii(name);
    for (const AdifField& f : Fields) {
        if (f.Name == upper) return std::string_view(f.Value);
    }
    return std::nullopt;
}

std::string AdifRecord::Value(std::string_view name) const {
    return std::string(Find(name).value_or(std::string_view()));
}

std::vector<std::string> AdifFile::FieldNames() const {
    std::vector<std::string> names;
    std::set<std::string_view> known;
    for (const AdifRecord& r : Records) {
        for (const AdifField& f : r.Fields) {
            if (known.insert(f.Name).second) names.push_back(f.Name);
        }
    }
    return names;
}

AdifFile ReadAdif(std::string_view bytes) {
    AdifFile file;
    if (bytes.starts_with(kBom)) {
        file.Encoding = AdifEncoding::Utf8WithBom;
        bytes.remove_prefix(kBom.size());
    } else if (HasHighByte(bytes) && platform::IsWellFormedUtf8(bytes)) {
        file.Encoding = AdifEncoding::Utf8;
    }
    const bool utf8 = file.Encoding != AdifEncoding::Cp1252;
    file.HeaderText = HeaderTextOf(bytes, utf8);
    Scanner(bytes, utf8, file).Run();
    // An "<EOH>" inside a value ends no header.
    if (!file.HasHeader) file.HeaderText.clear();
    return file;
}

std::string AdifFaultText(const AdifRecord& record) {
    const std::string& f = record.FaultField;
    switch (record.Fault) {
        case AdifFault::None:
            return {};
        case AdifFault::BadLength:
            return "Ung\xFCltige L\xE4ngenangabe im Feld " + f;
        case AdifFault::LengthPastEnd:
            return "L\xE4ngenangabe im Feld " + f +
                   " reicht \xFC"
                   "ber das Dateiende";
        case AdifFault::BadUtf8:
            return "Feld " + f + " ist kein g\xFCltiges UTF-8";
        case AdifFault::NoCp1252Form: {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(record.FaultChar));
            return "Zeichen " + std::string(code) + " im Feld " + f +
                   " hat keine Windows-1252-Form";
        }
    }
    return {};
}

std::int32_t AdifDate(std::string_view value) {
    const std::size_t yearDigits = value.size() == 8 ? 4 : value.size() == 6 ? 2 : 0;
    if (yearDigits == 0) return radio::kNoDate;
    const auto year = Digits(value, 0, yearDigits);
    const auto month = Digits(value, yearDigits, 2);
    const auto day = Digits(value, yearDigits + 2, 2);
    if (!year || !month || !day) return radio::kNoDate;
    // DayNumber widens two-digit years; a four-digit year must not be.
    if (yearDigits == 4 && *year < 100) return radio::kNoDate;
    return radio::DayNumber(*day, *month, *year);
}

std::int32_t AdifTime(std::string_view value) {
    if (value.size() != 4 && value.size() != 6) return radio::kNoTime;
    const auto hours = Digits(value, 0, 2);
    const auto minutes = Digits(value, 2, 2);
    const auto seconds = value.size() == 6 ? Digits(value, 4, 2) : std::optional<int>(0);
    if (!hours || !minutes || !seconds) return radio::kNoTime;
    if (*hours > 23 || *minutes > 59 || *seconds > 59) return radio::kNoTime;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

}  // namespace mss::log
