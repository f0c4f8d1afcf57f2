// A strict, independent ADIF reader for the tests: every field must be
// "<NAME:LENGTH>" followed by exactly LENGTH bytes, only white space may lie
// between fields, and every record must end with "<EOR>". Anything else is
// an error with the byte offset where it was found.
#pragma once

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mss::output::test {

struct AdifFile {
    std::string preamble;  // the free text before the first header field
    std::vector<std::pair<std::string, std::string>> header;
    std::vector<std::vector<std::pair<std::string, std::string>>> records;
    std::string error;  // empty when the file is well-formed

    // The value of a field of record `i`, or "(absent)".
    std::string Value(std::size_t i, std::string_view tag) const {
        for (const auto& [name, value] : records.at(i)) {
            if (name == tag) return value;
        }
        return "(absent)";
    }
};

inline AdifFile ReadAdif(std::string_view text) {
    AdifFile file;
    std::size_t pos = text.find('<');
    file.preamble = std::string(text.substr(0, pos));
    bool inHeader = true;
    std::vector<std::pair<std::string, std::string>> record;
    const auto fail = [&](const std::string& what) {
        file.error = what + " at byte " + std::to_string(pos);
        return file;
    };
    while (pos != std::string_view::npos && pos < text.size()) {
        const std::size_t close = text.find('>', pos);
        if (close == std::string_view::npos) return fail("unclosed tag");
        const std::string_view tag = text.substr(pos + 1, close - pos - 1);
        std::string upper;
        for (const char c : tag)
            upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper == "EOH" || upper == "EOR") {
            if (upper == "EOH" ? !inHeader : inHeader) return fail("misplaced " + upper);
            if (upper == "EOR") file.records.push_back(std::move(record));
            record.clear();
            inHeader = false;
            pos = close + 1;
        } else {
            const std::size_t colon = upper.find(':');
            if (colon == std::string::npos || colon == 0) return fail("field without length");
            const std::string name = upper.substr(0, colon);
            for (const char c : name) {
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                    return fail("bad name");
            }
            const std::string length = upper.substr(colon + 1);
            if (length.empty() || length.find_first_not_of("0123456789") != std::string::npos) {
                return fail("bad length");
            }
            const std::size_t n = std::stoul(length);
            if (close + 1 + n > text.size()) return fail("value past the end");
            std::pair<std::string, std::string> field{name, std::string(text.substr(close + 1, n))};
            (inHeader ? file.header : record).push_back(std::move(field));
            pos = close + 1 + n;
        }
        const std::size_t next = text.find('<', pos);
        const std::string_view between =
            text.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos);
        for (const char c : between) {
            if (!std::isspace(static_cast<unsigned char>(c))) return fail("text between fields");
        }
        pos = next;
    }
    if (inHeader) return fail("no <EOH>");
    if (!record.empty()) return fail("record without <EOR>");
    return file;
}

}  // namespace mss::output::test
