#include "contest/EntryListTexts.h"

#include <string>

#include "contest/ContestStore.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::contest {

namespace {

constexpr int kNameWidth = 26;
constexpr int kWideColumn = 20;
// A date column is as wide as the date picture and three blanks.
constexpr int kDateWidth = static_cast<int>(radio::DateFormat.size()) + 3;

std::string Cut(std::string text, std::size_t width) {
    if (text.size() > width) text.resize(width);
    return text;
}

std::string DateTitle(std::string_view german, std::string_view english) {
    return Cut(radio::Fit(radio::Bilingual(german, english), kDateWidth), kWideColumn);
}

struct Columns {
    std::string name, start, end, number;
};

// The three orders put the same columns in front of the name. A row starts
// with a blank inside its first column; a heading line gets its blank in
// front of the whole line, so its cuts are one shorter.
std::string Compose(const Columns& c, int keyNr, bool header) {
    const std::string lead = header ? "" : " ";
    const std::size_t shorter = header ? 1 : 0;
    switch (keyNr) {
        case kByCodeDate:
            return Cut(lead + c.start + ";", 22 - shorter) + c.name + ";" + c.end;
        case kByNumber: {
            const std::string front = Cut(Cut(lead + c.number, 21) + ";", 22 - shorter);
            return Cut(Cut(front + c.start, 42 - shorter) + ";", 43 - shorter) + c.name + ";" +
                   c.end;
        }
        default:
            return lead + c.name + ";" + c.start + ";" + c.end;
    }
}

}  // namespace

std::string NameColumn(const ContestEntry& entry) {
    return Cut(entry.Name() + " ", kNameWidth);
}

std::string DateColumn(std::int32_t dayNumber) {
    if (dayNumber <= 0) return std::string(std::min(kDateWidth, kWideColumn), ' ');
    return Cut(radio::DateToText(radio::DateFormat, dayNumber) + "   ", kWideColumn);
}

std::string NumberColumn(std::int32_t number) {
    return Cut(radio::PadLeft(std::to_string(number), 6) + " ", kWideColumn);
}

std::string EntryRowText(const ContestEntry& entry, int keyNr) {
    return Compose({NameColumn(entry), DateColumn(entry.StartDate()), DateColumn(entry.EndDate()),
                    NumberColumn(entry.Number())},
                   keyNr, false);
}

std::string EntryHeaderText(int keyNr) {
    const Columns titles{radio::Fit(" Name", kNameWidth), DateTitle("Datum (von)", "Date (from)"),
                         DateTitle("Datum (bis)", " Date (to) "),
                         Cut(std::string(radio::Bilingual("Nr     ", "No     ")), kWideColumn)};
    return " " + Compose(titles, keyNr, true) + std::string(200, ' ');
}

std::vector<std::string> EntrySortCaptions() {
    return {"Name", std::string(radio::Bilingual("Datum", "Date"))};
}

int EntrySortKey(int choice) {
    return choice + 1;
}

}  // namespace mss::contest
