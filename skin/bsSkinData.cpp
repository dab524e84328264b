#include "skin/bsSkinData.h"

#include <algorithm>

#include "platform/Forms.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsResStrData.h"

namespace {

bool IsAbsentRect(const TRect& r) { return r.right - r.left <= 0 || r.bottom - r.top <= 0; }
bool IsUnsetPoint(const TPoint& p) { return p.x == 0 || p.y == 0; }

// The largest body a compressed skin may inflate to.
constexpr int64_t kMaxBodySize = 64 << 20;
// The most further pictures a skin may list.
constexpr int kMaxPictures = 4096;

int32_t ReadInt32(TStream* s) {
    int32_t v;
    s->ReadBuffer(&v, 4);
    return v;
}

void ReadDescription(TCustomIniFile* ini, TbsSkinContent& c) {
    const String v = bsSections::Version, p = bsSections::Pictures;
    c.SkinName = ini->ReadString(v, L"skinname", String());
    c.SkinAuthor = ini->ReadString(v, L"skinauthor", String());
    c.AuthorEmail = ini->ReadString(v, L"authoremail", String());
    c.AuthorURL = ini->ReadString(v, L"authorurl", String());
    c.SkinComments = ini->ReadString(v, L"skincomments", String());
    c.FPictureName = ini->ReadString(p, L"picture", String());
    c.FInActivePictureName = ini->ReadString(p, L"inactivepicture", String());
    c.FMaskName = ini->ReadString(p, L"mask", String());
    c.FActivePicturesNames->Clear();
    ReadStringsValue(ini, p, L"activepictures", c.FActivePicturesNames.get());
}

void AdjustFrameGeometry(TbsSkinContent& c) {
    if (!c.FMaskName.empty()) {
        if (IsAbsentRect(c.MaskRectArea)) {
            c.MaskRectArea = c.ClRect;
        } else {
            c.MaskRectArea.left = std::min(c.MaskRectArea.left, c.ClRect.left);
            c.MaskRectArea.top = std::min(c.MaskRectArea.top, c.ClRect.top);
            c.MaskRectArea.right = std::max(c.MaskRectArea.right, c.ClRect.right);
            c.MaskRectArea.bottom = std::max(c.MaskRectArea.bottom, c.ClRect.bottom);
        }
        if (IsUnsetPoint(c.HitTestLTPoint)) c.HitTestLTPoint = c.LTPoint;
        if (IsUnsetPoint(c.HitTestRTPoint)) c.HitTestRTPoint = c.RTPoint;
        if (IsUnsetPoint(c.HitTestLBPoint)) c.HitTestLBPoint = c.LBPoint;
        if (IsUnsetPoint(c.HitTestRBPoint)) c.HitTestRBPoint = c.RBPoint;
    }
    if (c.RBPoint.x != c.LTPoint.x && c.RBPoint.y != c.LTPoint.y) {
        const TRect& r = c.ClRect;
        c.LTPoint = TPoint(std::max(c.LTPoint.x, r.left), std::max(c.LTPoint.y, r.top));
        c.RTPoint = TPoint(std::min(c.RTPoint.x, r.right), std::max(c.RTPoint.y, r.top));
        c.LBPoint = TPoint(std::max(c.LBPoint.x, r.left), std::min(c.LBPoint.y, r.bottom));
        c.RBPoint = TPoint(std::min(c.RBPoint.x, r.right), std::min(c.RBPoint.y, r.bottom));
    }
}

// Reads the index section `section` ("count", then "0" .. count-1 holding
// name:kind) and creates a record for each entry of a known kind.
template <class Rec, class Make>
void ReadRecordList(TCustomIniFile* ini, const String& section, std::vector<std::unique_ptr<Rec>>& list,
                    Make make) {
    for (int i : NumberedKeys(ini, section, ReadIntValue(ini, section, L"count", 0))) {
        const String value = ini->ReadString(section, IntToStr(i), String());
        const size_t colon = value.find(L':');
        if (colon == String::npos) continue;
        std::unique_ptr<Rec> rec = make(value.substr(colon + 1), value.substr(0, colon));
        if (!rec) continue;
        rec->LoadFromFile(ini);
        list.push_back(std::move(rec));
    }
}

template <class Rec, class Kind>
void WriteRecordList(TCustomIniFile* ini, const String& section, std::vector<std::unique_ptr<Rec>>& list,
                     Kind kind) {
    ini->EraseSection(section);
    WriteIntValue(ini, section, L"count", static_cast<int>(list.size()));
    for (size_t i = 0; i < list.size(); ++i) {
        ini->WriteString(section, IntToStr(static_cast<int64_t>(i)), list[i]->IDName + L":" + kind(list[i].get()));
        list[i]->SaveToFile(ini);
    }
}

void LoadPictureFile(TBitmap* bmp, const String& dir, const String& name) {
    if (name.empty()) {
        bmp->SetSize(0, 0);
        return;
    }
    bmp->LoadFromFile(dir + name);
}

// A flagged picture of a body: a non-zero flag byte means none.
void ReadFlaggedBitmap(TStream* s, TBitmap* bmp) {
    uint8_t flag;
    s->ReadBuffer(&flag, 1);
    if (flag != 0) {
        bmp->SetSize(0, 0);
        return;
    }
    ReadBodyBitmap(s, bmp);
}

}  // namespace

// ---- content --------------------------------------------------------------------------------

TbsSkinContent::TbsSkinContent()
    : FPicture(std::make_unique<TBitmap>()),
      FInActivePicture(std::make_unique<TBitmap>()),
      FMask(std::make_unique<TBitmap>()),
      FActivePicturesNames(std::make_unique<TStringList>()),
      PopupWindow(std::make_unique<TbsDataSkinPopupWindow>()),
      LayerFrame(std::make_unique<TbsDataSkinLayerFrame>()),
      HintWindow(std::make_unique<TbsDataSkinHintWindow>()),
      SkinColorsObj(std::make_unique<TbsSkinColors>()) {}

TbsSkinContent::~TbsSkinContent() = default;

void TbsSkinContent::Exchange(TbsSkinContent& o) {
    using std::swap;
    swap(FPicture, o.FPicture);
    swap(FInActivePicture, o.FInActivePicture);
    swap(FMask, o.FMask);
    swap(FActivePictures, o.FActivePictures);
    swap(FPictureName, o.FPictureName);
    swap(FInActivePictureName, o.FInActivePictureName);
    swap(FMaskName, o.FMaskName);
    swap(FActivePicturesNames, o.FActivePicturesNames);
    swap(ObjectList, o.ObjectList);
    swap(CtrlList, o.CtrlList);
    swap(*PopupWindow, *o.PopupWindow);
    swap(*LayerFrame, *o.LayerFrame);
    swap(*HintWindow, *o.HintWindow);
    swap(*SkinColorsObj, *o.SkinColorsObj);
    swap(LTPoint, o.LTPoint);
    swap(RTPoint, o.RTPoint);
    swap(LBPoint, o.LBPoint);
    swap(RBPoint, o.RBPoint);
    swap(ClRect, o.ClRect);
    swap(MaskRectArea, o.MaskRectArea);
    swap(HitTestLTPoint, o.HitTestLTPoint);
    swap(HitTestRTPoint, o.HitTestRTPoint);
    swap(HitTestLBPoint, o.HitTestLBPoint);
    swap(HitTestRBPoint, o.HitTestRBPoint);
    swap(ButtonsRect, o.ButtonsRect);
    swap(CaptionRect, o.CaptionRect);
    swap(ButtonsOffset, o.ButtonsOffset);
    swap(CapButtonsInLeft, o.CapButtonsInLeft);
    swap(BorderW, o.BorderW);
    swap(FormMinWidth, o.FormMinWidth);
    swap(BGPictureIndex, o.BGPictureIndex);
    swap(MDIBGPictureIndex, o.MDIBGPictureIndex);
    swap(MainMenuPopupUp, o.MainMenuPopupUp);
    swap(MDITabsTransparent, o.MDITabsTransparent);
    swap(MainMenuBarTransparent, o.MainMenuBarTransparent);
    swap(TopStretch, o.TopStretch);
    swap(LeftStretch, o.LeftStretch);
    swap(RightStretch, o.RightStretch);
    swap(BottomStretch, o.BottomStretch);
    swap(StretchEffect, o.StretchEffect);
    swap(StretchType, o.StretchType);
    swap(MDIBGStretchEffect, o.MDIBGStretchEffect);
    swap(MDIBGStretchType, o.MDIBGStretchType);
    swap(AutoRenderingInActiveImage, o.AutoRenderingInActiveImage);
    swap(InActiveEffect, o.InActiveEffect);
    swap(SkinName, o.SkinName);
    swap(SkinAuthor, o.SkinAuthor);
    swap(AuthorURL, o.AuthorURL);
    swap(AuthorEmail, o.AuthorEmail);
    swap(SkinComments, o.SkinComments);
}

void TbsSkinContent::FormInfoFields(TbsSkinFields& f) {
    NinePieceFields(f, LTPoint, RTPoint, LBPoint, RBPoint);
    f.Rct(L"clientrect", ClRect);
    f.Int(L"bgpictureindex", BGPictureIndex, -1);
    f.Int(L"mdibgpictureindex", MDIBGPictureIndex, -1);
    SideStretchFields(f, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
    f.Bool(L"mdibgstretcheffect", MDIBGStretchEffect);
    f.Stretch(L"mdibgstretchtype", MDIBGStretchType);
    f.Rct(L"maskrectarea", MaskRectArea);
    f.Pt(L"hittestlefttoppoint", HitTestLTPoint);
    f.Pt(L"hittestrighttoppoint", HitTestRTPoint);
    f.Pt(L"hittestleftbottompoint", HitTestLBPoint);
    f.Pt(L"hittestrightbottompoint", HitTestRBPoint);
    f.Rct(L"buttonsrect", ButtonsRect);
    f.Rct(L"captionrect", CaptionRect);
    f.Int(L"buttonsoffset", ButtonsOffset, 0);
    f.Bool(L"buttonsinleft", CapButtonsInLeft);
    f.Bool(L"mainmenupopupup", MainMenuPopupUp);
    f.Int(L"borderwidth", BorderW, 0);
    f.Bool(L"autorenderinginactiveimage", AutoRenderingInActiveImage);
    f.Effect(L"inactiveeffect", InActiveEffect);
    f.Int(L"formminwidth", FormMinWidth, 0);
    f.Bool(L"mditabstransparent", MDITabsTransparent);
    f.Bool(L"mainmenubartransparent", MainMenuBarTransparent);
}

void ReadSkinText(TCustomIniFile* ini, TbsSkinContent& c) {
    ReadDescription(ini, c);
    c.FormInfoFields(*NewSkinFieldsReader(ini, bsSections::FormInfo));
    AdjustFrameGeometry(c);
    c.PopupWindow->LoadFromFile(ini);
    c.LayerFrame->LoadFromFile(ini);
    c.HintWindow->LoadFromFile(ini);
    c.SkinColorsObj->LoadFromFile(ini);
    ReadRecordList(ini, bsSections::SkinObjects, c.ObjectList, NewSkinObject);
    ReadRecordList(ini, bsSections::SkinControls, c.CtrlList, NewSkinControl);
}

void ReadBodyBitmap(TStream* s, TBitmap* bmp) {
    const int64_t left = s->Size() - s->Position();
    BITMAPFILEHEADER fh;
    if (left < static_cast<int64_t>(sizeof(fh) + sizeof(BITMAPINFOHEADER)))
        throw EReadError(L"Skin picture is cut short");
    s->ReadBuffer(&fh, sizeof(fh));
    if (fh.bfType != 0x4D42 || fh.bfSize < sizeof(fh) + sizeof(BITMAPINFOHEADER) || fh.bfSize > left ||
        fh.bfOffBits > fh.bfSize)
        throw EInvalidGraphic(L"Skin picture has a bad header");
    std::vector<uint8_t> image(fh.bfSize);
    std::copy_n(reinterpret_cast<const uint8_t*>(&fh), sizeof(fh), image.begin());
    s->ReadBuffer(image.data() + sizeof(fh), static_cast<int32_t>(fh.bfSize - sizeof(fh)));
    BITMAPINFOHEADER ih;
    std::copy_n(image.data() + sizeof(fh), sizeof(ih), reinterpret_cast<uint8_t*>(&ih));
    const int64_t w = ih.biWidth, h = ih.biHeight < 0 ? -static_cast<int64_t>(ih.biHeight) : ih.biHeight;
    const int bits = ih.biBitCount;
    if (ih.biSize < sizeof(ih) || ih.biSize > fh.bfSize || w <= 0 || h <= 0 || w > 16384 || h > 16384 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        throw EInvalidGraphic(L"Skin picture has a bad header");
    const int64_t rowBytes = ((w * bits + 31) / 32) * 4;
    if (ih.biCompression == BI_RGB && fh.bfOffBits + rowBytes * h > fh.bfSize)
        throw EInvalidGraphic(L"Skin picture is cut short");
    TMemoryStream ms;
    ms.WriteBuffer(image.data(), static_cast<int32_t>(image.size()));
    ms.SetPosition(0);
    bmp->LoadFromStream(&ms);
}

// ---- store ----------------------------------------------------------------------------------

TbsSkinData::TbsSkinData(TComponent* AOwner) : TComponent(AOwner) {}

TbsSkinData::~TbsSkinData() {
    Empty = true;
    ClearAll();
}

void TbsSkinData::SetSkinnableForm(bool v) {
    if (v == skinnableForm_) return;
    skinnableForm_ = v;
    if (!Has(csDesigning) && !Has(csLoading)) SendSkinDataMessage(WM_CHANGEFORMSKINNABLE);
}

void TbsSkinData::SetShowLayeredBorders(bool v) {
    if (v == showLayeredBorders_) return;
    showLayeredBorders_ = v;
    if (!Has(csDesigning) && !Has(csLoading)) SendSkinDataMessage(WM_CHANGELAYEREDBORDERS);
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* v) {
    if (storedSkin_ && storedSkin_ != v) RemoveFreeNotification(storedSkin_);
    storedSkin_ = v;
    if (v) FreeNotification(v);
    if (v && !Has(csDesigning)) LoadCompressedStoredSkin(v);
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* v) {
    if (resStrData_ && resStrData_ != v) RemoveFreeNotification(resStrData_);
    resStrData_ = v;
    if (v) FreeNotification(v);
    if (!Has(csDesigning)) SendSkinDataMessage(WM_CHANGERESSTRDATA);
}

void TbsSkinData::SetSkinList(TbsCompressedSkinList* v) {
    if (skinList_ && skinList_ != v) RemoveFreeNotification(skinList_);
    skinList_ = v;
    if (v) FreeNotification(v);
    if (v && !Has(csDesigning) && skinIndex_ >= 0 && skinIndex_ < v->Skins()->Count())
        LoadCompressedStoredSkin(v->Skins()->Items(skinIndex_)->Skin());
}

void TbsSkinData::SetSkinIndex(int v) {
    if (v == skinIndex_) return;
    if (!skinList_) {
        skinIndex_ = v;
        return;
    }
    if (v < 0 || v >= skinList_->Skins()->Count()) return;
    const int old = skinIndex_;
    skinIndex_ = v;
    if (Has(csDesigning)) return;
    try {
        LoadCompressedStoredSkin(skinList_->Skins()->Items(v)->Skin());
    } catch (...) {
        skinIndex_ = old;
        throw;
    }
}

void TbsSkinData::CommitSkin(TbsSkinContent* next) {
    // The forms redraw whole after the change: the controls that reload
    // their records repaint with them, once, instead of each on its own.
    TDeferredPaint paintWithTheForms;
    Empty = true;
    ChangeSkinDataProcess = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearAll();
    if (next) {
        Exchange(*next);
        Empty = false;
    }
    SendSkinDataMessage(WM_CHANGESKINDATA);
    ChangeSkinDataProcess = false;
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TbsSkinData::LoadFromFile(const String& FileName) {
    // The profile functions look for a bare name in the Windows folder; a
    // relative name means the current folder here.
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(FileName.c_str(), MAX_PATH, full, nullptr);
    TIniFile ini(n > 0 && n < MAX_PATH ? String(full, n) : FileName);
    if (!IsSkinFile(&ini)) return;
    TbsSkinContent next;
    ReadSkinText(&ini, next);
    const String dir = ExtractFilePath(ini.FileName());
    LoadPictureFile(next.FPicture.get(), dir, next.FPictureName);
    LoadPictureFile(next.FInActivePicture.get(), dir, next.FInActivePictureName);
    LoadPictureFile(next.FMask.get(), dir, next.FMaskName);
    for (int i = 0; i < next.FActivePicturesNames->Count(); ++i) {
        auto bmp = std::make_unique<TBitmap>();
        bmp->LoadFromFile(dir + next.FActivePicturesNames->Get(i));
        next.FActivePictures.push_back(std::move(bmp));
    }
    CommitSkin(&next);
}

void TbsSkinData::LoadFromCompressedFile(const String& FileName) {
    TbsCompressedStoredSkin stored(this);
    stored.LoadFromCompressFile(FileName);
    if (!stored.Empty()) LoadCompressedStoredSkin(&stored);
}

void TbsSkinData::LoadCompressedStoredSkin(TbsCompressedStoredSkin* AStoredSkin) {
    if (!AStoredSkin || AStoredSkin->Empty()) return;
    TMemoryStream body;
    AStoredSkin->InflateBody(&body, kMaxBodySize);
    LoadFromBody(&body);
}

void TbsSkinData::LoadFromBody(TMemoryStream* body) {
    body->SetPosition(0);
    const int32_t version = ReadInt32(body);
    if (version > 3) {
        CommitSkin(nullptr);
        return;
    }
    TbsSkinContent next;
    ReadFlaggedBitmap(body, next.FPicture.get());
    ReadFlaggedBitmap(body, next.FInActivePicture.get());
    ReadFlaggedBitmap(body, next.FMask.get());
    if (version == 2) {
        TBitmap discard;
        ReadFlaggedBitmap(body, &discard);
        ReadFlaggedBitmap(body, &discard);
    }
    const int32_t count = ReadInt32(body);
    if (count > kMaxPictures || static_cast<int64_t>(count) * 54 > body->Size() - body->Position())
        throw EReadError(L"Skin lists more pictures than it holds");
    for (int32_t i = 0; i < count; ++i) {
        auto bmp = std::make_unique<TBitmap>();
        ReadBodyBitmap(body, bmp.get());
        next.FActivePictures.push_back(std::move(bmp));
    }
    TMemoryStream text;
    text.CopyFrom(body, body->Size() - body->Position());
    text.SetPosition(0);
    TStringList lines;
    lines.LoadFromStream(&text);
    TMemIniFile ini(String(), TIniSyntax::Plain);
    ini.SetStrings(&lines);
    ReadSkinText(&ini, next);
    CommitSkin(&next);
}

void TbsSkinData::ClearObjects() {
    ObjectList.clear();
    CtrlList.clear();
    FActivePictures.clear();
    LayerFrame->PictureIndex = -1;
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    FActivePicturesNames->Clear();
    SkinColorsObj->SetColorsToDefault();
}

void TbsSkinData::ClearAll() {
    ClearObjects();
    FPicture->SetSize(0, 0);
    FMask->SetSize(0, 0);
    FInActivePicture->SetSize(0, 0);
    FPictureName.clear();
    FInActivePictureName.clear();
    FMaskName.clear();
    Empty = true;
}

void TbsSkinData::ClearSkin() {
    TDeferredPaint paintWithTheForms;
    ClearAll();
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

int TbsSkinData::GetIndex(const String& AIDName) const {
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName) return static_cast<int>(i);
    return -1;
}

int TbsSkinData::GetControlIndex(const String& AIDName) const {
    for (size_t i = 0; i < CtrlList.size(); ++i)
        if (CtrlList[i]->IDName == AIDName) return static_cast<int>(i);
    return -1;
}

void TbsSkinData::SendSkinDataMessage(UINT M) {
    const WPARAM wp = reinterpret_cast<WPARAM>(this);
    auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    const bool ownerFirst = ownerForm && !showLayeredBorders_;
    if (ownerFirst) SendMessageW(ownerForm->Handle(), M, wp, 1000);
    std::vector<HWND> handles;
    if (Screen) {
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* form = Screen->Forms(i);
            if ((ownerFirst && form == ownerForm) || !form->TakesBroadcasts) continue;
            handles.push_back(form->Handle());
        }
    }
    if (showLayeredBorders_ && LayerFrame->PictureIndex != -1) std::reverse(handles.begin(), handles.end());
    for (HWND h : handles) SendMessageW(h, M, wp, 1000);
}

void TbsSkinData::SaveToIniFile(TCustomIniFile* ini) {
    const String v = bsSections::Version, p = bsSections::Pictures;
    ini->EraseSection(v);
    WriteIntValue(ini, v, L"ver", 1);
    ini->WriteString(v, L"skinname", SkinName);
    ini->WriteString(v, L"skinauthor", SkinAuthor);
    ini->WriteString(v, L"authoremail", AuthorEmail);
    ini->WriteString(v, L"authorurl", AuthorURL);
    ini->WriteString(v, L"skincomments", SkinComments);
    ini->EraseSection(p);
    ini->WriteString(p, L"picture", FPictureName);
    ini->WriteString(p, L"inactivepicture", FInActivePictureName);
    ini->WriteString(p, L"mask", FMaskName);
    WriteStringsValue(ini, p, L"activepictures", FActivePicturesNames.get());
    ini->EraseSection(bsSections::FormInfo);
    FormInfoFields(*NewSkinFieldsWriter(ini, bsSections::FormInfo));
    PopupWindow->SaveToFile(ini);
    LayerFrame->SaveToFile(ini);
    HintWindow->SaveToFile(ini);
    ini->EraseSection(bsSections::SkinColors);
    SkinColorsObj->SaveToFile(ini);
    WriteRecordList(ini, bsSections::SkinObjects, ObjectList, SkinObjectKind);
    WriteRecordList(ini, bsSections::SkinControls, CtrlList, SkinControlKind);
}

void TbsSkinData::SaveToFile(const String& FileName) {
    TMemIniFile ini(FileName, TIniSyntax::Plain);
    SaveToIniFile(&ini);
    ini.UpdateFile();
}

void TbsSkinData::StoreToDisk(const String& AFileName) {
    SaveToFile(AFileName);
    const String dir = ExtractFilePath(AFileName);
    if (!FPicture->Empty()) FPicture->SaveToFile(dir + FPictureName);
    if (!FInActivePicture->Empty()) FInActivePicture->SaveToFile(dir + FInActivePictureName);
    if (!FMask->Empty()) FMask->SaveToFile(dir + FMaskName);
    const size_t n = std::min(FActivePictures.size(), static_cast<size_t>(FActivePicturesNames->Count()));
    for (size_t i = 0; i < n; ++i)
        FActivePictures[i]->SaveToFile(dir + FActivePicturesNames->Get(static_cast<int>(i)));
}

void TbsSkinData::SaveToCompressedFile(const String& FileName) {
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(this);
    stored.SaveToCompressFile(FileName);
}

void TbsSkinData::AddBitMap(const String& FileName) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->LoadFromFile(FileName);
    FActivePicturesNames->Add(ExtractFileName(FileName));
    FActivePictures.push_back(std::move(bmp));
}

void TbsSkinData::DeleteBitMap(int Index) {
    if (Index < 0 || Index >= FActivePicturesNames->Count() || Index >= static_cast<int>(FActivePictures.size()))
        throw EListError(Format(L"List index out of bounds (%d)", Index));
    FActivePicturesNames->Delete(Index);
    FActivePictures.erase(FActivePictures.begin() + Index);
}

void TbsSkinData::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == storedSkin_) storedSkin_ = nullptr;
    if (AComponent == resStrData_) resStrData_ = nullptr;
    if (AComponent == skinList_) skinList_ = nullptr;
}
