#pragma once

#include <cstdint>

#include "host/ICommandFactory.h"
#include "host/IEventDrawClass.h"
#include "host/IGrafoDataChildData.h"
#include "host/IHostCalc.h"
#include "host/IChannelCalculation.h"
#include "host/IHostMessages.h"
#include "host/IHostRecording.h"
#include "host/IHostSelection.h"
#include "host/IHostServices.h"
#include "platform/com/Stream.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// One host document as its analysis document sees it. The getters hand out a
// new reference.
class IHostDocument : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0016, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x16}};

    virtual HRESULT GetRecording(IHostRecording** recording) = 0;
    virtual HRESULT GetSelection(IHostSelection** selection) = 0;
    virtual HRESULT GetCalc(IHostCalc** calc) = 0;
    virtual HRESULT GetServices(IHostServices** services) = 0;
    virtual HRESULT GetMessages(IHostMessages** messages) = 0;
    virtual HRESULT GetCommandFactory(ICommandFactory** factory) = 0;
    virtual HRESULT GetChannelCalculations(IHostChannelCalculations** calculations) = 0;
    virtual HRESULT DocumentName(VEX::String* name) = 0;

    // The document changed: the host updates menus and enable states.
    virtual HRESULT SendDocumentChanged() = 0;
    // S_OK when the host shows the document, S_FALSE when it does not.
    virtual HRESULT HasDisplay() = 0;
    virtual HRESULT RefreshDisplay() = 0;
    // The host saves and loads the module's settings through this object.
    virtual HRESULT RegisterPersistence(IPersistStreamInit* settings) = 0;

    // Child data on the document (channel -1) or on a channel.
    virtual HRESULT AttachChildData(std::int32_t channel, IGrafoDataChildData* child) = 0;
    virtual HRESULT DetachChildData(std::int32_t channel, std::uint32_t key) = 0;
    virtual HRESULT FindChildData(std::int32_t channel, std::uint32_t key, IGrafoDataChildData** child) = 0;

    // Spike markers: an event source drawn on a channel with a draw class.
    virtual HRESULT AttachMarkers(std::int32_t channel, const VEX::String& eventSource,
                                  IEventDrawClass* drawClass) = 0;
    virtual HRESULT ShowMarkers(std::int32_t channel, bool show) = 0;
    // S_OK when markers are shown on the channel, S_FALSE when not.
    virtual HRESULT MarkersShown(std::int32_t channel) = 0;
    virtual HRESULT RemoveMarkers(std::int32_t channel) = 0;

protected:
    ~IHostDocument() = default;
};
