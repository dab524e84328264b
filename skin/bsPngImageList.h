#pragma once
// TbsPngImageList: an image list whose pictures are PNG images with alpha.
// The class library's image list gives it its size, count, handle and
// drawing entry points, so any control that takes an image list can show
// the pictures; the native images are blank placeholders kept in step with
// the items, and DoDraw draws from the PNG items themselves.
//
// Threads: UI thread only.

#include <memory>

#include "platform/Classes.h"
#include "platform/ImgList.h"
#include "skin/bsPngImage.h"

class TbsPngImageList;

class TbsPngImageItem : public TCollectionItem {
public:
    explicit TbsPngImageItem(TCollection* collection);
    ~TbsPngImageItem() override;
    void Assign(TPersistent* source) override;
    String GetDisplayName() const override;

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
    TPersistent* GetOwner() const override;
    TbsPngImageItem* Items(int i) const { return static_cast<TbsPngImageItem*>(TCollection::Items(i)); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TbsPngImageList* list_;
};

class TbsPngImageList : public TCustomImageList {
public:
    explicit TbsPngImageList(TComponent* owner);
    ~TbsPngImageList() override;

    int PngWidth() const { return Width(); }
    int PngHeight() const { return Height(); }
    // A new size removes all items unless the list is being loaded.
    void SetPngWidth(int v);
    void SetPngHeight(int v);
    TbsPngImageItems* PngImages() const { return items_.get(); }
    void SetPngImages(TbsPngImageItems* v) { items_->Assign(v); }

protected:
    // Draws item index into (x, y, x + Width, y + Height) with its alpha;
    // disabled images are drawn half transparent. Style is not used.
    void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) override;

private:
    friend class TbsPngImageItems;
    void Resize(int w, int h);
    // Keeps one blank native image per item.
    void SyncPlaceholders();

    std::unique_ptr<TbsPngImageItems> items_;
};

// Makes png half transparent (alpha factor v) as a disabled image is drawn.
void MakeImageHalfTransparent(TbsPngImage* png, int v = 127);
