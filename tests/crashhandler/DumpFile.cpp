#include "DumpFile.h"

DumpFile::DumpFile(const std::wstring& path)
    : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))
{
    if (!file_)
        return;
    mapping_.reset(CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping_)
        view_ = MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0);
}

DumpFile::~DumpFile()
{
    if (view_)
        UnmapViewOfFile(view_);
}

std::optional<MINIDUMP_EXCEPTION_STREAM> DumpFile::exception() const
{
    MINIDUMP_DIRECTORY* directory = nullptr;
    void* stream = nullptr;
    ULONG size = 0;
    if (!view_ || !MiniDumpReadDumpStream(view_, ExceptionStream, &directory, &stream, &size) ||
        size < sizeof(MINIDUMP_EXCEPTION_STREAM))
        return std::nullopt;
    return *static_cast<const MINIDUMP_EXCEPTION_STREAM*>(stream);
}

std::vector<std::wstring> DumpFile::modulePaths() const
{
    MINIDUMP_DIRECTORY* directory = nullptr;
    void* stream = nullptr;
    ULONG size = 0;
    std::vector<std::wstring> paths;
    if (!view_ || !MiniDumpReadDumpStream(view_, ModuleListStream, &directory, &stream, &size))
        return paths;
    const auto* list = static_cast<const MINIDUMP_MODULE_LIST*>(stream);
    for (ULONG i = 0; i < list->NumberOfModules; ++i) {
        const auto* name = reinterpret_cast<const MINIDUMP_STRING*>(static_cast<const BYTE*>(view_) +
                                                                    list->Modules[i].ModuleNameRva);
        paths.emplace_back(name->Buffer, name->Length / sizeof(WCHAR));
    }
    return paths;
}
