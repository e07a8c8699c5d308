#pragma once
// A PipitService over a ScriptedSocket and a RecordingClient, with pointers to both kept for
// the test (the service owns them).
#include "PipitService.h"
#include "RecordingClient.h"
#include "ScriptedSocket.h"

#include <memory>

struct ServiceHarness {
    explicit ServiceHarness(std::unique_ptr<IPipitSocket> transport)
    {
        auto owned = std::make_unique<RecordingClient>();
        client = owned.get();
        auto commands = std::make_unique<CommandFactory>(*owned);
        auto notifications = std::make_unique<NotifyFactory>(*owned);
        auto errors = std::make_unique<PipitError>(*owned);
        service = std::make_unique<PipitService>(std::move(owned), std::move(transport),
                                                 std::make_unique<RecursiveLock>(), std::move(commands),
                                                 std::move(notifications), std::move(errors));
    }

    RecordingClient* client = nullptr;
    std::unique_ptr<PipitService> service;
};
