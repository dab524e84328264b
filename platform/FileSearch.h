#pragma once
// Searching folders by name pattern and attributes (FindFirst, FindNext,
// FindClose), the current folder, and the in/out error that a failed change
// of folder raises: what drive, folder and file lists are built on.
//
// Threads: any thread; the current folder is the process's (one for all
// threads), so only the UI thread changes it.

#include <windows.h>

#include <cstdint>

#include "platform/Owners.h"
#include "platform/SysUtils.h"

// File attributes of a search.
constexpr int faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08, faDirectory = 0x10,
              faArchive = 0x20, faNormal = 0x80, faAnyFile = 0x3F;

// A failed file operation; ErrorCode is the system's error code.
class EInOutError : public Exception {
public:
    EInOutError(String message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};

// Throws EInOutError with the system's text for code.
[[noreturn]] void RaiseInOutError(DWORD code);

// One entry found, and the search it belongs to (closed when the record
// goes or by FindClose).
struct TSearchRec {
    int64_t Size = 0;
    int Attr = 0;  // the entry's attributes (fa*)
    String Name;   // without the folder
    FILETIME Time{};  // last write
    // Entries with any of these attributes are skipped.
    int ExcludeAttr = 0;
    platform::FindHandle FindHandle;
    WIN32_FIND_DATAW FindData{};
};

// Starts a search of path (a folder and a pattern such as "C:\\dir\\*.txt")
// for entries whose attributes fit attr: plain files always, and hidden,
// system, directory and volume entries only when attr asks for them (every
// entry for faAnyFile). Returns 0 with the first entry in f, else the
// system's error code (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_NO_MORE_FILES, ...) with no search left open.
int FindFirst(const String& path, int attr, TSearchRec& f);
// The next fitting entry: 0, or the system's error code (ERROR_NO_MORE_FILES
// at the end) with the search closed.
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);

String GetCurrentDir();
// False when the folder cannot be entered (the current folder is kept).
bool SetCurrentDir(const String& dir);
// Enters the folder or throws EInOutError (the current folder is kept).
void ChDir(const String& dir);
