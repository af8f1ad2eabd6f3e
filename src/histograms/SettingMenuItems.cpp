#include "histograms/SettingMenuItems.h"

#include <utility>

#include "graph/GraphMenu.h"
#include "graph/GraphMessages.h"

namespace Nerolith {

SettingMenuItems::SettingMenuItems(ISpikeDocInterface& document, Host::ViewKind kind, std::vector<Choice> choices)
    : document_(document), kind_(kind), choices_(std::move(choices))
{
}

void SettingMenuItems::AddTo(DUdido1::GraphMenu& menu)
{
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        if (i == 0 || choices_[i].name != choices_[i - 1].name) {
            menu.AddSeparator();
        }
        menu.AddItem(kFirstId + static_cast<std::int32_t>(i), choices_[i].text, this);
    }
}

const SettingMenuItems::Choice* SettingMenuItems::Find(std::int32_t id) const
{
    const std::int32_t index = id - kFirstId;
    return index >= 0 && index < static_cast<std::int32_t>(choices_.size())
               ? &choices_[static_cast<std::size_t>(index)]
               : nullptr;
}

bool SettingMenuItems::IsChosen(const Choice& choice) const
{
    VEX::String current;
    if (Failed(document_.GetViewSetting(kind_, VEX::String(choice.name), &current))) {
        return false;
    }
    const std::u16string_view text = current.View();
    return text == choice.value || text.starts_with(choice.value + u":");
}

void SettingMenuItems::Receive(MessSys::Message& message)
{
    if (auto* state = dynamic_cast<DUdido1::PreDisplayMenuMessage*>(&message)) {
        if (const Choice* choice = Find(state->id)) {
            state->checked = IsChosen(*choice);
        }
    } else if (const auto* chosen = dynamic_cast<const DUdido1::OnMenuItemMessage*>(&message)) {
        if (const Choice* choice = Find(chosen->id)) {
            document_.SetViewSetting(kind_, VEX::String(choice->name), VEX::String(choice->value));
        }
    }
}

} // namespace Nerolith
