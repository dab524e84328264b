#include "platform/ExtCtrls.h"

#include <algorithm>

// ---- TBevel -------------------------------------------------------------------------------------

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle |= csReplicatable;
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
    if (v != shape_) shape_ = v, Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
    if (v != style_) style_ = v, Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    const TColor dark = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    auto line = [&](TColor colour, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(colour);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (shape_) {
    case bsBox: {
        TRect r(0, 0, w, h);
        c->Frame3D(r, dark, light, 1);
        break;
    }
    case bsFrame: {
        TRect outer(0, 0, w - 1, h - 1), inner(1, 1, w, h);
        c->Brush()->SetColor(light);
        c->FrameRect(inner);
        c->Brush()->SetColor(dark);
        c->FrameRect(outer);
        break;
    }
    case bsTopLine:
        line(dark, 0, 0, w, 0);
        line(light, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(dark, 0, h - 2, w, h - 2);
        line(light, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(dark, 0, 0, 0, h);
        line(light, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(dark, w - 2, 0, w - 2, h);
        line(light, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

// ---- TSplitter -------------------------------------------------------------------------------------

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    Cursor = crSizeWE;
    SetParentColor(true);
}

void TSplitter::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (Beveled) c->Frame3D(r, clBtnHighlight, clBtnShadow, 1);
}

TControl* TSplitter::FindControl() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    // The neighbour touches the splitter's edge that faces the aligned side.
    TPoint p;
    switch (Align()) {
    case alLeft: p = TPoint(Left() - 1, Top()); break;
    case alRight: p = TPoint(Left() + Width(), Top()); break;
    case alTop: p = TPoint(Left(), Top() - 1); break;
    case alBottom: p = TPoint(Left(), Top() + Height()); break;
    default: return nullptr;
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        TRect r = c->BoundsRect();
        // A closed control (size 0) still counts where it sits.
        if (r.Width() == 0) r.left -= 1, r.right += 1;
        if (r.Height() == 0) r.top -= 1, r.bottom += 1;
        if (r.Contains(p)) return c;
    }
    return nullptr;
}

bool TSplitter::CanResize(int& newSize) {
    bool accept = true;
    if (OnCanResize) OnCanResize(this, newSize, accept);
    return accept;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    control_ = FindControl();
    if (!control_) return;
    dragging_ = true;
    const TPoint p = ClientToParent(TPoint(x, y));
    downPos_ = Horizontal() ? p.y : p.x;
    startSize_ = Horizontal() ? control_->Height() : control_->Width();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    const TPoint p = ClientToParent(TPoint(x, y));
    ResizeTo(Horizontal() ? p.y : p.x);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_) return;
    const TPoint p = ClientToParent(TPoint(x, y));
    ResizeTo(Horizontal() ? p.y : p.x);
    dragging_ = false;
    if (OnMoved) OnMoved(this);
}

void TSplitter::ResizeTo(int pos) {
    if (!control_) return;
    const int delta = pos - downPos_;
    // Growing the left/top control means moving right/down, the others the other way.
    int size = startSize_ + ((Align() == alLeft || Align() == alTop) ? delta : -delta);
    // The space the other aligned controls leave (the client control may shrink to 0).
    const TRect client = Parent()->ClientRect();
    const int room = (Horizontal() ? client.Height() - Height() : client.Width() - Width());
    size = std::clamp(size, 0, std::max(0, room));
    if (size < MinSize) size = AutoSnap && size < MinSize / 2 ? 0 : MinSize;
    if (!CanResize(size)) return;
    if (Horizontal()) control_->SetHeight(size);
    else control_->SetWidth(size);
    Parent()->Realign();
}

// ---- TImage ------------------------------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    ControlStyle |= csReplicatable;
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::PictureChanged() {
    if (AutoSize() && picture_->Width() > 0 && picture_->Height() > 0) SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    if (TGraphic* g = picture_->Graphic()) {
        if (transparent_) g->SetTransparent(true);
        g->OnChange = [this](TObject*) { Invalidate(); };
    }
    Invalidate();
}

void TImage::SetStretch(bool v) {
    if (v != stretch_) stretch_ = v, Invalidate();
}

void TImage::SetCenter(bool v) {
    if (v != center_) center_ = v, Invalidate();
}

void TImage::SetProportional(bool v) {
    if (v != proportional_) proportional_ = v, Invalidate();
}

void TImage::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    if (TGraphic* g = picture_->Graphic()) g->SetTransparent(v);
    Invalidate();
}

TRect TImage::DestRect() {
    int w = picture_->Width(), h = picture_->Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (w <= 0 || h <= 0) return TRect(0, 0, 0, 0);
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_) {
            // Largest size of the picture's shape that fits.
            if (static_cast<long long>(cw) * h < static_cast<long long>(ch) * w) h = cw * h / w, w = cw;
            else w = ch * w / h, h = ch;
        } else {
            w = cw, h = ch;
        }
    }
    TRect r(0, 0, w, h);
    if (center_) r = TRect((cw - w) / 2, (ch - h) / 2, (cw - w) / 2 + w, (ch - h) / 2 + h);
    return r;
}

void TImage::Paint() {
    TGraphic* g = picture_->Graphic();
    if (!g || g->Empty()) return;
    TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight) {
    if (picture_->Width() <= 0 || picture_->Height() <= 0) return false;
    newWidth = picture_->Width();
    newHeight = picture_->Height();
    return true;
}

// ---- TCustomPanel --------------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csAcceptsControls | csSetCaption | csOpaque;
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel v) {
    if (v != bevelOuter_) bevelOuter_ = v, Changed();
}

void TCustomPanel::SetBevelInner(TPanelBevel v) {
    if (v != bevelInner_) bevelInner_ = v, Changed();
}

void TCustomPanel::SetBevelWidth(int v) {
    if (v != bevelWidth_ && v > 0) bevelWidth_ = v, Changed();
}

void TCustomPanel::SetBorderWidth(int v) {
    if (v != borderWidth_ && v >= 0) borderWidth_ = v, Changed();
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int inset = borderWidth_;
    if (bevelOuter_ != TPanelBevel::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TPanelBevel::bvNone) inset += bevelWidth_;
    rect = TRect(rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset);
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TPanelBevel b) {
        if (b == TPanelBevel::bvNone) return;
        const bool lowered = b == TPanelBevel::bvLowered, raised = b == TPanelBevel::bvRaised;
        const TColor top = lowered ? clBtnShadow : raised ? clBtnHighlight : Color();
        const TColor bottom = lowered ? clBtnHighlight : raised ? clBtnShadow : Color();
        c->Frame3D(r, top, bottom, bevelWidth_);
    };
    bevel(bevelOuter_);
    c->Brush()->SetColor(Color());
    c->Frame3D(r, Color(), Color(), borderWidth_);
    bevel(bevelInner_);
    c->FillRect(r);
    if (!ShowCaption) return;
    String text = Caption();
    if (text.empty()) return;
    c->Font()->Assign(Font());
    HDC dc = c->Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT rr = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

void TCustomPanel::WndProc(TMessage& m) {
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED) Invalidate();
}
