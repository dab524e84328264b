#pragma once
// Path routines of the file-system lists and the file dialogs: test, join,
// shorten, caption and split file-system paths (drive-letter and UNC).
//
// None of them changes the process's current directory: worker threads
// convert files while the dialogs run, so a relative path is resolved as text
// against a base folder (the current directory, read once, unless one is
// given) and checked with absolute paths.
//
// Threads: any thread.

#include <windows.h>

#include <functional>

#include "platform/FileSearch.h"
#include "platform/SysUtils.h"

class TCanvas;

// True when the attributes of path can be read and hold the directory bit.
// Never fails.
bool IsExistingDirectory(const String& path);

// Folder (not empty) and name joined by exactly one backslash.
String AppendPathItem(const String& folder, const String& name);

// Replaces the first folder of s (not empty) by "...\": "\A\B\" -> "\...\B\",
// "\...\B\" -> "\...\", "\" -> "".
void DropFirstFolder(String& s);

// Width of a text in pixels.
using TTextWidthFunc = std::function<int(const String&)>;

// The name shortened to fit maxWidth: first the folders after the drive are
// dropped one by one behind "\...\", then the drive, then "...\" (the bare
// name is returned even when it is still wider).
String ShortenPathToWidth(const String& fileName, const TTextWidthFunc& textWidth, int maxWidth);
// The same, measured with the canvas's font.
String ShortenPathToWidth(const String& fileName, TCanvas* canvas, int maxWidth);

// "[" + the volume label of letter + ":\" + "]", in lower case for a lower-case
// letter, else upper case; "[]" when the drive is not ready (the system shows
// no prompt for an empty removable drive). Never raises.
String GetVolumeCaption(wchar_t letter);
// The remote name of a mapped network drive (case as above, no brackets),
// else GetVolumeCaption(letter). Never raises.
String GetNetworkDriveCaption(wchar_t letter);

// The parts of a typed path.
struct TEditPathParts {
    wchar_t Drive = 0;  // the drive letter, or 0 for a UNC path
    String DirPart;     // folder, from the root ("\A\B"); with the server and share when Drive is 0
    String FilePart;    // the file name or pattern; empty when the text named a folder
};

// Splits a typed path into drive, folder and file parts. A relative text is
// taken relative to baseDir (an absolute folder; empty: the process's current
// directory). A text in brackets ("[sub]", "[..]") is a folder row of a file
// list. A last part that names no file and has no wildcard is taken as a
// folder and moved to DirPart; "." and ".." are resolved.
// Throws EInOutError (ERROR_PATH_NOT_FOUND) when a folder it must enter does
// not exist.
TEditPathParts SplitEditPath(const String& editText, const String& baseDir = String());

// The number of backslashes in path ("C:\A\B" 2, "C:\" 1).
int PathDepth(const String& path);
