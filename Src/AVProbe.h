#pragma once
// The media probe: opens a media file with the format library and answers
// questions about it (TCustomAVProbe); TAVProbe adds seeking and decoding of
// single pictures into a 24-bit bitmap.
//
// Threads: a probe is used by one thread at a time. Messages go to the
// process-wide logger (with the probe as sender) and into LastErrMsg.
// Decoder open and close hold AVCodecLock.
#include <cstdint>
#include <string>

#include "Src/FFBaseComponent.h"
#include "Src/FFUtils.h"
#include "Src/LibAVHeaders.h"
#include "Src/RGBConvert.h"

struct TFileStreamInfo {
    int64_t StartTime = -1;  // microseconds; -1 unknown
    int64_t Duration = -1;   // microseconds; -1 unknown
    int BitRate = -1;
    int64_t TimeStamp = -1;  // creation time, seconds since 1970; 0 unknown
    int Year = -1;
    int Track = -1;
    std::wstring Title, Author, Copyright, Comment, Album, Genre;
};

struct TAudioStreamInfo {
    std::wstring Language, CodecName;
    int64_t StartTime = -1, Duration = -1;              // in the stream's time base
    int64_t StartTimeScaled = -1, DurationScaled = -1;  // microseconds
    int BitRate = -1, Channels = -1, SampleRate = -1, SampleFormat = -1;
};

struct TVideoStreamInfo {
    std::wstring Language, CodecName;
    int64_t StartTime = -1, StartTimeScaled = -1, Duration = -1, DurationScaled = -1;
    int BitRate = -1, Height = -1, Width = -1;
    float AspectRatio = -1;  // display aspect of the picture
    int PixFmt = -1;
    AVRational FrameRate = {-1, -1};  // the stream's real frame rate
};

struct TSubtitleStreamInfo {
    std::wstring Language, CodecName;
};

class TCustomAVProbe : public TFFBaseComponent {
public:
    explicit TCustomAVProbe(TComponent* AOwner = nullptr);
    ~TCustomAVProbe() override;

    bool AVLibLoaded() const;
    bool LoadAVLib(const std::wstring& APath);
    void UnloadAVLib();

    // Throws EEngineError ("LibAVCodec not loaded." ...) without the libraries.
    bool LoadFile(const std::wstring& AFileName, const std::wstring& AFormatName = L"");
    virtual void CloseFile();

    AVFormatContext* FileHandle() const { return FFileHandle; }
    // Attaches a context someone else opened; the probe will not close it.
    virtual void SetFileHandle(AVFormatContext* AHandle);

    std::wstring FileName();
    int64_t FileSize() const { return FFileSize; }
    const std::wstring& ForceFormat() const { return FForceFormat; }
    std::wstring FormatName();
    std::wstring FormatLongName();
    int StreamCount() const { return FStreamCount; }
    int ProgramCount() const { return FProgramCount; }
    int AudioStreamCount() const { return FAudioStreamCount; }
    int VideoStreamCount() const { return FVideoStreamCount; }
    int SubtitleStreamCount() const { return FSubtitleStreamCount; }
    int FirstAudioStreamIndex() const { return FFirstAudioStreamIndex; }
    int FirstVideoStreamIndex() const { return FFirstVideoStreamIndex; }
    int FirstSubtitleStreamIndex() const { return FFirstSubtitleStreamIndex; }
    TFileStreamInfo FileStreamInfo();
    std::wstring FileInfoText();

    bool IsAudioStream(int AStreamIndex);
    bool IsVideoStream(int AStreamIndex);
    bool IsSubtitleStream(int AStreamIndex);
    // A negative index means the first stream of that kind.
    void GetAudioStreamInfo(int AStreamIndex, TAudioStreamInfo& AInfo);
    void GetVideoStreamInfo(int AStreamIndex, TVideoStreamInfo& AInfo);
    void GetSubtitleStreamInfo(int AStreamIndex, TSubtitleStreamInfo& AInfo);
    TAudioStreamInfo FirstAudioStreamInfo();
    TVideoStreamInfo FirstVideoStreamInfo();
    TSubtitleStreamInfo FirstSubtitleStreamInfo();

    const std::wstring& LastErrMsg() const { return FLastErrMsg; }

protected:
    virtual void RefreshFileInfo();
    // Logs at the level converted from the library level, keeps the text.
    void LogMessage(int ALibLevel, const std::wstring& AText);
    void CheckLibraries() const;
    bool IsStreamOfType(int AStreamIndex, AVMediaType AType);
    // The stream of a getter, or null after logging why not.
    AVStream* InfoStream(int AStreamIndex, int AFirstIndex, AVMediaType AType, const char* AWord);
    bool FileNotLoaded();

    AVFormatContext* FFileHandle = nullptr;
    bool FOwnHandle = false;
    std::wstring FLastErrMsg;
    std::wstring FForceFormat;
    int64_t FFileSize = -1;
    int FStreamCount = -1, FProgramCount = -1;
    int FAudioStreamCount = -1, FVideoStreamCount = -1, FSubtitleStreamCount = -1;
    int FFirstAudioStreamIndex = -1, FFirstVideoStreamIndex = -1, FFirstSubtitleStreamIndex = -1;

private:
    std::wstring StreamLine(int AIndex);
};

// The last decoded picture.
struct TFrameInfo {
    int PixFmt = -1;
    int Width = -1, Height = -1;
    bool IsKeyFrame = false;
    TPictureType PictureType = ptUnknown;
    int64_t PTS = NoValue;  // microseconds from the stream's start
    int64_t OriginalDTS = NoValue, OriginalPTS = NoValue;
    int StreamIndex = -1;
    int64_t Position = -1;  // byte position before the decode read its first packet
    bool Ready = false;
    TAVPicture Picture;        // describes Buffer
    uint8_t* Buffer = nullptr;  // owned by the probe
    int Size = 0;
};

class TAVProbe : public TCustomAVProbe {
public:
    explicit TAVProbe(TComponent* AOwner = nullptr);
    ~TAVProbe() override;

    void CloseFile() override;

    // The end of the input was reached (EOF itself is a C library macro).
    bool Eof() const { return FEOF; }
    TFrameInfo FrameInfo() const { return FPicture; }
    int64_t Position();

    // APTS: microseconds from the stream's start, or bytes with sfByte.
    bool Seek(int64_t APTS, TSeekFlags ASeekFlags = {});
    // A negative index: the stream decoded last, else the first video stream.
    bool Decode(int AStreamIndex = -1);
    bool DecodeNextKeyFrame(int AStreamIndex = -1);
    bool DecodePreviousFrame(int AStreamIndex = -1);
    bool DecodePreviousKeyFrame(int AStreamIndex = -1);
    bool CopyToBitmap(TBitmap& ABitmap);

protected:
    void RefreshFileInfo() override;

private:
    void ResetFrameInfo();
    bool CheckSeekable();
    bool CanSeek();
    int SelectDecodeIndex(int AStreamIndex);
    AVCodecContext* OpenDecoder(int AIndex);
    void CloseDecoder();
    void FillFrameInfo(const AVFrame* AFrame, int AIndex, int64_t APos);
    bool IsImage2() const;
    int64_t StreamFrameDuration(int AIndex) const;

    AVCodecContext* FCodec = nullptr;
    int FCodecIndex = -1;
    bool FDraining = false;
    AVFrame* FFrame = nullptr;
    AVPacket* FPacket = nullptr;
    TRGBConvertContext FRGBContext;
    int FSeekIndex = -1;
    int64_t FStartTime = -1;
    int FDecodeIndex = -1;
    bool FEOF = false;
    TFrameInfo FPicture;
    int64_t FLastPTS = NoValue;
    int64_t FLastPos = -1;
};
