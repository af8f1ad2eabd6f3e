#include "shell/EditHistory.h"

#include <utility>

namespace Nerolith {

namespace {

void Push(std::deque<EditHistory::Stream>& states, EditHistory::Stream state)
{
    states.push_back(std::move(state));
    if (states.size() > EditHistory::kDepth) {
        states.pop_front();
    }
}

std::optional<EditHistory::Stream> Move(std::deque<EditHistory::Stream>& from, std::deque<EditHistory::Stream>& to,
                                        EditHistory::Stream current)
{
    if (from.empty()) {
        return std::nullopt;
    }
    EditHistory::Stream state = std::move(from.back());
    from.pop_back();
    Push(to, std::move(current));
    return state;
}

} // namespace

void EditHistory::Record(Stream before)
{
    Push(undo_, std::move(before));
    redo_.clear();
}

std::optional<EditHistory::Stream> EditHistory::Undo(Stream current)
{
    return Move(undo_, redo_, std::move(current));
}

std::optional<EditHistory::Stream> EditHistory::Redo(Stream current)
{
    return Move(redo_, undo_, std::move(current));
}

void EditHistory::Clear()
{
    undo_.clear();
    redo_.clear();
}

} // namespace Nerolith
