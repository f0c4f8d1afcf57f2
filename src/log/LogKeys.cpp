#include "log/LogKeys.h"

#include "log/Exchange.h"
#include "radio/BaseCall.h"
#include "radio/FormatPicture.h"
#include "radio/Modi.h"
#include "radio/Text.h"
#include "store/KeyCodec.h"

namespace mss::log {

namespace {

// Counters that must sort highest first are keyed as this minus the value.
constexpr std::int32_t kDescendingBase = 99999999;

void AppendBigEndian(std::string& key, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) key += static_cast<char>((v >> shift) & 0xFF);
}

std::string DateTime(const QsoRecord& r) {
    std::string key;
    AppendBigEndian(key, r.Datum());
    AppendBigEndian(key, r.Zeit());
    return key;
}

std::string HomeCall(const QsoRecord& r) {
    return radio::Fit(radio::BaseCall(r.Call(), radio::BaseCallVariant::kKey), 14);
}

std::string Descending(std::int32_t value) {
    return store::IntToKey(kDescendingBase - value);
}

std::string AsChar(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

// Spare170 when set, else Spare171 when it is neither 0 nor a blank.
char SpareCharacter(const QsoRecord& r) {
    if (r.Spare170() != 0) return static_cast<char>(r.Spare170());
    if (r.Spare171() != 0 && r.Spare171() != ' ') return static_cast<char>(r.Spare171());
    return '\0';
}

}  // namespace

std::string LogFileName(std::int32_t entryNumber) {
    // Four digits cover every number the entry list hands out in practice;
    // a larger one keeps all its digits rather than turning into "****" and
    // sharing one file with every other large number.
    if (entryNumber < 0 || entryNumber > 9999) return "QVLK" + std::to_string(entryNumber);
    return "QVLK" + radio::FormatPicture("@@@@", entryNumber);
}

std::string BuildKey(const QsoRecord& r, int keyNumber) {
    using radio::Fit;
    const std::string band(1, r.Band());
    switch (keyNumber) {
        case kByTime:
            return DateTime(r);
        case kByCallTime:
            return HomeCall(r) + DateTime(r);
        case kByLocatorTime:
            return Fit(r.Locator(), 6) + DateTime(r);
        case kByNummer:
            return store::IntToKey(r.Nummer());
        case kByPrefix:
            return Fit(r.Prefix(), 6);
        case kByCall:
            return HomeCall(r);
        case kByMarked:
            return r.Marked() == 1 ? "1" : " ";
        case kByBandSeq:
            return band + store::IntToKey(r.BandSeq());
        case kByBandCallMode:
            return band + HomeCall(r) + Fit(r.Mode(), 6);
        case kByBandPrefix:
            return band + Fit(r.Prefix(), 6);
        case kByBandNrDown:
            return band + Descending(r.BandNr());
        case kByBandSeqDown:
            return band + Descending(r.BandSeq());
        case kByLfdNr:
            return store::IntToKey(r.LfdNr());
        case kByBandSpare170:
            return band + AsChar(r.Spare170());
        case kByBandSpare171:
            return band + AsChar(r.Spare171());
        case kBySpares:
            return AsChar(r.Spare170()) + AsChar(r.Spare171());
        case kByBandSpare:
            return band + SpareCharacter(r);
        case kByDok:
            return Fit(DokOf(r), 8);
        case kByMultiCol1:
            return Fit(r.MultiCol1(), 6);
        case kByCall2:
            return Fit(r.Call2(), 6);
        case kByBandDok:
            return band + Fit(DokOf(r), 8);
        case kByBandPrefix2:
            return band + Fit(r.Prefix2(), 6);
        case kByBandLocator:
            return band + Fit(r.Locator(), 6);
        case kByModeNrDown:
            return radio::ModeClass(r.Mode()) + Descending(r.ModeNr());
        case kByBandDistrict:
            return band + Fit(r.District(), 2);
        case kByDistrict:
            return Fit(r.District(), 2);
        case kByBandCall2:
            return band + Fit(r.Call2(), 6);
        default:
            return {};
    }
}

}  // namespace mss::log
