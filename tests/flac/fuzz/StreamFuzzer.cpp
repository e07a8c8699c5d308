// Mutated FLAC and Ogg FLAC files through stream creation, a full decode, seeks and queries.
#include "KoruStandin.h"
#include "KoruLibrary.h"

#include <cstdint>
#include <vector>

namespace {

void pull(uint32_t stream, uint32_t request)
{
    std::vector<uint8_t> out(request);
    for (int call = 0; call < 4000; ++call)
        if (KoruStandin_StreamRead(stream, out.data(), request) & KoruStreamEnded)
            return;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input's own copy, so that reads past its end are caught.
    const std::vector<uint8_t> file(data, data + size);
    const uint32_t flags = (size & 1) ? KORUFLAC_FLAG_FLOAT : 0;
    const uint32_t stream = KORU_FLAC_StreamCreateFile(1, file.data(), 0, file.size(), flags);
    if (!stream)
        return 0;
    KoruStreamInfo info{};
    KoruStandin_StreamInfo(stream, &info);
    KoruStandin_StreamTags(stream, 2);
    KoruStandin_StreamTags(stream, 9);
    pull(stream, 4099);
    const uint64_t length = KoruStandin_StreamLength(stream, 0);
    for (uint64_t position : {length / 2, length / 3 + 1, uint64_t{0}}) {
        KoruStandin_StreamSetPosition(stream, position, 0);
        pull(stream, 65536);
    }
    KoruStandin_StreamFree(stream);
    return 0;
}
