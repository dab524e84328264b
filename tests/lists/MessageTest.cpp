// The skinned message dialog: modal results for clicks and keys, layout,
// default and cancel buttons, texts from the skin strings with built-in
// fall-backs, and the show-again check box.
#include "ListsFixture.h"

#include "skin/bsResStrData.h"
#include "platform/ImgList.h"
#include "skin/boxes/bsMessages.h"

using namespace liststest;

namespace {

class MessageTest : public ListsTest {
protected:
    void TearDown() override {
        MessageFormShownHook() = nullptr;
        ListsTest::TearDown();
    }
    // Runs `act` on the dialog once it shows; records the form's layout.
    void OnShown(std::function<void(TbsMessageForm*)> act) {
        MessageFormShownHook() = [this, act](TbsMessageForm* f) {
            shownClientH = f->ClientHeight();
            shownClientW = f->ClientWidth();
            shownCaption = f->Caption();
            labelH = f->Message->Height();
            labelRight = f->Message->Left() + f->Message->Width();
            act(f);
        };
    }
    static void ClickButton(TbsSkinButton* b) {
        PostMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    static void Key(TbsMessageForm* f, WORD key) {
        HWND target = f->ActiveControl() ? f->ActiveControl()->Handle() : f->Handle();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
    int shownClientH = 0, shownClientW = 0, labelH = 0, labelRight = 0;
    String shownCaption;
};

TEST_F(MessageTest, YesNoAnswersSixForYesAndSevenForEscape) {
    TbsSkinMessage m(nullptr);
    const auto yesNo = MsgButtons({mbYes, mbNo});
    OnShown([](TbsMessageForm* f) {
        ASSERT_NE(f->ButtonOf(mbYes), nullptr);
        EXPECT_TRUE(f->ButtonOf(mbYes)->Default());
        EXPECT_TRUE(f->ButtonOf(mbNo)->Cancel);
        // Two buttons span 150 pixels, centred.
        EXPECT_EQ(f->ButtonOf(mbNo)->Left() + f->ButtonOf(mbNo)->Width() - f->ButtonOf(mbYes)->Left(), 150);
        ClickButton(f->ButtonOf(mbYes));
    });
    EXPECT_EQ(m.MessageDlg(L"Overwrite?", mtConfirmation, yesNo, 0), 6);
    EXPECT_EQ(shownCaption, L"Confirm");
    OnShown([](TbsMessageForm* f) { Key(f, VK_ESCAPE); });
    EXPECT_EQ(m.MessageDlg(L"Overwrite?", mtConfirmation, yesNo, 0), 7);
}

TEST_F(MessageTest, MessageDlg2WithOkAnswersOneForClickEnterAndEscape) {
    TbsSkinMessage m(nullptr);
    const struct Way {
        const char* what;
        std::function<void(TbsMessageForm*)> act;
    } ways[] = {
        {"click", [](TbsMessageForm* f) { ClickButton(f->ButtonOf(mbOK)); }},
        {"enter", [](TbsMessageForm* f) { Key(f, VK_RETURN); }},
        {"escape", [](TbsMessageForm* f) { Key(f, VK_ESCAPE); }},
    };
    for (const Way& w : ways) {
        TRect okBounds;
        OnShown([&](TbsMessageForm* f) {
            okBounds = f->ButtonOf(mbOK)->BoundsRect();
            w.act(f);
        });
        EXPECT_EQ(m.MessageDlg2(L"The conversion is finished.", L"Vantrel", mtInformation, MsgButtons({mbOK}), 0), 1)
            << w.what;
        EXPECT_EQ(shownCaption, L"Vantrel");
        // Client height = label + 75; one 70 x 25 button centred, 10 above the bottom.
        EXPECT_EQ(shownClientH, labelH + 75) << w.what;
        EXPECT_EQ(okBounds.Width(), 70);
        EXPECT_EQ(okBounds.Height(), 25);
        EXPECT_EQ(okBounds.left, (shownClientW - 70) / 2);
        EXPECT_EQ(okBounds.top, shownClientH - 25 - 10);
        EXPECT_EQ(shownClientW, std::max(labelRight, 70) + 40);
    }
}

TEST_F(MessageTest, DefaultAndCancelButtonsFollowTheRequestedKinds) {
    TbsSkinMessage m(nullptr);
    const struct Case {
        TMsgDlgButtons buttons;
        int defaultKind, cancelKind;  // -1: none
    } cases[] = {
        {MsgButtons({mbAbort, mbRetry, mbIgnore}), mbRetry, -1},
        {MsgButtons({mbOK, mbCancel}), mbOK, mbCancel},
        {MsgButtons({mbYes, mbNo, mbCancel}), mbYes, mbCancel},
        {MsgButtons({mbClose}), -1, -1},
    };
    for (const Case& c : cases) {
        OnShown([&](TbsMessageForm* f) {
            for (int k = 0; k < 12; ++k) {
                TbsSkinButton* b = f->ButtonOf(static_cast<TMsgDlgBtn>(k));
                if (!b) continue;
                EXPECT_EQ(b->Default(), k == c.defaultKind) << "kind " << k;
                EXPECT_EQ(b->Cancel, k == c.cancelKind) << "kind " << k;
            }
            f->ModalResult = mrAbort;
        });
        m.MessageDlg(L"?", mtWarning, c.buttons, 0);
    }
    OnShown([](TbsMessageForm* f) { ClickButton(f->ButtonOf(mbClose)); });
    EXPECT_EQ(m.MessageDlg(L"done", mtCustom, MsgButtons({mbClose}), 0), 11);
}

TEST_F(MessageTest, TextsComeFromTheSkinStringsWithBuiltInFallBacks) {
    TbsSkinData store(nullptr);
    TbsResourceStrData strings(nullptr);
    strings.ResStrings()->Clear();
    strings.ResStrings()->Add(L"MSG_BTN_YES=Oui");
    strings.ResStrings()->Add(L"MSG_CAP_WARNING=Attention");
    store.SetResourceStrData(&strings);
    EXPECT_EQ(GetMessageButtonCaption(mbYes, &store), L"Oui");
    EXPECT_EQ(GetMessageButtonCaption(mbNo, &store), L"&No");  // the key is missing
    EXPECT_EQ(GetMessageButtonCaption(mbClose, &store), L"Close");
    EXPECT_EQ(GetMessageButtonCaption(mbNoToAll, nullptr), L"N&oToAll");
    EXPECT_EQ(GetMessageDialogCaption(mtWarning, &store), L"Attention");
    EXPECT_EQ(GetMessageDialogCaption(mtError, &store), L"Error");
    EXPECT_EQ(GetMessageDialogCaption(mtCustom, &store), L"");
    store.SetResourceStrData(nullptr);
}

TEST_F(MessageTest, TheDialogIsAFramedFormNoWiderThanTheFrameAllows) {
    TbsSkinMessage m(nullptr);
    m.AlphaBlendValue = 180;
    int width = 0, maxWidth = 0;
    TbsBorderIcons icons = ~0u;
    BYTE alpha = 0;
    String text;
    OnShown([&](TbsMessageForm* f) {
        ASSERT_NE(f->BSF, nullptr);
        icons = f->BSF->BorderIcons();
        alpha = f->BSF->AlphaBlendValue();
        width = f->Width();
        maxWidth = f->BSF->GetMaxWidth();
        text = f->Message->Caption();
        f->ModalResult = mrOk;
    });
    // One line far wider than any screen: the form stops at the frame's
    // maximum width.
    const String line(800, L'W');
    m.MessageDlg(line, mtInformation, MsgButtons({mbOK}), 0);
    EXPECT_EQ(icons, 0u);  // the frame shows no caption buttons
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(text, line);
    EXPECT_GT(maxWidth, 0);
    EXPECT_EQ(width, maxWidth);
}

TEST_F(MessageTest, TheShowAgainBoxWritesItsStateBack) {
    TbsSkinMessage m(nullptr);
    m.ShowAgainFlag = true;
    m.ShowAgainFlagValue = false;
    OnShown([](TbsMessageForm* f) {
        ASSERT_NE(f->DisplayCheckBox, nullptr);
        EXPECT_TRUE(f->DisplayCheckBox->Checked());
        f->DisplayCheckBox->SetChecked(false);
        f->ModalResult = mrOk;
    });
    m.MessageDlg(L"Tip", mtInformation, MsgButtons({mbOK}), 0);
    EXPECT_EQ(shownClientH, labelH + 75 + 40);
    EXPECT_TRUE(m.ShowAgainFlagValue);
    // The wide variant has no box and leaves the value alone.
    OnShown([](TbsMessageForm* f) {
        EXPECT_EQ(f->DisplayCheckBox, nullptr);
        f->ModalResult = mrOk;
    });
    m.WideMessageDlg(L"Tip", mtInformation, MsgButtons({mbOK}), 0);
    EXPECT_TRUE(m.ShowAgainFlagValue);
}

// An image list whose pictures cannot be drawn.
class BrokenImages : public TCustomImageList {
public:
    BrokenImages() : TCustomImageList(nullptr) {
        TBitmap b(16, 16);
        Add(&b, nullptr);
    }

protected:
    void DoDraw(int, TCanvas*, int, int, UINT, bool) override { throw Exception(L"no picture"); }
};

// A form whose building fails part-way is freed at once and not left to
// the application until the program ends.
TEST_F(MessageTest, AFormWhoseBuildingFailsIsFreedAtOnce) {
    TbsSkinMessage m(nullptr);
    BrokenImages images;
    ASSERT_EQ(images.Count(), 1);
    auto messageForms = [] {
        int n = 0;
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (dynamic_cast<TbsMessageForm*>(Application->Components(i))) ++n;
        return n;
    };
    const int before = messageForms();
    bool shown = false;
    OnShown([&](TbsMessageForm* f) {
        shown = true;
        f->ModalResult = mrOk;
    });
    EXPECT_THROW(m.CustomMessageDlg(L"Text", L"Vantrel", &images, 0, MsgButtons({mbOK}), 0), Exception);
    EXPECT_FALSE(shown);
    EXPECT_EQ(messageForms(), before);
}

}  // namespace
