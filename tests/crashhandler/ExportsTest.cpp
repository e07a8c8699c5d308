// The exports, called in this process as the player engine calls them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CorvaneCrashHandler.h"
#include "CrashRun.h"
#include "TestPaths.h"

namespace {

template <class Fn>
Fn bind(HMODULE library, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

class CrashHandlerLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = LoadLibraryW(windowsPath(CRASHHANDLER_DLL).c_str());
        ASSERT_NE(library_, nullptr);
        setCrashHandler = bind<decltype(&SetCrashHandler)>(library_, "SetCrashHandler");
        resetCrashHandler = bind<decltype(&ResetCrashHandler)>(library_, "ResetCrashHandler");
        setReportFilePath = bind<decltype(&SetReportFilePath)>(library_, "SetReportFilePath");
        getReportFilePath = bind<decltype(&GetReportFilePath)>(library_, "GetReportFilePath");
        setDumpFilePath = bind<decltype(&SetDumpFilePath)>(library_, "SetDumpFilePath");
        getDumpFilePath = bind<decltype(&GetDumpFilePath)>(library_, "GetDumpFilePath");
        setZipFilePath = bind<decltype(&SetZipFilePath)>(library_, "SetZipFilePath");
        getZipFilePath = bind<decltype(&GetZipFilePath)>(library_, "GetZipFilePath");
        setEmailConf = bind<decltype(&SetEmailConf)>(library_, "SetEmailConf");
        defaultCallback = bind<decltype(&defaultExceptionCallBack)>(library_, "defaultExceptionCallBack");
    }

    // The filter now installed, left in place.
    static LPTOP_LEVEL_EXCEPTION_FILTER currentFilter()
    {
        LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(nullptr);
        SetUnhandledExceptionFilter(current);
        return current;
    }

    bool insideLibrary(LPTOP_LEVEL_EXCEPTION_FILTER filter) const
    {
        HMODULE owner = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(filter)), &owner);
        return filter && owner == library_;
    }

    HMODULE library_ = nullptr;
    decltype(&SetCrashHandler) setCrashHandler = nullptr;
    decltype(&ResetCrashHandler) resetCrashHandler = nullptr;
    decltype(&SetReportFilePath) setReportFilePath = nullptr;
    decltype(&GetReportFilePath) getReportFilePath = nullptr;
    decltype(&SetDumpFilePath) setDumpFilePath = nullptr;
    decltype(&GetDumpFilePath) getDumpFilePath = nullptr;
    decltype(&SetZipFilePath) setZipFilePath = nullptr;
    decltype(&GetZipFilePath) getZipFilePath = nullptr;
    decltype(&SetEmailConf) setEmailConf = nullptr;
    decltype(&defaultExceptionCallBack) defaultCallback = nullptr;
};

LONG WINAPI hostFilter(EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }

TEST_F(CrashHandlerLibrary, NullCallbackInstallsTheLibrarysFilter)
{
    SetUnhandledExceptionFilter(hostFilter);
    EXPECT_EQ(setCrashHandler(nullptr), 1);
    EXPECT_TRUE(insideLibrary(currentFilter()));
}

TEST_F(CrashHandlerLibrary, NonExecutableCallbackIsRejectedAndNothingInstalled)
{
    SetUnhandledExceptionFilter(hostFilter);
    void* noAccess = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(noAccess, nullptr);
    EXPECT_EQ(setCrashHandler(reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(noAccess)), 0);
    EXPECT_EQ(currentFilter(), &hostFilter);
    VirtualFree(noAccess, 0, MEM_RELEASE);
}

TEST_F(CrashHandlerLibrary, ResetPutsTheHostsFilterBack)
{
    SetUnhandledExceptionFilter(hostFilter);
    ASSERT_EQ(setCrashHandler(nullptr), 1);
    EXPECT_EQ(setCrashHandler(hostFilter), 1);  // only replaces the callback
    resetCrashHandler();
    EXPECT_EQ(currentFilter(), &hostFilter);
}

TEST_F(CrashHandlerLibrary, ResetWithoutAnEarlierFilterLeavesTheLibrarysFilter)
{
    SetUnhandledExceptionFilter(nullptr);
    ASSERT_EQ(setCrashHandler(nullptr), 1);
    resetCrashHandler();
    EXPECT_TRUE(insideLibrary(currentFilter()));
}

TEST_F(CrashHandlerLibrary, DefaultPathsLieBesideTheExecutable)
{
    char executable[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, executable, MAX_PATH);
    std::string stem = executable;
    stem.erase(stem.rfind('.') + 1);
    EXPECT_EQ(std::string(getReportFilePath()), stem + "exc.xml");
    EXPECT_EQ(std::string(getDumpFilePath()), stem + "exc.dmp");
    EXPECT_EQ(std::string(getZipFilePath()), stem + "exc.zip");
}

struct PathExport {
    const char* name;
    decltype(&SetReportFilePath) CrashHandlerLibrary::*set;
    decltype(&GetReportFilePath) CrashHandlerLibrary::*get;
};

class PathSetter : public CrashHandlerLibrary, public ::testing::WithParamInterface<PathExport> {
    // Gives the table access to the bound exports.
    friend struct PathTable;
};

struct PathTable {
    static std::vector<PathExport> all()
    {
        return {{"report", &PathSetter::setReportFilePath, &PathSetter::getReportFilePath},
                {"dump", &PathSetter::setDumpFilePath, &PathSetter::getDumpFilePath},
                {"zip", &PathSetter::setZipFilePath, &PathSetter::getZipFilePath}};
    }
};

TEST_P(PathSetter, StoresPathsAndIgnoresNullUnreadableAndSameInOtherCase)
{
    const auto set = this->*GetParam().set;
    const auto get = this->*GetParam().get;
    const char* stored = get();
    set("C:\\Crash\\Files\\Lumox.Out");
    EXPECT_STREQ(get(), "C:\\Crash\\Files\\Lumox.Out");
    EXPECT_EQ(get(), stored) << "the pointer stays the library's buffer";
    set("c:\\crash\\FILES\\lumox.out");
    EXPECT_STREQ(get(), "C:\\Crash\\Files\\Lumox.Out");
    set(nullptr);
    EXPECT_STREQ(get(), "C:\\Crash\\Files\\Lumox.Out");
    void* noAccess = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    set(static_cast<const char*>(noAccess));
    EXPECT_STREQ(get(), "C:\\Crash\\Files\\Lumox.Out");
    VirtualFree(noAccess, 0, MEM_RELEASE);
    set("D:\\Other.xml");
    EXPECT_STREQ(get(), "D:\\Other.xml");
}

INSTANTIATE_TEST_SUITE_P(, PathSetter, ::testing::ValuesIn(PathTable::all()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CrashHandlerLibrary, EmailConfNeedsTheFirstTwoItems)
{
    const std::string longItem(300, 'x');
    EXPECT_EQ(setEmailConf(nullptr, "b", "c", "d", "e", "f"), -1);
    EXPECT_EQ(setEmailConf("a", nullptr, "c", "d", "e", "f"), -1);
    EXPECT_EQ(setEmailConf("a", "b", nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(setEmailConf(longItem.c_str(), longItem.c_str(), longItem.c_str(), longItem.c_str(), longItem.c_str(),
                           longItem.c_str()),
              0);
}

}  // namespace
