// The main window's life: what its creation prepares, the log lines, the
// close that detaches the media components, a skin switch reaching every
// window, and the skinned dialogs its folder and skin commands open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "MainWindowFixture.h"
#include "app/StartUp.h"
#include "app/Unit2.h"
#include "app/WebAddresses.h"
#include "app/Unit6.h"
#include "Src/DIzizuZUR.h"
#include "Src/FFPlay.h"
#include "platform/Bitmap.h"
#include "platform/MainThread.h"
#include "platform/Timer.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinLinkLabel.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/bsSkinData.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/shell/bsDialogs.h"
#include "skin/shell/bsSkinFolderDialog.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "tests/dialogs/DialogDriver.h"

namespace mainwindowtest {
namespace {

using LifecycleTest = MainWindowTest;

TEST_F(LifecycleTest, CreationPreparesTheWindowsInOrder) {
    StartWindows();
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_EQ(Form1->Caption(), L"VantrelH264视频格式转换器");
    EXPECT_EQ(Form1->ClientWidth(), 839);
    EXPECT_EQ(Form1->ClientHeight(), 522);
    EXPECT_EQ(Form2->Caption(), L"关于软件");
    EXPECT_EQ(Form5->Caption(), L"选项");
    EXPECT_EQ(Form1->bsSkinSlider1_down_UP, L"UP");
    ASSERT_GE(Form1->cboScreens->Items()->Count(), 2);
    EXPECT_EQ(Form1->cboScreens->Items()->Get(0), L"Panel6");
    EXPECT_EQ(Form1->cboScreens->ItemIndex(), 0);
    // The filter list of the open dialogs: 42 entries, "所有文件格式" first.
    const String& filter = Form1->OpenDialogFilter;
    EXPECT_EQ(filter.rfind(L"所有文件格式 (*.*)|*.*|", 0), 0u);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), L'|'), 84);
}

// Every control the user sees lies inside the client area.
TEST_F(LifecycleTest, VisibleControlsLieInsideTheClientArea) {
    StartWindows();
    for (int i = 0; i < Form1->ControlCount(); ++i) {
        TControl* c = Form1->Controls(i);
        if (!c->Visible() || c->Left() >= 1181) continue;
        EXPECT_GE(c->Left(), 0) << Narrow(c->Name());
        EXPECT_GE(c->Top(), 0) << Narrow(c->Name());
        EXPECT_LE(c->Left() + c->Width(), 839) << Narrow(c->Name());
        EXPECT_LE(c->Top() + c->Height(), 522) << Narrow(c->Name());
    }
}

TEST_F(LifecycleTest, LogLineNamesThreadAndLevel) {
    StartWindows();
    Form1->FFLoggerLog(nullptr, 2600, llInfo, L"probe ready");
    Form1->FFLoggerLog(nullptr, 4294967295u, llDebug, L"x");
    ASSERT_GE(Form1->mmoLog->LineCount(), 2);
    const int last = Form1->mmoLog->LineCount() - 1;
    // The memo may keep an empty line after the last one.
    const int at = Form1->mmoLog->Line(last).empty() ? last - 1 : last;
    EXPECT_EQ(Form1->mmoLog->Line(at - 1), L"#2600.5: probe ready");
    EXPECT_EQ(Form1->mmoLog->Line(at), L"#4294967295.7: x");
}

// The index of the memo's line holding the text; -1 when none does.
int FindLogLine(const String& text) {
    for (int i = Form1->mmoLog->LineCount() - 1; i >= 0; --i)
        if (Form1->mmoLog->Line(i) == text) return i;
    return -1;
}

// A line logged on an engine thread is handed to the UI thread, which
// writes it into the memo with the logging thread's number.
TEST_F(LifecycleTest, ALineLoggedOnAnotherThreadReachesTheMemo) {
    StartWindows();
    DWORD worker = 0;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread([&] {
        worker = GetCurrentThreadId();
        GlobalLogger()->Log(nullptr, llWarning, std::wstring(L"from an engine thread"));
        SetEvent(done);
    });
    EXPECT_EQ(platform::PumpingWait(done, 10000), WAIT_OBJECT_0) << "the logging thread was never served";
    thread.join();
    CloseHandle(done);
    EXPECT_GE(FindLogLine(L"#" + std::to_wstring(worker) + L".4: from an engine thread"), 0);
}

// Activation gives the keyboard focus to the format list, also when the
// window becomes active again after another window had it.
TEST_F(LifecycleTest, ActivationFocusesTheFormatList) {
    StartWindows();
    Form1->Show();
    SetForegroundWindow(Form1->Handle());
    Application->ProcessMessages();
    EXPECT_EQ(GetFocus(), Form1->bsSkinOfficeComboBox1->Handle());
    SetFocus(Form1->Video_OutPut_Folder_Edit->Handle());
    Form2->Show();
    SetForegroundWindow(Form2->Handle());
    Application->ProcessMessages();
    Form2->Hide();
    SetForegroundWindow(Form1->Handle());
    Application->ProcessMessages();
    EXPECT_EQ(GetFocus(), Form1->bsSkinOfficeComboBox1->Handle());
}

// The about box: product, version, the maker's two addresses as links, and
// "确定" closing it when the menu entry shows it.
TEST_F(LifecycleTest, AboutBoxShowsTheProductAndItsLinksAndClosesOnOk) {
    StartWindows();
    EXPECT_EQ(Form2->ClientWidth(), 338);
    EXPECT_EQ(Form2->ClientHeight(), 267);
    EXPECT_EQ(Form2->Label1->Caption(), L"VantrelH264视频格式转换器");
    EXPECT_EQ(Form2->Label2->Caption(), L"版本:5.7.0.0");
    EXPECT_EQ(Form2->Label3->Caption(), L"官方网站：");
    EXPECT_EQ(Form2->Label4->Caption(), L"支持E-Mail：");
    EXPECT_EQ(Form2->bsSkinLinkLabel1->URL, web::HomePage);
    EXPECT_EQ(Form2->bsSkinLinkLabel2->URL, web::SupportMail);
    EXPECT_EQ(Form2->bsSkinButton1->Caption(), L"确定");
    bool shown = false;
    TTimer user(nullptr);
    user.SetInterval(30);
    user.OnTimer = [&](TObject*) {
        user.SetEnabled(false);
        shown = Form2->Visible();
        Form2->bsSkinButton1->ButtonClick();
    };
    user.SetEnabled(true);
    Form1->N5Click(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(LifecycleTest, CloseDetachesTheMediaHandlersAndIsNeverRefused) {
    StartWindows();
    Form1->ROREZ->OnProgress = [](TObject*, TCustomDIzizuZUR::PProgressInfo) {};
    Form1->ROREZ->OnTerminate = [](TObject*, const TCustomDIzizuZUR::TTerminateInfo&) {};
    bool canClose = false;
    Form1->FormCloseQuery(Form1, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_FALSE(Form1->ROREZ->OnProgress);
    EXPECT_FALSE(Form1->ROREZ->OnTerminate);
    EXPECT_FALSE(Form1->ROREZ->OnCustomHook);
    // The logger no longer writes to the memo.
    const int lines = Form1->mmoLog->LineCount();
    GlobalLogger()->Log(nullptr, llQuiet, std::wstring(L"after close"));
    Application->ProcessMessages();
    EXPECT_EQ(Form1->mmoLog->LineCount(), lines);
}

// Paints a window's client area into a bitmap of its size.
std::vector<DWORD> Picture(TForm* form) {
    const int w = form->ClientWidth(), h = form->ClientHeight();
    TBitmap bmp(w, h, pf32bit);
    form->PaintTo(bmp.Canvas()->Handle(), 0, 0);
    std::vector<DWORD> pixels;
    pixels.reserve(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* line = static_cast<const DWORD*>(bmp.ScanLine(y));
        pixels.insert(pixels.end(), line, line + w);
    }
    return pixels;
}

// The read-only output-folder box shows its folder on the screen once the
// shown window has painted, at start-up (where several erases come before
// the paint) and after skin switches.
TEST_F(LifecycleTest, TheOutputFolderBoxShowsItsFolderOnTheScreen) {
    StartWindows();
    Form1->Show();
    TbsSkinEdit* box = Form1->Video_OutPut_Folder_Edit;
    ASSERT_FALSE(box->GetText().empty());
    const int kStartSkin = -1;  // as shown at start-up, before any switch
    for (int skin : {kStartSkin, 3, 7, 0}) {
        if (skin != kStartSkin) Form1->bsSkinData1->SetSkinIndex(skin);
        Application->ProcessMessages();
        RECT cr;
        GetClientRect(box->Handle(), &cr);
        TBitmap shot(cr.right, cr.bottom, pf32bit);
        const HDC dc = GetDC(box->Handle());
        BitBlt(shot.Canvas()->Handle(), 0, 0, cr.right, cr.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(box->Handle(), dc);
        // The text lies at the left; the right end of the text area is its
        // background. Count what stands out from it.
        const COLORREF paper = ColorToRGB(shot.Canvas()->Pixel(cr.right - 3, cr.bottom / 2));
        auto apart = [](COLORREF a, COLORREF b) {
            return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                   std::abs(GetBValue(a) - GetBValue(b));
        };
        int inked = 0;
        for (int y = 0; y < cr.bottom; ++y)
            for (int x = 0; x < cr.right; ++x)
                if (apart(ColorToRGB(shot.Canvas()->Pixel(x, y)), paper) > 120) ++inked;
        EXPECT_GT(inked, 40) << "skin " << skin << ": the folder's text is on the screen";
    }
}

// Each skin draws every window its own way, and going back to a skin gives
// the same picture again: every window follows the store.
TEST_F(LifecycleTest, SkinSwitchRedrawsEveryWindowFromTheNewSkin) {
    StartWindows();
    for (TForm* form : {static_cast<TForm*>(Form1), static_cast<TForm*>(Form2), static_cast<TForm*>(Form5)}) {
        form->Show();
        Application->ProcessMessages();
    }
    // Skin 0 is drawn once after another skin, as it is at the end.
    Form1->bsSkinData1->SetSkinIndex(7);
    Application->ProcessMessages();
    Form1->bsSkinData1->SetSkinIndex(0);
    Application->ProcessMessages();
    std::vector<std::vector<DWORD>> first;
    for (TForm* form : {static_cast<TForm*>(Form1), static_cast<TForm*>(Form2), static_cast<TForm*>(Form5)})
        first.push_back(Picture(form));
    for (int skin = 1; skin < 8; ++skin) {
        Form1->bsSkinData1->SetSkinIndex(skin);
        Application->ProcessMessages();
        ASSERT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), skin);
        int i = 0;
        for (TForm* form : {static_cast<TForm*>(Form1), static_cast<TForm*>(Form2), static_cast<TForm*>(Form5)})
            EXPECT_NE(Picture(form), first[static_cast<size_t>(i++)]) << "skin " << skin << " window " << i;
    }
    Form1->bsSkinData1->SetSkinIndex(0);
    Application->ProcessMessages();
    int i = 0;
    for (TForm* form : {static_cast<TForm*>(Form1), static_cast<TForm*>(Form2), static_cast<TForm*>(Form5)})
        EXPECT_EQ(Picture(form), first[static_cast<size_t>(i++)]) << "window " << i;
}

// The output-folder command opens the skinned folder dialog at the current
// folder (a Chinese name, as the default is) and applies what OK returns;
// the skin command opens the skinned skin dialog at the current skin, and
// Cancel there changes nothing.
TEST_F(LifecycleTest, TheFolderAndSkinCommandsOpenTheSkinnedDialogs) {
    StartWindows();
    const String start = folder_ + L"起点";
    ForceDirectories(start);
    Form1->FileOutPutPath = start;
    const String chosen = folder_ + L"chosen";
    ForceDirectories(chosen);
    String caption, shownAt;
    bool folderDialog = false;
    DialogFormShownHook() = [&](TForm* f) {
        auto* d = dynamic_cast<TbsSelDirDlgForm*>(f);
        folderDialog = d != nullptr;
        if (!d) {
            f->ModalResult = mrCancel;
            return;
        }
        caption = f->Caption();
        dialogstest::RunSteps(f, {[d, &shownAt] { shownAt = d->DirTreeView->Path(); },
                                  [d, &chosen] { d->DirTreeView->SetPath(chosen); },
                                  [d] { dialogstest::PostClick(d->OkButton->Handle(), 5, 5); }});
    };
    Form1->bsSkinButton5Click(nullptr);
    EXPECT_TRUE(folderDialog);
    EXPECT_EQ(caption, L"选择输出目录");
    EXPECT_TRUE(SameText(shownAt, start)) << Utf8Encode(shownAt);
    EXPECT_TRUE(SameText(Form1->FileOutPutPath, chosen)) << Utf8Encode(Form1->FileOutPutPath);
    RemoveDirectoryW(chosen.c_str());
    RemoveDirectoryW(start.c_str());

    const int skinBefore = Form1->bsSkinData1->CompressedSkinIndex();
    int offered = -1;
    bool skinDialog = false;
    DialogFormShownHook() = [&](TForm* f) {
        auto* d = dynamic_cast<TbsSelectSkinDlgForm*>(f);
        skinDialog = d != nullptr;
        if (d) offered = d->SkinsListBox->ItemIndex();
        if (d) d->SkinsListBox->SetItemIndex((skinBefore + 3) % 8);
        f->ModalResult = mrCancel;
    };
    Form1->N23Click(nullptr);
    DialogFormShownHook() = nullptr;
    EXPECT_TRUE(skinDialog);
    EXPECT_EQ(offered, skinBefore);
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), skinBefore);
}

// The program's start-up: four windows, the legacy one last and hidden on
// the main store; its own start-up leaves the main window's catalogue key
// at 100 (the main window alone starts at 2700) with the no-video flag off.
TEST_F(LifecycleTest, StartUpCreatesFourWindowsTheLegacyOneHiddenAndLast) {
    CreateProgramForms();
    ASSERT_NE(Form1, nullptr);
    ASSERT_NE(Form2, nullptr);
    ASSERT_NE(Form5, nullptr);
    ASSERT_NE(Form6, nullptr);
    EXPECT_EQ(Application->MainForm(), Form1);
    std::vector<TForm*> order;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TForm*>(Application->Components(i))) order.push_back(f);
    EXPECT_EQ(order, (std::vector<TForm*>{Form1, Form2, Form5, Form6}));
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(Form6->bsSkinFrame1->SkinData(), Form1->bsSkinData1);
    EXPECT_EQ(Form1->All_Trant_Number, 100);
    EXPECT_FALSE(Form1->Video.Video_DisableVideo);
    delete Form6;
    Form6 = nullptr;
}

}  // namespace
}  // namespace mainwindowtest
