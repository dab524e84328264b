// The skin records of edits, list boxes, combo boxes and views.
#include "SkinParts.h"

namespace skinparts {

// The list box with a caption: a metal strip over the well, the caption in
// it and, at its right end, the up, down and check buttons with their hot
// and pressed looks; with the buttons hidden the strip's plain metal
// covers their place. Used by name ("captionlistbox").
template <class ListRec>
void BuildCaptionListBox(TbsSkinData* s, const Palette& p, Plan& c, const ListRec& listRec) {
    constexpr int kW = 100, kH = 80, kStrip = 20, kButton = 16;
    const TRect up(kW - 2 - kButton, 2, kW - 2, 2 + kButton);
    const TRect down(up.left - kButton, 2, up.left, 2 + kButton);
    const TRect check(down.left - kButton, 2, down.left, 2 + kButton);
    const TRect area(check.left, 2, up.right, 2 + kButton);
    const Glyph glyphs[3] = {Glyph::ArrowUp, Glyph::ArrowDown, Glyph::Check};
    const TRect places[3] = {up, down, check};
    auto strip = [&p](Img& img, const TRect& r) {
        img.Metal(r, Shade(p.base, 1.3), Shade(p.base, 1.0), 77);
    };
    auto button = [&p, glyphs](Img& img, const TRect& r, int i, Face f) {
        Plate(img, r, p, f, Shade(p.base, 1.15), 78 + i);
        img.Glyph(glyphs[i], r, f == Face::Hot ? 0xFFFFFF : Ink(p));
    };
    c.atlas.Row();
    const TRect face = c.Take(kW, kH, [=, &p](Img& img, const TRect& r) {
        const TRect top(r.left, r.top, r.right, r.top + kStrip);
        strip(img, top);
        img.Fill(TRect(r.left, r.top + kStrip, r.right, r.top + kStrip + 1), p.accent);
        Well(img, TRect(r.left, r.top + kStrip + 1, r.right, r.bottom), p, false);
        img.Frame(r, Shade(p.base, 0.7));
        for (int i = 0; i < 3; ++i) {
            TRect b = places[i];
            OffsetRect(&b, r.left, r.top);
            button(img, b, i, Face::Normal);
        }
    });
    TRect hot[3], pressed[3];
    for (int i = 0; i < 3; ++i) {
        hot[i] = c.Take(kButton, kButton, [=](Img& img, const TRect& r) { button(img, r, i, Face::Hot); });
        pressed[i] = c.Take(kButton, kButton, [=](Img& img, const TRect& r) { button(img, r, i, Face::Down); });
    }
    const TRect hidden = c.Take(area.Width(), area.Height(), strip);

    auto* l = AddCtrl<TbsDataSkinListBox>(s, L"captionlistbox");
    listRec(l);
    l->SkinRect = face;
    SetCorners(*l, kW, kH, 3, kStrip + 1, kW - check.left + 3, 3);
    l->ClRect = TRect(3, kStrip + 2, kW - 3, kH - 3);
    l->CaptionRect = TRect(4, 2, check.left - 2, kStrip - 2);
    Font(l->CaptionFontName, l->CaptionFontHeight, l->CaptionFontStyle, l->CaptionFontColor, Ink(p), true);
    l->UpButtonRect = up;
    l->DownButtonRect = down;
    l->CheckButtonRect = check;
    l->ActiveUpButtonRect = hot[0], l->DownUpButtonRect = pressed[0];
    l->ActiveDownButtonRect = hot[1], l->DownDownButtonRect = pressed[1];
    l->ActiveCheckButtonRect = hot[2], l->DownCheckButtonRect = pressed[2];
    l->ButtonsArea = area;
    l->DisabledButtonsRect = hidden;
}

void BuildEdits(TbsSkinData* s, const Palette& p, Plan& c) {
    const TRect edit = c.Take(80, 21, [&p](Img& img, const TRect& r) { Well(img, r, p, false); });
    const TRect editHot = c.Take(80, 21, [&p](Img& img, const TRect& r) { Well(img, r, p, true); });
    const TRect box = c.Take(60, 60, [&p](Img& img, const TRect& r) { Well(img, r, p, false); });
    const TRect item = c.Take(60, 18, [&p](Img& img, const TRect& r) {
        img.Fill(r, Mix(p.face, 0xFFFFFF, 0.75));
    });
    const TRect itemSel = c.Take(60, 18, [&p](Img& img, const TRect& r) {
        img.Metal(r, Mix(p.accent, 0xFFFFFF, 0.25), Shade(p.accent, 0.8), 91);
    });
    const TRect itemFocus = c.Take(60, 18, [&p](Img& img, const TRect& r) {
        img.Metal(r, Mix(p.accent, 0xFFFFFF, 0.25), Shade(p.accent, 0.8), 92);
        img.Frame(r, p.dark);
    });
    auto editRec = [&](TbsDataSkinEditControl* e) {
        NinePiece(e, edit, 3);
        e->ActiveSkinRect = editHot;
        Font(e->FontName, e->FontHeight, e->FontStyle, e->FontColor, p.text);
        e->ActiveFontColor = Col(p.text);
        e->DisabledFontColor = Col(Shade(p.face, 0.6));
    };
    editRec(AddCtrl<TbsDataSkinEditControl>(s, L"edit"));
    // The button edit: the well with its button in the right end piece,
    // and the button's hot and pressed looks.
    const TRect beButton(62, 2, 78, 19);
    auto buttonEditFace = [&](bool hot) {
        return c.Take(80, 21, [&p, hot, beButton](Img& img, const TRect& r) {
            Well(img, r, p, hot);
            TRect b = beButton;
            OffsetRect(&b, r.left, r.top);
            Plate(img, b, p, Face::Normal, Mix(p.face, 0xFFFFFF, 0.75), 95);
            img.Glyph(Glyph::ArrowDown, b, p.text);
        });
    };
    auto buttonEditButton = [&](Face f) {
        return c.Take(beButton.Width(), beButton.Height(), [&p, f](Img& img, const TRect& r) {
            Plate(img, r, p, f, Mix(p.face, 0xFFFFFF, 0.75), 96);
            img.Glyph(Glyph::ArrowDown, r, p.text);
        });
    };
    auto* be = AddCtrl<TbsDataSkinEditControl>(s, L"buttonedit");
    editRec(be);
    be->SkinRect = buttonEditFace(false);
    be->ActiveSkinRect = buttonEditFace(true);
    SetCorners(*be, 80, 21, 3, 3, 80 - beButton.left + 2, 3);
    be->ClRect = TRect(3, 3, beButton.left - 2, 18);
    be->ButtonRect = beButton;
    be->ActiveButtonRect = buttonEditButton(Face::Hot);
    be->DownButtonRect = buttonEditButton(Face::Down);
    auto* memo = AddCtrl<TbsDataSkinMemoControl>(s, L"memo");
    editRec(memo);
    NinePiece(memo, box, 3);
    memo->ActiveSkinRect = box;
    memo->BGColor = memo->ActiveBGColor = Col(Mix(p.face, 0xFFFFFF, 0.75));

    // The item looks and font of list boxes and combo boxes.
    auto items = [&](auto* l) {
        l->SItemRect = item;
        l->ActiveItemRect = itemSel;
        l->FocusItemRect = itemFocus;
        l->ItemLeftOffset = l->ItemRightOffset = 2;
        l->ItemTextRect = TRect(4, 0, 56, 18);
        Font(l->FontName, l->FontHeight, l->FontStyle, l->FontColor, p.text);
        l->ActiveFontColor = l->FocusFontColor = Col(0xFFFFFF);
        l->ShowFocus = true;
    };
    auto listRec = [&](TbsDataSkinListBox* l) {
        NinePiece(l, box, 3);
        items(l);
        l->CaptionFontName = L"SimSun";
        l->CaptionFontHeight = 13;
        l->CaptionFontColor = Col(p.captionText);
    };
    listRec(AddCtrl<TbsDataSkinListBox>(s, L"listbox"));
    auto* clb = AddCtrl<TbsDataSkinCheckListBox>(s, L"checklistbox");
    listRec(clb);
    const auto& checkbox = static_cast<TbsDataSkinCheckRadioControl&>(*s->CtrlList[s->GetControlIndex(L"checkbox")]);
    clb->ItemCheckRect = TRect(2, 1, 17, 16);
    clb->CheckImageRect = checkbox.CheckImageRect;
    clb->UnCheckImageRect = checkbox.UnCheckImageRect;
    BuildCaptionListBox(s, p, c, listRec);

    // The combo box: the field with its drop-down button in the right end
    // piece (so stretching never smears it); the face ends before the button
    // and is as high as an item.
    const auto& drop = static_cast<TbsDataSkinButtonControl&>(*s->CtrlList[s->GetControlIndex(L"combobutton")]);
    const TRect comboButton(edit.Width() - 19, 1, edit.Width() - 2, 20);
    // A drop-down button state (17 x 19 of the button's picture) with its arrow.
    auto arrowed = [&p](Img& img, const TRect& from, int x, int y, bool disabled) {
        img.Copy(img, TRect(from.left, from.top + 1, from.right, from.top + 20), x, y);
        img.Glyph(Glyph::ArrowDown, TRect(x, y, x + from.Width(), y + 19), disabled ? Shade(p.face, 0.7) : Ink(p));
    };
    auto comboCell = [&](bool hot) {
        return c.Take(edit.Width(), edit.Height(), [&p, hot, comboButton, arrowed, from = drop.SkinRect](Img& img,
                                                                                                     const TRect& r) {
            Well(img, r, p, hot);
            arrowed(img, from, r.left + comboButton.left, r.top + comboButton.top, false);
        });
    };
    auto buttonCell = [&](const TRect& from, bool disabled) {
        return c.Take(from.Width(), 19, [arrowed, from, disabled](Img& img, const TRect& r) {
            arrowed(img, from, r.left, r.top, disabled);
        });
    };
    auto* cb = AddCtrl<TbsDataSkinComboBox>(s, L"combobox");
    NinePiece(cb, comboCell(false), 3);
    SetCorners(*cb, edit.Width(), edit.Height(), 3, 3, edit.Width() - comboButton.left + 1, 3);
    cb->ClRect = TRect(2, 2, comboButton.left - 1, 20);
    cb->ActiveSkinRect = comboCell(true);
    items(cb);
    cb->ListBoxName = L"listbox";
    cb->ButtonRect = comboButton;
    cb->ActiveButtonRect = buttonCell(drop.ActiveSkinRect, false);
    cb->DownButtonRect = buttonCell(drop.DownSkinRect, false);
    cb->UnEnabledButtonRect = buttonCell(drop.DisabledSkinRect, true);
    cb->ItemStretchEffect = cb->FocusItemStretchEffect = true;

    for (const wchar_t* name : {L"treeview", L"listview"}) {
        auto* v = static_cast<TbsDataSkinFontColorControl*>(
            name[0] == L't' ? static_cast<TbsDataSkinControl*>(AddCtrl<TbsDataSkinTreeView>(s, name))
                            : static_cast<TbsDataSkinControl*>(AddCtrl<TbsDataSkinListView>(s, name)));
        Font(v->FontName, v->FontHeight, v->FontStyle, v->FontColor, p.text);
        v->BGColor = Col(Mix(p.face, 0xFFFFFF, 0.75));
    }
}

}  // namespace skinparts
