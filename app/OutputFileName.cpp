#include "app/OutputFileName.h"

#include <windows.h>

namespace formats {

namespace {

std::wstring::size_type FileNameStart(const std::wstring& path) {
    const auto delimiter = path.find_last_of(L"\\:");
    return delimiter == std::wstring::npos ? 0 : delimiter + 1;
}

// Position of the extension's dot within path, or npos.
std::wstring::size_type ExtensionDot(const std::wstring& path) {
    const auto dot = path.rfind(L'.');
    return dot == std::wstring::npos || dot < FileNameStart(path) ? std::wstring::npos : dot;
}

bool SameFileName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A name that must not be written: an existing file, unless overwriting is
// allowed, and the input file in any case.
bool Taken(const std::wstring& candidate, bool overwrite, const std::wstring& inputFile) {
    if (!inputFile.empty() && SameFileName(candidate, inputFile)) return true;
    return !overwrite && OutputFileExists(candidate);
}

}  // namespace

std::wstring FileNamePart(const std::wstring& path) { return path.substr(FileNameStart(path)); }

std::wstring FileExtensionOf(const std::wstring& path) {
    const auto dot = ExtensionDot(path);
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot);
}

std::wstring ChangeFileExtension(const std::wstring& fileName, const std::wstring& ext) {
    const auto dot = ExtensionDot(fileName);
    return (dot == std::wstring::npos ? fileName : fileName.substr(0, dot)) + ext;
}

std::wstring FirstOutputFileName(const std::wstring& folder, const std::wstring& inputFile,
                                 const std::wstring& ext) {
    return folder + L"\\" + ChangeFileExtension(FileNamePart(inputFile), ext);
}

bool OutputFileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring FinalOutputFileName(const std::wstring& folder, const std::wstring& outputFile,
                                 bool overwrite, const std::wstring& inputFile) {
    const std::wstring ext = FileExtensionOf(outputFile);
    const std::wstring name = FileNamePart(outputFile);
    const std::wstring stem = folder + L"\\" + name.substr(0, name.size() - ext.size());
    std::wstring candidate = stem + ext;
    for (unsigned n = 1; Taken(candidate, overwrite, inputFile); ++n)
        candidate = stem + L"_" + std::to_wstring(n) + ext;
    return candidate;
}

}  // namespace formats
