#include "app/startup/SuiteSettingsValues.h"

#include <array>
#include <string>
#include <utility>

#include "radio/ProgramValues.h"
#include "radio/SuffixList.h"

namespace mss::app {
namespace {

// A form colour other programs of the suite wrote by mistake, and the one meant.
constexpr std::uint32_t kBadFormColour = 0x02CD9E87;
constexpr std::uint32_t kMendedFormColour = 0x02CF9F7F;

// The order of the colour block of the settings record (for a scheme or a
// const scheme).
template <class Scheme>
auto ColourBlock(Scheme& c) {
    return std::array{&c.panel, &c.labelFont, &c.tag99Font, &c.browHeader, &c.browHeaderFont};
}
static_assert(std::tuple_size_v<decltype(ColourBlock(std::declval<ui::ColourScheme&>()))> ==
              suite::SuiteSettings::kColours);

std::uint32_t AsColour(std::int32_t stored) {
    return static_cast<std::uint32_t>(stored);
}
std::int32_t AsStored(std::uint32_t colour) {
    return static_cast<std::int32_t>(colour);
}

void TakeColours(const suite::SuiteSettings& settings, ui::ColourScheme& colours) {
    bool any = false;
    for (int i = 0; i < suite::SuiteSettings::kColours; ++i) any |= settings.Colour(i) != 0;
    if (!any) return;
    const auto block = ColourBlock(colours);
    for (int i = 0; i < suite::SuiteSettings::kColours; ++i)
        *block[i] = AsColour(settings.Colour(i));
    if (settings.BandColour() == 0) return;
    colours.form = AsColour(settings.FormColour());
    if (colours.form == kBadFormColour) colours.form = kMendedFormColour;
    colours.leftBarBand = AsColour(settings.BandColour());
}

void TakeSuffixes(const suite::SuiteSettings& settings) {
    std::array<std::string, suite::SuiteSettings::kSuffixEntries> entries;
    for (int i = 0; i < suite::SuiteSettings::kSuffixEntries; ++i)
        entries[i] = settings.SuffixText(i + 1);
    radio::ActiveSuffixList().TakeSettingsEntries(entries);
}

}  // namespace

void TakeSuiteSettings(const suite::SuiteSettings& settings, ui::ColourScheme& colours) {
    auto& values = radio::Program();
    TakeColours(settings, colours);
    TakeSuffixes(settings);
    values.LetterCase = settings.LetterCase();
    if (const std::string locator = settings.Locator(); !locator.empty())
        values.OwnLocator = locator;
    values.ClockOffset = settings.ClockOffset();
    values.OwnName = settings.OperatorName();
    values.SwlNumber = settings.ListenerNumber();
    values.OwnCall = settings.CallSign();
}

void StoreSuiteSettings(suite::SuiteSettings& settings, const ui::ColourScheme& colours) {
    const auto& values = radio::Program();
    settings.SetCallSign(values.OwnCall);
    settings.SetListenerNumber(values.SwlNumber);
    settings.SetLocator(values.OwnLocator);
    settings.SetClockOffset(values.ClockOffset);
    settings.SetLetterCase(values.LetterCase);
    settings.SetOperatorName(values.OwnName);
    settings.SetProfileNumber(values.ProfileNumber);
    const auto block = ColourBlock(colours);
    for (int i = 0; i < suite::SuiteSettings::kColours; ++i)
        settings.SetColour(i, AsStored(*block[i]));
    settings.SetFormColour(AsStored(colours.form));
    settings.SetBandColour(AsStored(colours.leftBarBand));
}

}  // namespace mss::app
