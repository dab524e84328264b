#pragma once
// TbsSkinCustomListView / TbsSkinListView: the native list view dressed for
// the skin. The view has no border and no native scroll bars of its own
// (its non-client area is eaten); two skinned scroll bars placed beside it
// are attached through SetVScrollBar / SetHScrollBar and kept in step with
// the native scroll state in both directions. In report style the native
// column header is subclassed and its sections are drawn from a skin button
// record ("resizetoolbutton" by default), pressed while the left button is
// down on them. Font and colours come from a "listview" record, or without a
// skin from DefaultFont and DefaultColor.
//
// Who calls what: the form's skin-change walk calls ChangeSkinData; the
// view calls UpDateScrollBars itself after sizing, painting, keys, clicks and
// item changes; the bars call back through their OnChange, which this view
// installs (replacing any handler the bar had).
//
// Name map: FSD = the store, FIndex = the "listview" record's index (-1:
// plain), FHIndex = the header record's index, FromSB = the view is
// scrolling because a bar moved, FDevDown = the left button went down on a
// header divider, FActiveSection = the header section under the last press.
//
// Threads: UI thread only.

#include <memory>

#include "platform/ListView.h"
#include "platform/Subclass.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"


using TbsDrawHeaderSectionEvent = std::function<void(TCanvas* cnvs, TListColumn* column, bool pressed, TRect r)>;

class TbsSkinCustomListView : public TCustomListView {
public:
    explicit TbsSkinCustomListView(TComponent* owner);
    ~TbsSkinCustomListView() override;

    TbsSkinData* SkinData() const { return FSD; }
    // Stores the store; a non-empty one re-reads the skin at once.
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkinDataName = v; }
    const String& HeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const String& v) { FHeaderSkinDataName = v; }
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    bool UseSkinFont = true;

    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* v);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* v);

    TbsDrawHeaderSectionEvent OnDrawHeaderSection;

    // Brings the attached bars in line with the native scroll state.
    void UpDateScrollBars();
    // Looks the skin record up again and applies font, colours and bars.
    void ChangeSkinData();
    int FIndex = -1;
    int FHIndex = -1;

    // The hooked header (nullptr: none) and its pressed state.
    HWND HookedHeader() const { return FHeaderHook ? FHeaderHook->Window() : nullptr; }
    int ActiveSection() const { return FActiveSection; }
    bool HeaderDown() const { return FHeaderDown; }
    // The rectangle of header section i, in display order when FullDrag.
    TRect GetHeaderSectionRect(int i);
    bool FullDrag = false;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void Loaded() override;
    void Change(TListItem* item, TItemChange change) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void HookHeader(HWND header);
    void ReleaseHeader();
    bool HeaderWndProc(TMessage& m);
    void HeaderMouse(const TMessage& m);
    void PaintHeader(HDC dc);
    void DrawHeaderSection(TCanvas* c, TListColumn* column, const TRect& r, bool pressed);
    void DrawHeaderFace(TBitmap* B, const TRect& src, bool leftAnchored);
    // Image and caption of a section inside b, by the column's alignment.
    void DrawHeaderContent(TCanvas* c, TListColumn* column, const TRect& b);
    void GetHeaderSkinData();
    void VScrollBarChanged();
    void HScrollBarChanged();
    void UpdateIconScrollBars(bool& changed);
    void UpdateListScrollBars(bool& changed);
    void UpdateReportScrollBars(bool& changed);
    void SetBarVisible(TbsSkinScrollBar* bar, bool v, bool& changed);
    int ItemRectHeight();
    int ItemRectWidth();
    bool ViewVisible() const { return Visible(); }

    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"listview";
    String FHeaderSkinDataName = L"resizetoolbutton";
    TFont FDefaultFont;
    TColor FDefaultColor = clWindow;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
    bool FInCheckScrollBars = false;
    bool FromSB = false;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    std::unique_ptr<platform::WindowSubclass> FHeaderHook;
    int FActiveSection = -1;
    bool FHeaderDown = false, FDevDown = false;

    // Header record copies (valid while FHIndex >= 0 and HPicture is set).
    TPoint HLTPt, HRTPt, HLBPt, HRBPt;
    TRect HSkinRect, HClRect, HActiveSkinRect, HDownSkinRect;
    TBitmap* HPicture = nullptr;
    TColor HFontColor = clBlack, HDownFontColor = clBlack;
    bool HStretchEffect = false, HLeftStretch = false, HTopStretch = false, HRightStretch = false,
         HBottomStretch = false;
    TbsStretchType HStretchType = bsstFull;
};

class TbsSkinListView : public TbsSkinCustomListView {
public:
    using TbsSkinCustomListView::TbsSkinCustomListView;
};
