#include "skin/bsSkinRecords.h"

#include <utility>

namespace {

class FieldsReader final : public TbsSkinFields {
public:
    FieldsReader(TCustomIniFile* ini, String section) : ini_(ini), s_(std::move(section)) {}
    void Int(const wchar_t* k, int& v, int def) override { v = ReadIntValue(ini_, s_, k, def); }
    void Bool(const wchar_t* k, bool& v) override { v = ReadBoolValue(ini_, s_, k); }
    void Text(const wchar_t* k, String& v, const wchar_t* def) override { v = ini_->ReadString(s_, k, def); }
    void Pt(const wchar_t* k, TPoint& v) override { v = ReadPointValue(ini_, s_, k); }
    void Rct(const wchar_t* k, TRect& v) override { v = ReadRectValue(ini_, s_, k); }
    void Styles(const wchar_t* k, TFontStyles& v) override { v = ReadFontStylesValue(ini_, s_, k); }
    void Stretch(const wchar_t* k, TbsStretchType& v) override { v = ReadStretchTypeValue(ini_, s_, k); }
    void Morph(const wchar_t* k, TbsMorphKind& v) override { v = ReadMorphKindValue(ini_, s_, k); }
    void Align(const wchar_t* k, TAlignment& v) override { v = ReadAlignmentValue(ini_, s_, k); }
    void Command(const wchar_t* k, TbsStdCommand& v) override { v = ReadStdCommandValue(ini_, s_, k); }
    void Effect(const wchar_t* k, TbsInActiveEffect& v) override { v = ReadInActiveEffectValue(ini_, s_, k); }

private:
    TCustomIniFile* ini_;
    String s_;
};

class FieldsWriter final : public TbsSkinFields {
public:
    FieldsWriter(TCustomIniFile* ini, String section) : ini_(ini), s_(std::move(section)) {}
    void Int(const wchar_t* k, int& v, int) override { WriteIntValue(ini_, s_, k, v); }
    void Bool(const wchar_t* k, bool& v) override { WriteBoolValue(ini_, s_, k, v); }
    void Text(const wchar_t* k, String& v, const wchar_t*) override { ini_->WriteString(s_, k, v); }
    void Pt(const wchar_t* k, TPoint& v) override { WritePointValue(ini_, s_, k, v); }
    void Rct(const wchar_t* k, TRect& v) override { WriteRectValue(ini_, s_, k, v); }
    void Styles(const wchar_t* k, TFontStyles& v) override { WriteFontStylesValue(ini_, s_, k, v); }
    void Stretch(const wchar_t* k, TbsStretchType& v) override { WriteStretchTypeValue(ini_, s_, k, v); }
    void Morph(const wchar_t* k, TbsMorphKind& v) override { WriteMorphKindValue(ini_, s_, k, v); }
    void Align(const wchar_t* k, TAlignment& v) override { WriteAlignmentValue(ini_, s_, k, v); }
    void Command(const wchar_t* k, TbsStdCommand& v) override { WriteStdCommandValue(ini_, s_, k, v); }
    void Effect(const wchar_t* k, TbsInActiveEffect& v) override { WriteInActiveEffectValue(ini_, s_, k, v); }

private:
    TCustomIniFile* ini_;
    String s_;
};

// The keys of a font: name, height, style, colour.
void FontFields(TbsSkinFields& f, String& name, int& height, TFontStyles& style, TColor& color) {
    f.Text(L"fontname", name, L"Arial");
    f.Int(L"fontheight", height, 14);
    f.Styles(L"fontstyle", style);
    f.Int(L"fontcolor", color, 0);
}

// The looks of the items of a list (list boxes, combo boxes).
void ItemLookFields(TbsSkinFields& f, TRect& item, TRect& active, TRect& focus, int& lo, int& ro, TRect& text) {
    f.Rct(L"itemrect", item);
    f.Rct(L"activeitemrect", active);
    f.Rct(L"focusitemrect", focus);
    f.Int(L"itemleftoffset", lo, 0);
    f.Int(L"itemrightoffset", ro, 0);
    f.Rct(L"itemtextrect", text);
}

void UpDownButtonFields(TbsSkinFields& f, TRect& up, TRect& activeUp, TRect& downUp, TRect& down,
                        TRect& activeDown, TRect& downDown) {
    f.Rct(L"upbuttonrect", up);
    f.Rct(L"activeupbuttonrect", activeUp);
    f.Rct(L"downupbuttonrect", downUp);
    f.Rct(L"downbuttonrect", down);
    f.Rct(L"activedownbuttonrect", activeDown);
    f.Rct(L"downdownbuttonrect", downDown);
}

void RestoreFields(TbsSkinFields& f, TRect& r, TRect& ra, TRect& rd, TRect& ri, String& hint) {
    f.Rct(L"restorerect", r);
    f.Rct(L"restoreactiverect", ra);
    f.Rct(L"restoredownrect", rd);
    f.Rct(L"restoreinactiverect", ri);
    f.Text(L"restorehint", hint, L"");
}

String DefaultRestoreHint(const String& hint, TbsStdCommand command) {
    if ((hint == L"Maximize" && command == cmMaximize) || (hint == L"Minimize" && command == cmMinimize) ||
        ((hint == L"RollUp" || hint == L"Roll Up") && command == cmRollUp))
        return L"Restore";
    return String();
}

bool IsNull(const TRect& r) { return r.right - r.left <= 0 || r.bottom - r.top <= 0; }

}  // namespace

void NinePieceFields(TbsSkinFields& f, TPoint& lt, TPoint& rt, TPoint& lb, TPoint& rb) {
    f.Pt(L"lefttoppoint", lt);
    f.Pt(L"righttoppoint", rt);
    f.Pt(L"leftbottompoint", lb);
    f.Pt(L"rightbottompoint", rb);
}

void SideStretchFields(TbsSkinFields& f, bool& left, bool& right, bool& top, bool& bottom, bool& effect,
                       TbsStretchType& type) {
    f.Bool(L"leftstretch", left);
    f.Bool(L"rightstretch", right);
    f.Bool(L"topstretch", top);
    f.Bool(L"bottomstretch", bottom);
    f.Bool(L"stretcheffect", effect);
    f.Stretch(L"stretchtype", type);
}

std::unique_ptr<TbsSkinFields> NewSkinFieldsReader(TCustomIniFile* ini, const String& section) {
    return std::make_unique<FieldsReader>(ini, section);
}

std::unique_ptr<TbsSkinFields> NewSkinFieldsWriter(TCustomIniFile* ini, const String& section) {
    return std::make_unique<FieldsWriter>(ini, section);
}

void TbsSkinSection::LoadFromFile(TCustomIniFile* ini) {
    FieldsReader r(ini, SectionName());
    Fields(r);
    AfterLoad();
}

void TbsSkinSection::SaveToFile(TCustomIniFile* ini) {
    if (EraseOnSave()) ini->EraseSection(SectionName());
    FieldsWriter w(ini, SectionName());
    Fields(w);
}

// ---- frame objects -----------------------------------------------------------------------------

void TbsDataSkinObject::Fields(TbsSkinFields& f) {
    f.Text(L"hint", Hint, L"");
    f.Int(L"activepictureindex", ActivePictureIndex, -1);
    f.Int(L"activemaskpictureindex", ActiveMaskPictureIndex, -1);
    f.Bool(L"skinrectinapicture", SkinRectInAPicture);
    f.Rct(L"skinrect", SkinRect);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    f.Rct(L"inactiveskinrect", InActiveSkinRect);
    f.Bool(L"morphing", Morphing);
    f.Morph(L"morphkind", MorphKind);
    f.Int(L"glowlayerpictureindex", GlowLayerPictureIndex, -1);
    f.Int(L"glowlayermaskpictureindex", GlowLayerMaskPictureIndex, -1);
    f.Int(L"glowlayeroffsetx", GlowLayerOffsetX, 0);
    f.Int(L"glowlayeroffsety", GlowLayerOffsetY, 0);
    f.Int(L"glowlayeralphablendvalue", GlowLayerAlphaBlendValue, 255);
}

void TbsDataUserObject::Fields(TbsSkinFields& f) { f.Rct(L"skinrect", SkinRect); }

void TbsDataSkinButton::Fields(TbsSkinFields& f) {
    TbsDataSkinObject::Fields(f);
    f.Rct(L"downrect", DownRect);
    f.Rct(L"disableskinrsect", DisableSkinRect);
}

void TbsDataSkinStdButton::Fields(TbsSkinFields& f) {
    TbsDataSkinButton::Fields(f);
    f.Command(L"command", Command);
    RestoreFields(f, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect, RestoreHint);
}

void TbsDataSkinStdButton::AfterLoad() {
    if (RestoreHint.empty()) RestoreHint = DefaultRestoreHint(Hint, Command);
}

void TbsDataSkinAnimate::Fields(TbsSkinFields& f) {
    TbsDataSkinObject::Fields(f);
    f.Int(L"countframes", CountFrames, 1);
    f.Bool(L"cycle", Cycle);
    f.Bool(L"buttonstyle", ButtonStyle);
    f.Int(L"timerinterval", TimerInterval, 50);
    f.Command(L"command", Command);
    f.Rct(L"downskinrect", DownSkinRect);
    RestoreFields(f, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect, RestoreHint);
}

void TbsDataSkinAnimate::AfterLoad() {
    Morphing = false;
    if (RestoreHint.empty()) RestoreHint = DefaultRestoreHint(Hint, Command);
}

void TbsDataSkinMenuItem::Fields(TbsSkinFields& f) {
    TbsDataSkinObject::Fields(f);
    f.Int(L"itemleftoffset", ItemLO, 0);
    f.Int(L"itemrightoffset", ItemRO, 0);
    f.Rct(L"dividerrect", DividerRect);
    f.Int(L"dividerleftoffset", DividerLO, 0);
    f.Int(L"dividerrightoffset", DividerRO, 0);
    f.Rct(L"textrect", TextRct);
    f.Rct(L"imagerect", ImageRct);
    f.Text(L"fontname", FontName, L"Arial");
    f.Int(L"fontheight", FontHeight, 14);
    f.Styles(L"fontstyle", FontStyle);
    f.Int(L"fontcolor", FontColor, 0);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"unenabledfontcolor", UnEnabledFontColor, 0);
    f.Bool(L"stretcheffect", StretchEffect);
    f.Bool(L"inactivestretcheffect", InActiveStretchEffect);
    f.Bool(L"dividerstretcheffect", DividerStretchEffect);
    f.Rct(L"animateskinrect", AnimateSkinRect);
    f.Int(L"framecount", FrameCount, 0);
    f.Int(L"animateinterval", AnimateInterval, 25);
    f.Bool(L"inactiveanimation", InActiveAnimation);
    f.Bool(L"useimagecolor", UseImageColor);
    f.Int(L"imagecolor", ImageColor, 0);
    f.Int(L"activeimagecolor", ActiveImageColor, 0);
    f.Bool(L"inactivetransparent", InActiveTransparent);
    f.Rct(L"checkimagerect", CheckImageRect);
    f.Rct(L"activecheckimagerect", ActiveCheckImageRect);
    f.Rct(L"radioimagerect", RadioImageRect);
    f.Rct(L"activeradioimagerect", ActiveRadioImageRect);
    f.Rct(L"arrowimagerect", ArrowImageRect);
    f.Rct(L"activearrowimagerect", ActiveArrowImageRect);
}

void TbsDataSkinMenuItem::AfterLoad() {
    if (IsNull(ActiveCheckImageRect)) ActiveCheckImageRect = CheckImageRect;
    if (IsNull(ActiveRadioImageRect)) ActiveRadioImageRect = RadioImageRect;
    if (IsNull(ActiveArrowImageRect)) ActiveArrowImageRect = ArrowImageRect;
}

void TbsDataSkinMainMenuItem::Fields(TbsSkinFields& f) {
    TbsDataSkinObject::Fields(f);
    f.Int(L"itemleftoffset", ItemLO, 0);
    f.Int(L"itemrightoffset", ItemRO, 0);
    f.Rct(L"downrect", DownRect);
    f.Rct(L"textrect", TextRct);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"downfontcolor", DownFontColor, 0);
    f.Int(L"unenabledfontColor", UnEnabledFontColor, 0);
    f.Bool(L"stretcheffect", StretchEffect);
    f.Rct(L"animateskinrect", AnimateSkinRect);
    f.Int(L"framecount", FrameCount, 0);
    f.Int(L"animateinterval", AnimateInterval, 25);
    f.Bool(L"inactiveanimation", InActiveAnimation);
}

void TbsDataSkinCaption::Fields(TbsSkinFields& f) {
    TbsDataSkinObject::Fields(f);
    f.Rct(L"textrect", TextRct);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Align(L"alignment", Alignment);
    f.Bool(L"light", Light);
    f.Int(L"lightcolor", LightColor, 0);
    f.Int(L"activelightcolor", ActiveLightColor, 0);
    f.Bool(L"shadow", Shadow);
    f.Int(L"shadowcolor", ShadowColor, 0);
    f.Int(L"activeshadowcolor", ActiveShadowColor, 0);
    f.Rct(L"framerect", FrameRect);
    f.Rct(L"activeframerect", ActiveFrameRect);
    f.Rct(L"frametextrect", FrameTextRect);
    f.Int(L"frameleftoffset", FrameLeftOffset, 0);
    f.Int(L"framerightoffset", FrameRightOffset, 0);
    f.Bool(L"stretcheffect", StretchEffect);
    f.Rct(L"animateskinrect", AnimateSkinRect);
    f.Int(L"framecount", FrameCount, 0);
    f.Int(L"animateinterval", AnimateInterval, 25);
    f.Bool(L"inactiveanimation", InActiveAnimation);
    f.Bool(L"fullframe", FullFrame);
    f.Bool(L"vistagloweffect", VistaGlowEffect);
    f.Bool(L"vistaglowinactiveeffect", VistaGlowInActiveEffect);
    f.Bool(L"gloweffect", GlowEffect);
    f.Bool(L"glowinactiveeffect", GlowInActiveEffect);
    f.Int(L"glowsize", GlowSize, 3);
    f.Int(L"glowcolor", GlowColor, 0);
    f.Int(L"glowactivecolor", GlowActiveColor, 0);
    f.Int(L"glowoffset", GlowOffset, 0);
    f.Bool(L"reflectioneffect", ReflectionEffect);
    f.Int(L"reflactioncolor", ReflectionColor, 0);
    f.Int(L"reflactionactivecolor", ReflectionActiveColor, 0);
    f.Int(L"reflectionoffset", ReflectionOffset, 0);
}

namespace {

template <class T>
std::unique_ptr<TbsDataSkinObject> MakeObject(const String& name) {
    return std::make_unique<T>(name);
}

using ObjectMaker = std::unique_ptr<TbsDataSkinObject> (*)(const String&);
struct ObjectKind {
    const wchar_t* word;
    ObjectMaker make;
    bool (*is)(const TbsDataSkinObject*);
};

template <class T>
bool IsA(const TbsDataSkinObject* o) {
    return dynamic_cast<const T*>(o) != nullptr;
}

// In the order the reader compares the words.
const ObjectKind kObjectKinds[] = {
    {L"menuitem", MakeObject<TbsDataSkinMenuItem>, IsA<TbsDataSkinMenuItem>},
    {L"mainmenubaritem", MakeObject<TbsDataSkinMainMenuBarItem>, IsA<TbsDataSkinMainMenuBarItem>},
    {L"stdbutton", MakeObject<TbsDataSkinStdButton>, IsA<TbsDataSkinStdButton>},
    {L"mainmenubarbutton", MakeObject<TbsDataSkinMainMenuBarButton>, IsA<TbsDataSkinMainMenuBarButton>},
    {L"button", MakeObject<TbsDataSkinButton>, IsA<TbsDataSkinButton>},
    {L"caption", MakeObject<TbsDataSkinCaption>, IsA<TbsDataSkinCaption>},
    {L"animate", MakeObject<TbsDataSkinAnimate>, IsA<TbsDataSkinAnimate>},
    {L"userobject", MakeObject<TbsDataUserObject>, IsA<TbsDataUserObject>},
};

// Class tests of the writer: a derived class before its parent.
const int kObjectWriterOrder[] = {0, 1, 3, 2, 4, 5, 7, 6};

}  // namespace

String SkinObjectKind(const TbsDataSkinObject* obj) {
    for (int i : kObjectWriterOrder)
        if (kObjectKinds[i].is(obj)) return kObjectKinds[i].word;
    return String();
}

std::unique_ptr<TbsDataSkinObject> NewSkinObject(const String& kind, const String& name) {
    for (const auto& k : kObjectKinds)
        if (kind == k.word) return k.make(name);
    return nullptr;
}

// ---- colours and fixed records -----------------------------------------------------------------

void TbsSkinColors::Fields(TbsSkinFields& f) {
    f.Int(L"cbtnface", cBtnFace, clBtnFace);
    f.Int(L"cbtntext", cBtnText, clBtnText);
    f.Int(L"cwindow", cWindow, clWindow);
    f.Int(L"cwindowtext", cWindowText, clWindowText);
    f.Int(L"chighlight", cHighLight, clHighlight);
    f.Int(L"chighlighttext", cHighLightText, clHighlightText);
    f.Int(L"cbtnhighlight", cBtnHighLight, clBtnHighlight);
    f.Int(L"cbtnshadow", cBtnShadow, clBtnShadow);
}

void TbsSkinColors::SetColorsToDefault() {
    cBtnFace = clBtnFace;
    cBtnText = clBtnText;
    cWindow = clWindow;
    cWindowText = clWindowText;
    cHighLight = clHighlight;
    cHighLightText = clHighlightText;
    cBtnHighLight = clBtnHighlight;
    cBtnShadow = clBtnShadow;
}

void TbsDataSkinPopupWindow::Fields(TbsSkinFields& f) {
    f.Int(L"windowpictureindex", WindowPictureIndex, -1);
    f.Int(L"maskpictureindex", MaskPictureIndex, -1);
    NinePieceFields(f, LTPoint, RTPoint, LBPoint, RBPoint);
    f.Rct(L"itemsrect", ItemsRect);
    f.Int(L"scrollmarkercolor", ScrollMarkerColor, 0);
    f.Int(L"scrollmarkeractivecolor", ScrollMarkerActiveColor, 0);
    SideStretchFields(f, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
}

void TbsDataSkinLayerFrame::Fields(TbsSkinFields& f) {
    f.Int(L"pictureindex", PictureIndex, -1);
    f.Int(L"maskpictureindex", MaskPictureIndex, -1);
    f.Int(L"inactivepictureindex", InActivePictureIndex, -1);
    f.Int(L"inactivemaskpictureindex", InActiveMaskPictureIndex, -1);
    NinePieceFields(f, LTPoint, RTPoint, LBPoint, RBPoint);
    f.Rct(L"clientrect", ClRect);
    f.Int(L"alphablendvalue", AlphaBlendValue, 255);
    f.Int(L"inactivealphablendvalue", InActiveAlphaBlendValue, 255);
    f.Rct(L"borderrect", BorderRect);
    f.Bool(L"hittestenable", HitTestEnable);
}

void TbsDataSkinHintWindow::Fields(TbsSkinFields& f) {
    f.Int(L"windowpictureindex", WindowPictureIndex, -1);
    f.Int(L"maskpictureindex", MaskPictureIndex, -1);
    NinePieceFields(f, LTPoint, RTPoint, LBPoint, RBPoint);
    f.Rct(L"clientrect", ClRect);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    SideStretchFields(f, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
}

// ---- control records ---------------------------------------------------------------------------

void TbsDataSkinControl::Fields(TbsSkinFields& f) {
    f.Int(L"pictureindex", PictureIndex, -1);
    f.Int(L"maskpictureindex", MaskPictureIndex, -1);
    f.Rct(L"skinrect", SkinRect);
}

void TbsDataSkinCustomControl::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    NinePieceFields(f, LTPoint, RTPoint, LBPoint, RBPoint);
    f.Rct(L"clientrect", ClRect);
    f.Bool(L"leftstretch", LeftStretch);
    f.Bool(L"topstretch", TopStretch);
    f.Bool(L"rightstretch", RightStretch);
    f.Bool(L"bottomstretch", BottomStretch);
    f.Bool(L"stretcheffect", StretchEffect);
    f.Stretch(L"stretchtype", StretchType);
}

void TbsDataSkinButtonControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"downfontcolor", DownFontColor, 0);
    f.Int(L"disabledfontcolor", DisabledFontColor, 0);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    f.Rct(L"downskinrect", DownSkinRect);
    f.Rct(L"focusedskinrect", FocusedSkinRect);
    f.Rct(L"disabledskinrect", DisabledSkinRect);
    f.Bool(L"morphing", Morphing);
    f.Morph(L"morphkind", MorphKind);
    f.Rct(L"animateskinrect", AnimateSkinRect);
    f.Int(L"framecount", FrameCount, 0);
    f.Int(L"animateinterval", AnimateInterval, 25);
    f.Bool(L"showfocus", ShowFocus);
    f.Rct(L"menumarkerflatrect", MenuMarkerFlatRect);
    f.Rct(L"menumarkerrect", MenuMarkerRect);
    f.Rct(L"menumarkeractiverect", MenuMarkerActiveRect);
    f.Rct(L"menumarkerdownrect", MenuMarkerDownRect);
    f.Int(L"menumarkertransparentcolor", MenuMarkerTransparentColor, 0);
    f.Int(L"glowlayerpictureindex", GlowLayerPictureIndex, -1);
    f.Int(L"glowlayermaskpictureindex", GlowLayerMaskPictureIndex, -1);
    f.Int(L"glowlayeroffsetleft", GlowLayerOffsetLeft, 0);
    f.Int(L"glowlayeroffsettop", GlowLayerOffsetTop, 0);
    f.Int(L"glowlayeroffsetright", GlowLayerOffsetRight, 0);
    f.Int(L"glowlayeroffsetbottom", GlowLayerOffsetBottom, 0);
    f.Int(L"glowlayershowoffsetx", GlowLayerShowOffsetX, 0);
    f.Int(L"glowlayershowoffsety", GlowLayerShowOffsetY, 0);
    f.Int(L"glowlayeralphablendvalue", GlowLayerAlphaBlendValue, 255);
}

void TbsDataSkinMenuButtonControl::Fields(TbsSkinFields& f) {
    TbsDataSkinButtonControl::Fields(f);
    f.Rct(L"trackbuttonrect", TrackButtonRect);
}

void TbsDataSkinCheckRadioControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"unenabledfontcolor", UnEnabledFontColor, 0);
    f.Int(L"framefontcolor", FrameFontColor, 0);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    f.Rct(L"checkimagearea", CheckImageArea);
    f.Rct(L"textarea", TextArea);
    f.Rct(L"checkimagerect", CheckImageRect);
    f.Rct(L"uncheckimagerect", UnCheckImageRect);
    f.Rct(L"activecheckimagerect", ActiveCheckImageRect);
    f.Rct(L"activeuncheckimagerect", ActiveUnCheckImageRect);
    f.Rct(L"unenabledcheckimagerect", UnEnabledCheckImageRect);
    f.Rct(L"unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    f.Rct(L"grayedcheckimagerect", GrayedCheckImageRect);
    f.Rct(L"activegrayedcheckimagerect", ActiveGrayedCheckImageRect);
    f.Bool(L"morphing", Morphing);
    f.Morph(L"morphkind", MorphKind);
}

void TbsDataSkinUpDownControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    UpDownButtonFields(f, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
}

void TbsDataSkinPanelControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Int(L"bgpictureindex", BGPictureIndex, -1);
    f.Rct(L"captionrect", CaptionRect);
    f.Align(L"alignment", Alignment);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Rct(L"checkimagerect", CheckImageRect);
    f.Rct(L"uncheckimagerect", UnCheckImageRect);
    f.Rct(L"markframerect", MarkFrameRect);
    f.Rct(L"framerect", FrameRect);
    f.Rct(L"frametextrect", FrameTextRect);
    f.Int(L"frameleftoffset", FrameLeftOffset, 0);
    f.Int(L"framerightoffset", FrameRightOffset, 0);
    f.Rct(L"gripperrect", GripperRect);
    f.Bool(L"grippertransparent", GripperTransparent);
    f.Int(L"grippertransparentcolor", GripperTransparentColor, 0);
}

void TbsDataSkinExPanelControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"rollhskinrect", RollHSkinRect);
    f.Rct(L"rollvskinrect", RollVSkinRect);
    f.Int(L"rollleftoffset", RollLeftOffset, 0);
    f.Int(L"rollrightoffset", RollRightOffset, 0);
    f.Int(L"rolltopoffset", RollTopOffset, 0);
    f.Int(L"rollbottomoffset", RollBottomOffset, 0);
    f.Rct(L"rollvcaptionrect", RollVCaptionRect);
    f.Rct(L"rollhcaptionrect", RollHCaptionRect);
    f.Rct(L"closebuttonrect", CloseButtonRect);
    f.Rct(L"closebuttonactiverect", CloseButtonActiveRect);
    f.Rct(L"closebuttondownrect", CloseButtonDownRect);
    f.Rct(L"hrollbuttonrect", HRollButtonRect);
    f.Rct(L"hrollbuttonactiverect", HRollButtonActiveRect);
    f.Rct(L"hrollbuttondownrect", HRollButtonDownRect);
    f.Rct(L"hrestorebuttonrect", HRestoreButtonRect);
    f.Rct(L"hrestorebuttonactiverect", HRestoreButtonActiveRect);
    f.Rct(L"hrestorebuttondownrect", HRestoreButtonDownRect);
    f.Rct(L"vrollbuttonrect", VRollButtonRect);
    f.Rct(L"vrollbuttonactiverect", VRollButtonActiveRect);
    f.Rct(L"vrollbuttondownrect", VRollButtonDownRect);
    f.Rct(L"vrestorebuttonrect", VRestoreButtonRect);
    f.Rct(L"vrestorebuttonactiverect", VRestoreButtonActiveRect);
    f.Rct(L"vrestorebuttondownrect", VRestoreButtonDownRect);
    f.Rct(L"captionrect", CaptionRect);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Bool(L"buttonstransparent", ButtonsTransparent);
    f.Int(L"buttonstransparentcolor", ButtonsTransparentColor, 0);
}

void TbsDataSkinScrollBoxControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Int(L"bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinControlBar::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"itemrect", ItemRect);
    f.Int(L"bgpictureindex", BGPictureIndex, -1);
    f.Rct(L"hgriprect", HGripRect);
    f.Rct(L"vgriprect", VGripRect);
    f.Int(L"gripoffset1", GripOffset1, 0);
    f.Int(L"gripoffset2", GripOffset2, 0);
    f.Bool(L"itemstretcheffect", ItemStretchEffect);
    f.Int(L"itemoffset1", ItemOffset1, 3);
    f.Int(L"itemoffset2", ItemOffset2, 3);
    f.Bool(L"itemtransparent", ItemTransparent);
    f.Int(L"itemtransparentcolor", ItemTransparentColor, 0);
    f.Bool(L"griptransparent", GripTransparent);
    f.Int(L"griptransparentcolor", GripTransparentColor, 0);
}

void TbsDataSkinSplitterControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"gripperrect", GripperRect);
    f.Bool(L"grippertransparent", GripperTransparent);
    f.Int(L"grippertransparentcolor", GripperTransparentColor, 0);
}

void TbsDataSkinBevel::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    f.Int(L"lightcolor", LightColor, 0);
    f.Int(L"darkcolor", DarkColor, 0);
}

void TbsDataSkinLabelControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
}

void TbsDataSkinStdLabelControl::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 16711680);
}

void TbsDataSkinEditControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"disabledfontcolor", DisabledFontColor, 0);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Rct(L"buttonrect", ButtonRect);
    f.Rct(L"activebuttonrect", ActiveButtonRect);
    f.Rct(L"downbuttonrect", DownButtonRect);
    f.Rct(L"unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinMemoControl::Fields(TbsSkinFields& f) {
    TbsDataSkinEditControl::Fields(f);
    f.Int(L"bgcolor", BGColor, 0);
    f.Int(L"activebgcolor", ActiveBGColor, 0);
}

void TbsDataSkinSpinEditControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"disabledfontcolor", DisabledFontColor, 0);
    UpDownButtonFields(f, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
}

void TbsDataSkinFontColorControl::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"bgcolor", BGColor, 0);
}

void TbsDataSkinListBox::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    ItemLookFields(f, SItemRect, ActiveItemRect, FocusItemRect, ItemLeftOffset, ItemRightOffset, ItemTextRect);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"focusfontcolor", FocusFontColor, 0);
    f.Rct(L"captionrect", CaptionRect);
    f.Text(L"captionfontname", CaptionFontName, L"Arial");
    f.Int(L"captionfontheight", CaptionFontHeight, 14);
    f.Styles(L"captionfontstyle", CaptionFontStyle);
    f.Int(L"captionfontcolor", CaptionFontColor, 0);
    UpDownButtonFields(f, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
    f.Rct(L"checkbuttonrect", CheckButtonRect);
    f.Rct(L"activecheckbuttonrect", ActiveCheckButtonRect);
    f.Rct(L"downcheckbuttonrect", DownCheckButtonRect);
    f.Text(L"vscrollbarname", VScrollBarName, L"vscrollbar");
    f.Text(L"hscrollbarname", HScrollBarName, L"hscrollbar");
    f.Text(L"bothhscrollbarname", BothScrollBarName, L"bothhscrollbar");
    f.Bool(L"showfocus", ShowFocus);
    f.Rct(L"disabledbuttonsrect", DisabledButtonsRect);
    f.Rct(L"buttonsarea", ButtonsArea);
}

void TbsDataSkinCheckListBox::Fields(TbsSkinFields& f) {
    TbsDataSkinListBox::Fields(f);
    f.Rct(L"itemcheckrect", ItemCheckRect);
    f.Rct(L"checkimagerect", CheckImageRect);
    f.Rct(L"uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinComboBox::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    ItemLookFields(f, SItemRect, ActiveItemRect, FocusItemRect, ItemLeftOffset, ItemRightOffset, ItemTextRect);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"focusfontcolor", FocusFontColor, 0);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Text(L"listboxname", ListBoxName, L"");
    f.Rct(L"buttonrect", ButtonRect);
    f.Rct(L"activebuttonrect", ActiveButtonRect);
    f.Rct(L"downbuttonrect", DownButtonRect);
    f.Rct(L"unenabledbuttonrect", UnEnabledButtonRect);
    f.Bool(L"itemstretcheffect", ItemStretchEffect);
    f.Bool(L"focusitemstretcheffect", FocusItemStretchEffect);
    f.Bool(L"showfocus", ShowFocus);
}

void TbsDataSkinGridControl::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    f.Rct(L"fixedcellrect", FixedCellRect);
    f.Rct(L"selectcellrect", SelectCellRect);
    f.Rct(L"focuscellrect", FocusCellRect);
    f.Int(L"fixedcellleftoffset", FixedCellLeftOffset, 0);
    f.Int(L"fixedcellrightoffset", FixedCellRightOffset, 0);
    f.Rct(L"fixedcelltextrect", FixedCellTextRect);
    f.Int(L"cellleftoffset", CellLeftOffset, 0);
    f.Int(L"cellrightoffset", CellRightOffset, 0);
    f.Rct(L"celltextrect", CellTextRect);
    f.Int(L"bgpictureindex", BGPictureIndex, -1);
    f.Int(L"linescolor", LinesColor, 0);
    f.Int(L"bgcolor", BGColor, 0);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"selectfontcolor", SelectFontColor, 0);
    f.Int(L"focusfontcolor", FocusFontColor, 0);
    f.Text(L"fixedfontname", FixedFontName, L"Arial");
    f.Int(L"fixedfontheight", FixedFontHeight, 14);
    f.Styles(L"fixedfontstyle", FixedFontStyle);
    f.Int(L"fixedfontcolor", FixedFontColor, 0);
    f.Bool(L"cellstretcheffect", CellStretchEffect);
    f.Bool(L"fixedcellstretcheffect", FixedCellStretchEffect);
    f.Bool(L"showfocus", ShowFocus);
}

void TbsDataSkinScrollBarControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"trackarea", TrackArea);
    UpDownButtonFields(f, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
    f.Rct(L"thumbrect", ThumbRect);
    f.Rct(L"activethumbrect", ActiveThumbRect);
    f.Rct(L"downthumbrect", DownThumbRect);
    f.Int(L"thumboffset1", ThumbOffset1, 0);
    f.Int(L"thumboffset2", ThumbOffset2, 0);
    f.Bool(L"thumbtransparent", ThumbTransparent);
    f.Int(L"thumbtransparentcolor", ThumbTransparentColor, 0);
    f.Bool(L"thumbstretcheffect", ThumbStretchEffect);
    f.Int(L"thumbminsize", ThumbMinSize, 0);
    f.Int(L"thumbminpagesize", ThumbMinPageSize, 0);
    f.Rct(L"glyphrect", GlyphRect);
    f.Rct(L"activeglyphrect", ActiveGlyphRect);
    f.Rct(L"downglyphrect", DownGlyphRect);
    f.Bool(L"glyphtransparent", GlyphTransparent);
    f.Int(L"glyphtransparentcolor", GlyphTransparentColor, 0);
}

void TbsDataSkinTrackBarControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"activeskinrect", ActiveSkinRect);
    f.Rct(L"trackarea", TrackArea);
    f.Rct(L"buttonrect", ButtonRect);
    f.Rct(L"activebuttonrect", ActiveButtonRect);
    f.Bool(L"vertical", Vertical);
    f.Bool(L"buttontransparent", ButtonTransparent);
    f.Int(L"buttontransparentcolor", ButtonTransparentColor, 0);
}

void TbsDataSkinGaugeControl::Fields(TbsSkinFields& f) {
    TbsDataSkinCustomControl::Fields(f);
    f.Rct(L"progressarea", ProgressArea);
    f.Rct(L"progressrect", ProgressRect);
    f.Int(L"beginoffset", BeginOffset, 0);
    f.Int(L"endoffset", EndOffset, 0);
    f.Bool(L"vertical", Vertical);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Bool(L"progresstransparent", ProgressTransparent);
    f.Int(L"progresstransparentcolor", ProgressTransparentColor, 0);
    f.Bool(L"progressstretch", ProgressStretch);
    f.Rct(L"animationskinrect", AnimationSkinRect);
    f.Int(L"animationcountframes", AnimationCountFrames, 0);
    f.Int(L"animationtimerinterval", AnimationTimerInterval, 0);
    f.Rct(L"progressanimationskinrect", ProgressAnimationSkinRect);
    f.Int(L"progressanimationcountframes", ProgressAnimationCountFrames, 0);
    f.Int(L"progressanimationtimerinterval", ProgressAnimationTimerInterval, 0);
    f.Int(L"animationbeginoffset", AnimationBeginOffset, 0);
    f.Int(L"animationendoffset", AnimationEndOffset, 0);
}

void TbsDataSkinSlider::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    f.Int(L"bgcolor", BGColor, 0);
    f.Rct(L"hrulerrect", HRulerRect);
    f.Rct(L"hthumbrect", HThumbRect);
    f.Rct(L"vrulerrect", VRulerRect);
    f.Rct(L"vthumbrect", VThumbRect);
    f.Int(L"edgesize", EdgeSize, 0);
    f.Int(L"pointscolor", PointsColor, 0);
}

void TbsDataSkinTabControl::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    f.Rct(L"tabrect", TabRect);
    f.Rct(L"activetabrect", ActiveTabRect);
    f.Rct(L"focustabrect", FocusTabRect);
    f.Rct(L"mouseintabrect", MouseInTabRect);
    f.Rct(L"clientrect", ClRect);
    f.Int(L"bgpictureindex", BGPictureIndex, -1);
    NinePieceFields(f, LTPoint, RTPoint, LBPoint, RBPoint);
    f.Int(L"tableftoffset", TabLeftOffset, 0);
    f.Int(L"tabrightoffset", TabRightOffset, 0);
    f.Rct(L"tabsbgrect", TabsBGRect);
    f.Bool(L"tabstretcheffect", TabStretchEffect);
    f.Bool(L"leftstretch", LeftStretch);
    f.Bool(L"topstretch", TopStretch);
    f.Bool(L"rightstretch", RightStretch);
    f.Bool(L"bottomstretch", BottomStretch);
    f.Bool(L"stretcheffect", StretchEffect);
    f.Stretch(L"stretchtype", StretchType);
    FontFields(f, FontName, FontHeight, FontStyle, FontColor);
    f.Int(L"activefontcolor", ActiveFontColor, 0);
    f.Int(L"focusfontcolor", FocusFontColor, 0);
    f.Int(L"mouseinfontcolor", MouseInFontColor, 0);
    f.Text(L"updown", UpDown, L"");
    f.Bool(L"showfocus", ShowFocus);
    f.Int(L"focusoffsetx", FocusOffsetX, 0);
    f.Int(L"focusoffsety", FocusOffsetY, 0);
    f.Rct(L"closebuttonrect", CloseButtonRect);
    f.Rct(L"closebuttonactiverect", CloseButtonActiveRect);
    f.Rct(L"closebuttondownrect", CloseButtonDownRect);
    f.Bool(L"buttontransparent", ButtonTransparent);
    f.Int(L"buttontransparentcolor", ButtonTransparentColor, 0);
}

void TbsDataSkinMainMenuBar::Fields(TbsSkinFields& f) {
    TbsDataSkinControl::Fields(f);
    f.Rct(L"itemsrect", ItemsRect);
    f.Text(L"menubaritem", MenuBarItem, L"");
    f.Text(L"closebutton", CloseButton, L"");
    f.Text(L"minbutton", MinButton, L"");
    f.Text(L"maxbutton", MaxButton, L"");
    f.Text(L"sysmenubutton", SysMenuButton, L"");
    f.Int(L"trackmarkcolor", TrackMarkColor, 0);
    f.Int(L"trackmarkactivecolor", TrackMarkActiveColor, 0);
    f.Bool(L"stretcheffect", StretchEffect);
    f.Bool(L"itemtransparent", ItemTransparent);
}

namespace {

template <class T>
std::unique_ptr<TbsDataSkinControl> MakeControl(const String& name) {
    return std::make_unique<T>(name);
}

template <class T>
bool IsCtrl(const TbsDataSkinControl* c) {
    return dynamic_cast<const T*>(c) != nullptr;
}

struct ControlKind {
    const wchar_t* word;
    std::unique_ptr<TbsDataSkinControl> (*make)(const String&);
    bool (*is)(const TbsDataSkinControl*);
};

#define BS_KIND(word, T) {word, MakeControl<T>, IsCtrl<T>}
// In the order the reader compares the words and the writer tests classes.
const ControlKind kControlKinds[] = {
    BS_KIND(L"panel", TbsDataSkinPanelControl),
    BS_KIND(L"expanel", TbsDataSkinExPanelControl),
    BS_KIND(L"menubutton", TbsDataSkinMenuButtonControl),
    BS_KIND(L"button", TbsDataSkinButtonControl),
    BS_KIND(L"checkradio", TbsDataSkinCheckRadioControl),
    BS_KIND(L"gauge", TbsDataSkinGaugeControl),
    BS_KIND(L"splitter", TbsDataSkinSplitterControl),
    BS_KIND(L"trackbar", TbsDataSkinTrackBarControl),
    BS_KIND(L"label", TbsDataSkinLabelControl),
    BS_KIND(L"stdlabel", TbsDataSkinStdLabelControl),
    BS_KIND(L"updown", TbsDataSkinUpDownControl),
    BS_KIND(L"grid", TbsDataSkinGridControl),
    BS_KIND(L"tab", TbsDataSkinTabControl),
    BS_KIND(L"mainmenubar", TbsDataSkinMainMenuBar),
    BS_KIND(L"controlbar", TbsDataSkinControlBar),
    BS_KIND(L"memo", TbsDataSkinMemoControl),
    BS_KIND(L"edit", TbsDataSkinEditControl),
    BS_KIND(L"checklistbox", TbsDataSkinCheckListBox),
    BS_KIND(L"listbox", TbsDataSkinListBox),
    BS_KIND(L"combobox", TbsDataSkinComboBox),
    BS_KIND(L"scrollbar", TbsDataSkinScrollBarControl),
    BS_KIND(L"spinedit", TbsDataSkinSpinEditControl),
    BS_KIND(L"scrollbox", TbsDataSkinScrollBoxControl),
    BS_KIND(L"treeview", TbsDataSkinTreeView),
    BS_KIND(L"bevel", TbsDataSkinBevel),
    BS_KIND(L"slider", TbsDataSkinSlider),
    BS_KIND(L"listview", TbsDataSkinListView),
    BS_KIND(L"richedit", TbsDataSkinRichEdit),
};
#undef BS_KIND

}  // namespace

String SkinControlKind(const TbsDataSkinControl* ctrl) {
    for (const auto& k : kControlKinds)
        if (k.is(ctrl)) return k.word;
    return String();
}

std::unique_ptr<TbsDataSkinControl> NewSkinControl(const String& kind, const String& name) {
    for (const auto& k : kControlKinds)
        if (kind == k.word) return k.make(name);
    return nullptr;
}
