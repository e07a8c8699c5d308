// A stand-in for the audio library KORU.DLL: file objects over disk files, memory, caller
// procedures and "downloads" whose bytes arrive as a test releases them, and a table of streams
// that plug-ins register. Single caller at a time, as in the tests.
#define KORU_IMPORT
#include "KoruStandin.h"

#include "KoruLibrary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

struct KoruFile {
    std::FILE* disk = nullptr;
    const uint8_t* memory = nullptr;
    const KoruFileProcs* procs = nullptr;
    void* user = nullptr;
    uint64_t start = 0;
    uint64_t size = 0;
    uint64_t position = 0;
    uint64_t arrived = 0;
    bool download = false;
    uint32_t flags = 0;
    uint32_t dataRate = 0;
};

namespace {

struct Stream {
    uint32_t sampleRate;
    uint32_t channels;
    uint32_t flags;
    KoruStreamProc proc;
    void* user;
    const KoruStreamFunctions* functions;
    KoruFile* file = nullptr;
    uint64_t delivered = 0;
};

int32_t currentError = 0;
uint32_t nextFileFlags = 0;
uint64_t downloadStart = UINT64_MAX;
uint32_t openFiles = 0;
bool refuseStreams = false;
std::vector<std::unique_ptr<Stream>> streams;

constexpr int32_t StandinErrorRefused = 1;

Stream* streamOf(uint32_t handle)
{
    if (handle == 0 || handle > streams.size())
        return nullptr;
    return streams[handle - 1].get();
}

KoruFile* newFile(std::unique_ptr<KoruFile> file)
{
    file->flags = nextFileFlags;
    file->arrived = file->size;
    ++openFiles;
    return file.release();
}

KoruFile* openDisk(const char* path, uint64_t offset, uint64_t length)
{
    std::FILE* disk = std::fopen(path, "rb");
    if (!disk)
        return nullptr;
    std::fseek(disk, 0, SEEK_END);
    const uint64_t total = static_cast<uint64_t>(std::ftell(disk));
    auto file = std::make_unique<KoruFile>();
    file->disk = disk;
    file->start = offset < total ? offset : total;
    file->size = length ? std::min(length, total - file->start) : total - file->start;
    std::fseek(disk, static_cast<long>(file->start), SEEK_SET);
    return newFile(std::move(file));
}

// --- the table `_` ---

void setError(int32_t code) { currentError = code; }

uint32_t createStream(uint32_t sampleRate, uint32_t channels, uint32_t flags, KoruStreamProc proc, void* user,
                      const KoruStreamFunctions* functions)
{
    if (refuseStreams) {
        currentError = StandinErrorRefused;
        return 0;
    }
    streams.push_back(std::make_unique<Stream>(Stream{sampleRate, channels, flags, proc, user, functions}));
    return static_cast<uint32_t>(streams.size());
}

uint64_t streamPosition(uint32_t handle, uint32_t)
{
    const Stream* s = streamOf(handle);
    return s ? s->delivered : 0;
}

uint64_t streamPositionBytes(uint32_t, uint64_t position, uint32_t) { return position; }

KoruFile* fileOpen(uint32_t mem, const void* source, uint64_t offset, uint64_t length, uint32_t, uint32_t)
{
    if (!mem)
        return openDisk(static_cast<const char*>(source), offset, length);
    auto file = std::make_unique<KoruFile>();
    file->memory = static_cast<const uint8_t*>(source) + offset;
    file->size = length;
    return newFile(std::move(file));
}

KoruFile* fileOpenUrl(const char* url, uint64_t offset, uint32_t, KoruDownloadProc, void*, uint32_t)
{
    const size_t prefix = std::strlen(KORU_STANDIN_URL_PREFIX);
    if (std::strncmp(url, KORU_STANDIN_URL_PREFIX, prefix) != 0)
        return nullptr;
    KoruFile* file = openDisk(url + prefix, offset, 0);
    if (file) {
        file->download = true;
        file->arrived = std::min(downloadStart, file->size);
    }
    return file;
}

KoruFile* fileOpenUser(uint32_t, uint32_t, const KoruFileProcs* procs, void* user, uint32_t)
{
    auto file = std::make_unique<KoruFile>();
    file->procs = procs;
    file->user = user;
    file->size = procs->length(user);
    return newFile(std::move(file));
}

void fileClose(KoruFile* file)
{
    if (file->disk)
        std::fclose(file->disk);
    if (file->procs)
        file->procs->close(file->user);
    --openFiles;
    delete file;
}

void fileSetStream(KoruFile* file, uint32_t handle)
{
    if (Stream* s = streamOf(handle))
        s->file = file;
}

uint32_t fileFlags(KoruFile* file) { return file->flags; }

uint32_t fileRead(KoruFile* file, void* buffer, uint32_t length)
{
    const uint64_t ahead = file->arrived - file->position;
    const uint32_t wanted = ahead < length ? static_cast<uint32_t>(ahead) : length;
    uint32_t n = 0;
    if (file->disk)
        n = static_cast<uint32_t>(std::fread(buffer, 1, wanted, file->disk));
    else if (file->memory)
        std::memcpy(buffer, file->memory + file->position, n = wanted);
    else
        n = wanted ? file->procs->read(buffer, wanted, file->user) : 0;
    file->position += n;
    return n;
}

int32_t fileSeek(KoruFile* file, uint64_t position)
{
    if (position > file->arrived)
        return 0;
    if (file->disk && std::fseek(file->disk, static_cast<long>(file->start + position), SEEK_SET) != 0)
        return 0;
    if (file->procs && !file->procs->seek(position, file->user))
        return 0;
    file->position = position;
    return 1;
}

uint64_t filePosition(KoruFile* file, uint32_t mode)
{
    switch (mode) {
    case KoruFileReadPosition:
        return file->position;
    case KoruFileArrived:
        return file->arrived;
    case KoruFileSize:
        return file->size;
    case KoruFileStillArriving:
        return file->download && file->arrived < file->size;
    default:
        return 0;
    }
}

int32_t fileEof(KoruFile* file) { return file->position >= file->size; }

void fileSetDataRate(KoruFile* file, uint32_t rate, uint32_t) { file->dataRate = rate; }

} // namespace

extern "C" {

KoruFunctions _ = {
    .setError = setError,
    .createStream = createStream,
    .streamPosition = streamPosition,
    .streamPositionBytes = streamPositionBytes,
    .fileOpen = fileOpen,
    .fileOpenUrl = fileOpenUrl,
    .fileOpenUser = fileOpenUser,
    .fileClose = fileClose,
    .fileSetStream = fileSetStream,
    .fileFlags = fileFlags,
    .fileRead = fileRead,
    .fileSeek = fileSeek,
    .filePosition = filePosition,
    .fileEof = fileEof,
    .fileSetDataRate = fileSetDataRate,
};

// The version a test chose through KORU_STANDIN_VERSION (hex), else 2.4.0.0.
uint32_t KORU_GetVersion()
{
    const char* chosen = std::getenv("KORU_STANDIN_VERSION");
    return chosen ? static_cast<uint32_t>(std::strtoul(chosen, nullptr, 16)) : 0x02040000u;
}

int32_t KoruStandin_Error() { return currentError; }
void KoruStandin_SetError(int32_t code) { currentError = code; }
void KoruStandin_SetFileFlags(uint32_t flags) { nextFileFlags = flags; }
void KoruStandin_SetDownloadStart(uint64_t bytes) { downloadStart = bytes; }
uint32_t KoruStandin_OpenFiles() { return openFiles; }
void KoruStandin_RefuseStreams(int32_t refuse) { refuseStreams = refuse != 0; }

void KoruStandin_ReleaseDownload(uint32_t stream, uint64_t arrived)
{
    KoruFile* file = streamOf(stream)->file;
    file->arrived = std::min(arrived, file->size);
}

uint32_t KoruStandin_CreateWithPlugin(KoruPluginStreamCreate create, const char* path, uint32_t flags)
{
    KoruFile* file = openDisk(path, 0, 0);
    if (!file)
        return 0;
    const uint32_t handle = create(file, flags);
    if (!handle)
        fileClose(file);
    return handle;
}

uint32_t KoruStandin_StreamRead(uint32_t stream, void* buffer, uint32_t length)
{
    Stream* s = streamOf(stream);
    const uint32_t result = s->proc(stream, buffer, length, s->user);
    s->delivered += result & ~KoruStreamEnded;
    return result;
}

uint64_t KoruStandin_StreamLength(uint32_t stream, uint32_t mode)
{
    Stream* s = streamOf(stream);
    return s->functions->getLength(s->user, mode);
}

const char* KoruStandin_StreamTags(uint32_t stream, uint32_t type)
{
    Stream* s = streamOf(stream);
    return s->functions->getTags(s->user, type);
}

void KoruStandin_StreamInfo(uint32_t stream, KoruStreamInfo* info)
{
    Stream* s = streamOf(stream);
    info->sampleRate = s->sampleRate;
    info->channels = s->channels;
    info->flags = s->flags;
    s->functions->getInfo(s->user, info);
}

int32_t KoruStandin_StreamCanSetPosition(uint32_t stream, uint64_t position, uint32_t mode)
{
    Stream* s = streamOf(stream);
    return s->functions->canSetPosition(s->user, position, mode);
}

uint64_t KoruStandin_StreamSetPosition(uint32_t stream, uint64_t position, uint32_t mode)
{
    Stream* s = streamOf(stream);
    if (!s->functions->canSetPosition(s->user, position, mode))
        return ~uint64_t{0};
    const uint64_t result = s->functions->setPosition(s->user, position, mode);
    if (result != ~uint64_t{0})
        s->delivered = result;
    return result;
}

uint32_t KoruStandin_StreamFlags(uint32_t stream) { return streamOf(stream)->flags; }
uint32_t KoruStandin_StreamSampleRate(uint32_t stream) { return streamOf(stream)->sampleRate; }
uint32_t KoruStandin_StreamChannels(uint32_t stream) { return streamOf(stream)->channels; }
uint32_t KoruStandin_StreamDataRate(uint32_t stream) { return streamOf(stream)->file->dataRate; }
uint64_t KoruStandin_StreamFileReadPosition(uint32_t stream) { return streamOf(stream)->file->position; }

void KoruStandin_StreamFree(uint32_t stream)
{
    std::unique_ptr<Stream> s = std::move(streams[stream - 1]);
    s->functions->free(s->user);
    if (s->file)
        fileClose(s->file);
}
}
