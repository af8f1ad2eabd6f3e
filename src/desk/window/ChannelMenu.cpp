#include "desk/window/ChannelMenu.h"

#include "desk/runtime/ModuleCalculations.h"
#include "desk/runtime/ModuleLoader.h"
#include "desk/window/QtText.h"
#include "host/IChannelCalculation.h"
#include "host/IChannelCalculationSettings.h"
#include "platform/com/MemoryStream.h"

namespace Desk {

namespace {

QString ClassName(IChannelCalculationClass& kind)
{
    VEX::String name;
    kind.Name(&name);
    return ToQt(name);
}

bool Apply(Session& session, std::int32_t channel, IChannelCalculation* calculation,
           const ChannelMenu::Report& report)
{
    VEX::String reason;
    if (Failed(session.Host().Engine().ChannelCalculations()->Apply(channel, calculation, &reason))) {
        report(ToQt(reason));
        return false;
    }
    return true;
}

void FillChannelMenu(QMenu& menu, Session& session, std::int32_t channel, const ChannelMenu::AfterChange& after,
                     const ChannelMenu::Report& report)
{
    menu.clear();
    for (const ComPtr<IChannelCalculationClass>& kind :
         ModuleLoader::Load().FindAll<IChannelCalculationClass>(Host::ClassRole::ChannelCalculation)) {
        QAction* set = menu.addAction(QObject::tr("Set %1...").arg(ClassName(*kind)));
        QObject::connect(set, &QAction::triggered, &menu, [&session, channel, kind, after, report] {
            ChannelMenu::SetCalculation(session, channel, *kind, report);
            after();
        });
    }
    menu.addSeparator();
    const ComPtr<IChannelCalculation> current = session.Host().Engine().Calculation(channel);
    QAction* edit = menu.addAction(QObject::tr("Calculation &settings..."));
    edit->setEnabled(static_cast<bool>(current.As<IChannelCalculationSettings>()));
    const bool calculated = static_cast<bool>(current);
    QObject::connect(edit, &QAction::triggered, &menu, [&session, channel, after, report] {
        ChannelMenu::EditCalculation(session, channel, report);
        after();
    });
    QAction* remove = menu.addAction(QObject::tr("&Remove calculation"));
    remove->setEnabled(calculated);
    QObject::connect(remove, &QAction::triggered, &menu, [&session, channel, after] {
        ChannelMenu::RemoveCalculation(session, channel);
        after();
    });
}

} // namespace

QMenu* ChannelMenu::Build(QMenuBar& bar, QAction* before, Session& session, AfterChange after, Report report)
{
    auto* top = new QMenu(QObject::tr("&Channel"), &bar);
    const Recording& data = session.Host().Data();
    for (std::int32_t channel = 0; channel < data.ChannelCount(); ++channel) {
        QMenu* menu = top->addMenu(QObject::tr("%1: %2").arg(channel + 1).arg(ToQt(data.ChannelTitle(channel))));
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &session, channel, after, report] {
            FillChannelMenu(*menu, session, channel, after, report);
        });
    }
    bar.insertMenu(before, top);
    return top;
}

void ChannelMenu::SetCalculation(Session& session, std::int32_t channel, IChannelCalculationClass& kind,
                                 const Report& report)
{
    // Create hands out a count of 1, which the pointer takes over.
    ComPtr<IChannelCalculation> calculation;
    if (Failed(kind.Create(static_cast<IHostDocument*>(&session.Host()), calculation.Put())) || !calculation) {
        report(QObject::tr("The calculation %1 could not be made.").arg(ClassName(kind)));
        return;
    }
    // A channel that refuses the calculation is refused before its dialog.
    VEX::String reason;
    if (Failed(calculation->CheckChannel(channel, &reason))) {
        report(ToQt(reason));
        return;
    }
    // A calculation without a dialog is set with its defaults.
    const ComPtr<IChannelCalculationSettings> settings = calculation.As<IChannelCalculationSettings>();
    if (settings && settings->EditSettings() != S_OK) {
        return;
    }
    if (Apply(session, channel, calculation.Get(), report)) {
        RememberModuleCalculation(session.Host(), channel, ClassName(kind).toStdString());
    }
}

void ChannelMenu::EditCalculation(Session& session, std::int32_t channel, const Report& report)
{
    const ComPtr<IChannelCalculation> calculation = session.Host().Engine().Calculation(channel);
    const ComPtr<IChannelCalculationSettings> settings = calculation.As<IChannelCalculationSettings>();
    if (!settings) {
        return;
    }
    // The settings before, should the channel refuse the new ones.
    const ComPtr<MemoryStream> before = MakeCom<MemoryStream>();
    calculation->SaveSettings(before.Get());
    if (settings->EditSettings() != S_OK) {
        return;
    }
    if (!Apply(session, channel, calculation.Get(), report)) {
        before->Seek(0, SeekOrigin::Begin, nullptr);
        calculation->LoadSettings(before.Get());
    }
}

void ChannelMenu::RemoveCalculation(Session& session, std::int32_t channel)
{
    session.Host().Engine().ChannelCalculations()->Apply(channel, nullptr, nullptr);
}

} // namespace Desk
