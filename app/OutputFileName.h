#pragma once
// Output file names of a conversion: the name built from the input file and
// the output extension, and the rename rule for a name that is taken.
//
// Threads: any; the rename rule asks the file system (Win32) whether files
// exist.

#include <string>

namespace formats {

// The text after the last "\" or ":" of a path.
std::wstring FileNamePart(const std::wstring& path);

// The extension of a path's file-name part from its last ".", dot included;
// empty when the file-name part has no ".".
std::wstring FileExtensionOf(const std::wstring& path);

// The file-name part with its extension (from the last ".") replaced by ext,
// or with ext appended when it has no ".".
std::wstring ChangeFileExtension(const std::wstring& fileName, const std::wstring& ext);

// folder + "\" + the file-name part of inputFile with its extension
// replaced by ext.
std::wstring FirstOutputFileName(const std::wstring& folder, const std::wstring& inputFile,
                                 const std::wstring& ext);

// True when a file (not a folder) of that name exists.
bool OutputFileExists(const std::wstring& path);

// The name the output finally gets: folder + "\" + the file-name part of
// outputFile. When that file exists and overwrite is not chosen, the first of
// stem_1.ext, stem_2.ext, ... that does not exist. A name equal to the input
// file (compared without regard to case) is never overwritten: it is renamed
// whatever overwrite says, so the source cannot be destroyed.
std::wstring FinalOutputFileName(const std::wstring& folder, const std::wstring& outputFile,
                                 bool overwrite, const std::wstring& inputFile);

}  // namespace formats
