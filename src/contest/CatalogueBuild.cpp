#include "contest/CatalogueBuild.h"

#include "radio/ProgramValues.h"

#include <algorithm>
#include <cassert>

namespace mss::contest::build {

void SetModes(ContestDefinition& def, std::initializer_list<std::string_view> modes) {
    def.Modes = {};
    std::copy(modes.begin(), modes.end(), def.Modes.begin());
}

void SetBands(ContestDefinition& def, std::string_view bands) {
    def.Bands = {};
    std::copy_n(bands.begin(), std::min(bands.size(), def.Bands.size()), def.Bands.begin());
}

void SetCategories(ContestDefinition& def, std::initializer_list<ContestCategory> categories) {
    def.Categories = {};
    std::copy(categories.begin(), categories.end(), def.Categories.begin());
}

void SetExchange(ContestDefinition& def, std::initializer_list<ExchangeField> fields) {
    assert(fields.size() <= 3);
    def.RcvdKinds = {};
    def.SentKinds = {};
    def.SentValues = {};
    def.RcvdLabels = {};
    std::size_t i = 0;
    for (const ExchangeField& f : fields) {
        def.RcvdKinds[i] = f.rcvdKind;
        def.RcvdLabels[i] = f.label;
        def.SentKinds[i] = f.sentKind;
        def.SentValues[i] = f.sentValue;
        ++i;
    }
}

void SetMultipliers(ContestDefinition& def, std::initializer_list<std::string_view> names,
                    std::initializer_list<int> features) {
    def.MultNames = {};
    std::copy(names.begin(), names.end(), def.MultNames.begin());
    def.Features.reset();
    for (int f : features) def.Features.set(static_cast<std::size_t>(f));
}

void SetOutputs(ContestDefinition& def, std::initializer_list<int> formats) {
    def.OutputFormats.reset();
    for (int f : formats) def.OutputFormats.set(static_cast<std::size_t>(f));
}

void SetLetters(std::array<char, 26>& letters, std::string_view text) {
    letters = {};
    std::copy_n(text.begin(), std::min(text.size(), letters.size()), letters.begin());
}

void SetList(std::array<std::string, 100>& list, std::initializer_list<std::string_view> items) {
    list = {};
    std::copy(items.begin(), items.end(), list.begin());
}

void SetPeriod(ContestDefinition& def, int index, ContestPeriod period) {
    assert(index >= 1 && index <= static_cast<int>(def.Periods.size()));
    def.Periods[static_cast<std::size_t>(index - 1)] = std::move(period);
}

ContestPeriod MakePeriod(std::string_view date, std::string_view timeFrom, std::string_view timeTo,
                         std::string_view bands, std::string_view dateTo) {
    ContestPeriod p{
        std::string(date), std::string(dateTo), std::string(timeFrom), std::string(timeTo), {}};
    std::copy_n(bands.begin(), std::min(bands.size(), p.Bands.size()), p.Bands.begin());
    return p;
}

ExchangeField DokField(const ContestEntry& entry) {
    return {kKindDok, "DOK", kKindDok, entry.Dok()};
}

ExchangeField LocatorField() {
    return {kKindLocator6, "LOC", kKindLocator6, radio::Program().OwnLocator};
}

ExchangeField SerialField() {
    return {kKindNumber, "Nr", kKindSerial, std::string(kFirstSerial)};
}

ExchangeField MemberField(std::int32_t kind, std::string_view label, const ContestEntry& entry) {
    return {kind, label, kind, entry.ClubNumber()};
}

int CategoryOf(const ContestEntry& entry) {
    return entry.Category() == 0 ? 1 : entry.Category();
}

}  // namespace mss::contest::build
