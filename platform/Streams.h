#pragma once
// Byte streams: the abstract stream, memory, file and resource streams.
//
// Threads: a stream object is used by one thread at a time.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/Classes.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Reads / writes up to count bytes; returns how many were moved.
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    // Exactly count bytes or EReadError / EWriteError.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
    // Copies count bytes from source (all of it from its start when 0).
    int64_t CopyFrom(TStream* source, int64_t count);

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size);
};

class THandleStream : public TStream {
public:
    explicit THandleStream(HANDLE handle) : handle_(handle) {}
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    HANDLE Handle() const { return handle_; }

protected:
    HANDLE handle_;
};

// Open modes: one of fmCreate / fmOpenRead / fmOpenWrite / fmOpenReadWrite,
// combined with a share mode.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TFileStream : public THandleStream {
public:
    // Throws EFCreateError / EFOpenError with the file name and the reason.
    TFileStream(const String& fileName, unsigned mode);
    ~TFileStream() override;
    const String& FileName() const { return fileName_; }

private:
    String fileName_;
};

class TCustomMemoryStream : public TStream {
public:
    int32_t Read(void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void* Memory() const { return memory_; }
    void SaveToStream(TStream* stream);
    void SaveToFile(const String& fileName);

protected:
    void SetPointer(void* memory, int64_t size);
    void* memory_ = nullptr;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    int32_t Write(const void* buffer, int32_t count) override;
    void SetSize(int64_t size) override;
    void Clear();
    void LoadFromStream(TStream* stream);
    void LoadFromFile(const String& fileName);

private:
    std::vector<uint8_t> data_;
};

// A read-only stream over a resource of a module (RT_RCDATA by default).
class TResourceStream : public TCustomMemoryStream {
public:
    // Throws EResNotFound when the module has no such resource.
    TResourceStream(HINSTANCE instance, const String& name, const wchar_t* type);
    TResourceStream(HINSTANCE instance, int id, const wchar_t* type);
    int32_t Write(const void* buffer, int32_t count) override;

private:
    void Init(HINSTANCE instance, const wchar_t* name, const wchar_t* type, const String& shownName);
};
