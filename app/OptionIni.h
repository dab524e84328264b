#pragma once
// "option.ini", the settings file in the executable's folder. Every access
// opens the file for that one read or write and frees it at once; values are
// text, read with the default "Error" so that a missing key and a stored
// "Error" read alike.
//
// Threads: UI thread (the main window and its dialogs).

#include "platform/SysUtils.h"

namespace optionini {

inline constexpr const wchar_t* Missing = L"Error";

// The folder of the file, with its trailing separator: the executable's
// folder unless SetFolder named another (tests do).
String Folder();
void SetFolder(const String& folder);
String FileName();
bool Exists();

// The value, or "Error" when the key (or the file) is missing.
String Read(const String& section, const String& key);
// Writes the value, creating the file. Throws EWriteError when the file
// cannot be written.
void Write(const String& section, const String& key, const String& value);

// True for a value that counts as absent: missing, empty or "Error".
bool IsUnset(const String& value);

}  // namespace optionini
