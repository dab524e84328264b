// The menu speed button's faces. A record of its own draws as a speed
// button (with its track part pressed while the menu is open); the shared
// tool-button records draw a fixed or nine-piece face split into a main and
// a track part; the new style composes the store's own button records.
// The arrow is the skin's marker where the record has one.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/controls/bsSkinFaceParts.h"

namespace {
void FramedFill(TCanvas* c, TRect r, TColor frame, TColor fill, bool framed) {
    c->Brush()->SetStyle(bsSolid);
    if (framed) c->Frame3D(r, frame, frame, 1);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
}
}  // namespace

TColor TbsSkinMenuSpeedButton::FaceFontColor(bool pressedIn, bool mouseIn) const {
    if (Enabled() && !UseSkinFontColor) return FDefaultFont.Color();
    if (!Enabled()) return DisabledFontColor;
    if (pressedIn) return DownFontColor;
    return mouseIn ? ActiveFontColor : FontColor;
}

void TbsSkinMenuSpeedButton::DrawMenuMarker(TCanvas* c, const TRect& r, bool flat, bool down, bool mouseIn) {
    const TRect part = down ? MenuMarkerDownRect : mouseIn ? MenuMarkerActiveRect : flat ? MenuMarkerFlatRect
                                                                                        : MenuMarkerRect;
    bsDrawMarker(c, Picture, part, MenuMarkerTransparentColor, r, 0);
}

void TbsSkinMenuSpeedButton::DrawFaceArrow(TCanvas* c, const TRect& r, TColor color, bool down, bool mouseIn) {
    if (FDrawStandardArrow) DrawArrowImage(c, r, color, FArrowType);
    else if (!IsNullRect(MenuMarkerRect)) DrawMenuMarker(c, r, false, down, mouseIn);
    else DrawDropDownArrow(c, r, FMenuTracked ? DownFontColor : color);
}

void TbsSkinMenuSpeedButton::DrawPlainArrow(TCanvas* c, TColor color) {
    TRect a(Width() - TrackWidth, 0, Width(), Height());
    if (PressedLook() || FMenuTracked) a.top += 2, a.left = Width() - 13;
    DrawDropDownArrow(c, a, color);
}

void TbsSkinMenuSpeedButton::DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn) {
    const bool resizeName = SkinDataName == L"resizebutton" || SkinDataName == L"resizetoolbutton";
    if (FNewStyle && SkinDataName == L"resizetoolbutton") {
        DrawNewStyle(B, down, mouseIn);
    } else if (SkinDataName == L"toolbutton" || SkinDataName == L"bigtoolbutton") {
        DrawSharedFace(B, down, mouseIn, false);
    } else if (resizeName) {
        DrawSharedFace(B, down, mouseIn, true);
    } else if (FMenuTracked && FTrackButtonMode && !IsNullRect(TrackButtonRect) && !IsNullRect(DownSkinRect)) {
        // The record's own face, hot, with its track part pressed.
        TbsSkinSpeedButton::DrawGlyphAndCaption(B, ActiveSkinRect, false, true);
        TRect part = TrackButtonRect;
        part.Offset(DownSkinRect.left, DownSkinRect.top);
        B->Canvas()->CopyRect(GetTrackButtonRect(), Picture->Canvas(), part);
    } else {
        TbsSkinSpeedButton::DrawGlyphAndCaption(B, r, down, mouseIn);
        // A face without a track part of its own shows the skin's marker
        // in the strip.
        if (IsNullRect(TrackButtonRect) && !IsNullRect(MenuMarkerRect)) {
            TRect a = TrackStrip();
            if (down && mouseIn) a.Offset(1, 1);
            DrawMenuMarker(B->Canvas(), a, false, down && mouseIn, mouseIn);
        }
    }
}

void TbsSkinMenuSpeedButton::DrawSharedFace(TBitmap* B, bool down, bool mouseIn, bool nine) {
    B->SetSize(Width(), Height());
    TCanvas* c = B->Canvas();
    const bool pressedIn = down && mouseIn;
    const auto compose = [&](const TRect& part, const TRect& area) {
        if (IsNullRect(part) || area.Width() <= 0 || area.Height() <= 0) return;
        TBitmap face(area.Width(), area.Height());
        if (nine) {
            TbsNinePieces n;
            n.lt = LTPt, n.rt = RTPt, n.lb = LBPt, n.rb = RBPt, n.cl = ClRect;
            n.left = LeftStretch, n.top = TopStretch, n.right = RightStretch, n.bottom = BottomStretch;
            n.stretch = StretchEffect, n.type = StretchType;
            bsComposeNine(n, Picture, part, &face, area.Width(), area.Height(), true);
        } else {
            CreateSkinImageFromClRect(&face, Picture, part, ClRect, true);
        }
        c->Draw(area.left, area.top, &face);
    };
    const TRect all(0, 0, Width(), Height());
    if (!FTrackButtonMode) {
        if (pressedIn) compose(DownSkinRect, all);
        else if (mouseIn) compose(ActiveSkinRect, all);
        else if (!FFlat) compose(SkinRect, all);
    } else {
        const TRect main(0, 0, Width() - TrackWidth, Height()), track(Width() - TrackWidth, 0, Width(), Height());
        const auto both = [&](const TRect& m, const TRect& t) { compose(m, main), compose(t, track); };
        if (FMenuTracked) both(ActiveSkinRect, DownSkinRect);
        else if (pressedIn) both(DownSkinRect, DownSkinRect);
        else if (mouseIn) both(ActiveSkinRect, ActiveSkinRect);
        else if (!FFlat) both(SkinRect, SkinRect);
    }
    SetupFont(c, true);
    const TColor color = FaceFontColor(pressedIn, mouseIn);
    c->Font()->SetColor(color);
    DrawContent(c, TRect(0, 0, Width() - TrackWidth, Height()), down, mouseIn, pressedIn);
    TRect a(Width() - TrackWidth, 0, Width(), Height());
    if (pressedIn || FMenuTracked) a.top += 2, a.left = Width() - 13;
    DrawFaceArrow(c, a, color, pressedIn || FMenuTracked, mouseIn);
}

void TbsSkinMenuSpeedButton::DrawButtonRecord(TCanvas* c, TbsDataSkinButtonControl* rec, const TRect& area,
                                              bool down, bool mouseIn) {
    TBitmap* pic = bsRecordPicture(FSD, rec);
    if (!pic || area.Width() <= 0 || area.Height() <= 0) return;
    const TRect active = IsNullRect(rec->ActiveSkinRect) ? rec->SkinRect : rec->ActiveSkinRect;
    const TRect pressed = IsNullRect(rec->DownSkinRect) ? active : rec->DownSkinRect;
    const TRect part = down && mouseIn ? pressed : mouseIn ? active : rec->SkinRect;
    TBitmap face(area.Width(), area.Height());
    bsComposeRecord(rec, pic, part, &face, area.Width(), area.Height(), true);
    c->Draw(area.left, area.top, &face);
}

void TbsSkinMenuSpeedButton::DrawNewStyle(TBitmap* B, bool down, bool mouseIn) {
    B->SetSize(Width(), Height());
    TCanvas* c = B->Canvas();
    const bool bottom = FTrackPosition == bstpBottom;
    const bool split = FTrackButtonMode && mouseIn;
    const TRect all(0, 0, Width(), Height());
    const TRect strip = TrackStrip();
    const TRect rest = bottom ? TRect(0, 0, Width(), Height() - TrackWidth) : TRect(0, 0, Width() - TrackWidth, Height());
    TbsDataSkinButtonControl* mainRec = bsFindButtonRecord(FSD, {L"resizetoolbutton", L"resizebutton"});
    if (!mainRec) return;
    TRect main = split ? rest : all;
    TbsDataSkinButtonControl* trackRec = mainRec;
    if (split) {
        if (auto* own = bsFindButtonRecord(FSD, {bottom ? L"htracktoolbutton" : L"vtracktoolbutton"})) {
            trackRec = own;
            main = all;
        }
    }
    const bool pressed = mouseIn && down && !(FMenuTracked && FTrackButtonMode);
    DrawButtonRecord(c, mainRec, main, pressed, mouseIn);
    if (split) DrawButtonRecord(c, trackRec, strip, FMenuTracked, mouseIn);
    SetupFont(c, true);
    const TColor color = FaceFontColor(pressed, mouseIn);
    c->Font()->SetColor(color);
    DrawContent(c, rest, down, mouseIn, pressed);
    TRect a = strip;
    if (mouseIn && down && (!FTrackButtonMode || FMenuTracked)) a.Offset(1, 1);
    DrawFaceArrow(c, a, color, pressed || FMenuTracked, mouseIn);
}

void TbsSkinMenuSpeedButton::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    if (FMouseIn || FDown || FMenuTracked || !Transparent()) {
        TbsSkinSpeedButton::Paint();
        return;
    }
    PaintTransparentIdle();
}

void TbsSkinMenuSpeedButton::PaintTransparentIdle() {
    // Only the content and the arrow, over the parent's background.
    const bool skinned = FIndex != -1 && Picture;
    const bool own = skinned && HasOwnRecord();
    TRect content(0, 0, Width(), Height());
    if (own) content = NewClRect;
    else if (FNewStyle && FTrackPosition == bstpBottom) content.bottom -= TrackWidth;
    else content.right -= TrackWidth;
    TCanvas* c = Canvas();
    SetupFont(c, skinned);
    const TbsSkinColors* colors = skinned ? FSD->SkinColors() : nullptr;
    TColor color = FDefaultFont.Color();
    if (!Enabled()) color = colors ? colors->cBtnShadow : clBtnShadow;
    else if (colors && UseSkinFontColor) color = colors->cBtnText;
    c->Font()->SetColor(color);
    DrawContent(c, content, FDown, FMouseIn, false);
    TRect a = own ? TRect(content.right, 0, Width(), Height()) : TrackStrip();
    if ((FDown && FMouseIn) || FMenuTracked) a.Offset(2, 2);
    if (!skinned) {
        DrawDropDownArrow(c, a, clBtnText);
        return;
    }
    if (ResizeMode != 1) a.left -= 2;
    if (!IsNullRect(MenuMarkerFlatRect)) DrawMenuMarker(c, a, true, false, false);
    else DrawDropDownArrow(c, a, colors ? colors->cBtnText : clBtnText);
}

void TbsSkinMenuSpeedButton::PlainWholeFace(TCanvas* c) {
    const TRect all(0, 0, Width(), Height());
    if (FDown && FMouseIn) FramedFill(c, all, bsPlainHotFrame, bsPlainDownFill, true);
    else if (FMouseIn) FramedFill(c, all, bsPlainHotFrame, bsPlainHotFill, true);
    else FramedFill(c, all, clBtnShadow, clBtnFace, !FFlat);
}

void TbsSkinMenuSpeedButton::PlainContent(TCanvas* c, const TRect& r) {
    SetupFont(c, false);
    c->Font()->SetColor(Enabled() ? FDefaultFont.Color() : clBtnShadow);
    DrawContent(c, r, FDown, FMouseIn, FDown && FMouseIn);
}

void TbsSkinMenuSpeedButton::PlainNewStyle(TBitmap* B) {
    TCanvas* c = B->Canvas();
    const bool bottom = FTrackPosition == bstpBottom;
    const TRect strip = TrackStrip();
    const TRect rest = bottom ? TRect(0, 0, Width(), Height() - TrackWidth) : TRect(0, 0, Width() - TrackWidth, Height());
    const bool pressedIn = FDown && FMouseIn;
    if (FTrackButtonMode && FMouseIn) {
        if (FMenuTracked) {
            FramedFill(c, rest, bsPlainHotFrame, bsPlainHotFill, true);
            FramedFill(c, strip, bsPlainHotFrame, bsPlainDownFill, true);
        } else {
            FramedFill(c, rest, bsPlainHotFrame, pressedIn ? bsPlainDownFill : bsPlainHotFill, true);
            FramedFill(c, strip, bsPlainHotFrame, bsPlainHotFill, true);
        }
    } else {
        PlainWholeFace(c);
    }
    PlainContent(c, rest);
    TRect a = strip;
    if (pressedIn && (!FTrackButtonMode || FMenuTracked)) a.Offset(2, 2);
    DrawDropDownArrow(c, a, clBtnText);
}

void TbsSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    if (FNewStyle) {
        PlainNewStyle(B);
        return;
    }
    TCanvas* c = B->Canvas();
    const bool pressedIn = FDown && FMouseIn;
    if (FTrackButtonMode) {
        const TRect main(0, 0, Width() - TrackWidth, Height()), track(Width() - TrackWidth, 0, Width(), Height());
        const auto both = [&](TColor frame, TColor mainFill, TColor trackFill, bool framed) {
            FramedFill(c, main, frame, mainFill, framed);
            FramedFill(c, track, frame, trackFill, framed);
        };
        if (FMenuTracked) both(bsPlainHotFrame, bsPlainHotFill, bsPlainDownFill, true);
        else if (pressedIn) both(bsPlainHotFrame, bsPlainDownFill, bsPlainDownFill, true);
        else if (FMouseIn) both(bsPlainHotFrame, bsPlainHotFill, bsPlainHotFill, true);
        else both(clBtnShadow, clBtnFace, clBtnFace, !FFlat);
    } else {
        PlainWholeFace(c);
    }
    PlainContent(c, TRect(0, 0, Width() - TrackWidth, Height()));
    DrawPlainArrow(c, clBtnText);
}
