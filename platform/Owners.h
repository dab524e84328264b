#pragma once
// Small owners of Win32 handles and scoped states: each releases what it
// holds on every path (return or exception). The class library, the bitmap
// engine and the skinned components take their handles through these
// instead of writing their own guards.
//
//   GdiObject<H>       a counted GDI object (pen, brush, font, bitmap, region)
//   MemoryDC           a counted memory DC
//   WindowDC           GetDC / ReleaseDC
//   WholeWindowDC      GetWindowDC / ReleaseDC (frame included)
//   KernelHandle       CloseHandle
//   FindHandle         FindFirstFileW / FindClose
//   SavedDC            SaveDC / RestoreDC
//   SelectedObject     SelectObject / the old object back
//   PaintScope         BeginPaint / EndPaint, or a DC handed in with WM_PAINT
//   OffscreenBuffer    memory DC with a compatible bitmap selected
//   DibSection         a counted DIB section with its bits (the one place that
//                      creates DIB sections)
//   StateFlagScope     a flag set in a state word for the scope (for example
//                      csPaintCopy in a control's ControlState)
//   BoolFlagScope      a Boolean set for the scope, then its old value back
//
// A region handed to a window with SetWindowRgn belongs to the window: call
// Release() on its owner first.
//
// Threads: an owner is used on the thread that made it; GDI objects are
// counted by platform/GdiObjects.h from any thread.

#include <windows.h>

#include <utility>

#include "platform/GdiObjects.h"

namespace platform {

// ---- GDI objects and DCs -----------------------------------------------------------------

// Owns a GDI object counted by TrackGdi; deletes it with DeleteGdi.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    // Takes a handle already counted (from TrackGdi).
    explicit GdiObject(H handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& o) noexcept : handle_(std::exchange(o.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.handle_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Deletes the object held and takes another (counted) one.
    void Reset(H handle = nullptr) {
        if (handle_) DeleteGdi(handle_);
        handle_ = handle;
    }
    // Gives the object up (still counted): the caller deletes it with
    // DeleteGdi, or hands it to a window that frees it.
    H Release() { return std::exchange(handle_, nullptr); }

private:
    H handle_ = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiFont = GdiObject<HFONT>;

// A counted memory DC compatible with the screen.
class MemoryDC {
public:
    MemoryDC() : dc_(CreateMemoryDC()) {}
    ~MemoryDC() { DeleteMemoryDC(dc_); }
    MemoryDC(MemoryDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&&) = delete;
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// The DC of a window (nullptr: the screen), released at the end.
class WindowDC {
public:
    explicit WindowDC(HWND wnd = nullptr) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// SaveDC now, RestoreDC at the end.
// GetWindowDC / ReleaseDC: the whole window, frame included; no DC for a
// null window (never the screen's).
class WholeWindowDC {
public:
    explicit WholeWindowDC(HWND wnd) : wnd_(wnd), dc_(wnd ? GetWindowDC(wnd) : nullptr) {}
    ~WholeWindowDC() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WholeWindowDC(const WholeWindowDC&) = delete;
    WholeWindowDC& operator=(const WholeWindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDC() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int id_;
};

// Selects an object into a DC and selects the old one back at the end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    // False when the object could not be selected.
    explicit operator bool() const { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint / EndPaint of a window, or the DC a WM_PAINT message hands in
// (givenDC nonzero), which is left alone.
class PaintScope {
public:
    PaintScope(HWND wnd, WPARAM givenDC) : wnd_(wnd), given_(givenDC != 0) {
        dc_ = given_ ? reinterpret_cast<HDC>(givenDC) : BeginPaint(wnd, &ps_);
    }
    ~PaintScope() {
        if (!given_) EndPaint(wnd_, &ps_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC DC() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND wnd_;
    bool given_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A memory DC with a bitmap compatible with `like` selected.
class OffscreenBuffer {
public:
    OffscreenBuffer(HDC like, int width, int height)
        : bitmap_(TrackGdi(CreateCompatibleBitmap(like, width, height))), select_(dc_.Get(), bitmap_.Get()) {}
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
    HDC DC() const { return dc_.Get(); }
    explicit operator bool() const { return static_cast<bool>(select_); }

private:
    MemoryDC dc_;
    GdiBitmap bitmap_;
    SelectedObject select_;
};

// ---- DIB sections --------------------------------------------------------------------------

// A counted DIB section and its bits. Create() is where every DIB section
// of the program is made; a failed creation leaves an empty object.
class DibSection {
public:
    DibSection() = default;
    DibSection(DibSection&& o) noexcept : bitmap_(std::move(o.bitmap_)), bits_(std::exchange(o.bits_, nullptr)) {}
    DibSection& operator=(DibSection&& o) noexcept {
        bitmap_ = std::move(o.bitmap_);
        bits_ = std::exchange(o.bits_, nullptr);
        return *this;
    }

    // From a full description (with colour table for palette formats).
    static DibSection Create(const BITMAPINFO& info) {
        DibSection d;
        void* bits = nullptr;
        d.bitmap_.Reset(TrackGdi(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
        if (d.bitmap_ && bits) d.bits_ = bits;
        else d.bitmap_.Reset();
        return d;
    }
    // A top-down (row 0 first) uncompressed section of 16, 24 or 32 bits.
    static DibSection Create(int width, int height, WORD bitCount) {
        BITMAPINFO info{};
        info.bmiHeader = TopDownHeader(width, height, bitCount);
        return Create(info);
    }
    static BITMAPINFOHEADER TopDownHeader(int width, int height, WORD bitCount) {
        BITMAPINFOHEADER h{};
        h.biSize = sizeof(h);
        h.biWidth = width;
        h.biHeight = -height;
        h.biPlanes = 1;
        h.biBitCount = bitCount;
        h.biCompression = BI_RGB;
        return h;
    }

    HBITMAP Handle() const { return bitmap_.Get(); }
    void* Bits() const { return bits_; }
    explicit operator bool() const { return bits_ != nullptr; }
    void Reset() {
        bitmap_.Reset();
        bits_ = nullptr;
    }
    // Gives the section up (still counted; delete with DeleteGdi).
    HBITMAP Release() {
        bits_ = nullptr;
        return bitmap_.Release();
    }

private:
    GdiBitmap bitmap_;
    void* bits_ = nullptr;
};

// ---- kernel handles ------------------------------------------------------------------------

// A kernel object handle (nullptr and INVALID_HANDLE_VALUE mean none).
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : h_(h) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(KernelHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE h = nullptr) {
        if (*this) CloseHandle(h_);
        h_ = h;
    }
    HANDLE Release() { return std::exchange(h_, nullptr); }

private:
    HANDLE h_ = nullptr;
};

// A file search handle of FindFirstFileW, closed with FindClose.
class FindHandle {
public:
    FindHandle() = default;
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() { Reset(); }
    FindHandle(FindHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    FindHandle& operator=(FindHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, INVALID_HANDLE_VALUE));
        return *this;
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
        if (*this) FindClose(h_);
        h_ = h;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// ---- state flags ---------------------------------------------------------------------------

// Sets flag in a state word for the scope and clears it at the end (unless
// it was set before). Example: StateFlagScope paint(control->ControlState, csPaintCopy);
class StateFlagScope {
public:
    StateFlagScope(unsigned& state, unsigned flag) : state_(state), flag_(flag), wasSet_((state & flag) != 0) {
        state_ |= flag;
    }
    ~StateFlagScope() {
        if (!wasSet_) state_ &= ~flag_;
    }
    StateFlagScope(const StateFlagScope&) = delete;
    StateFlagScope& operator=(const StateFlagScope&) = delete;

private:
    unsigned& state_;
    unsigned flag_;
    bool wasSet_;
};

// Sets a Boolean for the scope and gives it its old value back at the end
// (a re-entry guard: BoolFlagScope updating(FUpdating);).
class BoolFlagScope {
public:
    explicit BoolFlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~BoolFlagScope() { flag_ = old_; }
    BoolFlagScope(const BoolFlagScope&) = delete;
    BoolFlagScope& operator=(const BoolFlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace platform
