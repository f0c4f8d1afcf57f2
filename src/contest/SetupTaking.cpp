#include "contest/SetupTaking.h"

#include "contest/EntrySetup.h"
#include "contest/SetupCheck.h"
#include "contest/StationSettings.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

namespace mss::contest {

void TakeSetupInput(const SetupInput& in, const ContestDefinition& definition, char code,
                    ContestEntry& entry) {
    auto& values = radio::Program();
    entry.SetName(in.name);
    entry.SetCall(in.call);
    // The entry holds fewer characters of the call than the suite: a call the
    // operator left as the entry showed it keeps its stored length.
    if (in.call != values.OwnCall.substr(0, kCallCapacity)) values.OwnCall = in.call;
    const std::string district = WithoutBlanks(in.district);
    if (EntryUsesLdk(definition, code))
        entry.SetLdk(district);
    else
        entry.SetDok(district);
    values.OwnLocator = in.locator;
    entry.SetLocator(in.locator);
    values.SwlNumber = in.swl;
    entry.SetStartDate(radio::TextToDate(radio::DateFormat, in.startDate));
    entry.SetEndDate(radio::TextToDate(radio::DateFormat, in.endDate));
    entry.SetStartTime(ReadSetupTime(in.startTime));
    entry.SetEndTime(ReadSetupTime(in.endTime));
    entry.MarkSaved();
    values.OwnName = in.ownName;
    entry.SetPlz(SplitPostcodeTown(in.postcode + " " + in.town).first);
}

}  // namespace mss::contest
