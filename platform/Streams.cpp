#include "platform/Streams.h"

#include <algorithm>
#include <cstring>

// ---- TStream ------------------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int32_t count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(count, 64 * 1024)) + 1);
    int64_t left = count;
    while (left > 0) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(left, static_cast<int64_t>(buf.size())));
        source->ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return count;
}

int64_t TStream::Size() {
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError(L"Stream size cannot change"); }

// ---- handle and file streams ------------------------------------------------------

int32_t THandleStream::Read(void* buffer, int32_t count) {
    DWORD n = 0;
    if (count <= 0 || !ReadFile(handle_, buffer, static_cast<DWORD>(count), &n, nullptr)) return 0;
    return static_cast<int32_t>(n);
}

int32_t THandleStream::Write(const void* buffer, int32_t count) {
    DWORD n = 0;
    if (count <= 0 || !WriteFile(handle_, buffer, static_cast<DWORD>(count), &n, nullptr)) return 0;
    return static_cast<int32_t>(n);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER d, r;
    d.QuadPart = offset;
    const DWORD how = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(handle_, d, &r, how)) return -1;
    return r.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
    Seek(size, soBeginning);
    if (!SetEndOfFile(handle_)) throw EWriteError(L"Stream write error");
}

TFileStream::TFileStream(const String& fileName, unsigned mode)
    : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName) {
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (mode & fmShareExclusive) share = 0;
    else if (mode & fmShareDenyWrite) share = FILE_SHARE_READ;
    if ((mode & fmCreate) == fmCreate) {
        handle_ = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            try {
                RaiseLastOSError();
            } catch (const Exception& e) {
                throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + e.Message());
            }
        }
        return;
    }
    const unsigned access = mode & 3;
    const DWORD rights = access == fmOpenRead ? GENERIC_READ
                         : access == fmOpenWrite ? GENERIC_WRITE
                                                 : GENERIC_READ | GENERIC_WRITE;
    handle_ = CreateFileW(fileName.c_str(), rights, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        try {
            RaiseLastOSError();
        } catch (const Exception& e) {
            throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + e.Message());
        }
    }
}

TFileStream::~TFileStream() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

// ---- memory streams ---------------------------------------------------------------

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
    if (count <= 0 || position_ >= size_) return 0;
    const auto n = static_cast<int32_t>(std::min<int64_t>(count, size_ - position_));
    std::memcpy(buffer, static_cast<uint8_t*>(memory_) + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : size_;
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
    if (size_ > 0) stream->WriteBuffer(memory_, static_cast<int32_t>(size_));
}

void TCustomMemoryStream::SaveToFile(const String& fileName) {
    TFileStream f(fileName, fmCreate);
    SaveToStream(&f);
}

void TCustomMemoryStream::SetPointer(void* memory, int64_t size) {
    memory_ = memory;
    size_ = size;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    const int64_t end = position_ + count;
    if (end > size_) SetSize(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

void TMemoryStream::SetSize(int64_t size) {
    data_.resize(static_cast<size_t>(size));
    SetPointer(data_.data(), size);
    if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    SetPointer(nullptr, 0);
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    const int64_t n = stream->Size();
    SetSize(n);
    if (n > 0) stream->ReadBuffer(data_.data(), static_cast<int32_t>(n));
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

TResourceStream::TResourceStream(HINSTANCE instance, const String& name, const wchar_t* type) {
    Init(instance, name.c_str(), type, name);
}

TResourceStream::TResourceStream(HINSTANCE instance, int id, const wchar_t* type) {
    Init(instance, MAKEINTRESOURCEW(id), type, IntToStr(id));
}

void TResourceStream::Init(HINSTANCE instance, const wchar_t* name, const wchar_t* type, const String& shownName) {
    HRSRC res = FindResourceW(instance, name, type ? type : MAKEINTRESOURCEW(10));
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    void* p = data ? LockResource(data) : nullptr;
    if (!p) throw EResNotFound(L"Resource " + shownName + L" not found");
    SetPointer(p, SizeofResource(instance, res));
}

int32_t TResourceStream::Write(const void*, int32_t) { throw EStreamError(L"Can't write to a read-only resource stream"); }
