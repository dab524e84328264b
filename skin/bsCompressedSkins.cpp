#include "skin/bsCompressedSkins.h"

#include "skin/bsSkinData.h"

namespace {

constexpr int32_t kContainerVersion = 3;

void WriteInt32(TStream* s, int32_t v) { s->WriteBuffer(&v, 4); }

// A flag byte (1: none) and, for a picture, its BMP image.
void WriteFlaggedBitmap(TStream* s, TBitmap* bmp) {
    const uint8_t flag = bmp->Empty() ? 1 : 0;
    s->WriteBuffer(&flag, 1);
    if (!flag) bmp->SaveToStream(s);
}

void WriteAnsiLines(TStream* s, TStringList& lines) {
    lines.Encoding = TTextEncoding::Ansi;
    lines.SaveToStream(s);
}

}  // namespace

// ---- stored skin ------------------------------------------------------------------------------

TbsCompressedStoredSkin::TbsCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), compressed_(std::make_unique<TMemoryStream>()) {}

TbsCompressedStoredSkin::~TbsCompressedStoredSkin() = default;

bool TbsCompressedStoredSkin::Empty() const { return compressed_->Size() == 0; }

void TbsCompressedStoredSkin::DeCompressToStream(TMemoryStream* S) { DecompressStream(S, compressed_.get()); }

void TbsCompressedStoredSkin::InflateBody(TMemoryStream* dest, int64_t maxSize) {
    compressed_->SetPosition(0);
    TDecompressionStream z(compressed_.get());
    unsigned char buf[4096];
    for (;;) {
        const int32_t got = z.Read(buf, sizeof(buf));
        if (got <= 0) break;
        if (dest->Size() + got > maxSize) throw EDecompressionError(L"Skin body is too large");
        dest->WriteBuffer(buf, got);
    }
    if (!z.AtStreamEnd()) throw EDecompressionError(L"Skin data is cut short");
    if (z.UnusedInput() > 0 || compressed_->Position() < compressed_->Size())
        throw EDecompressionError(L"Skin data has bytes after its end");
}

void TbsCompressedStoredSkin::SetBody(TMemoryStream* body) {
    compressed_->Clear();
    CompressStream(body, compressed_.get());
}

void TbsCompressedStoredSkin::LoadFromSkinData(TbsSkinData* ASkinData) {
    compressed_->Clear();
    TMemoryStream body;
    WriteInt32(&body, kContainerVersion);
    WriteFlaggedBitmap(&body, ASkinData->FPicture.get());
    WriteFlaggedBitmap(&body, ASkinData->FInActivePicture.get());
    WriteFlaggedBitmap(&body, ASkinData->FMask.get());
    WriteInt32(&body, static_cast<int32_t>(ASkinData->FActivePictures.size()));
    for (auto& bmp : ASkinData->FActivePictures) bmp->SaveToStream(&body);
    TMemIniFile ini(String(), TIniSyntax::Plain);
    ASkinData->SaveToIniFile(&ini);
    TStringList lines;
    ini.GetStrings(&lines);
    WriteAnsiLines(&body, lines);
    SetBody(&body);
}

void TbsCompressedStoredSkin::LoadFromIniFile(const String& AFileName) {
    TStringList lines;
    lines.LoadFromFile(AFileName);
    TMemIniFile ini(String(), TIniSyntax::Plain);
    ini.SetStrings(&lines);
    if (!IsSkinFile(&ini)) return;
    compressed_->Clear();
    const String dir = ExtractFilePath(AFileName);
    const String p = bsSections::Pictures;
    TMemoryStream body;
    WriteInt32(&body, kContainerVersion);
    for (const wchar_t* key : {L"picture", L"inactivepicture", L"mask"}) {
        TBitmap bmp;
        const String name = ini.ReadString(p, key, String());
        if (!name.empty()) bmp.LoadFromFile(dir + name);
        WriteFlaggedBitmap(&body, &bmp);
    }
    TStringList names;
    ReadStringsValue(&ini, p, L"activepictures", &names);
    WriteInt32(&body, names.Count());
    for (int i = 0; i < names.Count(); ++i) {
        TBitmap bmp;
        bmp.LoadFromFile(dir + names[i]);
        bmp.SaveToStream(&body);
    }
    WriteAnsiLines(&body, lines);
    SetBody(&body);
}

void TbsCompressedStoredSkin::LoadFromCompressFile(const String& AFileName) {
    compressed_->Clear();
    TFileStream f(AFileName, fmOpenRead | fmShareDenyWrite);
    LoadFromCompressStream(&f);
}

void TbsCompressedStoredSkin::LoadFromCompressStream(TStream* Stream) {
    compressed_->Clear();
    Stream->SetPosition(0);
    int32_t version, size;
    Stream->ReadBuffer(&version, 4);
    if (version > kContainerVersion) return;
    Stream->ReadBuffer(&size, 4);
    if (size < 0 || size > Stream->Size() - Stream->Position())
        throw EReadError(L"Compressed skin is shorter than its length says");
    if (size > 0) compressed_->CopyFrom(Stream, size);
}

void TbsCompressedStoredSkin::SaveToCompressStream(TStream* Stream) {
    WriteInt32(Stream, kContainerVersion);
    WriteInt32(Stream, static_cast<int32_t>(compressed_->Size()));
    if (!Empty()) Stream->WriteBuffer(compressed_->Memory(), static_cast<int32_t>(compressed_->Size()));
}

void TbsCompressedStoredSkin::SaveToCompressFile(const String& AFileName) {
    if (Empty()) return;
    TFileStream f(AFileName, fmCreate);
    SaveToCompressStream(&f);
}

// ---- skin list ----------------------------------------------------------------------------------

TbsSkinListItem::TbsSkinListItem(TCollection* collection)
    : TCollectionItem(collection),
      Name(Format(L"bsSkin%d", collection ? Index() : 0)),
      skin_(std::make_unique<TbsCompressedStoredSkin>(nullptr)) {}

TbsSkinListItem::~TbsSkinListItem() = default;

void TbsSkinListItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TbsSkinListItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    Description = other->Description;
    FileName = other->FileName;
    CompressedFileName = other->CompressedFileName;
    Name = other->Name;
    TMemoryStream container;
    other->Skin()->SaveToCompressStream(&container);
    skin_->LoadFromCompressStream(&container);
}

TbsSkinListItems::TbsSkinListItems(TbsCompressedSkinList* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TbsSkinListItem(c); }), owner_(AOwner) {}

TPersistent* TbsSkinListItems::GetOwner() const { return owner_; }

TbsCompressedSkinList::TbsCompressedSkinList(TComponent* AOwner)
    : TComponent(AOwner), skins_(std::make_unique<TbsSkinListItems>(this)) {}

TbsCompressedSkinList::~TbsCompressedSkinList() = default;

void TbsCompressedSkinList::SetSkins(TbsSkinListItems* value) { skins_->Assign(value); }

void TbsCompressedSkinList::LoadFromResources(HINSTANCE instance, const String& prefix) {
    TStringList names;
    {
        TResourceStream rs(instance, prefix + L"_NAMES", RT_RCDATA);
        names.LoadFromStream(&rs);
    }
    skins_->BeginUpdate();
    skins_->Clear();
    for (int i = 0; i < names.Count(); ++i) {
        TbsSkinListItem* item = skins_->Add();
        item->Description = names[i];
        TResourceStream rs(instance, prefix + L"_" + IntToStr(i), RT_RCDATA);
        item->Skin()->LoadFromCompressStream(&rs);
    }
    skins_->EndUpdate();
}
