#include "platform/FileSearch.h"

#include <vector>

namespace {

// The entry of f.FindData into the record's plain fields.
void TakeEntry(TSearchRec& f) {
    const WIN32_FIND_DATAW& d = f.FindData;
    f.Size = (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    f.Attr = static_cast<int>(d.dwFileAttributes);
    f.Name = d.cFileName;
    f.Time = d.ftLastWriteTime;
}

bool Fits(const TSearchRec& f) { return (static_cast<int>(f.FindData.dwFileAttributes) & f.ExcludeAttr) == 0; }

// Moves on until an entry fits; 0 or the error code (search then closed).
int SkipToFitting(TSearchRec& f) {
    while (!Fits(f)) {
        if (!FindNextFileW(f.FindHandle.Get(), &f.FindData)) {
            const int code = static_cast<int>(GetLastError());
            f.FindHandle.Reset();
            return code;
        }
    }
    TakeEntry(f);
    return 0;
}

}  // namespace

void RaiseInOutError(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String msg = text ? Trim(text) : String();
    if (text) LocalFree(text);
    if (msg.empty()) msg = L"I/O error " + IntToStr(code);
    throw EInOutError(msg, static_cast<int>(code));
}

int FindFirst(const String& path, int attr, TSearchRec& f) {
    FindClose(f);
    f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    f.FindData = WIN32_FIND_DATAW{};
    f.FindHandle.Reset(FindFirstFileW(path.c_str(), &f.FindData));
    if (!f.FindHandle) return static_cast<int>(GetLastError());
    return SkipToFitting(f);
}

int FindNext(TSearchRec& f) {
    if (!f.FindHandle) return ERROR_NO_MORE_FILES;
    if (!FindNextFileW(f.FindHandle.Get(), &f.FindData)) {
        const int code = static_cast<int>(GetLastError());
        f.FindHandle.Reset();
        return code;
    }
    return SkipToFitting(f);
}

void FindClose(TSearchRec& f) { f.FindHandle.Reset(); }

String GetCurrentDir() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buf(n + 1);
    const DWORD got = GetCurrentDirectoryW(static_cast<DWORD>(buf.size()), buf.data());
    return String(buf.data(), got);
}

bool SetCurrentDir(const String& dir) { return SetCurrentDirectoryW(dir.c_str()) != 0; }

void ChDir(const String& dir) {
    if (dir.empty()) RaiseInOutError(ERROR_PATH_NOT_FOUND);
    if (!SetCurrentDir(dir)) RaiseInOutError(GetLastError());
}
