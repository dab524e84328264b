// The skin selection dialog over the program's eight skins: the list and
// the preselected preview, a click that re-skins only the preview, OK,
// double click, Cancel and Escape, the listed names and the client size.
// The dialog is driven by posted input once it shows.
#include "tests/platform/ControlsFixture.h"

#include <functional>

#include "skin/shell/bsDialogs.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/dialogs/DialogsSkins.h"

namespace {

using dialogstest::PostKey;

class SkinDialogTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        platform_test::ControlsTest::SetUp();
        skins = dialogstest::MainSkinList();
        ASSERT_EQ(skins->Skins()->Count(), 8);
        appStore = std::make_unique<TbsSkinData>(nullptr);
        appStore->SetSkinList(skins.get());
        dialog = std::make_unique<TbsSelectSkinDialog>(nullptr);
        dialog->SetSkinList(skins.get());
        dialog->SetSkinData(appStore.get());
        dialog->SetCtrlSkinData(appStore.get());
    }
    void TearDown() override {
        DialogFormShownHook() = nullptr;
        dialog.reset();
        appStore.reset();
        skins.reset();
        platform_test::ControlsTest::TearDown();
    }
    // Runs act with the form once it shows.
    void OnShown(std::function<void(TbsSelectSkinDlgForm*)> act) {
        DialogFormShownHook() = [act](TForm* f) { act(static_cast<TbsSelectSkinDlgForm*>(f)); };
    }
    static void PostClickRow(TbsSelectSkinDlgForm* f, int row, bool twice = false) {
        const TRect r = f->SkinsListBox->ItemRect(row);
        dialogstest::PostClick(f->SkinsListBox->ListBox->Handle(), r.left + 5, (r.top + r.bottom) / 2, twice);
    }

    std::unique_ptr<TbsCompressedSkinList> skins;
    std::unique_ptr<TbsSkinData> appStore;
    std::unique_ptr<TbsSelectSkinDialog> dialog;
};

TEST_F(SkinDialogTest, AClickOnTheFourthRowPreviewsItAndOkReturnsIndexThree) {
    appStore->SetSkinIndex(1);
    const String appSkinBefore = appStore->SkinName;
    int shownIndex = -2, shownRows = 0, previewBefore = -2, previewAfter = -2;
    String appSkinDuring;
    OnShown([&](TbsSelectSkinDlgForm* f) {
        shownRows = f->SkinsListBox->Items()->Count();
        shownIndex = f->SkinsListBox->ItemIndex();
        previewBefore = f->PreviewSkinData->CompressedSkinIndex();
        dialogstest::RunSteps(f, {[f] { PostClickRow(f, 3); },
                  [&, f] {
                      previewAfter = f->PreviewSkinData->CompressedSkinIndex();
                      appSkinDuring = appStore->SkinName;
                      dialogstest::PostClick(f->OpenButton->Handle(), 5, 5);
                  }});
    });
    EXPECT_TRUE(dialog->Execute(1));
    EXPECT_EQ(dialog->SelectedSkinIndex(), 3);
    EXPECT_EQ(shownRows, 8);
    EXPECT_EQ(shownIndex, 1);
    EXPECT_EQ(previewBefore, 1);
    EXPECT_EQ(previewAfter, 3);
    EXPECT_EQ(appSkinDuring, appSkinBefore) << "only the preview changes its skin";
    EXPECT_EQ(appStore->SkinIndex(), 1);
    EXPECT_EQ(dialog->DialogForm(), nullptr);
}

TEST_F(SkinDialogTest, CancelEscapeAndDoubleClickClose) {
    const struct Case {
        const char* what;
        std::function<void(TbsSelectSkinDlgForm*)> act;
        bool result;
        int index;
    } cases[] = {
        {"cancel button", [](TbsSelectSkinDlgForm* f) { dialogstest::PostClick(f->CancelButton->Handle(), 5, 5); }, false, -1},
        {"escape", [](TbsSelectSkinDlgForm* f) { PostKey(f->SkinsListBox->ListBox->Handle(), VK_ESCAPE); }, false,
         -1},
        {"double click on row 5", [](TbsSelectSkinDlgForm* f) { PostClickRow(f, 5, true); }, true, 5},
        {"ok untouched", [](TbsSelectSkinDlgForm* f) { dialogstest::PostClick(f->OpenButton->Handle(), 5, 5); }, true, 2},
    };
    for (const Case& c : cases) {
        OnShown([&](TbsSelectSkinDlgForm* f) { dialogstest::RunSteps(f, {[&c, f] { c.act(f); }}); });
        EXPECT_EQ(dialog->Execute(2), c.result) << c.what;
        EXPECT_EQ(dialog->SelectedSkinIndex(), c.index) << c.what;
    }
}

TEST_F(SkinDialogTest, RowsShowTheDescriptionOrElseTheName) {
    TbsCompressedSkinList list(nullptr);
    list.SetSkins(skins->Skins());
    list.Skins()->Items(0)->Description = L"Described";
    list.Skins()->Items(1)->Description = L"";
    list.Skins()->Items(1)->Name = L"OnlyAName";
    dialog->SetSkinList(&list);
    std::vector<String> rows;
    OnShown([&](TbsSelectSkinDlgForm* f) {
        for (int i = 0; i < 2; ++i) rows.push_back(f->SkinsListBox->Items()->Get(i));
        f->ModalResult = mrCancel;
    });
    dialog->Execute(0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], L"Described");
    EXPECT_EQ(rows[1], L"OnlyAName");
    dialog->SetSkinList(skins.get());
}

TEST_F(SkinDialogTest, TheClientAreaIs420By240WithoutAFrameSkinAndNoListShowsNothing) {
    dialog->SetSkinData(nullptr);
    int w = 0, h = 0;
    OnShown([&](TbsSelectSkinDlgForm* f) {
        w = f->ClientWidth();
        h = f->ClientHeight();
        f->ModalResult = mrCancel;
    });
    dialog->Execute(0);
    EXPECT_EQ(w, 420);
    EXPECT_EQ(h, 240);

    bool shown = false;
    OnShown([&](TbsSelectSkinDlgForm* f) {
        shown = true;
        f->ModalResult = mrCancel;
    });
    dialog->SetSkinList(nullptr);
    EXPECT_FALSE(dialog->Execute(0));
    EXPECT_FALSE(shown);
}

TEST_F(SkinDialogTest, AnIndexOutsideTheListLeavesThePreviewEmptyAndOkReturnsIt) {
    bool previewEmpty = false;
    int selectedRow = 0;
    OnShown([&](TbsSelectSkinDlgForm* f) {
        previewEmpty = f->PreviewSkinData->Empty;
        selectedRow = f->SkinsListBox->ItemIndex();
        f->ModalResult = mrOk;
    });
    EXPECT_TRUE(dialog->Execute(12));
    EXPECT_TRUE(previewEmpty);
    EXPECT_EQ(selectedRow, -1);
    EXPECT_EQ(dialog->SelectedSkinIndex(), 12);
}

TEST_F(SkinDialogTest, FreeingTheSkinListClearsTheLink) {
    auto other = dialogstest::MainSkinList();
    dialog->SetSkinList(other.get());
    other.reset();
    EXPECT_EQ(dialog->SkinList(), nullptr);
}

TEST_F(SkinDialogTest, TheStoredSkinsOfTheOwnerAreOfferedAndTheChosenOneReturned) {
    TComponent holder(nullptr);
    auto* first = new TbsCompressedStoredSkin(&holder);
    first->SetName(L"firstSkin");
    first->LoadFromSkinData(dialogstest::LoadMainSkin(0).get());
    auto* second = new TbsCompressedStoredSkin(&holder);
    second->SetName(L"secondSkin");
    second->Description = L"第二";
    second->LoadFromSkinData(dialogstest::LoadMainSkin(1).get());
    auto* stored = new TbsSelectSkinDialog(&holder);
    std::vector<String> rows;
    int preselected = -1;
    TbsCompressedStoredSkin* previewed = nullptr;
    OnShown([&](TbsSelectSkinDlgForm* f) {
        for (int i = 0; i < f->SkinsListBox->Items()->Count(); ++i) rows.push_back(f->SkinsListBox->Items()->Get(i));
        preselected = f->SkinsListBox->ItemIndex();
        previewed = f->SelectedSkin();
        dialogstest::RunSteps(f, {[f] { PostClickRow(f, 0); },
                                  [f] { dialogstest::PostClick(f->OpenButton->Handle(), 5, 5); }});
    });
    EXPECT_TRUE(stored->Execute(second));
    EXPECT_EQ(rows, (std::vector<String>{L"firstSkin", L"第二"}));
    EXPECT_EQ(preselected, 1);
    EXPECT_EQ(previewed, second);
    EXPECT_EQ(stored->SelectedSkin(), first);

    // Without any stored skin the form cannot be built; nothing is left open.
    TComponent empty(nullptr);
    auto* none = new TbsSelectSkinDialog(&empty);
    EXPECT_THROW(none->Execute(static_cast<TbsCompressedStoredSkin*>(nullptr)), Exception);
    EXPECT_EQ(none->DialogForm(), nullptr);
}

}  // namespace
