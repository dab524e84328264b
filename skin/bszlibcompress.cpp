#include "skin/bszlibcompress.h"

namespace {

const wchar_t* const kInvalidOp = L"Invalid stream operation";

int LevelOf(TCompressionLevel l) {
    switch (l) {
        case TCompressionLevel::clNone: return 0;
        case TCompressionLevel::clFastest: return 1;
        case TCompressionLevel::clMax: return 9;
        default: return Z_DEFAULT_COMPRESSION;
    }
}

int CCheck(int code) {
    if (code < 0) throw ECompressionError(L"error");
    return code;
}

int DCheck(int code) {
    if (code < 0) throw EDecompressionError(L"compression error");
    return code;
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream* strm) : FStrm(strm), FStrmPos(strm->Position()) {}

void TCustomZlibStream::Progress(TObject* Sender) {
    if (OnProgress) OnProgress(Sender);
}

// ---- compression ----------------------------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest)
    : TCustomZlibStream(Dest) {
    FZRec.next_out = FBuffer;
    FZRec.avail_out = sizeof(FBuffer);
    CCheck(deflateInit(&FZRec, LevelOf(CompressionLevel)));
}

TCompressionStream::~TCompressionStream() {
    if (!finished_) {
        try {
            Finish();
        } catch (...) {
            // A destructor cannot report; callers that need to know call Finish.
        }
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::FlushBuffer() {
    FStrm->WriteBuffer(FBuffer, static_cast<int32_t>(sizeof(FBuffer) - FZRec.avail_out));
    FZRec.next_out = FBuffer;
    FZRec.avail_out = sizeof(FBuffer);
    FStrmPos = FStrm->Position();
}

void TCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    if (FStrm->Position() != FStrmPos) FStrm->SetPosition(FStrmPos);
    while (CCheck(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END && FZRec.avail_out == 0) FlushBuffer();
    if (FZRec.avail_out < sizeof(FBuffer)) FlushBuffer();
}

int32_t TCompressionStream::Read(void*, int32_t) { throw ECompressionError(kInvalidOp); }

int32_t TCompressionStream::Write(const void* buffer, int32_t count) {
    if (finished_) throw ECompressionError(kInvalidOp);
    FZRec.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    FZRec.avail_in = static_cast<uInt>(count);
    if (FStrm->Position() != FStrmPos) FStrm->SetPosition(FStrmPos);
    while (FZRec.avail_in > 0) {
        CCheck(deflate(&FZRec, Z_NO_FLUSH));
        if (FZRec.avail_out == 0) {
            FlushBuffer();
            Progress(this);
        }
    }
    return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == soCurrent) return static_cast<int64_t>(FZRec.total_in);
    throw ECompressionError(kInvalidOp);
}

float TCompressionStream::CompressionRate() const {
    if (FZRec.total_in == 0) return 0;
    return (1.0f - static_cast<float>(FZRec.total_out) / static_cast<float>(FZRec.total_in)) * 100.0f;
}

// ---- decompression --------------------------------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream* Source) : TCustomZlibStream(Source) {
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    DCheck(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FZRec); }

int32_t TDecompressionStream::Read(void* buffer, int32_t count) {
    FZRec.next_out = static_cast<Bytef*>(buffer);
    FZRec.avail_out = static_cast<uInt>(count);
    if (FStrm->Position() != FStrmPos) FStrm->SetPosition(FStrmPos);
    while (FZRec.avail_out > 0 && !ended_) {
        if (FZRec.avail_in == 0) {
            const int32_t got = FStrm->Read(FBuffer, sizeof(FBuffer));
            if (got <= 0) break;
            FZRec.next_in = FBuffer;
            FZRec.avail_in = static_cast<uInt>(got);
            FStrmPos = FStrm->Position();
            Progress(this);
        }
        const uInt inBefore = FZRec.avail_in, outBefore = FZRec.avail_out;
        const int code = DCheck(inflate(&FZRec, Z_NO_FLUSH));
        if (code == Z_STREAM_END) {
            ended_ = true;
        } else if (code == Z_NEED_DICT || (FZRec.avail_in == inBefore && FZRec.avail_out == outBefore)) {
            // A stream that wants a preset dictionary, or a call that takes
            // and gives nothing, would make this loop run for ever.
            throw EDecompressionError(L"compression error");
        }
    }
    return count - static_cast<int32_t>(FZRec.avail_out);
}

int32_t TDecompressionStream::Write(const void*, int32_t) { throw EDecompressionError(kInvalidOp); }

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t delivered = static_cast<int64_t>(FZRec.total_out);
    if (offset == 0 && origin == soBeginning) {
        DCheck(inflateReset(&FZRec));
        FZRec.next_in = FBuffer;
        FZRec.avail_in = 0;
        ended_ = false;
        FStrm->SetPosition(0);
        FStrmPos = 0;
        return 0;
    }
    if ((origin == soCurrent && offset >= 0) || (origin == soBeginning && offset > delivered)) {
        if (origin == soBeginning) offset -= delivered;
        unsigned char skip[8192];
        while (offset > 0) {
            const int32_t part = offset > static_cast<int64_t>(sizeof(skip)) ? static_cast<int32_t>(sizeof(skip))
                                                                             : static_cast<int32_t>(offset);
            const int32_t got = Read(skip, part);
            if (got <= 0) break;
            offset -= got;
        }
        return static_cast<int64_t>(FZRec.total_out);
    }
    throw EDecompressionError(kInvalidOp);
}

// ---- whole streams --------------------------------------------------------------------------

void CompressStream(TMemoryStream* Source, TStream* Dest) {
    TCompressionStream z(TCompressionLevel::clMax, Dest);
    z.WriteBuffer(Source->Memory(), static_cast<int32_t>(Source->Size()));
    z.Finish();
}

void DecompressStream(TStream* Dest, TMemoryStream* Source) {
    Source->SetPosition(0);
    TDecompressionStream z(Source);
    unsigned char buf[4096];
    for (;;) {
        const int32_t got = z.Read(buf, sizeof(buf));
        if (got <= 0) break;
        Dest->WriteBuffer(buf, got);
    }
}
