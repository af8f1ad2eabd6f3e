#include <gtest/gtest.h>

#include "discriminator/UnitQualityText.h"

namespace {

using Nerolith::UnitQualityText;

Host::UnitQuality Measured()
{
    Host::UnitQuality unit;
    unit.name = VEX::String(u"Unit B");
    unit.spikes = 400;
    unit.refractoryViolations = 0;
    unit.refractoryFraction = 0.0;
    unit.isolationDistance = 66.24;
    unit.lRatio = 0.00031;
    unit.snr = 25.08;
    unit.presence = 1.0;
    return unit;
}

TEST(UnitQualityTextTest, OneSentenceWithEveryFigure)
{
    EXPECT_EQ(UnitQualityText(Measured()),
              u"Unit B: 0 refractory violations (0%), isolation 66.2, L-ratio 0.00031, SNR 25.1, present 100%.");
}

TEST(UnitQualityTextTest, MarksTheFiguresPastTheirThresholdsAndSaysNaForTheUnmeasured)
{
    Host::UnitQuality unit = Measured();
    unit.refractoryViolations = 1;
    unit.refractoryFraction = 0.025;
    unit.presence = 0.5;
    unit.warnings = Host::kWarnRefractory | Host::kWarnPresence;
    unit.isolationDistance = Host::UnitQuality::kAbsent;
    unit.lRatio = Host::UnitQuality::kAbsent;
    EXPECT_EQ(UnitQualityText(unit),
              u"Unit B: 1 refractory violation (2.5%) (!), isolation n/a, L-ratio n/a, SNR 25.1, present 50% (!).");

    Host::UnitQuality empty;
    empty.name = VEX::String(u"U");
    EXPECT_EQ(UnitQualityText(empty),
              u"U: 0 refractory violations (n/a), isolation n/a, L-ratio n/a, SNR n/a, present n/a.");
}

} // namespace
