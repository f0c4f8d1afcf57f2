// A radio's frequency through Hamlib becomes a band of the band table, as a
// typed frequency does. Hamlib's dummy radio (model 1) stands in for one.
#include <gtest/gtest.h>

#include "platform/HamlibRig.h"
#include "radio/Baender.h"

namespace mss::radio {
namespace {

using platform::HamlibRig;
using platform::RigError;

TEST(RigBandTest, TheDummyRadiosFrequencyIsReadBackAndNamesItsBand) {
    platform::RigOpening opening = HamlibRig::Open({1, "", 0});
    ASSERT_TRUE(opening.Status.Ok()) << opening.Status.Text;
    ASSERT_NE(opening.Rig, nullptr);

    struct Case {
        double hz;
        char band;
    };
    const Case cases[] = {
        {144'360'000, 'k'}, {432'200'000, 'l'}, {50'200'000, 'j'}, {146'500'000, kNoBand}};
    for (const Case& c : cases) {
        ASSERT_TRUE(opening.Rig->SetFrequency(c.hz).Ok());
        const platform::RigFrequency read = opening.Rig->ReadFrequency();
        ASSERT_TRUE(read.Status.Ok()) << read.Status.Text;
        EXPECT_DOUBLE_EQ(read.Hz, c.hz);
        EXPECT_EQ(ToBaender::BandFromFrequency(read.Hz / 1e6), c.band) << c.hz;
    }
    EXPECT_EQ(ToBaender::BandName('k', false), "2 m");
}

TEST(RigBandTest, FailuresComeBackAsValues) {
    struct Case {
        const char* what;
        platform::RigSettings settings;
        RigError error;
    };
    const Case cases[] = {
        {"no such model", {999'999, "", 0}, RigError::NoSuchModel},
        {"no such serial port", {1035, "/nonexistent/ttyUSB9", 9600}, RigError::OpenFailed},
        {"nobody listening for rigctl", {2, "127.0.0.1:1", 0}, RigError::OpenFailed},
    };
    for (const Case& c : cases) {
        const platform::RigOpening opening = HamlibRig::Open(c.settings);
        EXPECT_EQ(opening.Status.Error, c.error) << c.what;
        EXPECT_EQ(opening.Rig, nullptr) << c.what;
        EXPECT_FALSE(opening.Status.Text.empty()) << c.what;
    }
}

}  // namespace
}  // namespace mss::radio
