#pragma once
// What the FLAC plug-in tests share: the generated files and their reference decodings, the
// plug-in's exports (loaded from KORUFLAC.dll, or linked in natively), and pulling a stream dry.
#include <KORUFLAC.h>

#include <cstdint>
#include <string>
#include <vector>

struct FlacCase {
    std::string name;
    uint32_t bits = 0;
    uint32_t channels = 0;
    uint32_t rate = 0;
    bool ogg = false;
    std::string file;
};

// Path of a generated file as the stand-in library opens it.
std::string dataPath(const std::string& file);
std::vector<uint8_t> readFile(const std::string& file);
FlacCase flacCase(const std::string& name);
// The reference decoder's samples of "<name>.flac" (or .oga), interleaved, at their true depth.
std::vector<int32_t> referenceSamples(const std::string& name);

enum class Output { Int16, UInt8, Float };
uint32_t createFlags(Output output);
uint32_t sampleBytes(Output output);
// The reference samples as the plug-in must deliver them.
std::vector<uint8_t> expectedOutput(const std::vector<int32_t>& samples, uint32_t bits, Output output);

struct FlacPlugin {
    const void* (*plugin)(uint32_t face);
    uint32_t (*createFile)(uint32_t mem, const void* file, uint64_t offset, uint64_t length, uint32_t flags);
    uint32_t (*createUrl)(const char* url, uint64_t offset, uint32_t flags, KoruDownloadProc proc, void* user);
    uint32_t (*createUser)(uint32_t system, uint32_t flags, const KoruFileProcs* procs, void* user);
    KoruPluginStreamCreate streamCreate() const;
};
const FlacPlugin& flacPlugin();

// Frees the stream when the test ends.
class StreamHandle {
public:
    explicit StreamHandle(uint32_t handle) : handle_(handle) {}
    ~StreamHandle();
    StreamHandle(const StreamHandle&) = delete;
    StreamHandle& operator=(const StreamHandle&) = delete;
    uint32_t get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }

private:
    uint32_t handle_;
};

uint32_t openFile(const std::string& file, uint32_t flags);

struct Decoded {
    std::vector<uint8_t> bytes;
    bool ended = false;
    bool overran = false; // a call wrote past the bytes it reported
};
// Pulls `request` bytes a call until the end bit (or `maxCalls`), checking each call stays in bounds.
Decoded decodeAll(uint32_t stream, uint32_t request, uint32_t maxCalls = 1000000);
