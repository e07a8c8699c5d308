// The library's only resource is the application manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ScopedHandle.h"
#include "TestPaths.h"

namespace {

BOOL CALLBACK collectType(HMODULE, LPWSTR type, LONG_PTR types)
{
    reinterpret_cast<std::vector<ULONG_PTR>*>(types)->push_back(reinterpret_cast<ULONG_PTR>(type));
    return TRUE;
}

class LibraryResources : public testing::Test {
protected:
    ModuleHandle image{LoadLibraryExW(windowsPath(TESSAR_DLL).c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)};
};

TEST_F(LibraryResources, TheManifestIsTheOnlyResource)
{
    ASSERT_TRUE(image);
    std::vector<ULONG_PTR> types;
    EnumResourceTypesW(image.get(), collectType, reinterpret_cast<LONG_PTR>(&types));
    EXPECT_EQ(types, std::vector<ULONG_PTR>{reinterpret_cast<ULONG_PTR>(RT_MANIFEST)});
}

TEST_F(LibraryResources, ManifestTwoInUsEnglishNamesTheApplicationAndCommonControls6)
{
    ASSERT_TRUE(image);
    const HRSRC res = FindResourceExW(image.get(), RT_MANIFEST, MAKEINTRESOURCEW(2),
                                      MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(res, nullptr);
    const auto* data = static_cast<const char*>(LockResource(LoadResource(image.get(), res)));
    const std::string manifest(data, SizeofResource(image.get(), res));
    for (const char* expected : {R"(name="Lumox.exe" version="6.0.0.0")",
                                 "<description>Lumox Application</description>",
                                 R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"})
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
}

}  // namespace
