#include "app/OptionIni.h"

#include "platform/Forms.h"
#include "platform/IniFiles.h"

#include <map>

namespace optionini {

namespace {
String& FolderOverride() {
    static String folder;
    return folder;
}

// Values whose write failed, by file, section and key (case-insensitive,
// as the profile functions match them).
std::map<String, String>& SessionValues() {
    static std::map<String, String> values;
    return values;
}

std::function<void(const String&)>& LogSink() {
    static std::function<void(const String&)> sink;
    return sink;
}

String SessionKey(const String& section, const String& key) {
    return AnsiUpperCase(FileName() + L"\n" + section + L"\n" + key);
}
}  // namespace

String Folder() {
    if (!FolderOverride().empty()) return IncludeTrailingPathDelimiter(FolderOverride());
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return ExtractFilePath(path);
}

void SetFolder(const String& folder) { FolderOverride() = folder; }

String FileName() { return Folder() + L"option.ini"; }

bool Exists() { return FileExists(FileName()); }

String Read(const String& section, const String& key) {
    const auto kept = SessionValues().find(SessionKey(section, key));
    if (kept != SessionValues().end()) return kept->second;
    TIniFile ini(FileName());
    return ini.ReadString(section, key, Missing);
}

// The system's profile functions write a file they create in the ANSI code
// page, which would turn the Chinese folder names into question marks; a
// file that starts with the UTF-16 mark is kept in UTF-16.
static void CreateUnicodeFile(const String& name) {
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;  // the write below reports a failure
    const unsigned char mark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, mark, sizeof(mark), &written, nullptr);
    CloseHandle(file);
}

void Write(const String& section, const String& key, const String& value) {
    try {
        if (!Exists()) CreateUnicodeFile(FileName());
        TIniFile ini(FileName());
        ini.WriteString(section, key, value);
        SessionValues().erase(SessionKey(section, key));
        return;
    } catch (const Exception& e) {
        SessionValues()[SessionKey(section, key)] = value;
        const String line = L"option.ini: [" + section + L"] " + key + L"=" + value + L" kept for this session: " +
                            e.Message();
        if (LogSink()) LogSink()(line);
        else OutputDebugStringW(line.c_str());
    }
}

void SetLogSink(std::function<void(const String& line)> sink) { LogSink() = std::move(sink); }

void ForgetSessionValues() { SessionValues().clear(); }

bool IsUnset(const String& value) { return value.empty() || value == Missing; }

}  // namespace optionini
