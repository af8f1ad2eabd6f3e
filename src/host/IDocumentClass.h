#pragma once

#include "host/IHostDocument.h"
#include "platform/com/Unknown.h"

// Makes the module's analysis document for a host document. The document
// answers ICommandHandler, IPersistStreamInit (through its settings object,
// registered with the host), IOnlineDataSink, IDataChangeObserver and
// IMessageTarget.
class IDocumentClass : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0019, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x19}};

    virtual HRESULT CreateDocument(IHostDocument* host, IUnknown** document) = 0;

protected:
    ~IDocumentClass() = default;
};
