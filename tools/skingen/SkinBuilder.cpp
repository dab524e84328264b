#include "SkinBuilder.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "SkinParts.h"

using namespace skinparts;

namespace {

void DrawFrame(Img& img, const Palette& p, bool active) {
    const int w = img.W(), h = img.H();
    img.Metal(TRect(0, 0, w, h), Shade(p.base, 0.95), Shade(p.base, 0.75), 11);
    // The caption: a polished plate with a trim line under it.
    img.Metal(TRect(0, 0, w, 30), Shade(p.base, active ? 1.45 : 1.2), Shade(p.base, 0.9), 7);
    img.Fill(TRect(0, 28, w, 30), active ? p.accent : Shade(p.base, 0.7));
    img.Fill(TRect(0, 30, w, 31), p.dark);
    img.Bevel(TRect(0, 0, w, h), p.light, p.dark, 2);
    img.Frame(TRect(0, 0, w, h), p.dark);
    img.Fill(TRect(5, 31, w - 5, h - 5), p.face);
    img.Frame(TRect(4, 30, w - 4, h - 4), p.dark);
    // A raised ridge along the caption plate, like the rim of a breastplate.
    img.Fill(TRect(2, 2, w - 2, 3), Shade(p.light, 1.1));
    img.Fill(TRect(2, 3, w - 2, 4), Shade(p.base, 0.85));
    img.Rivet(3, h - 3, p), img.Rivet(w - 4, h - 3, p);
}

// The caption buttons: close, maximize, minimize, system menu.
const Glyph kCapGlyphs[] = {Glyph::Close, Glyph::Maximize, Glyph::Minimize, Glyph::SysMenu};

void CapButton(Img& img, const TRect& r, const Palette& p, int button, Face f, bool restore, Rgb bg) {
    Plate(img, r, p, f, bg, 3 + button);
    if (button == 0 && f == Face::Hot) img.Metal(TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2), 0xE05040, 0x902018, 5);
    const Glyph g = restore && button == 1 ? Glyph::Restore : kCapGlyphs[button];
    const Rgb ink = f == Face::Disabled ? Shade(p.base, 0.8) : (button == 0 && f == Face::Hot ? 0xFFFFFF : Ink(p));
    img.Glyph(g, r, ink);
}

struct ButtonLooks {
    TRect normal, hot, down, disabled, focused;
    bool flat = false;
};

ButtonLooks ButtonSet(Plan& plan, const Palette& p, int w, int h, bool flat, Glyph glyph, bool withGlyph) {
    ButtonLooks b;
    b.flat = flat;
    TRect* slots[] = {&b.normal, &b.hot, &b.down, &b.disabled, &b.focused};
    const Face faces[] = {Face::Normal, Face::Hot, Face::Down, Face::Disabled, Face::Focused};
    for (int i = 0; i < 5; ++i) {
        *slots[i] = plan.Take(w, h, [&p, flat, f = faces[i], glyph, withGlyph, i](Img& img, const TRect& r) {
            if (flat) FlatFace(img, r, p, f, 20 + i);
            else Plate(img, r, p, f, p.face, 20 + i);
            if (withGlyph) img.Glyph(glyph, r, f == Face::Disabled ? Shade(p.face, 0.7) : Ink(p));
        });
    }
    return b;
}

void SetButton(TbsDataSkinButtonControl* c, const ButtonLooks& b, const Palette& p, int border) {
    NinePiece(c, b.normal, border);
    c->ActiveSkinRect = b.hot;
    c->DownSkinRect = b.down;
    c->DisabledSkinRect = b.disabled;
    c->FocusedSkinRect = b.focused;
    // A flat button's normal face is the light face colour, whatever the
    // metal: its text is the dark text colour.
    Font(c->FontName, c->FontHeight, c->FontStyle, c->FontColor, b.flat ? p.text : Ink(p));
    c->ActiveFontColor = Col(Ink(p) == p.text ? Shade(p.text, 0.6) : 0xFFFFFF);
    c->DownFontColor = Col(Ink(p));
    // Dim, yet readable: dark on the light flat face, light on the grey plate.
    c->DisabledFontColor = Col(b.flat ? Shade(p.face, 0.65) : Mix(p.face, 0xFFFFFF, 0.35));
    c->Morphing = true;
    c->MorphKind = mkGradient;
    c->ShowFocus = true;
}

void SetPanel(TbsDataSkinPanelControl* c, const TRect& r, const Palette& p, int border) {
    NinePiece(c, r, border);
    Font(c->FontName, c->FontHeight, c->FontStyle, c->FontColor, p.text, true);
    c->StretchEffect = true;
}

}  // namespace

const std::vector<Theme>& MainThemes() {
    // base, light, dark, accent, face, text, caption text
    static const std::vector<Theme> themes = {
        {L"jupiter", "Jupiter", {0xB07A48, 0xF4D9B8, 0x4A2C12, 0xE8922C, 0xF0E2D0, 0x3E2612, 0xFFF6EA}},
        {L"saturn", "Saturn", {0x86895A, 0xE4E6C6, 0x30321C, 0xA8C040, 0xE6E8D6, 0x2E301A, 0xFAFCEA}},
        {L"cosmos", "Cosmos", {0x4A4180, 0xB9B0F0, 0x17123A, 0x9C7CFF, 0xDCD9EC, 0x221C48, 0xF2EEFF}},
        {L"starriver", "Star river", {0x3C7D86, 0xB4E4E8, 0x0F3237, 0x4FD2DC, 0xD5E7E8, 0x12393E, 0xEFFCFD}},
        {L"galaxy", "Galaxy", {0xB4B8BF, 0xF6F7F9, 0x3A3E46, 0x4F7FE8, 0xF0F1F4, 0x23262C, 0xFFFFFF}},
        {L"venus", "Venus", {0xD2A01E, 0xFFEC9E, 0x5A3E00, 0xFFD400, 0xF7EFD2, 0x3D2A00, 0xFFFBE6}},
        {L"mars", "Mars", {0x962026, 0xF0A4A8, 0x38070A, 0xFF3848, 0xF0D8DA, 0x3A0A0E, 0xFFEEF0}},
        {L"mercury", "Mercury", {0x48525A, 0xB8C2CA, 0x12161A, 0x3FE0C8, 0xDCE2E6, 0x161B1F, 0xF2FAFF}},
    };
    return themes;
}

const Theme& ListsTheme() {
    static const Theme lists{L"lists", "Lists", {0x59606A, 0xC9CED6, 0x1E2227, 0x5B9BD5, 0xEEF0F3, 0x20252B, 0xFFFFFF}};
    return lists;
}

namespace {

void BuildFrame(TbsSkinData* s, const Palette& p, Img& frame, Img& caps) {
    DrawFrame(frame, p, true);
    SetCorners(*s, frame.W(), frame.H(), 60, 31, 100, 5);
    s->ClRect = TRect(5, 31, frame.W() - 5, frame.H() - 5);
    s->CaptionRect = TRect(30, 0, frame.W() - 84, 30);
    s->ButtonsRect = TRect(frame.W() - 74, 5, frame.W() - 6, 25);
    s->ButtonsOffset = 2;
    s->BorderW = 5;
    s->FormMinWidth = 220;
    s->BGPictureIndex = kClient;
    s->MDIBGPictureIndex = kClient;
    s->TopStretch = s->BottomStretch = s->LeftStretch = s->RightStretch = true;

    auto* caption = AddObj<TbsDataSkinCaption>(s, L"caption");
    caption->SkinRect = s->CaptionRect;
    caption->TextRct = TRect(4, 0, s->CaptionRect.Width() - 4, 28);
    const bool darkInk = Ink(p) == p.text;
    Font(caption->FontName, caption->FontHeight, caption->FontStyle, caption->FontColor,
         darkInk ? Shade(p.text, 1.4) : Shade(p.captionText, 0.85), true);
    caption->FontHeight = 14;
    caption->ActiveFontColor = Col(Ink(p));
    caption->Alignment = taLeftJustify;
    caption->Shadow = true;
    caption->ShadowColor = Col(darkInk ? Shade(p.light, 1.2) : Shade(p.base, 0.6));
    caption->ActiveShadowColor = Col(darkInk ? p.light : p.dark);

    // Caption buttons: normal looks on the frame; the other looks in the
    // caption-button picture, one row per look, one column per button.
    struct CapDef {
        const wchar_t* name;
        TbsStdCommand cmd;
        const wchar_t* hint;
        int x;  // left on the frame
    };
    const int W = frame.W();
    const CapDef defs[] = {{L"closebutton", cmClose, L"Close", W - 26},
                           {L"maxbutton", cmMaximize, L"Maximize", W - 48},
                           {L"minbutton", cmMinimize, L"Minimize", W - 70},
                           {L"sysmenubutton", cmSysMenu, L"System menu", 8}};
    const Face rows[] = {Face::Hot, Face::Down, Face::Disabled, Face::Normal, Face::Hot, Face::Down, Face::Disabled};
    for (int b = 0; b < 4; ++b) {
        const TRect onFrame(defs[b].x, 5, defs[b].x + 20, 25);
        CapButton(frame, onFrame, p, b, Face::Normal, false, Shade(p.base, 1.2));
        for (int row = 0; row < 7; ++row)
            CapButton(caps, TRect(b * 20, row * 20, b * 20 + 20, row * 20 + 20), p, b, rows[row], row >= 3,
                      Shade(p.base, 1.2));
        auto* o = AddObj<TbsDataSkinStdButton>(s, defs[b].name);
        o->Command = defs[b].cmd;
        o->Hint = defs[b].hint;
        o->SkinRect = onFrame;
        o->ActivePictureIndex = kCapButtons;
        auto at = [b](int row) { return TRect(b * 20, row * 20, b * 20 + 20, row * 20 + 20); };
        o->ActiveSkinRect = at(0);
        o->DownRect = at(1);
        o->InActiveSkinRect = at(2);
        o->DisableSkinRect = at(2);
        o->Morphing = true;
        o->MorphKind = mkDefault;
        if (defs[b].cmd == cmMaximize) {
            o->RestoreRect = at(3);
            o->RestoreActiveRect = at(4);
            o->RestoreDownRect = at(5);
            o->RestoreInActiveRect = at(6);
        }
        // A minimized or maximized window shows the restore hint.
        if (defs[b].cmd == cmMaximize || defs[b].cmd == cmMinimize) o->RestoreHint = L"Restore";
    }
}

void BuildMenus(TbsSkinData* s, const Palette& p, Img& popup, Img& hint, Plan& menu) {
    // Popup window frame.
    popup.Metal(TRect(0, 0, popup.W(), popup.H()), Shade(p.base, 1.1), Shade(p.base, 0.85), 41);
    popup.Fill(TRect(4, 4, popup.W() - 4, popup.H() - 4), Mix(p.face, 0xFFFFFF, 0.5));
    popup.Bevel(TRect(0, 0, popup.W(), popup.H()), p.light, p.dark, 2);
    popup.Frame(TRect(0, 0, popup.W(), popup.H()), p.dark);
    popup.Fill(TRect(4, 4, 6, popup.H() - 4), p.accent);
    auto& pw = *s->PopupWindow;
    pw.WindowPictureIndex = kPopup;
    SetCorners(pw, popup.W(), popup.H(), 8, 8, 8, 8);
    pw.ItemsRect = TRect(6, 4, popup.W() - 4, popup.H() - 4);
    pw.ScrollMarkerColor = Col(p.text);
    pw.ScrollMarkerActiveColor = Col(p.accent);
    pw.StretchEffect = pw.LeftStretch = pw.RightStretch = pw.TopStretch = pw.BottomStretch = true;

    // Hint window frame.
    hint.VGrad(TRect(0, 0, hint.W(), hint.H()), Mix(p.face, 0xFFFFFF, 0.6), p.face);
    hint.Bevel(TRect(0, 0, hint.W(), hint.H()), 0xFFFFFF, p.base, 1);
    hint.Frame(TRect(0, 0, hint.W(), hint.H()), p.dark);
    hint.Fill(TRect(1, 1, hint.W() - 1, 3), p.accent);
    auto& hw = *s->HintWindow;
    hw.WindowPictureIndex = kHint;
    SetCorners(hw, hint.W(), hint.H(), 5, 5, 5, 5);
    hw.ClRect = TRect(4, 4, hint.W() - 4, hint.H() - 4);
    Font(hw.FontName, hw.FontHeight, hw.FontStyle, hw.FontColor, p.text);
    hw.StretchEffect = hw.LeftStretch = hw.RightStretch = hw.TopStretch = hw.BottomStretch = true;

    // Menu items, the main menu bar and its items.
    const Rgb itemBg = Mix(p.face, 0xFFFFFF, 0.5);
    const TRect item = menu.Take(120, 22, [=](Img& img, const TRect& r) { img.Fill(r, itemBg); });
    const TRect itemHot = menu.Take(120, 22, [&p](Img& img, const TRect& r) {
        img.Metal(r, Mix(p.accent, 0xFFFFFF, 0.35), Shade(p.accent, 0.85), 51);
        img.Frame(r, Shade(p.accent, 0.6));
    });
    menu.atlas.Row();
    const TRect divider = menu.Take(120, 6, [=, &p](Img& img, const TRect& r) {
        img.Fill(r, itemBg);
        img.Fill(TRect(r.left + 4, r.top + 2, r.right - 4, r.top + 3), Shade(p.base, 0.8));
        img.Fill(TRect(r.left + 4, r.top + 3, r.right - 4, r.top + 4), 0xFFFFFF);
    });
    auto glyph = [&menu, &p, itemBg](Glyph g, bool hot) {
        return menu.Take(14, 14, [=, &p](Img& img, const TRect& r) {
            img.Fill(r, hot ? Mix(p.accent, 0xFFFFFF, 0.2) : itemBg);
            img.Glyph(g, r, hot ? 0xFFFFFF : p.text);
        });
    };
    menu.atlas.Row();
    const TRect check = glyph(Glyph::Check, false), checkHot = glyph(Glyph::Check, true);
    const TRect radio = glyph(Glyph::Radio, false), radioHot = glyph(Glyph::Radio, true);
    const TRect arrow = glyph(Glyph::ArrowRight, false), arrowHot = glyph(Glyph::ArrowRight, true);
    menu.atlas.Row();
    const TRect bar = menu.Take(120, 24, [&p](Img& img, const TRect& r) {
        img.Metal(r, Shade(p.base, 1.3), Shade(p.base, 1.0), 61);
        img.Fill(TRect(r.left, r.bottom - 1, r.right, r.bottom), p.dark);
    });
    menu.atlas.Row();
    const TRect barItemHot = menu.Take(60, 24, [&p](Img& img, const TRect& r) {
        img.Metal(r, Mix(p.accent, 0xFFFFFF, 0.3), Shade(p.accent, 0.9), 62);
        img.Frame(r, Shade(p.accent, 0.6));
    });
    const TRect barItemDown = menu.Take(60, 24, [&p](Img& img, const TRect& r) {
        img.Metal(r, Shade(p.accent, 0.8), Mix(p.accent, 0xFFFFFF, 0.2), 63);
        img.Frame(r, p.dark);
    });

    auto* mi = AddObj<TbsDataSkinMenuItem>(s, L"menuitem");
    mi->ActivePictureIndex = kMenu;
    mi->SkinRectInAPicture = true;
    mi->SkinRect = item;
    mi->ActiveSkinRect = itemHot;
    mi->InActiveSkinRect = item;
    mi->ItemLO = mi->ItemRO = 4;
    mi->DividerRect = divider;
    mi->DividerLO = mi->DividerRO = 6;
    mi->TextRct = TRect(24, 0, 104, 22);
    mi->ImageRct = TRect(4, 3, 20, 19);
    Font(mi->FontName, mi->FontHeight, mi->FontStyle, mi->FontColor, p.text);
    mi->ActiveFontColor = Col(0xFFFFFF);
    mi->UnEnabledFontColor = Col(Shade(p.face, 0.6));
    mi->StretchEffect = mi->InActiveStretchEffect = mi->DividerStretchEffect = true;
    mi->CheckImageRect = check;
    mi->ActiveCheckImageRect = checkHot;
    mi->RadioImageRect = radio;
    mi->ActiveRadioImageRect = radioHot;
    mi->ArrowImageRect = arrow;
    mi->ActiveArrowImageRect = arrowHot;

    auto* bi = AddObj<TbsDataSkinMainMenuBarItem>(s, L"mainmenubaritem");
    bi->ActivePictureIndex = kMenu;
    bi->SkinRectInAPicture = true;
    bi->SkinRect = TRect(bar.left, bar.top, bar.left + 60, bar.bottom);
    bi->ActiveSkinRect = barItemHot;
    bi->DownRect = barItemDown;
    bi->ItemLO = bi->ItemRO = 4;
    bi->TextRct = TRect(4, 0, 56, 24);
    Font(bi->FontName, bi->FontHeight, bi->FontStyle, bi->FontColor, p.text);
    bi->ActiveFontColor = Col(0xFFFFFF);
    bi->DownFontColor = Col(0xFFFFFF);
    bi->UnEnabledFontColor = Col(Shade(p.face, 0.6));
    bi->StretchEffect = true;

    const wchar_t* barButtons[] = {L"mbclosebutton", L"mbmaxbutton", L"mbminbutton", L"mbsysmenubutton"};
    const TbsStdCommand barCmds[] = {cmClose, cmMaximize, cmMinimize, cmSysMenu};
    for (int b = 0; b < 4; ++b) {
        auto* o = AddObj<TbsDataSkinMainMenuBarButton>(s, barButtons[b]);
        o->Command = barCmds[b];
        o->ActivePictureIndex = kCapButtons;
        o->SkinRectInAPicture = true;
        o->SkinRect = TRect(b * 20, 60, b * 20 + 20, 80);
        o->ActiveSkinRect = TRect(b * 20, 80, b * 20 + 20, 100);
        o->DownRect = TRect(b * 20, 100, b * 20 + 20, 120);
    }
    auto* mb = AddCtrl<TbsDataSkinMainMenuBar>(s, L"mainmenubar");
    mb->PictureIndex = kMenu;
    mb->SkinRect = bar;
    mb->ItemsRect = TRect(2, 0, bar.Width() - 2, bar.Height());
    mb->MenuBarItem = L"mainmenubaritem";
    mb->CloseButton = barButtons[0];
    mb->MaxButton = barButtons[1];
    mb->MinButton = barButtons[2];
    mb->SysMenuButton = barButtons[3];
    mb->TrackMarkColor = Col(p.text);
    mb->TrackMarkActiveColor = Col(p.accent);
    mb->StretchEffect = true;
}

}  // namespace

namespace {

void BuildButtons(TbsSkinData* s, const Palette& p, Plan& c) {
    const ButtonLooks push = ButtonSet(c, p, 72, 24, false, Glyph::Check, false);
    for (const wchar_t* name : {L"button", L"resizebutton"}) SetButton(AddCtrl<TbsDataSkinButtonControl>(s, name), push, p, 5);
    c.atlas.Row();
    const ButtonLooks tool = ButtonSet(c, p, 40, 40, true, Glyph::Check, false);
    for (const wchar_t* name : {L"toolbutton", L"resizetoolbutton", L"bigtoolbutton", L"officequickbutton",
                                L"menuitembutton", L"htracktoolbutton", L"vtracktoolbutton"})
        SetButton(AddCtrl<TbsDataSkinButtonControl>(s, name), tool, p, 6);
    c.atlas.Row();
    // Drop-down buttons carry no glyph: the controls draw their arrow (or
    // marker) over them.
    const ButtonLooks drop = ButtonSet(c, p, 17, 21, false, Glyph::ArrowDown, false);
    for (const wchar_t* name : {L"combobutton", L"editbutton"}) SetButton(AddCtrl<TbsDataSkinButtonControl>(s, name), drop, p, 3);
    // Menu markers of buttons with a menu.
    const TRect marker = c.Take(9, 9, [&p](Img& img, const TRect& r) {
        img.Fill(r, 0xFF00FF);
        img.Glyph(Glyph::ArrowDown, r, p.text);
    });
    const TRect markerHot = c.Take(9, 9, [&p](Img& img, const TRect& r) {
        img.Fill(r, 0xFF00FF);
        img.Glyph(Glyph::ArrowDown, r, Shade(p.accent, 0.45));
    });
    for (const wchar_t* name : {L"toolmenubutton", L"bigtoolmenubutton", L"toolmenutrackbutton", L"bigtoolmenutrackbutton"}) {
        auto* b = AddCtrl<TbsDataSkinMenuButtonControl>(s, name);
        // The tool faces draw no track part of their own (TrackButtonRect
        // stays empty): the buttons take the 15-pixel strip and show the
        // marker in it.
        SetButton(b, tool, p, 6);
        b->MenuMarkerRect = b->MenuMarkerFlatRect = marker;
        b->MenuMarkerActiveRect = b->MenuMarkerDownRect = markerHot;
        b->MenuMarkerTransparentColor = Col(0xFF00FF);
    }
}

void BuildPanels(TbsSkinData* s, const Palette& p, Plan& c) {
    c.atlas.Row();
    const TRect panel = c.Take(60, 44, [&p](Img& img, const TRect& r) {
        img.Metal(r, Shade(p.face, 1.04), Shade(p.face, 0.94), 71);
        img.Bevel(r, 0xFFFFFF, Shade(p.face, 0.7), 1);
    });
    const TRect tool = c.Take(60, 44, [&p](Img& img, const TRect& r) {
        img.Metal(r, Shade(p.base, 1.4), Shade(p.base, 1.05), 72);
        img.Fill(TRect(r.left, r.bottom - 2, r.right, r.bottom - 1), p.accent);
        img.Fill(TRect(r.left, r.bottom - 1, r.right, r.bottom), p.dark);
        img.Bevel(TRect(r.left, r.top, r.right, r.bottom - 2), p.light, Shade(p.base, 0.8), 1);
    });
    const TRect status = c.Take(60, 22, [&p](Img& img, const TRect& r) {
        img.Metal(r, Shade(p.base, 1.15), Shade(p.base, 0.9), 73);
        img.Fill(TRect(r.left, r.top, r.right, r.top + 1), p.dark);
        img.Fill(TRect(r.left, r.top + 1, r.right, r.top + 2), p.light);
    });
    const TRect header = c.Take(60, 22, [&p](Img& img, const TRect& r) {
        img.Metal(r, Mix(p.accent, 0xFFFFFF, 0.2), Shade(p.accent, 0.75), 74);
        img.Frame(r, p.dark);
    });
    c.atlas.Row();
    const TRect group = c.Take(80, 56, [&p](Img& img, const TRect& r) {
        img.Fill(r, p.face);
        img.Metal(TRect(r.left, r.top, r.right, r.top + 20), Shade(p.base, 1.3), Shade(p.base, 1.0), 75);
        img.Fill(TRect(r.left, r.top + 20, r.right, r.top + 21), p.accent);
        img.Frame(r, Shade(p.base, 0.7));
        img.Chamfer(TRect(r.left, r.top, r.right, r.top + 20), 3, p.face, p.dark);
    });
    for (const wchar_t* name : {L"panel", L"scrollboxpanel"}) SetPanel(AddCtrl<TbsDataSkinPanelControl>(s, name), panel, p, 4);
    for (const wchar_t* name : {L"toolpanel", L"resizetoolpanel", L"bigtoolpanel"})
        SetPanel(AddCtrl<TbsDataSkinPanelControl>(s, name), tool, p, 5);
    SetPanel(AddCtrl<TbsDataSkinPanelControl>(s, L"statusbar"), status, p, 4);
    // Header entries of menus and lists: white bold text on the header band.
    auto* mh = AddCtrl<TbsDataSkinLabelControl>(s, L"menuheader");
    NinePiece(mh, header, 4);
    mh->StretchEffect = true;
    Font(mh->FontName, mh->FontHeight, mh->FontStyle, mh->FontColor, 0xFFFFFF, true);
    auto* g = AddCtrl<TbsDataSkinPanelControl>(s, L"groupbox");
    SetPanel(g, group, p, 0);
    SetCorners(*g, group.Width(), group.Height(), 6, 22, 6, 6);
    g->ClRect = TRect(3, 22, group.Width() - 3, group.Height() - 3);
    g->CaptionRect = TRect(6, 0, group.Width() - 6, 20);
    g->Alignment = taLeftJustify;
    auto* label = AddCtrl<TbsDataSkinLabelControl>(s, L"label");
    NinePiece(label, header, 4);
    Font(label->FontName, label->FontHeight, label->FontStyle, label->FontColor, 0xFFFFFF, true);
    auto* sb = AddCtrl<TbsDataSkinScrollBoxControl>(s, L"scrollbox");
    NinePiece(sb, panel, 4);
    for (const wchar_t* name : {L"hsplitter", L"vsplitter"}) {
        auto* sp = AddCtrl<TbsDataSkinSplitterControl>(s, name);
        NinePiece(sp, status, 2);
    }
    auto* bevel = AddCtrl<TbsDataSkinBevel>(s, L"bevel");
    bevel->LightColor = Col(0xFFFFFF);
    bevel->DarkColor = Col(Shade(p.base, 0.7));
    auto* stdLabel = AddCtrl<TbsDataSkinStdLabelControl>(s, L"stdlabel");
    Font(stdLabel->FontName, stdLabel->FontHeight, stdLabel->FontStyle, stdLabel->FontColor, p.text);
    stdLabel->ActiveFontColor = Col(Shade(p.accent, 0.8));
}

void BuildChecks(TbsSkinData* s, const Palette& p, Plan& c) {
    c.atlas.Row();
    const TRect back = c.Take(100, 20, [&p](Img& img, const TRect& r) { img.Fill(r, p.face); });
    for (bool radio : {false, true}) {
        auto box = [&c, &p, radio](bool checked, Face f) {
            return c.Take(15, 15, [=, &p](Img& img, const TRect& r) {
                img.Fill(r, p.face);
                const Rgb well = f == Face::Disabled ? Shade(p.face, 0.92) : Mix(p.face, 0xFFFFFF, 0.8);
                const Rgb rim = f == Face::Hot ? p.accent : Shade(p.base, 0.7);
                if (radio) {
                    img.Disc(r.left + 7, r.top + 7, 6.6, rim);
                    img.Disc(r.left + 7, r.top + 7, 5.4, well);
                } else {
                    img.Fill(TRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), well);
                    img.Frame(TRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), rim);
                    img.Bevel(TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2), Shade(p.base, 0.8), 0xFFFFFF, 1);
                }
                if (checked) img.Glyph(radio ? Glyph::Radio : Glyph::Check, TRect(r.left, r.top + 1, r.right, r.bottom + 1),
                                       f == Face::Disabled ? Shade(p.face, 0.6) : (f == Face::Down ? p.text : Shade(p.accent, 0.7)));
            });
        };
        auto* cr = AddCtrl<TbsDataSkinCheckRadioControl>(s, radio ? L"radiobox" : L"checkbox");
        cr->PictureIndex = kControls;
        cr->SkinRect = back;
        cr->ActiveSkinRect = back;
        cr->LTPoint = TPoint(20, 0);
        cr->RTPoint = TPoint(99, 0);
        cr->LBPoint = TPoint(20, 20);
        cr->RBPoint = TPoint(99, 20);
        cr->ClRect = TRect(20, 0, 99, 20);
        cr->CheckImageArea = TRect(1, 2, 16, 17);
        cr->TextArea = TRect(20, 0, 100, 20);
        cr->CheckImageRect = box(true, Face::Normal);
        cr->UnCheckImageRect = box(false, Face::Normal);
        cr->ActiveCheckImageRect = box(true, Face::Hot);
        cr->ActiveUnCheckImageRect = box(false, Face::Hot);
        cr->UnEnabledCheckImageRect = box(true, Face::Disabled);
        cr->UnEnabledUnCheckImageRect = box(false, Face::Disabled);
        cr->GrayedCheckImageRect = box(true, Face::Down);
        cr->ActiveGrayedCheckImageRect = box(true, Face::Hot);
        Font(cr->FontName, cr->FontHeight, cr->FontStyle, cr->FontColor, p.text);
        cr->ActiveFontColor = Col(Shade(p.accent, 0.6));
        cr->UnEnabledFontColor = Col(Shade(p.face, 0.6));
        cr->FrameFontColor = Col(p.text);
        cr->Morphing = true;
    }
}

void BuildScrollBars(TbsSkinData* s, const Palette& p, Plan& c) {
    c.atlas.Row();
    const int t = 17;
    for (bool vertical : {true, false}) {
        const int len = 100;
        const TRect track = c.Take(vertical ? t : len, vertical ? len : t, [&p, vertical, t](Img& img, const TRect& r) {
            img.Fill(r, Shade(p.face, 0.9));
            img.Bevel(r, Shade(p.face, 0.75), 0xFFFFFF, 1);
            // The arrow buttons are part of the track picture.
            const TRect a = vertical ? TRect(r.left, r.top, r.right, r.top + t) : TRect(r.left, r.top, r.left + t, r.bottom);
            const TRect b = vertical ? TRect(r.left, r.bottom - t, r.right, r.bottom) : TRect(r.right - t, r.top, r.right, r.bottom);
            Plate(img, a, p, Face::Normal, Shade(p.face, 0.9), 81);
            Plate(img, b, p, Face::Normal, Shade(p.face, 0.9), 82);
            img.Glyph(vertical ? Glyph::ArrowUp : Glyph::ArrowLeft, a, Ink(p));
            img.Glyph(vertical ? Glyph::ArrowDown : Glyph::ArrowRight, b, Ink(p));
        });
        auto button = [&c, &p, t](Glyph g, Face f) {
            return c.Take(t, t, [=, &p](Img& img, const TRect& r) {
                Plate(img, r, p, f, Shade(p.face, 0.9), 83);
                img.Glyph(g, r, f == Face::Hot ? 0xFFFFFF : Ink(p));
            });
        };
        const Glyph up = vertical ? Glyph::ArrowUp : Glyph::ArrowLeft, down = vertical ? Glyph::ArrowDown : Glyph::ArrowRight;
        const TRect upHot = button(up, Face::Hot), upDown = button(up, Face::Down);
        const TRect dnHot = button(down, Face::Hot), dnDown = button(down, Face::Down);
        auto thumb = [&c, &p, vertical, t](Face f) {
            return c.Take(vertical ? t : 30, vertical ? 30 : t, [=, &p](Img& img, const TRect& r) {
                Plate(img, r, p, f, Shade(p.face, 0.9), 84);
                const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
                for (int i = -3; i <= 3; i += 3) {
                    if (vertical) img.Fill(TRect(cx - 4, cy + i, cx + 4, cy + i + 1), p.dark);
                    else img.Fill(TRect(cx + i, cy - 4, cx + i + 1, cy + 4), p.dark);
                }
            });
        };
        const TRect th = thumb(Face::Normal), thHot = thumb(Face::Hot), thDown = thumb(Face::Down);
        const wchar_t* names[] = {vertical ? L"vscrollbar" : L"hscrollbar"};
        std::vector<const wchar_t*> all(names, names + 1);
        if (!vertical) all.push_back(L"bothhscrollbar");
        for (const wchar_t* name : all) {
            auto* sb = AddCtrl<TbsDataSkinScrollBarControl>(s, name);
            sb->PictureIndex = kControls;
            sb->SkinRect = track;
            if (vertical) {
                sb->LTPoint = TPoint(0, t + 1), sb->RTPoint = TPoint(t, t + 1);
                sb->LBPoint = TPoint(0, len - t - 1), sb->RBPoint = TPoint(t, len - t - 1);
                sb->ClRect = TRect(0, t, t, len - t);
                sb->TrackArea = TRect(0, t, t, len - t);
                sb->UpButtonRect = TRect(0, 0, t, t);
                sb->DownButtonRect = TRect(0, len - t, t, len);
            } else {
                sb->LTPoint = TPoint(t + 1, 0), sb->RTPoint = TPoint(len - t - 1, 0);
                sb->LBPoint = TPoint(t + 1, t), sb->RBPoint = TPoint(len - t - 1, t);
                sb->ClRect = TRect(t, 0, len - t, t);
                sb->TrackArea = TRect(t, 0, len - t, t);
                sb->UpButtonRect = TRect(0, 0, t, t);
                sb->DownButtonRect = TRect(len - t, 0, len, t);
            }
            sb->ActiveUpButtonRect = upHot;
            sb->DownUpButtonRect = upDown;
            sb->ActiveDownButtonRect = dnHot;
            sb->DownDownButtonRect = dnDown;
            sb->ThumbRect = th;
            sb->ActiveThumbRect = thHot;
            sb->DownThumbRect = thDown;
            sb->ThumbOffset1 = sb->ThumbOffset2 = 5;
            sb->ThumbStretchEffect = true;
            sb->ThumbMinSize = 16;
            sb->ThumbMinPageSize = 8;
            sb->StretchEffect = true;
        }
        c.atlas.Row();
    }
}

void BuildRanges(TbsSkinData* s, const Palette& p, Plan& c) {
    c.atlas.Row();
    // Up-down buttons: each face holds both buttons, the down one left (or
    // on top of the bottom one when vertical), so that the control takes
    // the face's size and finds its buttons in control coordinates.
    for (bool horizontal : {true, false}) {
        const Glyph down = horizontal ? Glyph::ArrowLeft : Glyph::ArrowDown;
        const Glyph up = horizontal ? Glyph::ArrowRight : Glyph::ArrowUp;
        const TRect upCell = horizontal ? TRect(16, 0, 32, 11) : TRect(0, 0, 16, 11);
        const TRect downCell = horizontal ? TRect(0, 0, 16, 11) : TRect(0, 11, 16, 22);
        auto pair = [&](Face f) {
            return c.Take(upCell.right > 16 ? 32 : 16, downCell.bottom, [=, &p](Img& img, const TRect& r) {
                for (const auto& [cell, g] : {std::pair{upCell, up}, std::pair{downCell, down}}) {
                    const TRect q(r.left + cell.left, r.top + cell.top, r.left + cell.right, r.top + cell.bottom);
                    Plate(img, q, p, f, p.face, 101);
                    img.Glyph(g, q, f == Face::Hot ? 0xFFFFFF : Ink(p));
                }
            });
        };
        const TRect normal = pair(Face::Normal), hot = pair(Face::Hot), pressed = pair(Face::Down);
        const auto at = [](const TRect& face, const TRect& cell) {
            return TRect(face.left + cell.left, face.top + cell.top, face.left + cell.right, face.top + cell.bottom);
        };
        auto* ud = AddCtrl<TbsDataSkinUpDownControl>(s, horizontal ? L"hupdown" : L"vupdown");
        ud->PictureIndex = kControls;
        ud->SkinRect = normal;
        ud->UpButtonRect = upCell;
        ud->ActiveUpButtonRect = at(hot, upCell);
        ud->DownUpButtonRect = at(pressed, upCell);
        ud->DownButtonRect = downCell;
        ud->ActiveDownButtonRect = at(hot, downCell);
        ud->DownDownButtonRect = at(pressed, downCell);
    }
    c.atlas.Row();
    // Slider: rulers and thumbs.
    const TRect hRuler = c.Take(100, 8, [&p](Img& img, const TRect& r) {
        img.Fill(r, Shade(p.face, 0.8));
        img.Bevel(r, p.dark, 0xFFFFFF, 1);
        img.Fill(TRect(r.left + 2, r.top + 3, r.right - 2, r.top + 5), p.accent);
    });
    const TRect hThumb = c.Take(12, 20, [&p](Img& img, const TRect& r) { Plate(img, r, p, Face::Normal, p.face, 111); });
    const TRect vRuler = c.Take(8, 60, [&p](Img& img, const TRect& r) {
        img.Fill(r, Shade(p.face, 0.8));
        img.Bevel(r, p.dark, 0xFFFFFF, 1);
        img.Fill(TRect(r.left + 3, r.top + 2, r.left + 5, r.bottom - 2), p.accent);
    });
    const TRect vThumb = c.Take(20, 12, [&p](Img& img, const TRect& r) { Plate(img, r, p, Face::Normal, p.face, 112); });
    auto* sl = AddCtrl<TbsDataSkinSlider>(s, L"slider");
    sl->PictureIndex = kControls;
    sl->BGColor = Col(p.face);
    sl->HRulerRect = hRuler;
    sl->HThumbRect = hThumb;
    sl->VRulerRect = vRuler;
    sl->VThumbRect = vThumb;
    sl->EdgeSize = 3;
    sl->PointsColor = Col(Shade(p.base, 0.7));
    // Gauge.
    const TRect gauge = c.Take(100, 18, [&p](Img& img, const TRect& r) { Well(img, r, p, false); });
    const TRect progress = c.Take(20, 14, [&p](Img& img, const TRect& r) {
        img.Metal(r, Mix(p.accent, 0xFFFFFF, 0.35), Shade(p.accent, 0.75), 113);
        img.Fill(TRect(r.right - 1, r.top, r.right, r.bottom), Shade(p.accent, 0.6));
    });
    auto* g = AddCtrl<TbsDataSkinGaugeControl>(s, L"gauge");
    NinePiece(g, gauge, 3);
    g->ProgressArea = TRect(2, 2, gauge.Width() - 2, gauge.Height() - 2);
    g->ProgressRect = progress;
    g->ProgressStretch = true;
    Font(g->FontName, g->FontHeight, g->FontStyle, g->FontColor, p.text, true);
}

void BuildTabs(TbsSkinData* s, const Palette& p, Plan& c) {
    c.atlas.Row();
    auto tab = [&c, &p](Face f) {
        return c.Take(60, 24, [=, &p](Img& img, const TRect& r) {
            img.Fill(r, p.face);
            const TRect plate(r.left, r.top + (f == Face::Down ? 0 : 2), r.right, r.bottom);
            img.Metal(plate, f == Face::Down ? Shade(p.base, 1.5) : (f == Face::Hot ? Mix(Shade(p.base, 1.3), p.accent, 0.3) : Shade(p.base, 1.2)),
                      f == Face::Down ? p.face : Shade(p.base, 0.95), 121);
            img.Frame(TRect(plate.left, plate.top, plate.right, plate.bottom + 1), p.dark);
            if (f == Face::Down) img.Fill(TRect(plate.left + 1, plate.top, plate.right - 1, plate.top + 2), p.accent);
            img.Chamfer(TRect(plate.left, plate.top, plate.right, plate.bottom + 4), 3, p.face, p.dark);
        });
    };
    const TRect normal = tab(Face::Normal), hot = tab(Face::Hot), active = tab(Face::Down);
    const TRect page = c.Take(60, 50, [&p](Img& img, const TRect& r) {
        img.Fill(r, p.face);
        img.Bevel(r, 0xFFFFFF, Shade(p.face, 0.7), 1);
        img.Frame(r, Shade(p.base, 0.7));
    });
    const TRect tabsBg = c.Take(20, 24, [&p](Img& img, const TRect& r) { img.Fill(r, p.face); });
    auto* t = AddCtrl<TbsDataSkinTabControl>(s, L"tab");
    t->PictureIndex = kControls;
    t->SkinRect = page;
    t->TabRect = normal;
    t->ActiveTabRect = active;
    t->FocusTabRect = active;
    t->MouseInTabRect = hot;
    t->ClRect = TRect(3, 3, page.Width() - 3, page.Height() - 3);
    SetCorners(*t, page.Width(), page.Height(), 4, 4, 4, 4);
    t->TabLeftOffset = t->TabRightOffset = 6;
    t->TabsBGRect = tabsBg;
    t->TabStretchEffect = true;
    t->StretchEffect = true;
    Font(t->FontName, t->FontHeight, t->FontStyle, t->FontColor, Ink(p));
    t->ActiveFontColor = t->FocusFontColor = Col(p.text);
    t->MouseInFontColor = Col(Shade(p.accent, 0.6));
    t->UpDown = L"hupdown";
}

}  // namespace

std::unique_ptr<TbsSkinData> BuildSkin(const Theme& theme) {
    const Palette& p = theme.palette;
    auto s = std::make_unique<TbsSkinData>(nullptr);
    s->SkinName = theme.fileName;
    s->SkinAuthor = L"Vantrel";
    s->SkinComments = L"Armour plate theme";
    s->FPictureName = L"frame.bmp";
    s->FInActivePictureName = L"frameinactive.bmp";
    for (const wchar_t* n : kPicNames) s->FActivePicturesNames->Add(n);

    Img frame(360, 240), caps(80, 140), popup(40, 40), hint(30, 24), client(64, 64);
    BuildFrame(s.get(), p, frame, caps);
    client.Metal(TRect(0, 0, 64, 64), Shade(p.face, 1.02), Shade(p.face, 0.97), 131);
    Plan menu;
    BuildMenus(s.get(), p, popup, hint, menu);
    Plan controls;
    BuildButtons(s.get(), p, controls);
    BuildPanels(s.get(), p, controls);
    BuildChecks(s.get(), p, controls);
    BuildScrollBars(s.get(), p, controls);
    BuildEdits(s.get(), p, controls);
    BuildRanges(s.get(), p, controls);
    BuildTabs(s.get(), p, controls);

    auto& colors = *s->SkinColors();
    colors.cBtnFace = Col(p.face);
    colors.cBtnText = Col(p.text);
    colors.cWindow = Col(Mix(p.face, 0xFFFFFF, 0.75));
    colors.cWindowText = Col(p.text);
    colors.cHighLight = Col(p.accent);
    colors.cHighLightText = Col(0xFFFFFF);
    colors.cBtnHighLight = Col(0xFFFFFF);
    colors.cBtnShadow = Col(Shade(p.base, 0.7));

    s->FPicture.reset(frame.ToBitmap());
    s->FInActivePicture.reset(frame.Dimmed(0.55, 0.92).ToBitmap());
    const Img pictures[] = {caps, controls.Render(p.face), popup, hint, client, menu.Render(Mix(p.face, 0xFFFFFF, 0.5))};
    for (const Img& img : pictures) s->FActivePictures.emplace_back(img.ToBitmap());
    s->Empty = false;
    return s;
}
