#pragma once
// File names handed to the media libraries and read back from them.
//
// The system keeps names as UTF-16. This library generation takes names as
// UTF-8 and opens them with the wide file functions of the platform, so
// every file name goes to the libraries as its UTF-8 form: names that
// survive the ANSI code page arrive as they are, and names with any other
// character (Chinese, or outside the code page) open, read and write alike.
// Names of the older "unicode:utf8:" form are still understood when read
// back.
//
// No shared state: any thread.
#include <string>

// True when the name does not survive the ANSI code page (protocol names
// such as http: are left alone).
bool NeedsUnicodeName(const std::wstring& AName);
// The zero-terminated 8-bit name for the libraries (each caller keeps its
// own copy for as long as the library call uses it).
std::string ToLibFileName(const std::wstring& AName);
// True for "unicode:utf8:" followed by at least one byte.
bool IsUnicodeName(const char* AName);
// The name after "unicode:utf8:", decoded from UTF-8.
std::wstring DecodeUnicodeName(const char* AName);
// A name the libraries report (a context's url) back as UTF-16.
std::wstring FromLibFileName(const char* AName);
