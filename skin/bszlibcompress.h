#pragma once
// zlib streams: TCompressionStream deflates what is written into it to a
// destination stream; TDecompressionStream inflates a source stream as it is
// read. Both work through fixed 8192-byte buffers.
//
// Threads: a stream is used by one thread at a time.

#include <zlib.h>

#include "platform/Streams.h"

VANTREL_EXCEPTION(EZlibError, Exception);
VANTREL_EXCEPTION(ECompressionError, EZlibError);
VANTREL_EXCEPTION(EDecompressionError, EZlibError);

class TCustomZlibStream : public TStream {
public:
    TNotifyEvent OnProgress;

protected:
    explicit TCustomZlibStream(TStream* strm);
    virtual void Progress(TObject* Sender);

    TStream* FStrm;
    int64_t FStrmPos;
    z_stream FZRec{};
    unsigned char FBuffer[8192];
};

// Scoped: the colour names clNone and clDefault are taken.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest);
    // Finishes the zlib stream unless Finish ran; never throws.
    ~TCompressionStream() override;
    // Writes the end of the zlib stream; afterwards nothing can be written.
    // Throws ECompressionError "error" when zlib fails.
    void Finish();

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // (1 - bytes out / bytes in) x 100; 0 while nothing was taken in.
    float CompressionRate() const;

private:
    void FlushBuffer();
    bool finished_ = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream* Source);
    ~TDecompressionStream() override;

    // Inflates up to count bytes into buffer; returns the bytes delivered
    // (fewer than count when the zlib stream or the source ends). Throws
    // EDecompressionError "compression error" when the data is corrupt, asks
    // for a preset dictionary, or stops making progress.
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // True once the end of the zlib stream was reached.
    bool AtStreamEnd() const { return ended_; }
    // Bytes of the source after the end of the zlib stream that were read
    // into the buffer (more may follow in the source).
    uInt UnusedInput() const { return FZRec.avail_in; }

private:
    bool ended_ = false;
};

// Compresses all of Source, from its start, into Dest at level clMax and
// finishes the zlib stream.
void CompressStream(TMemoryStream* Source, TStream* Dest);
// Inflates Source from its start and writes everything to Dest at its
// position, in reads of 4096 bytes, until a read delivers nothing.
void DecompressStream(TStream* Dest, TMemoryStream* Source);
