#include "desk/window/ModuleMenu.h"

#include <QMenuBar>

#include <map>

#include "desk/window/QtText.h"

namespace Desk {

namespace {

// Finds or makes the menu for every part of a path but the last.
class MenuTree {
public:
    MenuTree(QMenuBar& bar, QAction* before) : bar_(bar), before_(before) {}

    QMenu& MenuFor(const QStringList& parts)
    {
        QString key;
        QMenu* menu = nullptr;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            key += parts[i] + QLatin1Char('|');
            auto found = menus_.find(key);
            if (found == menus_.end()) {
                QMenu* made = menu == nullptr ? new QMenu(parts[i], &bar_) : menu->addMenu(parts[i]);
                if (menu == nullptr) {
                    bar_.insertMenu(before_, made);
                    topLevel_.append(made);
                }
                found = menus_.emplace(key, made).first;
            }
            menu = found->second;
        }
        return *menu;
    }

    const QList<QMenu*>& TopLevel() const { return topLevel_; }

private:
    QMenuBar& bar_;
    QAction* before_;
    std::map<QString, QMenu*> menus_;
    QList<QMenu*> topLevel_;
};

// Asks the handlers for the state of the menu's commands as it opens.
void UpdateOnShow(QMenu& menu, CommandRegistry& registry)
{
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, &registry] {
        for (QAction* action : menu.actions()) {
            const QVariant id = action->data();
            const CommandRegistry::Item* item = id.isValid() ? registry.Find(id.toUInt()) : nullptr;
            if (item == nullptr || item->IsSeparator()) {
                continue;
            }
            const std::uint32_t command = item->command.id;
            action->setEnabled(item->handler->IsEnabled(command));
            // Only a checked command shows a check mark.
            const bool checked = item->handler->IsChecked(command);
            action->setCheckable(checked);
            action->setChecked(checked);
            VEX::String text;
            if (Succeeded(item->handler->MenuText(command, &text)) && !text.Empty()) {
                action->setText(ToQt(text));
            }
        }
    });
}

// A submenu's items, asked afresh each time it opens.
void FillOnShow(QMenu& submenu, const CommandRegistry::Item& item, const ModuleMenu::AfterCommand& after)
{
    const ComPtr<ICommandSubmenu> source = item.submenu;
    const std::uint32_t id = item.command.id;
    QObject::connect(&submenu, &QMenu::aboutToShow, &submenu, [&submenu, source, id, after] {
        submenu.clear();
        std::vector<VEX::String> texts;
        if (Failed(source->SubmenuItems(id, &texts))) {
            return;
        }
        for (std::uint32_t index = 0; index < texts.size(); ++index) {
            QObject::connect(submenu.addAction(ToQt(texts[index])), &QAction::triggered, &submenu,
                             [source, id, index, after] {
                                 source->ExecuteSubmenuItem(id, index);
                                 after();
                             });
        }
    });
}

} // namespace

QList<QMenu*> ModuleMenu::Build(QMenuBar& bar, QAction* before, CommandRegistry& registry, AfterCommand after)
{
    MenuTree tree(bar, before);
    std::map<QMenu*, bool> seen;
    for (const CommandRegistry::Item& item : registry.Items()) {
        const QStringList parts = ToQt(item.command.path).split(QLatin1Char('|'));
        if (parts.size() < 2) {
            continue;
        }
        QMenu& menu = tree.MenuFor(parts);
        if (!seen[&menu]) {
            seen[&menu] = true;
            UpdateOnShow(menu, registry);
        }
        if (item.IsSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(parts.last());
        action->setData(item.command.id);
        action->setStatusTip(ToQt(item.command.description));
        if (item.submenu) {
            auto* submenu = new QMenu(&menu);
            action->setMenu(submenu);
            FillOnShow(*submenu, item, after);
            continue;
        }
        const std::uint32_t id = item.command.id;
        QObject::connect(action, &QAction::triggered, action, [&registry, id, after] {
            registry.Invoke(id);
            after();
        });
    }
    return tree.TopLevel();
}

} // namespace Desk
