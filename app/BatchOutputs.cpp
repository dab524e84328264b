#include "app/BatchOutputs.h"

#include <windows.h>

#include "app/OutputFileName.h"
#include "app/OutputRecord.h"

namespace batchoutputs {

namespace {

int IntegerOr(const std::wstring& text, int otherwise) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        return used == text.size() ? value : otherwise;
    } catch (const std::exception&) {
        return otherwise;
    }
}

// Full path, upper-cased: the key under which a file is claimed.
std::wstring Key(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n + 1);
        n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(n > 0 && n < full.size() ? n : 0);
    if (full.empty()) full = path;
    CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    return full;
}

}  // namespace

TOutputOptions OutputFromRow(const TRowColumns& c) {
    formats::TFormatSettings s;
    s.Video_VideoCodec = c[0];
    s.Video_AudioCodec = c[1];
    s.Video_AudioChannels = c[2];
    s.Video_VideoTag = c[3];
    s.Video_FileExt = c[4];
    s.Video_FrameSize = c[5];
    s.Video_VideoBitrate = IntegerOr(c[6], -1);
    s.Video_FrameRate = c[7];
    s.Video_AudioBitrate = IntegerOr(c[8], -1);
    s.Video_AudioSampleRate = c[9];
    s.Video_FrameAspectRatio = c[10];
    s.Video_DisableVideo = c[11] == L"True";
    s.Video_TargetType = c[12];
    s.Video_NormType = c[13];
    TOutputOptions record;
    InitOutputOptions(record);
    formats::FillOutputOptions(s, record);
    if (!c[4].empty()) record.FileExt = c[4];
    // x264 writes its own tag; another one would make a file players refuse.
    if (c[0] == L"libx264") record.VideoTag.clear();
    return record;
}

void TOutputClaims::Claim(const std::wstring& path) { FPaths.insert(Key(path)); }

bool TOutputClaims::Claimed(const std::wstring& path) const { return FPaths.count(Key(path)) > 0; }

TResolve ResolveOutput(const std::wstring& folder, const std::wstring& outputName, bool overwrite,
                       const std::wstring& input, const TOutputClaims& claims, std::wstring& result) {
    const std::wstring name = formats::FileNamePart(outputName);
    const std::wstring ext = formats::FileExtensionOf(name);
    const std::wstring stem = folder + L"\\" + name.substr(0, name.size() - ext.size());
    const std::wstring inputKey = Key(input);
    auto isInput = [&](const std::wstring& candidate) { return Key(candidate) == inputKey; };
    std::wstring candidate = stem + ext;
    if (overwrite && isInput(candidate)) return TResolve::SameAsInput;
    auto taken = [&](const std::wstring& c) {
        return claims.Claimed(c) || isInput(c) || (!overwrite && formats::OutputFileExists(c));
    };
    for (unsigned n = 1; taken(candidate); ++n) candidate = stem + L"_" + std::to_wstring(n) + ext;
    result = candidate;
    return TResolve::Ok;
}

}  // namespace batchoutputs
