#pragma once
// The texts of the queue's cells and the checks of a typed output name.
//
// Threads: any; the functions touch only their arguments (SizeText reads
// the user's decimal separator once).

#include <cstdint>
#include <string>

namespace queuetexts {

// A time of whole seconds as "hh:mm:ss", hours in full (90,061 s give
// "25:01:01", not a time of day); a negative count gives "00:00:00".
std::wstring SecToDate(int64_t seconds);

// A size in bytes as megabytes with at most two decimals (halves to even)
// in the shortest form, with the user's decimal separator, then "MB":
// 1,048,576 gives "1MB", 12,949,914 gives "12.35MB".
std::wstring SizeText(int64_t bytes);

// Whether a typed name (without extension) can name a file in the output
// folder: not empty, not "." or "..", no path separator, no character that
// a Windows file name refuses (: * ? " < > | and control characters), and
// no trailing dot or blank (which the system would drop).
bool ValidOutputStem(const std::wstring& stem);

}  // namespace queuetexts
