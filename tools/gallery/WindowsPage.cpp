#include "WindowsPage.h"

#include <cstdio>

#include "DialogsPage.h"
#include "PngWriter.h"
#include "app/OptionIni.h"
#include "app/StartUp.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "platform/ListView.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/controls/bsSkinCtrlsPages.h"

namespace {

// The window as it shows on the screen, frame included.
void SaveWindow(TForm* form, const String& file) {
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    TBitmap page(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(page.Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    SavePng(&page, file);
}

// The main window with twenty-four rows in its queue, the last selected.
void SaveQueue(const String& file) {
    TListItems* items = Form1->lvFiles->Items();
    items->BeginUpdate();
    for (int i = 0; i < 24; ++i) {
        TListItem* row = items->Add();
        const String number = (i < 9 ? L"0" : L"") + IntToStr(static_cast<int64_t>(i + 1));
        row->SetCaption(L"C:\\视频\\clip" + number + L".mp4");
        const wchar_t* cells[] = {L"00:01:05", L"12.35MB", L"clip.avi", i < 3 ? L"100%" : L"", L"", L"", L""};
        for (const wchar_t* cell : cells) row->SubItems()->Add(cell);
        for (int k = 7; k < 24; ++k) row->SubItems()->Add(String());
    }
    items->EndUpdate();
    Form1->bsSkinPanel5->SetVisible(false);
    Form1->lvFiles->SetItemIndex(23);
    SaveWindow(Form1, file);
    items->Clear();
    Form1->bsSkinPanel5->SetVisible(true);
}

}  // namespace

void DrawProgramWindows(const String& dir) {
    // The windows read and write their settings in a folder of their own.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const String settings = String(temp) + L"vantrel_gallery\\";
    ForceDirectories(settings);
    optionini::SetFolder(settings);
    DeleteFileW(optionini::FileName().c_str());

    Form1 = new TForm1(Application);
    Form1->AfterConstruction();
    Form2 = new TForm2(Application);
    Form2->AfterConstruction();
    Form5 = new TForm5(Application);
    Form5->AfterConstruction();
    Form6 = new TForm6(Application, Form1->bsSkinData1, {Form1->All_Trant_Number, Form1->Video}, [] {
        return legacy::TPresetSources{Form1->Video_AddFileName, Form1->Video_OutPut_Folder_Edit->GetText(), false};
    });
    Form6->AfterConstruction();
    {
        // The legacy window's category pictures side by side on white.
        TImageList* pictures = Form6->ImageList1;
        TBitmap strip(pictures->Count() * 40 + 8, 48);
        strip.Canvas()->Brush()->SetColor(clWhite);
        strip.Canvas()->FillRect(TRect(0, 0, strip.Width(), strip.Height()));
        for (int i = 0; i < pictures->Count(); ++i) pictures->Draw(strip.Canvas(), 8 + i * 40, 8, i);
        SavePng(&strip, dir + L"legacy_pictures.png");
    }
    Form1->Show();
    Application->ProcessMessages();
    for (int skin = 0; skin < 8; ++skin) {
        Form1->Show();
        Application->ProcessMessages();
        // How long the shown main window takes to change its whole look.
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        Form1->bsSkinData1->SetSkinIndex(skin);
        RedrawWindow(Form1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        QueryPerformanceCounter(&t1);
        std::printf("skin switch to %d: %.1f ms\n", skin,
                    1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart));
        const String n = IntToStr(static_cast<int64_t>(skin));
        SaveWindow(Form1, dir + L"mainwindow_skin_" + n + L".png");
        // Every command on: the coloured glyphs and pictures of the buttons.
        using Group = TForm1::TCommandGroup;
        const Group groups[] = {Group::Row, Group::Clear, Group::Start, Group::Stop, Group::Pause};
        for (Group g : groups) Form1->SetGroup(g, true);
        SaveWindow(Form1, dir + L"mainwindow_skin_" + n + L"_commands_on.png");
        for (Group g : groups) Form1->SetGroup(g, false);
        // A queue longer and wider than the list: both skinned bars shown.
        SaveQueue(dir + L"mainwindow_skin_" + n + L"_queue.png");
        // The category list dropped down over the window, then the formats.
        for (TbsSkinOfficeComboBox* list : {Form1->bsSkinOfficeComboBox2, Form1->bsSkinOfficeComboBox1}) {
            list->DropDown();
            SaveWindow(Form1, dir + L"mainwindow_skin_" + n + (list == Form1->bsSkinOfficeComboBox2
                                                                   ? L"_categories.png"
                                                                   : L"_formats.png"));
            list->CloseUp(false);
        }
        Form1->Hide();
        Form5->Show();
        for (int tab = 0; tab < 2; ++tab) {
            Form5->bsSkinPageControl1->SetActivePageIndex(tab);
            SaveWindow(Form5, dir + L"options_skin_" + n + L"_tab" + IntToStr(static_cast<int64_t>(tab)) + L".png");
        }
        Form5->Hide();
        DrawDialogsSheet(Form5, Form1->bsSkinData1, Form1->bsCompressedSkinList1, skin,
                         Form1->bsCompressedSkinList1->Skins()->Items(skin)->Description,
                         dir + L"skin_main_" + n + L"_dialogs.png");
        Form2->Show();
        SaveWindow(Form2, dir + L"about_skin_" + n + L".png");
        Form2->Hide();
        Form6->Show();
        // Centred on the main window it reaches past the screen's left edge.
        Form6->SetBounds(0, 0, Form6->Width(), Form6->Height());
        SaveWindow(Form6, dir + L"legacy_skin_" + n + L".png");
        Form6->Hide();
    }
    // The dialogs in the category lists' skin and in the plain look.
    Form1->bsSkinData1->LoadCompressedStoredSkin(Form1->bsCompressedSkinList2->Skins()->Items(0)->Skin());
    DrawDialogsSheet(Form5, Form1->bsSkinData1, Form1->bsCompressedSkinList1, 0,
                     Form1->bsCompressedSkinList2->Skins()->Items(0)->Description, dir + L"skin_lists_0_dialogs.png");
    Form1->bsSkinData1->ClearSkin();
    DrawDialogsSheet(Form5, Form1->bsSkinData1, Form1->bsCompressedSkinList1, 0, L"Plain look (no skin)",
                     dir + L"plain_dialogs.png");
    FreeProgramForms();
    Application->ProcessMessages();
    DeleteFileW(optionini::FileName().c_str());
    RemoveDirectoryW(settings.c_str());
}
