#pragma once
// What a batch hands to the encoder for one queue row: the output record
// built afresh from the row's encoder columns, and the output file name
// resolved against the disk and the other rows of the same batch.
//
// Threads: any; ResolveOutput asks the file system (Win32) whether files
// exist. The main window calls them on the UI thread.

#include <array>
#include <set>
#include <string>

#include "Src/DIzizuZUR.h"

namespace batchoutputs {

// Sub-items 10 to 23 of a queue row, in order.
using TRowColumns = std::array<std::wstring, 14>;

// The output record of a row: the record's defaults, the volume unchanged,
// then the row's columns by the batch rules (codec with the libx264 default
// preset, tag only beside another codec, container extension, size, rates,
// aspect, no-video flag, disc target and norm; bit rates of -1000 and -2000
// pass nothing, and a disc target keeps the video rate it sets itself).
// Nothing of an earlier record survives.
TOutputOptions OutputFromRow(const TRowColumns& columns);

// Full paths that an output of the batch must not take: the batch's inputs
// and the outputs already given to earlier rows. Compared as full paths,
// without regard to case.
class TOutputClaims {
public:
    void Claim(const std::wstring& path);
    bool Claimed(const std::wstring& path) const;

private:
    std::set<std::wstring> FPaths;
};

enum class TResolve { Ok, SameAsInput };

// The file an output named outputName (its file-name part counts) gets in
// folder: folder\name, or the first free folder\stem_n.ext when that name is
// claimed, is the input itself, or (without overwrite) exists on disk.
// An output that would overwrite its own input while overwrite is chosen is
// refused (SameAsInput) rather than renamed behind the user's back.
TResolve ResolveOutput(const std::wstring& folder, const std::wstring& outputName, bool overwrite,
                       const std::wstring& input, const TOutputClaims& claims, std::wstring& result);

}  // namespace batchoutputs
