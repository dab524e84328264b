#pragma once
// Runs this test program again as a child process, for cases that need a
// process whose loaded libraries and PATH nothing else has touched.
#include <windows.h>

#include <string>
#include <vector>

struct ChildResult {
    DWORD ExitCode = 0;
    std::string Output;
};

// PATH as it was when the program started, before any library was loaded.
const std::wstring& StartUpPath();
// Runs this executable with the given gtest filter, the extra environment
// entries ("NAME=value") and PATH reset to StartUpPath().
ChildResult RunSelf(const std::wstring& AFilter, const std::vector<std::wstring>& AEnv);
// A copy of the DLLs of ASource, leaving out AOmit, in a new folder under the
// temporary folder; removed again with the object.
class TempLibraryFolder {
public:
    TempLibraryFolder(const std::wstring& ASource, const std::vector<std::wstring>& AOmit);
    ~TempLibraryFolder();
    TempLibraryFolder(const TempLibraryFolder&) = delete;
    TempLibraryFolder& operator=(const TempLibraryFolder&) = delete;
    // With a trailing backslash.
    const std::wstring& Path() const { return FPath; }

private:
    std::wstring FPath;
};
std::wstring EnvValue(const wchar_t* AName);
