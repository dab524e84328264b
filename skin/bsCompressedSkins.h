#pragma once
// Compressed skins: a stored skin (TbsCompressedStoredSkin) keeps one skin
// as a zlib stream of its body; a skin list (TbsCompressedSkinList) keeps
// several, each in an item of its collection.
//
// Container (a compressed skin file, or an item's bytes): int32 version (3),
// int32 N, N bytes of zlib stream. Body (the inflated stream): int32
// version, three flagged BMP pictures (main, inactive, mask), int32 count
// and that many BMP pictures, then the skin INI text in ANSI.
//
// Threads: UI thread.

#include <memory>

#include "platform/Bitmap.h"
#include "platform/StringList.h"
#include "skin/bszlibcompress.h"

class TbsSkinData;

class TbsCompressedStoredSkin : public TComponent {
public:
    explicit TbsCompressedStoredSkin(TComponent* AOwner);
    ~TbsCompressedStoredSkin() override;

    String Description, FileName, CompressedFileName;
    // The compressed data has size 0.
    bool Empty() const;
    // The zlib stream (the form of the "CompressedData" property).
    TMemoryStream* CompressedStream() const { return compressed_.get(); }

    // Inflates the compressed data into S at its position.
    void DeCompressToStream(TMemoryStream* S);
    // Inflates the whole body into dest, refusing a zlib stream that is
    // corrupt, cut short, followed by further bytes or longer than maxSize.
    void InflateBody(TMemoryStream* dest, int64_t maxSize);

    void LoadFromSkinData(TbsSkinData* ASkinData);
    // Builds the compressed data from a skin INI file and its pictures; a
    // file that is not a skin file changes nothing.
    void LoadFromIniFile(const String& AFileName);
    void LoadFromCompressFile(const String& AFileName);
    // Reads a container from the start of Stream.
    void LoadFromCompressStream(TStream* Stream);
    // Writes a container at Stream's position (also for an empty skin).
    void SaveToCompressStream(TStream* Stream);
    // Writes a container file; does nothing for an empty skin.
    void SaveToCompressFile(const String& AFileName);

private:
    // Compresses a body held in `body` into the compressed data.
    void SetBody(TMemoryStream* body);
    std::unique_ptr<TMemoryStream> compressed_;
};

class TbsSkinListItem : public TCollectionItem {
public:
    explicit TbsSkinListItem(TCollection* collection);
    ~TbsSkinListItem() override;
    void Assign(TPersistent* source) override;

    String Description, FileName, CompressedFileName;
    String Name;
    TbsCompressedStoredSkin* Skin() const { return skin_.get(); }
    String GetDisplayName() const override { return Name; }

private:
    std::unique_ptr<TbsCompressedStoredSkin> skin_;
};

class TbsCompressedSkinList;

class TbsSkinListItems : public TCollection {
public:
    explicit TbsSkinListItems(TbsCompressedSkinList* AOwner);
    TbsSkinListItem* Items(int index) const { return static_cast<TbsSkinListItem*>(TCollection::Items(index)); }
    TbsSkinListItem* Add() { return static_cast<TbsSkinListItem*>(TCollection::Add()); }
    TbsCompressedSkinList* Owner() const { return owner_; }
    TPersistent* GetOwner() const override;

private:
    TbsCompressedSkinList* owner_;
};

class TbsCompressedSkinList : public TComponent {
public:
    explicit TbsCompressedSkinList(TComponent* AOwner);
    ~TbsCompressedSkinList() override;
    TbsSkinListItems* Skins() const { return skins_.get(); }
    // Copies the items of value.
    void SetSkins(TbsSkinListItems* value);

    // Fills the list from the module's RCDATA resources: "<prefix>_NAMES"
    // holds the display names, one a line, and "<prefix>_<i>" the container
    // of skin i. Each item's Description becomes its display name.
    void LoadFromResources(HINSTANCE instance, const String& prefix);

private:
    std::unique_ptr<TbsSkinListItems> skins_;
};
