#include "desk/demo/DemoRandom.h"

namespace Desk {
namespace {

constexpr std::uint64_t kDemoSeed = 0x4E45524F4C495448ULL; // "NEROLITH"

// SplitMix64's finaliser: neighbouring seeds give unrelated engine states.
std::uint64_t Scramble(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

DemoRandom::DemoRandom(std::int32_t block, std::uint32_t purpose)
    : engine_(Scramble(kDemoSeed ^ (static_cast<std::uint64_t>(block) << 32 | purpose)))
{
}

double DemoRandom::Uniform()
{
    constexpr double kTwoToMinus53 = 1.0 / 9007199254740992.0;
    return static_cast<double>(engine_() >> 11) * kTwoToMinus53;
}

bool DemoRandom::Chance(double probability) { return Uniform() < probability; }

double DemoRandom::Normal()
{
    // Twelve 16-bit uniforms from three draws; their sum has mean 6 and
    // variance 1 (up to the 16-bit grain).
    std::uint64_t sum = 0;
    for (int draw = 0; draw < 3; ++draw) {
        const std::uint64_t bits = engine_();
        for (int part = 0; part < 4; ++part) {
            sum += (bits >> (16 * part)) & 0xFFFF;
        }
    }
    constexpr double kScale = 1.0 / 65536.0;
    return (static_cast<double>(sum) + 6.0) * kScale - 6.0;
}

} // namespace Desk
