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
// Copies every file of ASource into a new folder under the temporary folder,
// leaving out AOmit; returns the new folder with a trailing backslash.
std::wstring CopyFolder(const std::wstring& ASource, const std::vector<std::wstring>& AOmit);
std::wstring EnvValue(const wchar_t* AName);
