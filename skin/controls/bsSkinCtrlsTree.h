#pragma once
// TbsSkinCustomTreeView: the native tree view dressed for the skin, like
// the skinned list view: no border and no native scroll bars (its
// non-client area is eaten), two attached skinned bars kept in step with
// the native scroll state in both directions, font and colours from a
// "treeview" record (TbsDataSkinTreeView) or DefaultFont and DefaultColor.
//
// Threads: UI thread only.

#include "platform/TreeView.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

class TbsSkinCustomTreeView : public TCustomTreeView {
public:
    explicit TbsSkinCustomTreeView(TComponent* owner);
    ~TbsSkinCustomTreeView() override;

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkinDataName = v; }
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    bool UseSkinFont = true;
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* v);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* v);

    // Brings the attached bars in line with the native scroll state.
    void UpDateScrollBars();
    virtual void ChangeSkinData();
    int FIndex = -1;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void Loaded() override;
    void Change(TTreeNode* node) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void AttachBar(TbsSkinScrollBar*& field, TbsSkinScrollBar* v, bool vertical);
    void BarChanged(bool vertical);

    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"treeview";
    TFont FDefaultFont;
    TColor FDefaultColor = clWindow;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
    bool FInCheckScrollBars = false;
};
