// Arbitrary notification text (the line after its colon) into the notification factory.
#include "NotifyFactory.h"
#include "RecordingClient.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RecordingClient client;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (std::unique_ptr<INotify> notification = NotifyFactory(client).create(text))
        notification->notify();
    return 0;
}
