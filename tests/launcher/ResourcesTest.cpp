// Both launcher builds carry the icon group, the string table and the application manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestPaths.h"

namespace {

constexpr WORD kKorean = MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN);        // 1042
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

class ImageResources {
public:
    explicit ImageResources(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ImageResources() { if (module_) FreeLibrary(module_); }
    bool loaded() const { return module_ != nullptr; }

    std::vector<BYTE> bytes(LPCWSTR type, LPCWSTR name, WORD language) const
    {
        HRSRC res = FindResourceExW(module_, type, name, language);
        if (!res)
            return {};
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, res)));
        return {data, data + SizeofResource(module_, res)};
    }

private:
    HMODULE module_;
};

std::vector<GroupIconEntry> iconGroup(const ImageResources& image)
{
    const auto data = image.bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(128), kKorean);
    if (data.size() < 6)
        return {};
    const WORD count = *reinterpret_cast<const WORD*>(&data[4]);
    std::vector<GroupIconEntry> entries(count);
    if (data.size() < 6 + count * sizeof(GroupIconEntry))
        return {};
    std::memcpy(entries.data(), &data[6], count * sizeof(GroupIconEntry));
    return entries;
}

std::wstring stringResource(const ImageResources& image, UINT id, WORD language)
{
    const auto data = image.bytes(RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    const auto* p = reinterpret_cast<const WCHAR*>(data.data());
    const auto* end = p + data.size() / sizeof(WCHAR);
    for (UINT i = 0; p < end; ++i) {
        const WORD length = *p++;
        if (i == id % 16)
            return std::wstring(p, p + length);
        p += length;
    }
    return {};
}

std::wstring program(const char* path) { return windowsPath(path); }

}  // namespace

class LauncherResources : public ::testing::TestWithParam<const char*> {};

TEST_P(LauncherResources, IconGroupHasFiveImagesInOrder)
{
    ImageResources image(program(GetParam()));
    ASSERT_TRUE(image.loaded());
    const auto entries = iconGroup(image);
    struct Expected { int size, bits; };
    const Expected expected[] = {{32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}};
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(entries[i].width, expected[i].size);
        EXPECT_EQ(entries[i].height, expected[i].size);
        EXPECT_EQ(entries[i].bitCount, expected[i].bits);
        EXPECT_FALSE(image.bytes(RT_ICON, MAKEINTRESOURCEW(entries[i].id), kKorean).empty());
    }
}

TEST_P(LauncherResources, StringTableEntry103IsLumox)
{
    ImageResources image(program(GetParam()));
    ASSERT_TRUE(image.loaded());
    EXPECT_EQ(stringResource(image, 103, kKorean), L"Lumox");
}

TEST_P(LauncherResources, ManifestNamesTheApplicationAndCommonControls6)
{
    ImageResources image(program(GetParam()));
    ASSERT_TRUE(image.loaded());
    const auto data = image.bytes(RT_MANIFEST, MAKEINTRESOURCEW(1), kEnglishUs);
    const std::string manifest(data.begin(), data.end());
    for (const char* expected : {
             R"(<assemblyIdentity name="Lumox.exe" version="6.0.0.0" type="win32" processorArchitecture="*"/>)",
             "<description>Lumox Application</description>",
             R"(<assemblyIdentity name="Microsoft.Windows.Common-Controls" version="6.0.0.0" type="win32" publicKeyToken="6595b64144ccf1df" language="*" processorArchitecture="*"/>)",
         })
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    EXPECT_EQ(manifest.find("<dependentAssembly>"), manifest.rfind("<dependentAssembly>"))
        << "exactly one dependent assembly";
}

INSTANTIATE_TEST_SUITE_P(Builds, LauncherResources, ::testing::Values(LAUNCHER_FULL, LAUNCHER_MINI));

TEST(LauncherResources, BuildsDifferOnlyInIconPixels)
{
    ImageResources full(program(LAUNCHER_FULL)), mini(program(LAUNCHER_MINI));
    ASSERT_TRUE(full.loaded() && mini.loaded());
    const auto fullGroup = iconGroup(full), miniGroup = iconGroup(mini);
    ASSERT_EQ(fullGroup.size(), miniGroup.size());
    for (std::size_t i = 0; i < fullGroup.size(); ++i) {
        const auto a = full.bytes(RT_ICON, MAKEINTRESOURCEW(fullGroup[i].id), kKorean);
        const auto b = mini.bytes(RT_ICON, MAKEINTRESOURCEW(miniGroup[i].id), kKorean);
        EXPECT_EQ(a.size(), b.size());
        EXPECT_NE(a, b) << "image " << i << " has the same pixels in both builds";
    }
}
