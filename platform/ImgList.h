#pragma once
// Image lists over comctl32's HIMAGELIST. Every picture of a list has the
// list's Width x Height; Draw goes through the virtual DoDraw so that a
// subclass can draw pictures of its own (the native images then serve as
// placeholders that keep indexes and counts).
//
// Threads: UI thread only.

#include <windows.h>

#include <commctrl.h>

#include "platform/Bitmap.h"

enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // Creates the native list when first asked for.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return list_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetWidth(int v) { SetSize(v, height_); }
    void SetHeight(int v) { SetSize(width_, v); }
    void SetSize(int w, int h);
    TColorDepth ColorDepth() const { return colorDepth_; }
    void SetColorDepth(TColorDepth v);
    bool Masked = true;
    TColor BkColor = clNone;
    TDrawingStyle DrawingStyle = dsNormal;
    TImageType ImageType = itImage;
    int Count();

    // The index of the new picture; -1 when the system refused it.
    int Add(TBitmap* image, TBitmap* mask);
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Insert(int index, TBitmap* image, TBitmap* mask);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void Delete(int index);
    void Clear();
    // Draws picture index at (x, y) of the canvas (greyed when disabled).
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type, bool enabled);
    // Copies picture index into image (resized to the list's size).
    bool GetBitmap(int index, TBitmap* image);

    TNotifyEvent OnChange;

    // Native image lists made by this class and alive now (for leak tests).
    static long LiveLists();

protected:
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled);
    void Change();

private:
    void FreeHandle();
    HIMAGELIST list_ = nullptr;
    int width_ = 16, height_ = 16;
    TColorDepth colorDepth_ = cdDeviceDependent;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
