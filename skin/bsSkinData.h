#pragma once
// TbsSkinData: the skin store. It holds one loaded skin (pictures and the
// parsed records), answers lookups by record name, and tells every form of
// the program about each skin change with window messages.
//
// A load reads the whole new skin aside first; only when everything was
// read does the store send WM_BEFORECHANGESKINDATA, put the new skin in
// place, and send WM_CHANGESKINDATA and WM_AFTERCHANGESKINDATA. A skin that
// fails to load raises its error to the caller and leaves the store, its
// previous skin and every form untouched, with no message sent.
//
// Threads: UI thread only; the broadcasts are synchronous (SendMessageW).

#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "skin/bsSkinRecords.h"

class TbsResourceStrData;
class TbsCompressedStoredSkin;
class TbsCompressedSkinList;

// Messages of a skin change (wParam: the store, lParam: 1000).
constexpr UINT WM_BEFORECHANGESKINDATA = WM_USER + 201;
constexpr UINT WM_CHANGESKINDATA = WM_USER + 202;
constexpr UINT WM_AFTERCHANGESKINDATA = WM_USER + 203;
constexpr UINT WM_CHANGERESSTRDATA = WM_USER + 250;
constexpr UINT WM_CHANGEFORMSKINNABLE = WM_USER + 270;
constexpr UINT WM_CHANGELAYEREDBORDERS = WM_USER + 403;

// Everything one skin consists of; the store is one, a load reads another.
struct TbsSkinContent {
    TbsSkinContent();
    ~TbsSkinContent();
    // Swaps every part with other; the fixed records swap their values, so
    // their addresses stay those of this object.
    void Exchange(TbsSkinContent& other);

    // Pictures.
    std::unique_ptr<TBitmap> FPicture, FInActivePicture, FMask;
    std::vector<std::unique_ptr<TBitmap>> FActivePictures;
    String FPictureName, FInActivePictureName, FMaskName;
    std::unique_ptr<TStringList> FActivePicturesNames;

    // Records.
    std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TbsDataSkinControl>> CtrlList;
    std::unique_ptr<TbsDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TbsDataSkinLayerFrame> LayerFrame;
    std::unique_ptr<TbsDataSkinHintWindow> HintWindow;
    std::unique_ptr<TbsSkinColors> SkinColorsObj;

    // Frame geometry (FORMINFO).
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect, MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect, CaptionRect;
    int ButtonsOffset = 0;
    bool CapButtonsInLeft = false;
    int BorderW = 0;
    int FormMinWidth = 0;
    int BGPictureIndex = -1, MDIBGPictureIndex = -1;
    bool MainMenuPopupUp = false, MDITabsTransparent = false, MainMenuBarTransparent = false;
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool MDIBGStretchEffect = false;
    TbsStretchType MDIBGStretchType = bsstFull;
    bool AutoRenderingInActiveImage = false;
    TbsInActiveEffect InActiveEffect = ieBrightness;

    // Description (VERSION).
    String SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

    // The keys of FORMINFO, in the order they are written.
    void FormInfoFields(TbsSkinFields& f);
};

class TbsSkinData : public TComponent, public TbsSkinContent {
public:
    explicit TbsSkinData(TComponent* AOwner);
    ~TbsSkinData() override;

    // ---- switches ----
    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool v);
    bool AnimationForAllWindows = false;
    bool EnableSkinEffects = true;
    bool ShowButtonGlowFrames = true;
    bool ShowCaptionButtonGlowFrames = true;
    bool ShowLayeredBorders() const { return showLayeredBorders_; }
    void SetShowLayeredBorders(bool v);

    TbsCompressedStoredSkin* CompressedStoredSkin() const { return storedSkin_; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* v);
    TbsResourceStrData* ResourceStrData() const { return resStrData_; }
    void SetResourceStrData(TbsResourceStrData* v);
    TbsCompressedSkinList* SkinList() const { return skinList_; }
    void SetSkinList(TbsCompressedSkinList* v);
    int SkinIndex() const { return skinIndex_; }
    // Selects and loads item v of SkinList; an index outside the list is
    // ignored. When the skin fails to load, the index stays as it was and
    // the error is raised.
    void SetSkinIndex(int v);
    // The index of the current skin in SkinList.
    int CompressedSkinIndex() const { return skinIndex_; }

    TbsSkinColors* SkinColors() const { return SkinColorsObj.get(); }

    // ---- state ----
    bool Empty = true;
    bool ChangeSkinDataProcess = false;

    // ---- loading ----
    // An uncompressed skin: an INI file and the BMP files beside it. A file
    // that is not a skin file is ignored.
    void LoadFromFile(const String& FileName);
    void LoadFromCompressedFile(const String& FileName);
    void LoadCompressedStoredSkin(TbsCompressedStoredSkin* AStoredSkin);
    // Loads a skin body (the inflated content of a compressed skin).
    void LoadFromBody(TMemoryStream* body);

    void ClearSkin();
    void ClearAll();
    void ClearObjects();

    // Position of the first record named AIDName (exact case), -1 when none.
    int GetIndex(const String& AIDName) const;
    int GetControlIndex(const String& AIDName) const;

    void SendSkinDataMessage(UINT M);

    // ---- saving ----
    void SaveToFile(const String& FileName);
    void StoreToDisk(const String& AFileName);
    void SaveToCompressedFile(const String& FileName);
    // Writes the whole skin text into ini, section by section.
    void SaveToIniFile(TCustomIniFile* ini);

    void AddBitMap(const String& FileName);
    void DeleteBitMap(int Index);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Puts a completely read skin in place, with the change messages; with
    // none, the store is cleared instead and ends empty (frame geometry and
    // description stay as they were, the colours return to their defaults).
    void CommitSkin(TbsSkinContent* next);

    bool skinnableForm_ = true;
    bool showLayeredBorders_ = true;
    TbsCompressedStoredSkin* storedSkin_ = nullptr;
    TbsResourceStrData* resStrData_ = nullptr;
    TbsCompressedSkinList* skinList_ = nullptr;
    int skinIndex_ = 0;
};

// Reads the skin text (FORMINFO onwards) and the names of VERSION and
// PICTURES into c, with the frame-geometry adjustments.
void ReadSkinText(TCustomIniFile* ini, TbsSkinContent& c);
// Reads one BMP file image of a skin body from s into bmp, refusing sizes
// that do not fit the bytes left in s.
void ReadBodyBitmap(TStream* s, TBitmap* bmp);
