#pragma once
// The options dialog "选项": thread priority, thread count, live preview,
// the action at the end of a batch and the rule for an output file that
// exists already. The main window reads the controls themselves when it
// needs them; the "Options" section of "option.ini" is read once, when the
// dialog is created, and written by OK.
//
// Name map: Button1Click load "Options", Button2Click save "Options",
// bsSkinButton6Click OK, bsSkinButton1Click Cancel, bsSkinCheckRadioBox7Click
// thread-count switch, bsSkinCheckRadioBox8Click live preview.
//
// Threads: UI thread only.

#include <array>

#include "platform/Forms.h"

class TbsSkinFrame;
class TbsSkinButton;
class TbsSkinPanel;
class TbsSkinGroupBox;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TbsSkinStdLabel;
class TbsSkinComboBox;
class TbsSkinCheckRadioBox;
class TButton;
class TbsSkinData;

class TForm5 : public TForm {
public:
    explicit TForm5(TComponent* owner);

    TbsSkinFrame* bsSkinFrame1 = nullptr;
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;  // "CPU设置"
    TbsSkinTabSheet* bsSkinTabSheet2 = nullptr;  // "常规设置"
    TbsSkinGroupBox *bsSkinPanel4 = nullptr, *bsSkinPanel2 = nullptr;
    TbsSkinGroupBox *bsSkinPanel3 = nullptr, *bsSkinPanel1 = nullptr;
    TbsSkinStdLabel* bsSkinStdLabel1 = nullptr;
    TbsSkinComboBox* bsSkinComboBox2 = nullptr;  // thread count "1".."19"
    // Priority: 9 idle, 10 lowest, 11 lower, 12 normal.
    TbsSkinCheckRadioBox *bsSkinCheckRadioBox9 = nullptr, *bsSkinCheckRadioBox10 = nullptr;
    TbsSkinCheckRadioBox *bsSkinCheckRadioBox11 = nullptr, *bsSkinCheckRadioBox12 = nullptr;
    // 7 thread-count switch (hidden), 8 live preview.
    TbsSkinCheckRadioBox *bsSkinCheckRadioBox7 = nullptr, *bsSkinCheckRadioBox8 = nullptr;
    // End of batch: 1 open folder, 2 shut down, 4 sound, 5 nothing.
    TbsSkinCheckRadioBox *bsSkinCheckRadioBox1 = nullptr, *bsSkinCheckRadioBox2 = nullptr;
    TbsSkinCheckRadioBox *bsSkinCheckRadioBox4 = nullptr, *bsSkinCheckRadioBox5 = nullptr;
    // Existing output file: 3 overwrite, 6 rename.
    TbsSkinCheckRadioBox *bsSkinCheckRadioBox3 = nullptr, *bsSkinCheckRadioBox6 = nullptr;
    TbsSkinButton* bsSkinButton6 = nullptr;  // "确定"
    TbsSkinButton* bsSkinButton1 = nullptr;  // "取消"
    TbsSkinPanel* Panel1 = nullptr;          // hidden procedure buttons
    TButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;

    // Shows the dialog modally. Cancel puts the controls (and with them the
    // encoder's live preview) back as they were when it was shown.
    void Execute();

    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    void bsSkinButton6Click(TObject* sender);
    void bsSkinButton1Click(TObject* sender);
    void bsSkinCheckRadioBox7Click(TObject* sender);
    void bsSkinCheckRadioBox8Click(TObject* sender);

    // The thread count a batch uses: the list's number while box 7 is ticked
    // (1 when the text is not a number), otherwise 1.
    int ThreadCount() const;

private:
    struct TSnapshot {
        int threadCount = 0;
        std::array<bool, 12> boxes{};  // Checked of boxes 1..12, by number - 1
    };
    TbsSkinCheckRadioBox* Box(int number) const;
    TSnapshot Snapshot() const;
    void Restore(const TSnapshot& s);

    void CreateCpuTab(TbsSkinData* store);
    void CreateGeneralTab(TbsSkinData* store);
    void LoadThreadCount();
    void LoadChoice(const wchar_t* key, const wchar_t* def, std::initializer_list<TbsSkinCheckRadioBox*> boxes);
    void LoadPreview();

    TSnapshot FShown;
};

extern TForm5* Form5;
