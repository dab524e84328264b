// Skin records: defaults, class chains and their adjustments after reading.
#include <gtest/gtest.h>

#include "skin/bsSkinData.h"

namespace {

std::unique_ptr<TMemIniFile> IniOf(const String& text) {
    TStringList l;
    l.SetText(text);
    auto ini = std::make_unique<TMemIniFile>();
    ini->SetStrings(&l);
    return ini;
}

template <class T>
std::unique_ptr<T> Load(const String& name, const String& text) {
    auto ini = IniOf(text);
    auto rec = std::make_unique<T>(name);
    rec->LoadFromFile(ini.get());
    return rec;
}

// The keys a record writes into its section.
template <class T>
std::vector<String> KeysOf(const String& kind) {
    std::unique_ptr<T> rec;
    if constexpr (std::is_base_of_v<TbsDataSkinControl, T>) rec.reset(static_cast<T*>(NewSkinControl(kind, L"x").release()));
    else rec.reset(static_cast<T*>(NewSkinObject(kind, L"x").release()));
    TMemIniFile ini;
    rec->SaveToFile(&ini);
    TStringList keys;
    ini.ReadSection(L"x", &keys);
    std::vector<String> out;
    for (int i = 0; i < keys.Count(); ++i) out.push_back(keys[i]);
    return out;
}

bool Has(const std::vector<String>& keys, const String& k) {
    return std::find(keys.begin(), keys.end(), k) != keys.end();
}

TEST(ControlRecords, MissingKeysTakeTheirDefaults) {
    auto b = Load<TbsDataSkinButtonControl>(L"button", L"[button]\r\nskinrect=0,0,10,10\r\n");
    EXPECT_EQ(b->FontName, L"Arial");
    EXPECT_EQ(b->FontHeight, 14);
    EXPECT_EQ(b->AnimateInterval, 25);
    EXPECT_EQ(b->GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(b->PictureIndex, -1);
    EXPECT_EQ(b->SkinRect, TRect(0, 0, 10, 10));
    EXPECT_EQ(Load<TbsDataSkinControlBar>(L"cb", L"")->ItemOffset1, 3);
    EXPECT_EQ(Load<TbsDataSkinStdLabelControl>(L"l", L"")->ActiveFontColor, 16711680);
    EXPECT_EQ(Load<TbsDataSkinListBox>(L"lb", L"")->VScrollBarName, L"vscrollbar");
    EXPECT_EQ(Load<TbsDataSkinListBox>(L"lb", L"")->BothScrollBarName, L"bothhscrollbar");
    auto colors = std::make_unique<TbsSkinColors>();
    EXPECT_EQ(colors->cBtnFace, 0);
    colors->LoadFromFile(IniOf(L"").get());
    EXPECT_EQ(colors->cBtnFace, -16777201);
    EXPECT_EQ(colors->cBtnShadow, -16777200);
}

TEST(ControlRecords, DerivedKindsCarryTheirParentsKeys) {
    const auto memo = KeysOf<TbsDataSkinControl>(L"memo");
    EXPECT_TRUE(Has(memo, L"buttonrect") && Has(memo, L"bgcolor") && Has(memo, L"activebgcolor"));
    const auto clb = KeysOf<TbsDataSkinControl>(L"checklistbox");
    EXPECT_TRUE(Has(clb, L"vscrollbarname") && Has(clb, L"itemcheckrect"));
    EXPECT_TRUE(Has(KeysOf<TbsDataSkinControl>(L"menubutton"), L"trackbuttonrect"));
    for (const wchar_t* kind : {L"slider", L"grid", L"bevel", L"stdlabel", L"treeview", L"listview", L"richedit",
                                L"mainmenubar"})
        EXPECT_FALSE(Has(KeysOf<TbsDataSkinControl>(kind), L"lefttoppoint")) << kind;
    EXPECT_TRUE(Has(KeysOf<TbsDataSkinControl>(L"tab"), L"lefttoppoint"));
    EXPECT_TRUE(Has(KeysOf<TbsDataSkinControl>(L"panel"), L"stretchtype"));
}

TEST(Records, EveryKindWordNamesItsOwnClass) {
    for (const wchar_t* kind :
         {L"panel", L"expanel", L"menubutton", L"button", L"checkradio", L"gauge", L"splitter", L"trackbar",
          L"label", L"stdlabel", L"updown", L"grid", L"tab", L"mainmenubar", L"controlbar", L"memo", L"edit",
          L"checklistbox", L"listbox", L"combobox", L"scrollbar", L"spinedit", L"scrollbox", L"treeview",
          L"bevel", L"slider", L"listview", L"richedit"}) {
        auto rec = NewSkinControl(kind, L"n");
        ASSERT_TRUE(rec) << kind;
        EXPECT_EQ(SkinControlKind(rec.get()), kind);
    }
    for (const wchar_t* kind : {L"menuitem", L"mainmenubaritem", L"stdbutton", L"mainmenubarbutton", L"button",
                                L"caption", L"animate", L"userobject"}) {
        auto rec = NewSkinObject(kind, L"n");
        ASSERT_TRUE(rec) << kind;
        EXPECT_EQ(SkinObjectKind(rec.get()), kind);
    }
    EXPECT_FALSE(NewSkinControl(L"Button", L"n"));
    EXPECT_FALSE(NewSkinObject(L"window", L"n"));
}

TEST(FrameObjects, RestoreHintDefaultsOnlyForTheExactHint) {
    auto max = Load<TbsDataSkinStdButton>(L"b", L"[b]\r\nhint=Maximize\r\ncommand=cmmaximize\r\n");
    EXPECT_EQ(max->RestoreHint, L"Restore");
    auto lower = Load<TbsDataSkinStdButton>(L"b", L"[b]\r\nhint=maximize\r\ncommand=cmmaximize\r\n");
    EXPECT_EQ(lower->RestoreHint, L"");
    auto roll = Load<TbsDataSkinAnimate>(L"b", L"[b]\r\nhint=Roll Up\r\ncommand=cmrollup\r\n");
    EXPECT_EQ(roll->RestoreHint, L"Restore");
    auto given = Load<TbsDataSkinStdButton>(L"b", L"[b]\r\nhint=Maximize\r\ncommand=cmmaximize\r\nrestorehint=Back\r\n");
    EXPECT_EQ(given->RestoreHint, L"Back");
}

TEST(FrameObjects, AdjustmentsAfterReading) {
    auto anim = Load<TbsDataSkinAnimate>(L"a", L"[a]\r\nmorphing=1\r\n");
    EXPECT_FALSE(anim->Morphing);
    EXPECT_EQ(anim->CountFrames, 1);
    EXPECT_EQ(anim->TimerInterval, 50);
    auto mi = Load<TbsDataSkinMenuItem>(L"m", L"[m]\r\ncheckimagerect=1,2,11,12\r\narrowimagerect=0,0,5,5\r\n"
                                              L"activearrowimagerect=5,0,10,5\r\n");
    EXPECT_EQ(mi->ActiveCheckImageRect, TRect(1, 2, 11, 12));
    EXPECT_EQ(mi->ActiveArrowImageRect, TRect(5, 0, 10, 5));
    auto user = Load<TbsDataUserObject>(L"u", L"[u]\r\nactivepictureindex=3\r\nskinrect=1,1,4,4\r\n");
    EXPECT_EQ(user->ActivePictureIndex, -1);
    EXPECT_EQ(user->SkinRect, TRect(1, 1, 4, 4));
    auto item = Load<TbsDataSkinMainMenuBarItem>(L"i", L"[i]\r\nunenabledfontcolor=255\r\n");
    EXPECT_EQ(item->UnEnabledFontColor, 255);
}

TEST(FrameObjects, AFrameObjectAndAControlOfOneNameShareTheSection) {
    auto ini = IniOf(L"[shared]\r\nskinrect=1,2,3,4\r\n");
    TbsDataSkinButton obj(L"shared");
    TbsDataSkinButtonControl ctrl(L"shared");
    obj.LoadFromFile(ini.get());
    ctrl.LoadFromFile(ini.get());
    EXPECT_EQ(obj.SkinRect, ctrl.SkinRect);
}

TEST(Records, SavingAndReadingBackGivesTheSameText) {
    // Every kind, with a few non-default values, survives a write and read.
    for (const wchar_t* kind : {L"tab", L"listbox", L"scrollbar", L"button", L"gauge", L"expanel"}) {
        auto rec = NewSkinControl(kind, L"r");
        rec->SkinRect = TRect(-3, 1, 20, 30);
        rec->PictureIndex = 2;
        TMemIniFile a;
        rec->SaveToFile(&a);
        auto back = NewSkinControl(kind, L"r");
        back->LoadFromFile(&a);
        TMemIniFile b;
        back->SaveToFile(&b);
        TStringList la, lb;
        a.GetStrings(&la);
        b.GetStrings(&lb);
        EXPECT_EQ(la.Text(), lb.Text()) << kind;
    }
}

}  // namespace
