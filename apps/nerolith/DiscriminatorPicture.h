#pragma once

#include <optional>
#include <string>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// The discriminator's pictures as `render --view` names them: the whole
// view ("discriminator"), its scatter plot ("scatter") or its spike plot
// ("waveforms"); none for another name.
std::optional<std::string> DiscriminatorPictureName(const std::string& view);

// Opens the discriminator view of the session's document (once).
void OpenDiscriminator(Desk::Session& session);

// `--units suggest`: contour units around the clusters of the analysed
// spikes, made by the discriminator view; throws when it finds none.
void SuggestUnits(Desk::Session& session);

// What a discriminator picture shows and how large it is.
struct DiscriminatorPictureOptions {
    std::string picture;             // discriminator, scatter or waveforms
    std::optional<std::string> size; // WxH
    std::optional<std::string> unit; // the spike plot: this unit's spikes only
    bool printout = false;           // the whole view's printout (PDF) instead
};

// The picture into a .png, .svg or .pdf file.
void WriteDiscriminatorPicture(Desk::Session& session, const DiscriminatorPictureOptions& options,
                               const std::string& path);

} // namespace Nerolith::Cli
