#pragma once
// Helpers shared by the format model tests.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace formats::testing {

// A fresh, empty folder under the temporary directory, removed with its
// files at the end of the test.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        for (unsigned n = GetTickCount();; ++n) {
            FPath = std::wstring(base) + L"vantrel_formats_" + std::to_wstring(n);
            if (CreateDirectoryW(FPath.c_str(), nullptr)) break;
        }
    }
    ~TempFolder() {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((FPath + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring path = FPath + L"\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryW(path.c_str());
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(FPath.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return FPath; }

    void Touch(const std::wstring& name) const {
        HANDLE file = CreateFileW((FPath + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    void MakeFolder(const std::wstring& name) const {
        ASSERT_TRUE(CreateDirectoryW((FPath + L"\\" + name).c_str(), nullptr));
    }

private:
    std::wstring FPath;
};

}  // namespace formats::testing
