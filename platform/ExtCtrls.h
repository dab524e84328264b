#pragma once
// More controls: the bevel, the splitter, the image and the panel.
//
// Threads: UI thread only.

#include <memory>

#include "platform/Bitmap.h"
#include "platform/Controls.h"

// ---- bevel ------------------------------------------------------------------------------------

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A windowless line or frame in the system's 3-D colours.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// ---- splitter ------------------------------------------------------------------------------------

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeEvent = std::function<void(TObject* sender, int& newSize, bool& accept)>;

// A windowless bar between aligned controls: dragging it resizes the
// control aligned on the same side just before it. The size stays at least
// MinSize; with AutoSnap a smaller size closes the control (size 0).
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    int MinSize = 30;
    bool AutoSnap = true;
    bool Beveled = false;
    TResizeStyle ResizeStyle = rsPattern;
    // The control the splitter resizes (found when a drag starts).
    TControl* ResizeControl() const { return control_; }
    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual bool CanResize(int& newSize);
    // The aligned neighbour the splitter resizes, or nullptr.
    TControl* FindControl() const;

private:
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    void ResizeTo(int pos);

    TControl* control_ = nullptr;
    int downPos_ = 0, startSize_ = 0;
    bool dragging_ = false;
};

// ---- image -------------------------------------------------------------------------------------------

// A windowless picture.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    TPicture* Picture() { return picture_.get(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    bool Center() const { return center_; }
    void SetCenter(bool v);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    // Where the picture is drawn in the client area.
    TRect DestRect();
    // The picture as a bitmap to draw on (replaces another kind of graphic).
    TCanvas* Canvas() { return picture_->Bitmap()->Canvas(); }

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    void PictureChanged();
    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false, center_ = false, proportional_ = false, transparent_ = false;
};

// ---- panel ---------------------------------------------------------------------------------------------

// Scoped: the skinned panels name their border styles bvNone, bvRaised...
// too, and a form uses both kinds of panel.
enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A windowed container with a bevelled edge and a centred caption.
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel v);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    bool ShowCaption = true;
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;

private:
    void Changed();
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised, bevelInner_ = TPanelBevel::bvNone;
    int bevelWidth_ = 1, borderWidth_ = 0;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};
