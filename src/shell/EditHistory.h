#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace Nerolith {

// The document's undo and redo: the settings stream (settings, units, hand
// assignments, selected unit) as it stood before each edit. Undo hands back
// the stream before the last edit and keeps the current one for Redo; a new
// edit drops what could be redone. The oldest states go past a limit.
class EditHistory {
public:
    using Stream = std::vector<std::uint8_t>;

    static constexpr std::size_t kDepth = 200;

    // An edit changed the document from `before`.
    void Record(Stream before);
    // The state to go back to, or none; `current` is kept for Redo.
    std::optional<Stream> Undo(Stream current);
    // The state to go forward to, or none; `current` is kept for Undo.
    std::optional<Stream> Redo(Stream current);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // A loaded or cleared document starts a new history.
    void Clear();

private:
    std::deque<Stream> undo_;
    std::deque<Stream> redo_;
};

} // namespace Nerolith
