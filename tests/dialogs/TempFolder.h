#pragma once
// A folder made under the temporary folder for one test and removed with
// everything in it at the end.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/SysUtils.h"

namespace dialogstest {

class TempFolder {
public:
    explicit TempFolder(const String& tag) {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = ExcludeTrailingPathDelimiter(base) + L"\\vantrel_" + tag + L"_" + IntToStr(GetCurrentProcessId()) +
                L"_" + IntToStr(++Serial());
        Remove();
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const String& Path() const { return path_; }
    String operator/(const String& name) const { return path_ + L"\\" + name; }
    // A file of size bytes ("x" each), its folders made first.
    void File(const String& name, size_t size = 0) const {
        const String p = *this / name;
        HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot write the fixture file";
        const std::string data(size, 'x');
        DWORD written = 0;
        WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        CloseHandle(h);
    }
    void Folder(const String& name) const { CreateDirectoryW((*this / name).c_str(), nullptr); }

private:
    static int& Serial() {
        static int n = 0;
        return n;
    }
    void Remove() {
        String from = path_ + L'\0';  // double zero at the end
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) SHFileOperationW(&op);
    }
    String path_;
};

// The folder without its drive ("C:\a\b" -> "\a\b").
inline String WithoutDriveLetter(const String& folder) { return folder.substr(2); }

}  // namespace dialogstest
