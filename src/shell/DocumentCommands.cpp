#include "shell/DocumentCommands.h"

#include <array>

#include "module/StringTable.h"
#include "shell/CommandTable.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr double kSelectionMinimum = -32000.0;
constexpr double kSelectionMaximum = 32000.0;
constexpr const char16_t* kHelpFile = u"NerolithHelp.chm";

constexpr std::array<WindowsMenuItem, 6> kWindowsMenu = {{
    {Commands::kAmplitudeHistogram, Host::ViewKind::AmplitudeHistogram},
    {Commands::kRateMeter, Host::ViewKind::RateMeter},
    {Commands::kInterspikeInterval, Host::ViewKind::InterspikeInterval},
    {Commands::kAutocorrelation, Host::ViewKind::Autocorrelation},
    {Commands::kCrossCorrelation, Host::ViewKind::CrossCorrelation},
    {Commands::kPeristimulusTime, Host::ViewKind::PeristimulusTime},
}};

std::optional<Host::ViewKind> ViewOfCommand(std::uint32_t commandId)
{
    if (commandId == Commands::kDiscriminator) {
        return Host::ViewKind::Discriminator;
    }
    for (const WindowsMenuItem& item : kWindowsMenu) {
        if (item.textId == commandId) {
            return item.view;
        }
    }
    return std::nullopt;
}

const CommandEntry* FindEntry(std::uint32_t commandId)
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.id == commandId) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

void DocumentCommands::BuildMenu(ICommandFactory& factory, IUnknown* trigger, ICommandHandler* handler,
                                 ICommandSubmenu* submenu) const
{
    const VEX::String key(kMenuKey);
    factory.CreateMenu(key, VEX::String(kMenuPlace));
    for (const CommandEntry& entry : CommandTable()) {
        const Host::CommandSpec command = DescribeCommand(entry);
        if (entry.IsSeparator()) {
            factory.AddSeparator(key, command.path, command.flags);
        } else if (entry.id == Commands::kWindows && submenu != nullptr) {
            factory.AddSubmenu(key, trigger, handler, submenu, command);
        } else {
            factory.AddCommand(key, trigger, handler, command);
        }
    }
}

std::span<const WindowsMenuItem> DocumentCommands::WindowsMenu() { return kWindowsMenu; }

HRESULT DocumentCommands::OpenWindowsItem(std::size_t item)
{
    if (item >= kWindowsMenu.size()) {
        return E_INVALIDARG;
    }
    return doc_.OpenView(kWindowsMenu[item].view);
}

HRESULT DocumentCommands::SubmenuItems(std::uint32_t commandId, std::vector<VEX::String>* items) const
{
    if (items == nullptr) {
        return E_POINTER;
    }
    if (commandId != Commands::kWindows) {
        return E_INVALIDARG;
    }
    items->clear();
    for (const WindowsMenuItem& item : kWindowsMenu) {
        items->push_back(LoadString(item.textId));
    }
    return S_OK;
}

HRESULT DocumentCommands::ExecuteSubmenuItem(std::uint32_t commandId, std::uint32_t item)
{
    return commandId == Commands::kWindows ? OpenWindowsItem(item) : E_INVALIDARG;
}

HRESULT DocumentCommands::Execute(std::uint32_t commandId)
{
    if (const std::optional<Host::ViewKind> view = ViewOfCommand(commandId)) {
        return doc_.OpenView(*view);
    }
    switch (commandId) {
    case Commands::kSettings:
        return OpenSettingsDialog();
    case Commands::kWindows:
        // The host shows the submenu; its items come through OpenWindowsItem.
        return S_FALSE;
    case Commands::kExportNex:
        return ExportToNeuroExplorer();
    case Commands::kHelp:
        return doc_.Services() ? doc_.Services()->ShowHelp(VEX::String(kHelpFile), {}) : E_FAIL;
    case Commands::kShowSpikeMarkers:
        doc_.ToggleShowSpikeMarkers();
        return S_OK;
    case Commands::kAnalyzeWhileSampling:
        doc_.ToggleAnalyzeWhileSampling();
        return S_OK;
    case Commands::kReselectAnalyzedData:
        return ReselectAnalyzedData();
    case Commands::kClearAnalysis:
        doc_.SendClearAnalysisRequest();
        return S_OK;
    case Commands::kAnalyze:
        doc_.SendAnalyzeRequest();
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

bool DocumentCommands::SourceChannelHasAnalysis() const
{
    const ChannelAnalysisRecord* record = doc_.Settings().FindRecord(doc_.Settings().sourceChannel);
    return record != nullptr && record->analyzed && !RangeIsEmpty(*record);
}

bool DocumentCommands::IsEnabled(std::uint32_t commandId) const
{
    switch (commandId) {
    case Commands::kSettings:
    case Commands::kAnalyzeWhileSampling:
    case Commands::kAnalyze:
        return !doc_.IsSampling();
    case Commands::kReselectAnalyzedData:
    case Commands::kClearAnalysis:
        return SourceChannelHasAnalysis();
    default:
        return true;
    }
}

bool DocumentCommands::IsChecked(std::uint32_t commandId) const
{
    switch (commandId) {
    case Commands::kShowSpikeMarkers:
        return doc_.Settings().showSpikeMarkers;
    case Commands::kAnalyzeWhileSampling:
        return doc_.Settings().analyzeWhileSampling;
    default:
        return false;
    }
}

HRESULT DocumentCommands::MenuText(std::uint32_t commandId, VEX::String* text) const
{
    if (text == nullptr) {
        return E_POINTER;
    }
    if (commandId == Commands::kAnalyze) {
        const ChannelAnalysisRecord* record = doc_.Settings().FindRecord(doc_.Settings().sourceChannel);
        const bool selection = record != nullptr && record->useSelection;
        *text = LoadString(selection ? Strings::kAnalyzeSelection : Strings::kAnalyzeChannel);
        return S_OK;
    }
    if (HasString(commandId)) {
        *text = LoadString(commandId);
        return S_OK;
    }
    // Entries without a text of their own show the last part of their path.
    const CommandEntry* entry = FindEntry(commandId);
    if (entry == nullptr) {
        return E_INVALIDARG;
    }
    const std::u16string_view path(entry->path);
    *text = VEX::String(path.substr(path.rfind(u'|') + 1));
    return S_OK;
}

HRESULT DocumentCommands::ReselectAnalyzedData()
{
    const std::int32_t channel = doc_.Settings().sourceChannel;
    const ChannelAnalysisRecord* record = doc_.Settings().FindRecord(channel);
    IHostRecording* recording = doc_.Recording();
    if (record == nullptr || recording == nullptr || doc_.Selection() == nullptr) {
        return E_FAIL;
    }
    if (Failed(recording->ValidatePosition(channel, record->rangeStart)) ||
        Failed(recording->ValidatePosition(channel, record->rangeEnd))) {
        return E_FAIL;
    }
    return doc_.Selection()->SetSelection(channel, record->rangeStart, record->rangeEnd, kSelectionMinimum,
                                          kSelectionMaximum);
}

HRESULT DocumentCommands::ExportToNeuroExplorer()
{
    const auto& choose = InstalledWindows().exportPath;
    if (!choose) {
        return E_NOTIMPL;
    }
    const std::optional<VEX::String> path = choose();
    if (!path) {
        return S_FALSE;
    }
    return doc_.ExportNex(*path);
}

HRESULT DocumentCommands::OpenSettingsDialog()
{
    const auto& dialog = InstalledWindows().settingsDialog;
    if (!dialog) {
        return E_NOTIMPL;
    }
    dialog(doc_);
    return S_OK;
}

} // namespace Nerolith
