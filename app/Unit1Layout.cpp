// The controls of the main window and their places. From top to bottom: the
// menu bar, the tool bar, the preview panel beside the queue panel, and the
// settings tabs. The developer panels lie right of the client area, where
// the user never sees them.
#include "app/AppPictures.h"
#include "app/FormatCatalogue.h"
#include "app/MakeControl.h"
#include "app/Unit1.h"
#include "platform/ListView.h"
#include "platform/Menus.h"
#include "skin/bsPngImageList.h"
#include "skin/bsSkinData.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsSlider.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

TbsSkinButton* MakeSkinButton(TComponent* owner, TWinControl* parent, TbsSkinData* store, const wchar_t* name,
                              const wchar_t* caption, int left, int top, int width, int height) {
    auto* b = Make<TbsSkinButton>(owner, parent, name, left, top, width, height);
    b->SetCaption(caption);
    b->SetSkinData(store);
    return b;
}

TMenuItem* MakeItem(TComponent* owner, TMenuItem* parent, const wchar_t* name, const wchar_t* caption,
                    TNotifyEvent onClick = nullptr, bool enabled = true) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetEnabled(enabled);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

// Client area of the window.
constexpr int kClientW = 839;
constexpr int kMenuBarH = 22;
constexpr int kToolBarH = 58;
constexpr int kPanelTop = kMenuBarH + kToolBarH + 2;
constexpr int kPanelH = 276;
constexpr int kTabsTop = kPanelTop + kPanelH + 2;
constexpr int kBarSize = 19;  // the queue's scroll bars

}  // namespace

// The add, queue and batch commands reach their work with the queue; the
// entries exist now with their captions and starting states.
void TForm1::CreateMenus() {
    bsSkinMainMenu1 = new TMainMenu(this);
    bsSkinMainMenu1->SetName(L"bsSkinMainMenu1");
    TMenuItem* root = bsSkinMainMenu1->Items();
    Item11 = MakeItem(this, root, L"Item11", L"文件");
    Item111 = MakeItem(this, Item11, L"Item111", L"添加一个文件");
    Item121 = MakeItem(this, Item11, L"Item121", L"添加多个文件");
    N21 = MakeItem(this, Item11, L"N21", L"添加整个目录");
    MakeItem(this, Item11, L"N3", L"-");
    N4 = MakeItem(this, Item11, L"N4", L"退出", [this](TObject* s) { N4Click(s); });
    N6 = MakeItem(this, root, L"N6", L"编辑");
    N111 = MakeItem(this, N6, L"N111", L"上移文件");
    N2221 = MakeItem(this, N6, L"N2221", L"下移文件");
    MakeItem(this, N6, L"N12", L"-");
    N13 = MakeItem(this, N6, L"N13", L"删除选择", nullptr, false);
    N14 = MakeItem(this, N6, L"N14", L"清空文件", nullptr, false);
    MakeItem(this, N6, L"N25", L"-");
    N26 = MakeItem(this, N6, L"N26", L"重新命名", nullptr, false);
    N1 = MakeItem(this, root, L"N1", L"动作");
    N7 = MakeItem(this, N1, L"N7", L"开始转换", nullptr, false);
    N8 = MakeItem(this, N1, L"N8", L"停止转换", nullptr, false);
    MakeItem(this, N1, L"N9", L"-");
    N10 = MakeItem(this, N1, L"N10", L"暂停转换", nullptr, false);
    N11 = MakeItem(this, N1, L"N11", L"继续继续", nullptr, false);
    N22 = MakeItem(this, root, L"N22", L"功能");
    N24 = MakeItem(this, N22, L"N24", L"转换设置", [this](TObject* s) { N24Click(s); });
    N23 = MakeItem(this, N22, L"N23", L"软件皮肤", [this](TObject* s) { N23Click(s); });
    N2 = MakeItem(this, root, L"N2", L"帮助");
    N15 = MakeItem(this, N2, L"N15", L"帮助系统", [this](TObject* s) { N15Click(s); });
    N15->SetShortCut(VK_F1);
    MakeItem(this, N2, L"N16", L"-");
    N19 = MakeItem(this, N2, L"N19", L"官方网站", [this](TObject* s) { N19Click(s); });
    N5 = MakeItem(this, N2, L"N5", L"关于软件", [this](TObject* s) { N5Click(s); });
    CreateMenuBar();

    bsSkinPopupMenu1 = new TbsSkinPopupMenu(this);
    bsSkinPopupMenu1->SetName(L"bsSkinPopupMenu1");
    MakeItem(this, bsSkinPopupMenu1->Items(), L"N11111", L"添加一个文件");
    MakeItem(this, bsSkinPopupMenu1->Items(), L"N2222", L"添加多个文件");
    MakeItem(this, bsSkinPopupMenu1->Items(), L"N3331", L"添加整个目录");
}

// The menu bar: the skinned bar over the main menu, opening its entries as
// skinned menu levels, with Alt, the arrows and the accelerators; F1 reaches
// "帮助系统" through the frame's shortcut handling of the bar's main menu.
void TForm1::CreateMenuBar() {
    bsSkinMainMenuBar1 = Make<TbsSkinMainMenuBar>(this, this, L"bsSkinMainMenuBar1", 0, 0, kClientW, kMenuBarH);
    bsSkinMainMenuBar1->SetSkinData(bsSkinData1);
    bsSkinMainMenuBar1->SetMainMenu(bsSkinMainMenu1);
    bsSkinMainMenuBar1->SetSkinFrame(bsSkinFrame1);
}

void TForm1::CreateToolBar() {
    TbsSkinData* store = bsSkinData1;
    bsPngImageList1 = new TbsPngImageList(this);
    bsPngImageList1->SetName(L"bsPngImageList1");
    apppictures::FillToolPictures(bsPngImageList1);
    bsSkinToolBar2 = Make<TbsSkinToolBar>(this, this, L"bsSkinToolBar2", 0, kMenuBarH, kClientW, kToolBarH);
    bsSkinToolBar2->SetSkinDataName(L"resizetoolpanel");
    bsSkinToolBar2->SetCanScroll(true);
    bsSkinToolBar2->HotScroll = true;
    bsSkinToolBar2->SetScrollOffset(30);
    bsSkinToolBar2->SetShowCaptions(true);
    bsSkinToolBar2->SetSkinData(store);
    // A speed button on the bar draws the bar's pictures.
    bsSkinToolBar2->SetImages(bsPngImageList1);
    bsSkinMenuSpeedButton1 = Make<TbsSkinMenuSpeedButton>(this, bsSkinToolBar2, L"bsSkinMenuSpeedButton1", 6, 3, 84, 52);
    bsSkinMenuSpeedButton1->SetCaption(L"添加");
    bsSkinMenuSpeedButton1->SetSkinPopupMenu(bsSkinPopupMenu1);
    bsSkinMenuSpeedButton1->SetSkinData(store);
    struct ToolButton {
        TbsSkinButton** field;
        const wchar_t *name, *caption;
        int left;
        bool enabled, visible;
    };
    const ToolButton buttons[] = {
        {&bsSkinButton2, L"bsSkinButton2", L"开始", 94, false, true},
        {&bsSkinButton10, L"bsSkinButton10", L"停止", 164, false, true},
        {&bsSkinButton11, L"bsSkinButton11", L"暂停", 234, false, true},
        {&bsSkinButton12, L"bsSkinButton12", L"继续", 234, false, false},
        {&bsSkinButton19, L"bsSkinButton19", L"选项", 304, true, true},
        {&bsSkinButton9, L"bsSkinButton9", L"皮肤", 374, true, false},
    };
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const ToolButton& b = buttons[i];
        *b.field = MakeSkinButton(this, bsSkinToolBar2, store, b.name, b.caption, b.left, 3, 66, 52);
        (*b.field)->SetImageList(bsPngImageList1);
        (*b.field)->SetImageIndex(static_cast<int>(i) + 1);
        (*b.field)->SetLayout(blGlyphTop);
        (*b.field)->SetCanFocused(false);
        (*b.field)->SetEnabled(b.enabled);
        (*b.field)->SetVisible(b.visible);
    }
    bsSkinMenuSpeedButton1->SetImageList(bsPngImageList1);
    bsSkinMenuSpeedButton1->SetImageIndex(0);
    bsSkinMenuSpeedButton1->SetLayout(blGlyphTop);
    bsSkinButton19->OnClick = [this](TObject* s) { bsSkinButton19Click(s); };
    bsSkinButton9->OnClick = [this](TObject* s) { bsSkinButton9Click(s); };
}

void TForm1::CreatePreviewPanel() {
    TbsSkinData* store = bsSkinData1;
    bsSkinPanel3 = Make<TbsSkinPanel>(this, this, L"bsSkinPanel3", 4, kPanelTop, 330, kPanelH);
    bsSkinPanel3->SetCaption(L"视频预览");
    bsSkinPanel3->SetCaptionMode(true);
    bsSkinPanel3->SetSkinData(store);
    CreatePreviewHost(bsSkinPanel3);
    // Under the video area (240x145 from (45, 43)): the slider, one pixel wider.
    bsSkinSlider1 = Make<TbsSkinSlider>(this, bsSkinPanel3, L"bsSkinSlider1", 44, 194, 241, 24);
    bsSkinSlider1->SetOptions(soShowFocus | soSmooth);
    bsSkinSlider1->SetTransparent(true);
    bsSkinSlider1->SetSkinData(store);
    const struct {
        TbsSkinButton** field;
        const wchar_t *name, *caption;
        int left;
        bool visible;
    } buttons[] = {
        {&bsSkinButton13, L"bsSkinButton13", L"播放", 6, true},
        {&bsSkinButton14, L"bsSkinButton14", L"暂停", 52, true},
        {&bsSkinButton15, L"bsSkinButton15", L"停止", 98, true},
        {&bsSkinButton16, L"bsSkinButton16", L"静音", 144, true},
        {&bsSkinButton20, L"bsSkinButton20", L"静音", 144, false},
        {&bsSkinButton22, L"bsSkinButton22", L"快照", 220, true},
        {&bsSkinButton23, L"bsSkinButton23", L"设置", 272, true},
    };
    for (const auto& b : buttons) {
        *b.field = MakeSkinButton(this, bsSkinPanel3, store, b.name, b.caption, b.left, 226, 46, 28);
        (*b.field)->Hint = b.caption;
        (*b.field)->SetVisible(b.visible);
    }
    CreateSnapshotMenu();
}

void TForm1::CreateQueuePanel() {
    TbsSkinData* store = bsSkinData1;
    bsSkinPanel1 = Make<TbsSkinPanel>(this, this, L"bsSkinPanel1", 338, kPanelTop, 497, kPanelH);
    bsSkinPanel1->SetSkinData(store);
    // The list fills a frame of its own with its two skinned bars, which
    // take room from it only while they are shown.
    bsSkinPanel2 = Make<TbsSkinPanel>(this, bsSkinPanel1, L"bsSkinPanel2", 6, 6, 485, 236);
    bsSkinPanel2->SetBorderStyle(bvNone);
    bsSkinPanel2->SetSkinData(store);
    bsSkinScrollBar1 = Make<TbsSkinScrollBar>(this, bsSkinPanel2, L"bsSkinScrollBar1", 0, 236 - kBarSize, 485, kBarSize);
    bsSkinScrollBar1->SetDefaultHeight(kBarSize);
    bsSkinScrollBar1->SetBothMarkerWidth(kBarSize);
    bsSkinScrollBar1->SetSkinDataName(L"hscrollbar");
    bsSkinScrollBar1->SetAlign(alBottom);
    bsSkinScrollBar1->SetSkinData(store);
    bsSkinScrollBar2 = Make<TbsSkinScrollBar>(this, bsSkinPanel2, L"bsSkinScrollBar2", 485 - kBarSize, 0, kBarSize, 236);
    bsSkinScrollBar2->SetKind(sbVertical);
    bsSkinScrollBar2->SetDefaultWidth(kBarSize);
    bsSkinScrollBar2->SetSkinDataName(L"vscrollbar");
    bsSkinScrollBar2->SetAlign(alRight);
    bsSkinScrollBar2->SetSkinData(store);
    lvFiles = Make<TbsSkinListView>(this, bsSkinPanel2, L"lvFiles", 0, 0, 485, 236);
    lvFiles->SetAlign(alClient);
    lvFiles->SetViewStyle(vsReport);
    lvFiles->SetRowSelect(true);
    lvFiles->SetGridLines(true);
    lvFiles->SetMultiSelect(false);
    lvFiles->SetReadOnly(true);
    lvFiles->SetHideSelection(false);
    const struct {
        const wchar_t* caption;
        int width;
    } columns[] = {
        {L"输入文件", 80}, {L"视频时间", 70}, {L"文件大小", 70}, {L"输出文件", 80}, {L"转换进度", 70},
        {L"", 0}, {L"当前时间", 80}, {L"转换大小", 80}, {L"视频序号", 0}, {L"视频类别", 0},
        {L"视频选项", 0}, {L"视频编码", 0}, {L"音频编码", 0}, {L"声音频道", 0}, {L"VideoTag", 0},
        {L"FileExt", 0}, {L"视频分辨率", 0}, {L"视频比特率", 0}, {L"视频帧率", 0}, {L"音频比特率", 0},
        {L"音频采样率", 0}, {L"视频缩放", 0}, {L"视频能否", 0}, {L"TargetType", 0}, {L"NormType", 0},
    };
    lvFiles->Columns()->BeginUpdate();
    for (const auto& c : columns) {
        TListColumn* column = lvFiles->Columns()->Add();
        column->SetCaption(c.caption);
        column->SetWidth(c.width);
        // The hidden columns keep the file's settings; the user cannot widen them.
        if (c.width == 0) column->SetMaxWidth(1);
    }
    lvFiles->Columns()->EndUpdate();
    lvFiles->SetSkinData(store);
    lvFiles->SetHScrollBar(bsSkinScrollBar1);
    lvFiles->SetVScrollBar(bsSkinScrollBar2);

    const struct {
        TbsSkinButton** field;
        const wchar_t *name, *caption;
        int left;
        bool enabled;
    } buttons[] = {
        {&bsSkinButton7, L"bsSkinButton7", L"删除", 6, false},
        {&bsSkinButton8, L"bsSkinButton8", L"清空", 80, false},
        {&bsSkinButton4, L"bsSkinButton4", L"下移", 154, true},
        {&bsSkinButton3, L"bsSkinButton3", L"上移", 228, true},
        {&bsSkinButton21, L"bsSkinButton21", L"重命名", 302, false},
    };
    for (const auto& b : buttons) {
        *b.field = MakeSkinButton(this, bsSkinPanel1, store, b.name, b.caption, b.left, 250, 68, 28);
        (*b.field)->Hint = b.caption;
        (*b.field)->SetEnabled(b.enabled);
    }
    bsSkinPanel5 = Make<TbsSkinPanel>(this, this, L"bsSkinPanel5", 338, kPanelTop, 497, kPanelH);
    bsSkinPanel5->SetSkinData(store);
    Image1 = apppictures::MakeEmptyQueuePicture(this, bsSkinPanel5, 6, 6, 485, 264);
    bsSkinPanel5->SetVisible(false);
}

void TForm1::CreateSettingsTabs() {
    bsSkinPageControl1 = Make<TbsSkinPageControl>(this, this, L"bsSkinPageControl1", 4, kTabsTop, kClientW - 8,
                                                  522 - kTabsTop - 4);
    bsSkinPageControl1->SetSkinData(bsSkinData1);
    bsSkinTabSheet1 = new TbsSkinTabSheet(this);
    bsSkinTabSheet1->SetName(L"bsSkinTabSheet1");
    bsSkinTabSheet1->SetCaption(L"常规设置");
    bsSkinTabSheet1->SetPageControl(bsSkinPageControl1);
    bsSkinTabSheet2 = new TbsSkinTabSheet(this);
    bsSkinTabSheet2->SetName(L"bsSkinTabSheet2");
    bsSkinTabSheet2->SetCaption(L"音视频高级设置");
    bsSkinTabSheet2->SetPageControl(bsSkinPageControl1);
    bsSkinPageControl1->SetActivePageIndex(0);
    CreateGeneralTab();
    CreateOptionsTab();
}

// The catalogue lists draw from the second store, which never changes:
// each a tool-button face; the category list drops its pictures down on a
// tool panel, the format list on a list box.
void TForm1::CreateGeneralTab() {
    TbsSkinData* store = bsSkinData1;
    bsPngImageList4 = new TbsPngImageList(this);
    bsPngImageList4->SetName(L"bsPngImageList4");
    apppictures::FillCategoryPictures(bsPngImageList4, 48);
    bsPngImageList5 = new TbsPngImageList(this);
    bsPngImageList5->SetName(L"bsPngImageList5");
    apppictures::FillCategoryPictures(bsPngImageList5, 32);

    bsSkinStdLabel1 = Make<TbsSkinStdLabel>(this, bsSkinTabSheet1, L"bsSkinStdLabel1", 12, 26, 80, 16);
    bsSkinStdLabel1->SetCaption(L"输出格式：");
    bsSkinStdLabel1->SetSkinData(store);

    bsSkinOfficeComboBox2 = Make<TbsSkinOfficeComboBox>(this, bsSkinTabSheet1, L"bsSkinOfficeComboBox2", 92, 10, 200, 52);
    bsSkinOfficeComboBox2->SetToolButtonStyle(true);
    bsSkinOfficeComboBox2->SetListBoxSkinDataName(L"resizetoolpanel");
    bsSkinOfficeComboBox2->SetImages(bsPngImageList4);
    bsSkinOfficeComboBox2->SetListBoxItemHeight(50);
    bsSkinOfficeComboBox2->ListBoxWidth = 140;
    bsSkinOfficeComboBox2->SetDropDownCount(4);
    bsSkinOfficeComboBox2->SetListBoxShowItemTitles(false);
    for (const formats::TCategory& category : formats::Categories()) {
        TbsSkinOfficeItem* item = bsSkinOfficeComboBox2->Items()->Add();
        item->SetCaption(category.Caption);
        item->SetImageIndex(category.Code);
    }
    bsSkinOfficeComboBox2->SetItemIndex(0);
    bsSkinOfficeComboBox2->SetSkinData(bsSkinData2);

    bsSkinOfficeComboBox1 = Make<TbsSkinOfficeComboBox>(this, bsSkinTabSheet1, L"bsSkinOfficeComboBox1", 300, 10, 520, 52);
    bsSkinOfficeComboBox1->SetToolButtonStyle(true);
    bsSkinOfficeComboBox1->SetListBoxSkinDataName(L"listbox");
    bsSkinOfficeComboBox1->SetImages(bsPngImageList5);
    bsSkinOfficeComboBox1->SetListBoxItemHeight(60);
    bsSkinOfficeComboBox1->SetDropDownCount(4);
    bsSkinOfficeComboBox1->SetListBoxShowItemTitles(true);
    bsSkinOfficeComboBox1->SetListBoxShowLines(true);
    TbsSkinOfficeItem* placeholder = bsSkinOfficeComboBox1->Items()->Add();
    placeholder->SetTitle(L"(*.avi)");
    bsSkinOfficeComboBox1->SetSkinData(bsSkinData2);

    bsSkinStdLabel2 = Make<TbsSkinStdLabel>(this, bsSkinTabSheet1, L"bsSkinStdLabel2", 12, 84, 80, 16);
    bsSkinStdLabel2->SetCaption(L"输出文件夹：");
    bsSkinStdLabel2->SetSkinData(store);
    Video_OutPut_Folder_Edit = Make<TbsSkinEdit>(this, bsSkinTabSheet1, L"Video_OutPut_Folder_Edit", 92, 80, 520, 22);
    Video_OutPut_Folder_Edit->SetReadOnly(true);
    Video_OutPut_Folder_Edit->SetSkinData(store);
    Video_OutPut_Folder_Edit->OnClick = [this](TObject* s) { Video_OutPut_Folder_EditClick(s); };
    bsSkinButton5 = MakeSkinButton(this, bsSkinTabSheet1, store, L"bsSkinButton5", L"浏览...", 624, 78, 90, 26);
    bsSkinButton5->OnClick = [this](TObject* s) { bsSkinButton5Click(s); };
    bsSkinButton6 = MakeSkinButton(this, bsSkinTabSheet1, store, L"bsSkinButton6", L"打开", 722, 78, 90, 26);
    bsSkinButton6->OnClick = [this](TObject* s) { bsSkinButton6Click(s); };
}

// Two rows of three lists: resolution, video bit rate, frame rate; audio
// bit rate, sample rate, aspect.
void TForm1::CreateOptionsTab() {
    TbsSkinData* store = bsSkinData1;
    const struct {
        TbsSkinComboBox** field;
        const wchar_t *name, *label, *labelName;
    } lists[] = {
        {&bsSkinComboBox1, L"bsSkinComboBox1", L"视频分辨率：", L"bsSkinStdLabel3"},
        {&bsSkinComboBox2, L"bsSkinComboBox2", L"视频比特率：", L"bsSkinStdLabel4"},
        {&bsSkinComboBox9, L"bsSkinComboBox9", L"视频帧率：", L"bsSkinStdLabel5"},
        {&bsSkinComboBox3, L"bsSkinComboBox3", L"音频比特率：", L"bsSkinStdLabel6"},
        {&bsSkinComboBox10, L"bsSkinComboBox10", L"音频采样率：", L"bsSkinStdLabel7"},
        {&bsSkinComboBox4, L"bsSkinComboBox4", L"视频缩放：", L"bsSkinStdLabel8"},
    };
    for (size_t i = 0; i < std::size(lists); ++i) {
        const int left = 12 + static_cast<int>(i % 3) * 272, top = 20 + static_cast<int>(i / 3) * 48;
        TbsSkinStdLabel* label = Make<TbsSkinStdLabel>(this, bsSkinTabSheet2, lists[i].labelName, left, top + 4, 84, 16);
        label->SetCaption(lists[i].label);
        label->SetSkinData(store);
        OptionLabels[i] = label;
        auto* list = Make<TbsSkinComboBox>(this, bsSkinTabSheet2, lists[i].name, left + 86, top, 168, 22);
        list->SetDropDownCount(12);
        list->SetSkinData(store);
        *lists[i].field = list;
    }
    bsSkinComboBox1->OnChange = [this](TObject* s) { bsSkinComboBox1Change(s); };
    bsSkinComboBox2->OnChange = [this](TObject* s) { bsSkinComboBox2Change(s); };
    bsSkinComboBox3->OnChange = [this](TObject* s) { bsSkinComboBox3Change(s); };
    bsSkinComboBox4->OnChange = [this](TObject* s) { bsSkinComboBox4Change(s); };
    bsSkinComboBox9->OnChange = [this](TObject* s) { bsSkinComboBox9Change(s); };
    bsSkinComboBox10->OnChange = [this](TObject* s) { bsSkinComboBox10Change(s); };
    bsSkinOfficeComboBox2->OnChange = [this](TObject* s) { bsSkinOfficeComboBox2Change(s); };
    bsSkinOfficeComboBox1->OnChange = [this](TObject* s) { bsSkinOfficeComboBox1Change(s); };
}

