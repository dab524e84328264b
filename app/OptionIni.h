#pragma once
// "option.ini", the settings file in the executable's folder. Every access
// opens the file for that one read or write and frees it at once; values are
// text, read with the default "Error" so that a missing key and a stored
// "Error" read alike. Neither a read nor a write ever ends the program or
// a handler: a file that cannot be written leaves its values in memory.
//
// Threads: UI thread (the main window and its dialogs).

#include <functional>

#include "platform/SysUtils.h"

namespace optionini {

inline constexpr const wchar_t* Missing = L"Error";

// The folder of the file, with its trailing separator: the executable's
// folder unless SetFolder named another (tests do).
String Folder();
void SetFolder(const String& folder);
String FileName();
bool Exists();

// The value, or "Error" when the key (or the file) is missing. A value
// whose write failed in this session is read as written.
String Read(const String& section, const String& key);
// Writes the value, creating the file. Never throws: when the file cannot
// be written (a read-only file or folder, a folder of that name), the value
// is kept for the rest of the session and one line goes to the log sink.
void Write(const String& section, const String& key, const String& value);

// Receives the line of each failed write; nullptr restores the default,
// the debugger's output. Set by the main window for its log.
void SetLogSink(std::function<void(const String& line)> sink);
// Forgets the values kept from failed writes (a new session; tests).
void ForgetSessionValues();

// True for a value that counts as absent: missing, empty or "Error".
bool IsUnset(const String& value);

}  // namespace optionini
