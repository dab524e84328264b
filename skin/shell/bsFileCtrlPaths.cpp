#include "skin/shell/bsFileCtrlPaths.h"

#include <winnetwk.h>

#include <cwctype>
#include <vector>

#include "platform/Graphics.h"

bool IsExistingDirectory(const String& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

String AppendPathItem(const String& folder, const String& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

void DropFirstFolder(String& s) {
    if (s == L"\\") {
        s.clear();
        return;
    }
    const bool rooted = !s.empty() && s[0] == L'\\';
    if (rooted) s.erase(0, 1);
    if (!s.empty() && s[0] == L'.') s.erase(0, 4);
    const size_t p = s.find(L'\\');
    if (p != String::npos) s = L"...\\" + s.substr(p + 1);
    else s.clear();
    if (rooted) s = L"\\" + s;
}

String ShortenPathToWidth(const String& fileName, const TTextWidthFunc& textWidth, int maxWidth) {
    String result = fileName;
    String dir = ExtractFilePath(fileName);
    const String name = ExtractFileName(fileName);
    String drive;
    if (dir.size() >= 2 && dir[1] == L':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    while ((!dir.empty() || !drive.empty()) && textWidth(result) > maxWidth) {
        if (dir == L"\\...\\") {
            drive.clear();
            dir = L"...\\";
        } else if (dir.empty()) {
            drive.clear();
        } else {
            DropFirstFolder(dir);
        }
        result = drive + dir + name;
    }
    return result;
}

String ShortenPathToWidth(const String& fileName, TCanvas* canvas, int maxWidth) {
    return ShortenPathToWidth(fileName, [canvas](const String& s) { return canvas->TextWidth(s); }, maxWidth);
}

namespace {

// The file-name case of a drive caption follows the letter's case.
String CaseLikeLetter(const String& text, wchar_t letter) {
    return letter >= L'a' ? AnsiLowerCase(text) : AnsiUpperCase(text);
}

// Sets the error mode for the scope and restores the previous one.
class ErrorModeScope {
public:
    explicit ErrorModeScope(UINT mode) : old_(SetErrorMode(mode)) {}
    ~ErrorModeScope() { SetErrorMode(old_); }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;

private:
    UINT old_;
};

}  // namespace

String GetVolumeCaption(wchar_t letter) {
    String label;
    {
        ErrorModeScope quiet(SEM_FAILCRITICALERRORS);
        wchar_t buf[MAX_PATH + 1] = {};
        const String root = String(1, letter) + L":\\";
        DWORD serial = 0, maxLen = 0, flags = 0;
        if (GetVolumeInformationW(root.c_str(), buf, MAX_PATH + 1, &serial, &maxLen, &flags, nullptr, 0))
            label = buf;
    }
    return L"[" + CaseLikeLetter(label, letter) + L"]";
}

String GetNetworkDriveCaption(wchar_t letter) {
    const String local = String(1, static_cast<wchar_t>(std::towupper(letter))) + L":";
    wchar_t remote[261] = {};
    DWORD size = 261;
    if (WNetGetConnectionW(local.c_str(), remote, &size) == NO_ERROR) return CaseLikeLetter(remote, letter);
    return GetVolumeCaption(letter);
}

namespace {

bool HasDriveLetter(const String& p) { return p.size() >= 2 && p[1] == L':'; }

// An absolute path with "." and ".." resolved and no final backslash except
// at a drive root.
String NormaliseAbsolute(const String& path) {
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::vector<wchar_t> buf(n + 1);
    const DWORD got = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    String full(buf.data(), got);
    if (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}

// path taken relative to the absolute folder cur, without touching the
// process's current directory (a drive-relative path of another drive takes
// that drive's remembered folder, as the system does).
String ResolveAgainst(const String& cur, const String& path) {
    if (path.empty()) return cur;
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') return NormaliseAbsolute(path);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return NormaliseAbsolute(path);
    if (path[0] == L'\\') return NormaliseAbsolute(ExtractFileDrive(cur) + path);
    if (HasDriveLetter(path)) {
        if (HasDriveLetter(cur) && std::towupper(path[0]) == std::towupper(cur[0]))
            return NormaliseAbsolute(IncludeTrailingPathDelimiter(cur) + path.substr(2));
        return NormaliseAbsolute(path);
    }
    return NormaliseAbsolute(IncludeTrailingPathDelimiter(cur) + path);
}

// The folder without its drive or server and share: "\" for a root.
String WithoutDrive(const String& folder) {
    String rest = folder.substr(ExtractFileDrive(folder).size());
    if (rest.size() > 1 && rest.back() == L'\\') rest.pop_back();
    return rest.empty() ? String(L"\\") : rest;
}

// Moves cur into path (relative to cur) or throws EInOutError.
void EnterFolder(String& cur, const String& path) {
    const String target = ResolveAgainst(cur, path);
    if (!IsExistingDirectory(target)) RaiseInOutError(ERROR_PATH_NOT_FOUND);
    cur = target;
}

}  // namespace

TEditPathParts SplitEditPath(const String& editText, const String& baseDir) {
    TEditPathParts parts;
    const String saveDir = baseDir.empty() ? GetCurrentDir() : NormaliseAbsolute(baseDir);
    String cur = saveDir;
    parts.Drive = saveDir.empty() ? 0 : saveDir[0];
    String dirPart = editText;
    String root;
    if (dirPart.size() >= 2 && dirPart.front() == L'[' && dirPart.back() == L']') {
        dirPart = dirPart.substr(1, dirPart.size() - 2);
    } else {
        root = ExtractFileDrive(dirPart);
        if (!root.empty()) dirPart.erase(0, root.size());
        else root = ExtractFileDrive(saveDir);
        parts.Drive = HasDriveLetter(root) ? root[0] : 0;
    }
    if (IsExistingDirectory(root)) cur = root.size() == 2 && HasDriveLetter(root) ? ResolveAgainst(cur, root)
                                                                                   : NormaliseAbsolute(root + L"\\");
    parts.FilePart = ExtractFileName(dirPart);
    if (dirPart.size() == parts.FilePart.size() + 1) dirPart = L"\\";
    else if (dirPart.size() > parts.FilePart.size()) dirPart.erase(dirPart.size() - parts.FilePart.size() - 1);
    else dirPart = WithoutDrive(cur);
    if (!dirPart.empty()) {
        EnterFolder(cur, dirPart);
        dirPart = WithoutDrive(cur);
    }
    const String& file = parts.FilePart;
    if (!file.empty() && file.find_first_of(L"*?") == String::npos && !FileExists(ResolveAgainst(cur, file))) {
        EnterFolder(cur, file);
        dirPart = WithoutDrive(cur);
        parts.FilePart.clear();
    }
    if (parts.Drive == 0) dirPart = root + dirPart;
    parts.DirPart = dirPart;
    return parts;
}

int PathDepth(const String& path) {
    int n = 0;
    for (wchar_t c : path)
        if (c == L'\\') ++n;
    return n;
}
