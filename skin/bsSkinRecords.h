#pragma once
// The records of a skin: frame objects (SKINOBJECTS), control records
// (SKINCONTROLS), the eight substitute colours and the fixed records
// POPUPWINDOW, LAYERFRAME and HINTWINDOW.
//
// Each record lists its keys once, in Fields, parent keys first; loading
// and saving walk that list, so a section is written with exactly the keys
// it is read with. Records are plain data; the store owns them.
//
// Threads: UI thread (they belong to a store).

#include <memory>

#include "skin/bsSkinValues.h"

// Visits the keys of a record in order; a reader fills the fields, a writer
// writes them, a checker inspects them.
class TbsSkinFields {
public:
    virtual ~TbsSkinFields() = default;
    virtual void Int(const wchar_t* key, int& v, int def) = 0;
    virtual void Bool(const wchar_t* key, bool& v) = 0;
    virtual void Text(const wchar_t* key, String& v, const wchar_t* def) = 0;
    virtual void Pt(const wchar_t* key, TPoint& v) = 0;
    virtual void Rct(const wchar_t* key, TRect& v) = 0;
    virtual void Styles(const wchar_t* key, TFontStyles& v) = 0;
    virtual void Stretch(const wchar_t* key, TbsStretchType& v) = 0;
    virtual void Morph(const wchar_t* key, TbsMorphKind& v) = 0;
    virtual void Align(const wchar_t* key, TAlignment& v) = 0;
    virtual void Command(const wchar_t* key, TbsStdCommand& v) = 0;
    virtual void Effect(const wchar_t* key, TbsInActiveEffect& v) = 0;
};

// Reads the fields from section `section` of ini.
std::unique_ptr<TbsSkinFields> NewSkinFieldsReader(TCustomIniFile* ini, const String& section);
// Writes the fields into section `section` of ini.
std::unique_ptr<TbsSkinFields> NewSkinFieldsWriter(TCustomIniFile* ini, const String& section);

// The four corner points of a nine-piece cut ("lefttoppoint" ...).
void NinePieceFields(TbsSkinFields& f, TPoint& lt, TPoint& rt, TPoint& lb, TPoint& rb);

// "leftstretch", "rightstretch", "topstretch", "bottomstretch",
// "stretcheffect" and "stretchtype", in this order.
void SideStretchFields(TbsSkinFields& f, bool& left, bool& right, bool& top, bool& bottom, bool& effect,
                       TbsStretchType& type);

// A record that lives in a section of its own.
class TbsSkinSection {
public:
    virtual ~TbsSkinSection() = default;
    // Every key of the record, parent keys first.
    virtual void Fields(TbsSkinFields& f) = 0;
    // Reads the section: every key, then the record's own adjustments.
    void LoadFromFile(TCustomIniFile* ini);
    // Erases the section and writes every key.
    void SaveToFile(TCustomIniFile* ini);
    virtual String SectionName() const = 0;

protected:
    virtual void AfterLoad() {}
    // Whether SaveToFile erases the section before writing.
    virtual bool EraseOnSave() const { return true; }
};

// ---- frame objects --------------------------------------------------------------------

class TbsDataSkinObject : public TbsSkinSection {
public:
    explicit TbsDataSkinObject(const String& AIDName) : IDName(AIDName) {}
    void Fields(TbsSkinFields& f) override;
    String SectionName() const override { return IDName; }

    String IDName;
    String Hint;
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    bool SkinRectInAPicture = false;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void Fields(TbsSkinFields& f) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void Fields(TbsSkinFields& f) override;
    TRect DownRect, DisableSkinRect;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
public:
    using TbsDataSkinButton::TbsDataSkinButton;
    void Fields(TbsSkinFields& f) override;
    TbsStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
    String RestoreHint;

protected:
    void AfterLoad() override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void Fields(TbsSkinFields& f) override;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TbsStdCommand Command = cmDefault;
    TRect DownSkinRect, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
    String RestoreHint;

protected:
    void AfterLoad() override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void Fields(TbsSkinFields& f) override;
    int ItemLO = 0, ItemRO = 0;
    TRect DividerRect;
    int DividerLO = 0, DividerRO = 0;
    TRect TextRct, ImageRct;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
    bool StretchEffect = false, InActiveStretchEffect = false, DividerStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool UseImageColor = false;
    TColor ImageColor = 0, ActiveImageColor = 0;
    bool InActiveTransparent = false;
    TRect CheckImageRect, ActiveCheckImageRect, RadioImageRect, ActiveRadioImageRect, ArrowImageRect,
        ActiveArrowImageRect;

protected:
    void AfterLoad() override;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void Fields(TbsSkinFields& f) override;
    int ItemLO = 0, ItemRO = 0;
    TRect DownRect, TextRct;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

class TbsDataSkinCaption : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void Fields(TbsSkinFields& f) override;
    TRect TextRct;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    bool Light = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    TRect FrameRect, ActiveFrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false, GlowEffect = false, GlowInActiveEffect = false;
    int GlowSize = 3;
    TColor GlowColor = 0, GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;
    int ReflectionOffset = 0;
};

// The kind word of a frame object ("menuitem", ...); empty for a class
// that has none.
String SkinObjectKind(const TbsDataSkinObject* obj);
// A new frame object of kind `kind`, or nullptr for an unknown kind.
std::unique_ptr<TbsDataSkinObject> NewSkinObject(const String& kind, const String& name);

// ---- substitute colours and fixed records -------------------------------------------------

class TbsSkinColors : public TbsSkinSection {
public:
    void Fields(TbsSkinFields& f) override;
    String SectionName() const override { return bsSections::SkinColors; }
    void SetColorsToDefault();

protected:
    // The store erases SKINCOLORS itself.
    bool EraseOnSave() const override { return false; }

public:
    TColor cBtnFace = 0, cBtnText = 0, cWindow = 0, cWindowText = 0, cHighLight = 0, cHighLightText = 0,
           cBtnHighLight = 0, cBtnShadow = 0;
};

class TbsDataSkinPopupWindow : public TbsSkinSection {
public:
    void Fields(TbsSkinFields& f) override;
    String SectionName() const override { return bsSections::PopupWindow; }
    int WindowPictureIndex = -1, MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ItemsRect;
    int ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

class TbsDataSkinLayerFrame : public TbsSkinSection {
public:
    void Fields(TbsSkinFields& f) override;
    String SectionName() const override { return bsSections::LayerFrame; }
    int PictureIndex = -1, MaskPictureIndex = -1, InActivePictureIndex = -1, InActiveMaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int AlphaBlendValue = 255, InActiveAlphaBlendValue = 255;
    TRect BorderRect;
    bool HitTestEnable = false;
};

class TbsDataSkinHintWindow : public TbsSkinSection {
public:
    void Fields(TbsSkinFields& f) override;
    String SectionName() const override { return bsSections::HintWindow; }
    int WindowPictureIndex = -1, MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    String FontName = L"Arial";
    int FontHeight = 12;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

// ---- control records ----------------------------------------------------------------------

class TbsDataSkinControl : public TbsSkinSection {
public:
    explicit TbsDataSkinControl(const String& AIDName) : IDName(AIDName) {}
    void Fields(TbsSkinFields& f) override;
    String SectionName() const override { return IDName; }
    String IDName;
    int PictureIndex = -1, MaskPictureIndex = -1;
    TRect SkinRect;
};

class TbsDataSkinCustomControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    void Fields(TbsSkinFields& f) override;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

#define BS_CONTROL_RECORD(Name, Parent)          \
    class Name : public Parent {                 \
    public:                                      \
        using Parent::Parent;                    \
        void Fields(TbsSkinFields& f) override;

BS_CONTROL_RECORD(TbsDataSkinButtonControl, TbsDataSkinCustomControl)
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, FocusedSkinRect, DisabledSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 25;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

BS_CONTROL_RECORD(TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl)
    TRect TrackButtonRect;
};

BS_CONTROL_RECORD(TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl)
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect, ActiveCheckImageRect,
        ActiveUnCheckImageRect, UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect,
        ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};

BS_CONTROL_RECORD(TbsDataSkinUpDownControl, TbsDataSkinCustomControl)
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect;
};

BS_CONTROL_RECORD(TbsDataSkinPanelControl, TbsDataSkinCustomControl)
    int BGPictureIndex = -1;
    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinExPanelControl, TbsDataSkinCustomControl)
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect, CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect,
        HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect, HRestoreButtonRect, HRestoreButtonActiveRect,
        HRestoreButtonDownRect, VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect, VRestoreButtonRect,
        VRestoreButtonActiveRect, VRestoreButtonDownRect, CaptionRect;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl)
    int BGPictureIndex = -1;
};

BS_CONTROL_RECORD(TbsDataSkinControlBar, TbsDataSkinCustomControl)
    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect, VGripRect;
    int GripOffset1 = 0, GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 3, ItemOffset2 = 3;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinSplitterControl, TbsDataSkinCustomControl)
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinBevel, TbsDataSkinControl)
    TColor LightColor = 0, DarkColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinLabelControl, TbsDataSkinCustomControl)
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinStdLabelControl, TbsDataSkinControl)
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 16711680;
};

BS_CONTROL_RECORD(TbsDataSkinEditControl, TbsDataSkinCustomControl)
    TRect ActiveSkinRect;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

BS_CONTROL_RECORD(TbsDataSkinMemoControl, TbsDataSkinEditControl)
    TColor BGColor = 0, ActiveBGColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinSpinEditControl, TbsDataSkinCustomControl)
    TRect ActiveSkinRect;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DisabledFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect;
};

// Font and background colour only (rich edits, tree and list views).
BS_CONTROL_RECORD(TbsDataSkinFontColorControl, TbsDataSkinControl)
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

class TbsDataSkinRichEdit : public TbsDataSkinFontColorControl {
public:
    using TbsDataSkinFontColorControl::TbsDataSkinFontColorControl;
};
class TbsDataSkinTreeView : public TbsDataSkinFontColorControl {
public:
    using TbsDataSkinFontColorControl::TbsDataSkinFontColorControl;
};
class TbsDataSkinListView : public TbsDataSkinFontColorControl {
public:
    using TbsDataSkinFontColorControl::TbsDataSkinFontColorControl;
};

BS_CONTROL_RECORD(TbsDataSkinListBox, TbsDataSkinCustomControl)
    TRect SItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    String CaptionFontName = L"Arial";
    int CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect, CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    String VScrollBarName = L"vscrollbar", HScrollBarName = L"hscrollbar", BothScrollBarName = L"bothhscrollbar";
    bool ShowFocus = false;
    TRect DisabledButtonsRect, ButtonsArea;
};

BS_CONTROL_RECORD(TbsDataSkinCheckListBox, TbsDataSkinListBox)
    TRect ItemCheckRect, CheckImageRect, UnCheckImageRect;
};

BS_CONTROL_RECORD(TbsDataSkinComboBox, TbsDataSkinCustomControl)
    TRect ActiveSkinRect, SItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, FocusFontColor = 0, ActiveFontColor = 0;
    String ListBoxName;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
};

BS_CONTROL_RECORD(TbsDataSkinGridControl, TbsDataSkinControl)
    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect;
    int BGPictureIndex = -1;
    TColor LinesColor = 0, BGColor = 0;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, SelectFontColor = 0, FocusFontColor = 0;
    String FixedFontName = L"Arial";
    int FixedFontHeight = 14;
    TFontStyles FixedFontStyle = 0;
    TColor FixedFontColor = 0;
    bool CellStretchEffect = false, FixedCellStretchEffect = false, ShowFocus = false;
};

BS_CONTROL_RECORD(TbsDataSkinScrollBarControl, TbsDataSkinCustomControl)
    TRect TrackArea, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect, ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0, ThumbMinPageSize = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinTrackBarControl, TbsDataSkinCustomControl)
    TRect ActiveSkinRect, TrackArea, ButtonRect, ActiveButtonRect;
    bool Vertical = false, ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinGaugeControl, TbsDataSkinCustomControl)
    TRect ProgressArea, ProgressRect;
    int BeginOffset = 0, EndOffset = 0;
    bool Vertical = false;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0, AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0, ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0, AnimationEndOffset = 0;
};

BS_CONTROL_RECORD(TbsDataSkinSlider, TbsDataSkinControl)
    TColor BGColor = 0;
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int EdgeSize = 0;
    TColor PointsColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinTabControl, TbsDataSkinControl)
    TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClRect;
    int BGPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TRect TabsBGRect;
    bool TabStretchEffect = false;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    String UpDown;
    bool ShowFocus = false;
    int FocusOffsetX = 0, FocusOffsetY = 0;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

BS_CONTROL_RECORD(TbsDataSkinMainMenuBar, TbsDataSkinControl)
    TRect ItemsRect;
    String MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
    int TrackMarkColor = 0, TrackMarkActiveColor = 0;
    bool StretchEffect = false, ItemTransparent = false;
};

#undef BS_CONTROL_RECORD

// The kind word of a control record ("panel", ...); empty for a class that
// has none.
String SkinControlKind(const TbsDataSkinControl* ctrl);
// A new control record of kind `kind`, or nullptr for an unknown kind.
std::unique_ptr<TbsDataSkinControl> NewSkinControl(const String& kind, const String& name);
