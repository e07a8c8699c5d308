#include "PeFile.h"

#include <cstring>
#include <stdexcept>

namespace {

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    template <class T>
    T at(std::size_t offset) const
    {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T))
            throw std::runtime_error("truncated PE file");
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
        return value;
    }

    std::string cString(std::size_t offset) const
    {
        std::string s;
        for (;; ++offset) {
            const char c = at<char>(offset);
            if (c == 0)
                return s;
            s.push_back(c);
        }
    }

private:
    const std::vector<std::uint8_t>& bytes_;
};

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

class Image {
public:
    explicit Image(const std::vector<std::uint8_t>& bytes) : r_(bytes)
    {
        if (r_.at<std::uint16_t>(0) != 0x5A4D)
            throw std::runtime_error("no MZ header");
        const auto nt = r_.at<std::uint32_t>(0x3C);
        if (r_.at<std::uint32_t>(nt) != 0x00004550)
            throw std::runtime_error("no PE signature");
        const auto sections = r_.at<std::uint16_t>(nt + 6);
        const auto optionalSize = r_.at<std::uint16_t>(nt + 20);
        const std::size_t optional = nt + 24;
        if (r_.at<std::uint16_t>(optional) != 0x20B)
            throw std::runtime_error("not a PE32+ image");
        directories_ = optional + 112;
        directoryCount_ = r_.at<std::uint32_t>(optional + 108);
        const std::size_t table = optional + optionalSize;
        for (std::uint16_t i = 0; i < sections; ++i) {
            const std::size_t s = table + i * 40u;
            sections_.push_back({r_.at<std::uint32_t>(s + 12), r_.at<std::uint32_t>(s + 8),
                                 r_.at<std::uint32_t>(s + 20), r_.at<std::uint32_t>(s + 16)});
        }
    }

    // RVA and size of data directory `index`, {0, 0} when absent.
    std::pair<std::uint32_t, std::uint32_t> directory(std::uint32_t index) const
    {
        if (index >= directoryCount_)
            return {0, 0};
        return {r_.at<std::uint32_t>(directories_ + index * 8),
                r_.at<std::uint32_t>(directories_ + index * 8 + 4)};
    }

    std::size_t offsetOf(std::uint32_t rva) const
    {
        for (const auto& s : sections_) {
            const auto span = s.virtualSize ? s.virtualSize : s.rawSize;
            if (rva >= s.virtualAddress && rva - s.virtualAddress < span)
                return s.rawOffset + (rva - s.virtualAddress);
        }
        throw std::runtime_error("address outside every section");
    }

    template <class T>
    T at(std::uint32_t rva) const { return r_.at<T>(offsetOf(rva)); }
    std::string cString(std::uint32_t rva) const { return r_.cString(offsetOf(rva)); }

private:
    Reader r_;
    std::size_t directories_ = 0;
    std::uint32_t directoryCount_ = 0;
    std::vector<Section> sections_;
};

constexpr std::uint32_t kExportDirectory = 0;
constexpr std::uint32_t kImportDirectory = 1;
constexpr std::uint32_t kDelayImportDirectory = 13;

void readExports(const Image& image, PeTables& out)
{
    const auto [rva, size] = image.directory(kExportDirectory);
    if (!rva || !size)
        return;
    out.exportedModuleName = image.cString(image.at<std::uint32_t>(rva + 12));
    const auto names = image.at<std::uint32_t>(rva + 24);
    const auto nameTable = image.at<std::uint32_t>(rva + 32);
    for (std::uint32_t i = 0; i < names; ++i)
        out.exports.push_back(image.cString(image.at<std::uint32_t>(nameTable + i * 4)));
}

// Both import directories are arrays ended by a zeroed entry; the DLL name is at `nameField`.
void readImports(const Image& image, std::uint32_t directory, std::uint32_t entrySize,
                 std::uint32_t nameField, PeTables& out)
{
    const auto [rva, size] = image.directory(directory);
    if (!rva || !size)
        return;
    for (std::uint32_t entry = rva;; entry += entrySize) {
        const auto name = image.at<std::uint32_t>(entry + nameField);
        if (!name)
            return;
        out.imports.push_back(image.cString(name));
    }
}

}  // namespace

PeTables readPeTables(const std::vector<std::uint8_t>& bytes)
{
    const Image image(bytes);
    PeTables out;
    readExports(image, out);
    readImports(image, kImportDirectory, 20, 12, out);
    readImports(image, kDelayImportDirectory, 32, 4, out);
    return out;
}
