#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "shell/CommandTable.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

namespace TestSupport {

// An analysis document on the stand-in host over a spiky recording: spikes
// at 1000, 3000 and 6000 in block 0 and at 500 and 2500 in block 1.
struct SpikyDocument {
    SpikyDocument()
        : host(NewHostDocument(SpikyRecording({{1000, 3000, 6000}, {500, 2500}}))),
          doc(ComPtr<Nerolith::SpikeDoc>::Attach(new Nerolith::SpikeDoc(host.Get())))
    {
    }

    // The Analyze command, and the request it sends delivered.
    void Analyze()
    {
        doc->Execute(Nerolith::Commands::kAnalyze);
        host->Messages().DeliverPending();
    }
    // A contour unit on channel 0 around every spike.
    std::int32_t Contour()
    {
        std::int32_t number = -1;
        doc->CreateContourUnit(0, {0.0, 10.0, 10.0, 0.0}, {0.5, 0.5, 2.0, 2.0}, {}, &number);
        return number;
    }
    // The units of the current analysis' spikes, in spike order.
    std::vector<std::int32_t> SpikeUnits() const
    {
        std::vector<std::int32_t> units;
        for (std::int32_t i = 0; i < doc->SpikeCount(); ++i) {
            Host::SpikeInfo spike;
            EXPECT_EQ(doc->GetSpike(i, &spike), S_OK);
            units.push_back(spike.unit);
        }
        return units;
    }

    ComPtr<Desk::HostDocument> host;
    ComPtr<Nerolith::SpikeDoc> doc;
};

} // namespace TestSupport
