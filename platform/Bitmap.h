#pragma once
// Pictures: the abstract graphic, bitmaps (DIB sections), icons and the
// picture container that picks a graphic class by file extension.
//
// Threads: a picture belongs to the thread that uses it; another thread may
// draw on a bitmap's canvas between Canvas()->Lock() and Unlock().

#include <map>
#include <memory>

#include "platform/Graphics.h"
#include "platform/Owners.h"
#include "platform/Streams.h"

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int w) = 0;
    virtual void SetHeight(int h) = 0;
    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool v);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the graphic scaled into r of the canvas.
    virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
    void Changed();

    bool transparent_ = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    bool Empty() const override { return !dib_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int w) override { SetSize(w, height_); }
    void SetHeight(int h) override { SetSize(width_, h); }
    // Keeps the picture's top-left part; new area is black (white when 1-bit).
    void SetSize(int w, int h);

    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat f);
    bool Monochrome() const { return format_ == pf1bit; }
    void SetMonochrome(bool v);

    // Row y of the pixels, top row 0; rows are padded to 4 bytes. Pixels are
    // blue, green, red (and alpha for pf32bit).
    void* ScanLine(int y);
    int BytesPerLine() const;

    // The bitmap handle stays owned by this object.
    HBITMAP Handle() const { return dib_.Handle(); }
    // Takes ownership of a bitmap handle (any kind; it is copied into a DIB).
    void SetHandle(HBITMAP bitmap);
    // Gives the handle away; the bitmap becomes empty.
    HBITMAP ReleaseHandle();

    TCanvas* Canvas();

    // Automatic transparency uses the bottom-left pixel's colour.
    TColor TransparentColor();
    void SetTransparentColor(TColor c);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode m) { transparentMode_ = m; }

    // BMP file data (with its file header). Loads 1, 4, 8, 16, 24 and 32
    // bits per pixel, bottom-up or top-down; 4, 8 and 16 bit pictures become
    // 24-bit. Throws EInvalidGraphic for anything else.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    // A bitmap resource (RT_BITMAP) of a module.
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    void Assign(TPersistent* source) override;
    void Dormant() {}
    void FreeImage() {}

protected:
    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    friend class TBitmapCanvas;
    void Create(int w, int h, TPixelFormat f, const void* bits = nullptr);
    void Release();
    HDC CanvasDC();
    int BitCount() const;
    void LoadFromDib(const BITMAPINFO* info, const uint8_t* bits, size_t bitsSize);

    platform::DibSection dib_;
    int width_ = 0, height_ = 0;
    TPixelFormat format_ = pf24bit;
    std::unique_ptr<TBitmapCanvas> canvas_;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
};

class TIcon : public TGraphic {
public:
    ~TIcon() override;
    bool Empty() const override { return !icon_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int w) override { width_ = w; }
    void SetHeight(int h) override { height_ = h; }
    HICON Handle() const { return icon_; }
    // Takes ownership of the icon.
    void SetHandle(HICON icon);
    HICON ReleaseHandle();
    // An .ico file: the entry closest to Width x Height (32 x 32 unless set).
    void LoadFromStream(TStream* stream) override;
    // Throws EInvalidGraphic: icons are read only.
    void SaveToStream(TStream* stream) override;
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    void Assign(TPersistent* source) override;

protected:
    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    HICON icon_ = nullptr;
    int width_ = 32, height_ = 32;
};

// Holds one graphic of any registered class.
class TPicture : public TPersistent {
public:
    using Factory = std::function<TGraphic*()>;
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Keeps a copy of graphic (nullptr empties the picture).
    void SetGraphic(TGraphic* graphic);
    // The graphic as a bitmap / icon; replaces another kind of graphic.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The graphic class is chosen by the file's extension; throws
    // EInvalidGraphic for an unknown extension.
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    void Assign(TPersistent* source) override;

    // Registers a graphic class for an extension such as "png" (no dot).
    static void RegisterFileFormat(const String& ext, const String& description, Factory factory);
    // The same for class T; a picture then also takes graphics of classes
    // derived from T (as a copy of class T).
    template <class T>
    static void RegisterFileFormatClass(const String& ext, const String& description) {
        RegisterFileFormat(ext, description, [] { return new T; },
                           [](const TGraphic* g) { return dynamic_cast<const T*>(g) != nullptr; });
    }

    TNotifyEvent OnChange;

private:
    static void RegisterFileFormat(const String& ext, const String& description, Factory factory,
                                   std::function<bool(const TGraphic*)> accepts);
    void Changed();
    template <class T>
    T* As();

    std::unique_ptr<TGraphic> graphic_;
};
