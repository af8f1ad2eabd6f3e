#include "DiscriminatorPicture.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

#include "ChannelUnits.h"

namespace Nerolith::Cli {
namespace {

using Host::ViewKind;

// The most clusters a suggestion weighs.
constexpr const char16_t* kMostClusters = u"6";

void Set(Desk::Session& session, const char16_t* name, const std::string& value, const std::string& what)
{
    if (Failed(session.Analysis().SetViewSetting(ViewKind::Discriminator, VEX::String(name),
                                                 VEX::String::FromUtf8(value)))) {
        throw std::runtime_error(what);
    }
}

} // namespace

std::optional<std::string> DiscriminatorPictureName(const std::string& view)
{
    std::string lower = view;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    constexpr std::array<const char*, 3> kNames{"discriminator", "scatter", "waveforms"};
    const bool known = std::any_of(kNames.begin(), kNames.end(), [&lower](const char* name) { return lower == name; });
    return known ? std::optional<std::string>(lower) : std::nullopt;
}

void OpenDiscriminator(Desk::Session& session)
{
    if (Failed(session.Analysis().OpenView(ViewKind::Discriminator))) {
        throw std::runtime_error("the discriminator view could not be opened");
    }
}

void SuggestUnits(Desk::Session& session)
{
    OpenDiscriminator(session);
    const std::int32_t before = session.Analysis().SpikeCount();
    Set(session, u"suggest-units", VEX::String(kMostClusters).ToUtf8(),
        "--units suggest: the suggested units could not be created");
    std::vector<Host::UnitDescription> units;
    session.Analysis().GetUnits(&units);
    if (units.empty()) {
        throw std::runtime_error("--units suggest: no clusters found among " + std::to_string(before) + " spikes");
    }
}

// The spike plot shows only the selected unit's spikes.
void ShowOnly(Desk::Session& session, const std::string& name)
{
    const std::vector<Host::UnitDescription> units = SourceChannelUnits(session);
    const auto unit = std::find_if(units.begin(), units.end(),
                                   [&name](const Host::UnitDescription& u) { return u.name.ToUtf8() == name; });
    if (unit == units.end()) {
        throw std::runtime_error("--unit " + name + ": no such unit; the channel's units: " + UnitListText(units));
    }
    if (Failed(session.Analysis().SetSelectedUnit(unit->number))) {
        throw std::runtime_error("--unit " + name + ": the unit could not be selected");
    }
    Set(session, u"waveforms", "selected", "--unit " + name + ": the spike plot cannot show one unit");
}

void WriteDiscriminatorPicture(Desk::Session& session, const DiscriminatorPictureOptions& options,
                               const std::string& path)
{
    const std::string& picture = options.picture;
    OpenDiscriminator(session);
    Set(session, u"picture", picture, "--view " + picture + ": the discriminator cannot draw this picture");
    if (options.size) {
        Set(session, u"size", *options.size, "--size " + *options.size + ": the view cannot take this size");
    }
    if (options.unit) {
        ShowOnly(session, *options.unit);
    }
    if (options.printout) {
        if (picture != "discriminator" || !path.ends_with(".pdf")) {
            throw std::runtime_error("--printout: prints --view discriminator to -o FILE.pdf");
        }
        Set(session, u"print", path, path + ": cannot print the discriminator view");
        return;
    }
    Set(session, u"write-picture", path, path + ": cannot write the " + picture + " picture");
}

} // namespace Nerolith::Cli
