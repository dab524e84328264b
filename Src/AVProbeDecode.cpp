// Seeking and picture decoding of the probe (TAVProbe).
#include <cerrno>
#include <cstring>
#include <mutex>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVProbe.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"

namespace {
const AVRational Microseconds = {1, AV_TIME_BASE};
constexpr int MaxNonBlockingRetries = 1000;
}  // namespace

TAVProbe::TAVProbe(TComponent* AOwner) : TCustomAVProbe(AOwner) {}

TAVProbe::~TAVProbe() {
    TAVProbe::CloseFile();
    if (FPicture.Buffer) ff::av_free(FPicture.Buffer);
    if (FFrame) ff::av_frame_free(&FFrame);
    if (FPacket) ff::av_packet_free(&FPacket);
}

void TAVProbe::ResetFrameInfo() {
    if (FPicture.PTS != NoValue) FLastPTS = FPicture.PTS;
    if (FPicture.Position != -1) FLastPos = FPicture.Position;
    FPicture.PixFmt = FPicture.Width = FPicture.Height = -1;
    FPicture.IsKeyFrame = false;
    FPicture.PictureType = ptUnknown;
    FPicture.PTS = FPicture.OriginalDTS = FPicture.OriginalPTS = NoValue;
    FPicture.StreamIndex = -1;
    FPicture.Position = -1;
    FPicture.Ready = false;
}

void TAVProbe::RefreshFileInfo() {
    TCustomAVProbe::RefreshFileInfo();
    FSeekIndex = FFirstVideoStreamIndex >= 0 ? FFirstVideoStreamIndex : FFirstAudioStreamIndex;
    if (!FFileHandle) return;
    FStartTime = FSeekIndex >= 0 ? FFileHandle->streams[FSeekIndex]->start_time : FFileHandle->start_time;
    if (FStartTime == NoValue) FStartTime = 0;
}

void TAVProbe::CloseDecoder() {
    if (!FCodec) return;
    std::lock_guard<std::mutex> guard(AVCodecLock);
    ff::avcodec_free_context(&FCodec);
    FCodecIndex = -1;
    FDraining = false;
}

void TAVProbe::CloseFile() {
    FSeekIndex = -1;
    FStartTime = -1;
    FDecodeIndex = -1;
    FEOF = false;
    ResetFrameInfo();
    FLastPTS = NoValue;
    FLastPos = -1;
    CloseDecoder();
    ResetRGBContext(FRGBContext);
    TCustomAVProbe::CloseFile();
}

int64_t TAVProbe::Position() {
    if (!FFileHandle) {
        LogMessage(AV_LOG_WARNING, L"file not loaded.");
        return -1;
    }
    if (FFileHandle->pb) return ff::avio_seek(FFileHandle->pb, 0, SEEK_CUR);
    LogMessage(AV_LOG_WARNING, L"cannot get position");
    return -1;
}

bool TAVProbe::IsImage2() const {
    return FFileHandle && FFileHandle->iformat && _stricmp(FFileHandle->iformat->name, "image2") == 0;
}

bool TAVProbe::CheckSeekable() {
    if (!FFileHandle) {
        LogMessage(AV_LOG_WARNING, L"file not loaded.");
        return false;
    }
    if (!FOwnHandle) {
        LogMessage(AV_LOG_WARNING, L"file cannot be seeked, handle is readonly.");
        throw EEngineError(L"file cannot be seeked, handle is readonly.");
    }
    return true;
}

bool TAVProbe::CanSeek() {
    if (!CheckSeekable()) return false;
    if (IsImage2()) {
        LogMessage(AV_LOG_INFO, L"\"image2\" format cannot to be seeked.");
        return false;
    }
    return true;
}

bool TAVProbe::Seek(int64_t APTS, TSeekFlags ASeekFlags) {
    if (!CanSeek()) return false;
    AVIOContext* pb = FFileHandle->pb;
    if (pb) LogMessage(AV_LOG_DEBUG, FormatText("currunt position %lld bytes", (long long)ff::avio_seek(pb, 0, SEEK_CUR)));
    int64_t ts = APTS < 0 ? 0 : APTS;
    if (!ASeekFlags.Contains(sfByte)) {
        if (FSeekIndex >= 0) ts = ff::av_rescale_q(ts, Microseconds, FFileHandle->streams[FSeekIndex]->time_base);
        if (FStartTime > 0) ts += FStartTime;
    }
    if (FCodec) ff::avcodec_flush_buffers(FCodec);
    FDraining = false;
    FEOF = false;
    ResetFrameInfo();
    int r;
    if (APTS > 0) {
        r = ff::av_seek_frame(FFileHandle, FSeekIndex, ts, ASeekFlags.LibFlags());
    } else {
        r = ff::av_seek_frame(FFileHandle, FSeekIndex, ts, ASeekFlags.With(sfBackward).LibFlags());
        if (r < 0) r = ff::av_seek_frame(FFileHandle, FSeekIndex, APTS, ASeekFlags.Without(sfBackward).LibFlags());
    }
    bool result = r >= 0;
    if (!result) {
        LogMessage(AV_LOG_ERROR, ASeekFlags.Contains(sfByte)
                                     ? FormatText("could not seek to position %lld bytes", (long long)APTS)
                                     : FormatText("could not seek to position %0.3f seconds", APTS / 1000000.0));
    }
    if (pb) LogMessage(AV_LOG_DEBUG, FormatText("seek to position %lld bytes", (long long)ff::avio_seek(pb, 0, SEEK_CUR)));
    if (pb && ff::avio_feof(pb)) {
        if (result) LogMessage(AV_LOG_INFO, L"stream eof reached.");
        FEOF = true;
        result = false;
    }
    return result;
}

int TAVProbe::SelectDecodeIndex(int AStreamIndex) {
    if (!CheckSeekable()) return -1;
    int index = AStreamIndex;
    if (index < 0) {
        index = FDecodeIndex >= 0 ? FDecodeIndex : FFirstVideoStreamIndex;
        if (index < 0) {
            LogMessage(AV_LOG_ERROR, L"no video stream.");
            return -1;
        }
    } else if (index >= FStreamCount) {
        LogMessage(AV_LOG_ERROR, FormatText("stream index #%d is invalid.", index));
        return -1;
    } else if (FFileHandle->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
        LogMessage(AV_LOG_ERROR, FormatText("stream #%d is not video stream.", index));
        return -1;
    }
    if (index != FDecodeIndex) ResetFrameInfo();
    FDecodeIndex = index;
    return index;
}

AVCodecContext* TAVProbe::OpenDecoder(int AIndex) {
    const AVStream* st = FFileHandle->streams[AIndex];
    EngineAssert(st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO, L"AVProbe", L"not a video stream");
    if (st->codecpar->width == 0 || st->codecpar->height == 0) {
        LogMessage(AV_LOG_ERROR, L"frame size of codec is invalid.");
        return nullptr;
    }
    if (FCodec && FCodecIndex == AIndex) return FCodec;
    CloseDecoder();
    const AVCodec* decoder = ff::avcodec_find_decoder(st->codecpar->codec_id);
    if (!decoder) {
        LogMessage(AV_LOG_ERROR, FormatText("Unsupported codec (id=%d) for input file stream #%d",
                                            static_cast<int>(st->codecpar->codec_id), AIndex));
        return nullptr;
    }
    AVCodecContext* ctx = ff::avcodec_alloc_context3(decoder);
    int r = ctx ? ff::avcodec_parameters_to_context(ctx, st->codecpar) : AVERROR(ENOMEM);
    if (r >= 0) {
        ctx->pkt_timebase = st->time_base;
        std::lock_guard<std::mutex> guard(AVCodecLock);
        r = ff::avcodec_open2(ctx, decoder, nullptr);
    }
    if (r < 0) {
        if (ctx) {
            std::lock_guard<std::mutex> guard(AVCodecLock);
            ff::avcodec_free_context(&ctx);
        }
        LogMessage(AV_LOG_ERROR, FormatText("Error while opening codec for input file stream #%d", AIndex));
        return nullptr;
    }
    FCodec = ctx;
    FCodecIndex = AIndex;
    FDraining = false;
    return ctx;
}

void TAVProbe::FillFrameInfo(const AVFrame* AFrame, int AIndex, int64_t APos) {
    const AVStream* st = FFileHandle->streams[AIndex];
    const auto fmt = static_cast<AVPixelFormat>(AFrame->format);
    const int size = ff::av_image_get_buffer_size(fmt, AFrame->width, AFrame->height, 1);
    if (FPicture.Size < size) {
        if (FPicture.Buffer) ff::av_free(FPicture.Buffer);
        FPicture.Buffer = static_cast<uint8_t*>(ff::av_malloc(size));
        FPicture.Size = FPicture.Buffer ? size : 0;
    }
    FPicture.PixFmt = AFrame->format;
    FPicture.Width = AFrame->width;
    FPicture.Height = AFrame->height;
    FPicture.IsKeyFrame = AFrame->key_frame == 1;
    FPicture.PictureType = PictureTypeFromCode(AFrame->pict_type);
    int64_t v = AFrame->best_effort_timestamp;
    if (v == NoValue) v = AFrame->pts;
    if (v == NoValue) v = AFrame->pkt_dts;
    if (FPicture.PTS != NoValue) FLastPTS = FPicture.PTS;
    if (v == NoValue) {
        FPicture.PTS = NoValue;
    } else {
        if (st->start_time != NoValue) v -= st->start_time;
        FPicture.PTS = ff::av_rescale_q(v, st->time_base, Microseconds);
        ff::av_log(nullptr, AV_LOG_DEBUG, "decode PTS: %0.3f\n", FPicture.PTS / 1000000.0);
    }
    FPicture.OriginalDTS = AFrame->pkt_dts;
    FPicture.OriginalPTS = AFrame->pts;
    FPicture.StreamIndex = AIndex;
    if (FPicture.Position != -1) FLastPos = FPicture.Position;
    FPicture.Position = APos;
    if (!FPicture.Buffer) return;  // out of memory: described, but no picture
    ff::av_image_fill_arrays(FPicture.Picture.data, FPicture.Picture.linesize, FPicture.Buffer, fmt, AFrame->width,
                             AFrame->height, 1);
    ff::av_image_copy(FPicture.Picture.data, FPicture.Picture.linesize, const_cast<const uint8_t**>(AFrame->data),
                      AFrame->linesize, fmt, AFrame->width, AFrame->height);
    FPicture.Ready = true;
}

bool TAVProbe::Decode(int AStreamIndex) {
    const int index = SelectDecodeIndex(AStreamIndex);
    if (index < 0) return false;
    if (FPicture.Ready && IsImage2()) return true;
    if (FEOF) {
        LogMessage(AV_LOG_INFO, L"stream eof reached.");
        return false;
    }
    if (!OpenDecoder(index)) return false;
    if (!FFrame) FFrame = ff::av_frame_alloc();
    if (!FPacket) FPacket = ff::av_packet_alloc();
    if (!FFrame || !FPacket) {
        LogMessage(AV_LOG_ERROR, ErrorText(FileName(), AVERROR(ENOMEM)));
        return false;
    }
    const int64_t pos = FFileHandle->pb ? ff::avio_seek(FFileHandle->pb, 0, SEEK_CUR) : -1;
    int retries = 0;
    for (;;) {
        const int got = ff::avcodec_receive_frame(FCodec, FFrame);
        if (got >= 0) {
            GlobalLogger()->Log(this, llDebug, "pkt.st_idx=%d, dts=%lld, pts=%lld, flags=%d, pict_type=%d", index,
                                (long long)FFrame->pkt_dts, (long long)FFrame->pts, FFrame->key_frame,
                                static_cast<int>(FFrame->pict_type));
            FillFrameInfo(FFrame, index, pos);
            ff::av_frame_unref(FFrame);
            return true;
        }
        if (got != AVERROR(EAGAIN) || FDraining) break;  // drained, or the decoder failed
        const int r = ff::av_read_frame(FFileHandle, FPacket);
        if (r == AVERROR(EAGAIN) && ++retries < MaxNonBlockingRetries) {
            Sleep(1);
            continue;
        }
        if (r < 0) {
            // End of the input: let the decoder hand out what it still holds.
            FDraining = true;
            ff::avcodec_send_packet(FCodec, nullptr);
            continue;
        }
        if (FPacket->stream_index == index) ff::avcodec_send_packet(FCodec, FPacket);  // a bad packet is skipped
        ff::av_packet_unref(FPacket);
    }
    LogMessage(AV_LOG_INFO, L"stream eof reached.");
    FEOF = true;
    return false;
}

int64_t TAVProbe::StreamFrameDuration(int AIndex) const {
    return FrameDuration(FFileHandle->streams[AIndex]->r_frame_rate);
}

bool TAVProbe::DecodeNextKeyFrame(int AStreamIndex) {
    const int index = SelectDecodeIndex(AStreamIndex);
    if (index < 0) return false;
    const int64_t d = StreamFrameDuration(index);
    const int64_t target = FPicture.PTS != NoValue && FPicture.PTS > 0 ? FPicture.PTS + d : d;
    return Seek(target) && Decode(index);
}

bool TAVProbe::DecodePreviousKeyFrame(int AStreamIndex) {
    const int index = SelectDecodeIndex(AStreamIndex);
    if (index < 0) return false;
    const int64_t d = StreamFrameDuration(index);
    int64_t ref = 0;
    if (FPicture.PTS != NoValue)
        ref = FPicture.PTS;
    else if (FLastPTS != NoValue)
        ref = FLastPTS;
    else if (FFileHandle->duration != NoValue)
        ref = FFileHandle->duration;
    // Each round seeks one frame further back and judges the decoded picture
    // by its time: demuxers of this library generation move the byte
    // position lazily, so the position says nothing about the seek.
    for (int64_t h = 1;; ++h) {
        Seek(ref - d * h, {sfBackward});
        if (Decode(index)) {
            if (FPicture.PTS < ref || FPicture.PTS <= 0) return true;
            // Went back past the start and still no earlier picture: there is none.
            if (d * h > ref) break;
        } else if (d * h > ref) {
            break;
        }
    }
    FLastErrMsg = L"Could not seek to the previous key-frame. " + FLastErrMsg;
    return false;
}

bool TAVProbe::DecodePreviousFrame(int AStreamIndex) {
    const int index = SelectDecodeIndex(AStreamIndex);
    if (index < 0) return false;
    const int64_t d = StreamFrameDuration(index);
    int64_t target = -2 * d;
    if (FPicture.PTS != NoValue)
        target = FPicture.PTS - 2 * d;
    else if (FLastPTS != NoValue)
        target = FLastPTS - 2 * d;
    if (!DecodePreviousKeyFrame(index)) return false;
    while (FPicture.PTS <= target)
        if (!Decode(index)) return false;
    return true;
}

bool TAVProbe::CopyToBitmap(TBitmap& ABitmap) {
    if (!FPicture.Ready) {
        LogMessage(AV_LOG_ERROR, L"picture not ready, please decode first");
        return false;
    }
    if (ConvertToBitmap(FRGBContext, FPicture.Picture, FPicture.PixFmt, FPicture.Width, FPicture.Height)) {
        TBitmap& from = *FRGBContext.Bitmap;
        ABitmap.SetPixelFormat(pf24bit);
        ABitmap.SetSize(from.Width(), from.Height());
        for (int y = 0; y < from.Height(); ++y) std::memcpy(ABitmap.ScanLine(y), from.ScanLine(y), from.BytesPerLine());
        return true;
    }
    ABitmap.SetPixelFormat(pf24bit);
    ABitmap.SetSize(FPicture.Width, FPicture.Height);
    FillBlack(ABitmap);
    ff::av_log(nullptr, AV_LOG_ERROR, "convert picture to bitmap failed\n");
    return false;
}
