#pragma once
// TbsPngImageList: an image list whose pictures are PNG images with alpha.
// The native image list (a comctl32 HIMAGELIST) gives the list its size,
// count and handle for controls that take an image list; it holds blank
// placeholders kept in step with the items, and drawing is done from the
// PNG items themselves.
//
// Threads: UI thread only.

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "platform/Classes.h"
#include "skin/bsPngImage.h"

class TbsPngImageList;

class TbsPngImageItem : public TCollectionItem {
public:
    explicit TbsPngImageItem(TCollection* collection);
    ~TbsPngImageItem() override;
    void Assign(TPersistent* source) override;
    String GetDisplayName() const;

    String Name;
    TbsPngImage* PngImage() const { return png_.get(); }
    // Takes a copy of value.
    void SetPngImage(TbsPngImage* value);

private:
    std::unique_ptr<TbsPngImage> png_;
};

class TbsPngImageItems : public TCollection {
public:
    explicit TbsPngImageItems(TbsPngImageList* list);
    TbsPngImageList* Owner() const { return list_; }
    TbsPngImageItem* Items(int i) const { return static_cast<TbsPngImageItem*>(TCollection::Items(i)); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TbsPngImageList* list_;
};

class TbsPngImageList : public TComponent {
public:
    explicit TbsPngImageList(TComponent* owner);
    ~TbsPngImageList() override;

    HIMAGELIST Handle() const { return handle_; }
    int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }
    int PngWidth() const { return width_; }
    int PngHeight() const { return height_; }
    void SetPngWidth(int v);
    void SetPngHeight(int v);
    TbsPngImageItems* PngImages() const { return items_.get(); }
    void SetPngImages(TbsPngImageItems* v) { items_->Assign(v); }

    // Draws image index into (x, y, x + Width, y + Height); disabled images
    // are drawn half transparent.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) { DoDraw(index, canvas, x, y, 0, enabled); }

protected:
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled);

private:
    friend class TbsPngImageItems;
    void CreateList();
    void Resize(int w, int h);
    // Keeps one blank native image per item.
    void SyncPlaceholders();

    HIMAGELIST handle_ = nullptr;
    int width_ = 16, height_ = 16;
    std::unique_ptr<TbsPngImageItems> items_;
};

// Makes png half transparent (alpha factor v) as a disabled image is drawn.
void MakeImageHalfTransparent(TbsPngImage* png, int v = 127);
