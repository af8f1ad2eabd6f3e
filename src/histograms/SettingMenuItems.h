#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graph/MessageReceiver.h"
#include "host/ISpikeDocInterface.h"
#include "platform/text/VexString.h"

namespace DUdido1 {
class GraphMenu;
}

namespace Nerolith {

// A view's own settings as items of its panes' context menus: each item
// gives one setting one value through the document (so the view, the
// copied text and written pictures agree), and shows checked while the
// setting has that value ("jitter" also while it is "jitter:20:200:1").
class SettingMenuItems final : public MessSys::MessageReceiver {
public:
    struct Choice {
        std::u16string name;
        std::u16string value;
        VEX::String text;
    };
    // Item ids start here, clear of the plot styles'.
    static constexpr std::int32_t kFirstId = 200;

    SettingMenuItems(ISpikeDocInterface& document, Host::ViewKind kind, std::vector<Choice> choices);

    // A separator, then the choices; the first choice of each setting after
    // another setting's also follows a separator.
    void AddTo(DUdido1::GraphMenu& menu);
    const std::vector<Choice>& Choices() const { return choices_; }

    void Receive(MessSys::Message& message) override;

private:
    const Choice* Find(std::int32_t id) const;
    bool IsChosen(const Choice& choice) const;

    ISpikeDocInterface& document_;
    Host::ViewKind kind_;
    std::vector<Choice> choices_;
};

} // namespace Nerolith
