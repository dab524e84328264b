// The key names of the skin text, pinned by lists written out independently
// of the records: every record must write exactly these keys, in this order
// (parent keys first), into its section. The reader walks the same fields,
// so a mistyped name here would otherwise go unnoticed by a round trip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "SkinFixture.h"

namespace {

using KeyList = std::vector<const wchar_t*>;

// clang-format off
const KeyList kFormInfo = {L"lefttoppoint", L"righttoppoint", L"leftbottompoint", L"rightbottompoint", L"clientrect",
    L"bgpictureindex", L"mdibgpictureindex", L"leftstretch", L"rightstretch", L"topstretch", L"bottomstretch",
    L"stretcheffect", L"stretchtype", L"mdibgstretcheffect", L"mdibgstretchtype", L"maskrectarea",
    L"hittestlefttoppoint", L"hittestrighttoppoint", L"hittestleftbottompoint", L"hittestrightbottompoint",
    L"buttonsrect", L"captionrect", L"buttonsoffset", L"buttonsinleft", L"mainmenupopupup", L"borderwidth",
    L"autorenderinginactiveimage", L"inactiveeffect", L"formminwidth", L"mditabstransparent",
    L"mainmenubartransparent"};
const KeyList kObject = {L"hint", L"activepictureindex", L"activemaskpictureindex", L"skinrectinapicture",
    L"skinrect", L"activeskinrect", L"inactiveskinrect", L"morphing", L"morphkind", L"glowlayerpictureindex",
    L"glowlayermaskpictureindex", L"glowlayeroffsetx", L"glowlayeroffsety", L"glowlayeralphablendvalue"};
const KeyList kButtonObject = {L"downrect", L"disableskinrsect"};
const KeyList kStdButton = {L"command", L"restorerect", L"restoreactiverect", L"restoredownrect",
    L"restoreinactiverect", L"restorehint"};
const KeyList kAnimate = {L"countframes", L"cycle", L"buttonstyle", L"timerinterval", L"command", L"downskinrect",
    L"restorerect", L"restoreactiverect", L"restoredownrect", L"restoreinactiverect", L"restorehint"};
const KeyList kMenuItem = {L"itemleftoffset", L"itemrightoffset", L"dividerrect", L"dividerleftoffset",
    L"dividerrightoffset", L"textrect", L"imagerect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor",
    L"activefontcolor", L"unenabledfontcolor", L"stretcheffect", L"inactivestretcheffect", L"dividerstretcheffect",
    L"animateskinrect", L"framecount", L"animateinterval", L"inactiveanimation", L"useimagecolor", L"imagecolor",
    L"activeimagecolor", L"inactivetransparent", L"checkimagerect", L"activecheckimagerect", L"radioimagerect",
    L"activeradioimagerect", L"arrowimagerect", L"activearrowimagerect"};
const KeyList kMainMenuItem = {L"itemleftoffset", L"itemrightoffset", L"downrect", L"textrect", L"fontname",
    L"fontheight", L"fontstyle", L"fontcolor", L"activefontcolor", L"downfontcolor", L"unenabledfontColor",
    L"stretcheffect", L"animateskinrect", L"framecount", L"animateinterval", L"inactiveanimation"};
const KeyList kCaption = {L"textrect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"activefontcolor",
    L"alignment", L"light", L"lightcolor", L"activelightcolor", L"shadow", L"shadowcolor", L"activeshadowcolor",
    L"framerect", L"activeframerect", L"frametextrect", L"frameleftoffset", L"framerightoffset", L"stretcheffect",
    L"animateskinrect", L"framecount", L"animateinterval", L"inactiveanimation", L"fullframe", L"vistagloweffect",
    L"vistaglowinactiveeffect", L"gloweffect", L"glowinactiveeffect", L"glowsize", L"glowcolor", L"glowactivecolor",
    L"glowoffset", L"reflectioneffect", L"reflactioncolor", L"reflactionactivecolor", L"reflectionoffset"};
const KeyList kColors = {L"cbtnface", L"cbtntext", L"cwindow", L"cwindowtext", L"chighlight", L"chighlighttext",
    L"cbtnhighlight", L"cbtnshadow"};
const KeyList kPopupWindow = {L"windowpictureindex", L"maskpictureindex", L"lefttoppoint", L"righttoppoint",
    L"leftbottompoint", L"rightbottompoint", L"itemsrect", L"scrollmarkercolor", L"scrollmarkeractivecolor",
    L"leftstretch", L"rightstretch", L"topstretch", L"bottomstretch", L"stretcheffect", L"stretchtype"};
const KeyList kLayerFrame = {L"pictureindex", L"maskpictureindex", L"inactivepictureindex",
    L"inactivemaskpictureindex", L"lefttoppoint", L"righttoppoint", L"leftbottompoint", L"rightbottompoint",
    L"clientrect", L"alphablendvalue", L"inactivealphablendvalue", L"borderrect", L"hittestenable"};
const KeyList kHintWindow = {L"windowpictureindex", L"maskpictureindex", L"lefttoppoint", L"righttoppoint",
    L"leftbottompoint", L"rightbottompoint", L"clientrect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor",
    L"leftstretch", L"rightstretch", L"topstretch", L"bottomstretch", L"stretcheffect", L"stretchtype"};
const KeyList kControl = {L"pictureindex", L"maskpictureindex", L"skinrect"};
const KeyList kCustomControl = {L"lefttoppoint", L"righttoppoint", L"leftbottompoint", L"rightbottompoint",
    L"clientrect", L"leftstretch", L"topstretch", L"rightstretch", L"bottomstretch", L"stretcheffect",
    L"stretchtype"};
const KeyList kButtonControl = {L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"activefontcolor",
    L"downfontcolor", L"disabledfontcolor", L"activeskinrect", L"downskinrect", L"focusedskinrect",
    L"disabledskinrect", L"morphing", L"morphkind", L"animateskinrect", L"framecount", L"animateinterval",
    L"showfocus", L"menumarkerflatrect", L"menumarkerrect", L"menumarkeractiverect", L"menumarkerdownrect",
    L"menumarkertransparentcolor", L"glowlayerpictureindex", L"glowlayermaskpictureindex", L"glowlayeroffsetleft",
    L"glowlayeroffsettop", L"glowlayeroffsetright", L"glowlayeroffsetbottom", L"glowlayershowoffsetx",
    L"glowlayershowoffsety", L"glowlayeralphablendvalue"};
const KeyList kMenuButton = {L"trackbuttonrect"};
const KeyList kCheckRadio = {L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"activefontcolor",
    L"unenabledfontcolor", L"framefontcolor", L"activeskinrect", L"checkimagearea", L"textarea", L"checkimagerect",
    L"uncheckimagerect", L"activecheckimagerect", L"activeuncheckimagerect", L"unenabledcheckimagerect",
    L"unenableduncheckimagerect", L"grayedcheckimagerect", L"activegrayedcheckimagerect", L"morphing", L"morphkind"};
const KeyList kUpDown = {L"upbuttonrect", L"activeupbuttonrect", L"downupbuttonrect", L"downbuttonrect",
    L"activedownbuttonrect", L"downdownbuttonrect"};
const KeyList kPanel = {L"bgpictureindex", L"captionrect", L"alignment", L"fontname", L"fontheight", L"fontstyle",
    L"fontcolor", L"checkimagerect", L"uncheckimagerect", L"markframerect", L"framerect", L"frametextrect",
    L"frameleftoffset", L"framerightoffset", L"gripperrect", L"grippertransparent", L"grippertransparentcolor"};
const KeyList kExPanel = {L"rollhskinrect", L"rollvskinrect", L"rollleftoffset", L"rollrightoffset",
    L"rolltopoffset", L"rollbottomoffset", L"rollvcaptionrect", L"rollhcaptionrect", L"closebuttonrect",
    L"closebuttonactiverect", L"closebuttondownrect", L"hrollbuttonrect", L"hrollbuttonactiverect",
    L"hrollbuttondownrect", L"hrestorebuttonrect", L"hrestorebuttonactiverect", L"hrestorebuttondownrect",
    L"vrollbuttonrect", L"vrollbuttonactiverect", L"vrollbuttondownrect", L"vrestorebuttonrect",
    L"vrestorebuttonactiverect", L"vrestorebuttondownrect", L"captionrect", L"fontname", L"fontheight", L"fontstyle",
    L"fontcolor", L"buttonstransparent", L"buttonstransparentcolor"};
const KeyList kScrollBox = {L"bgpictureindex"};
const KeyList kControlBar = {L"itemrect", L"bgpictureindex", L"hgriprect", L"vgriprect", L"gripoffset1", L"gripoffset2",
    L"itemstretcheffect", L"itemoffset1", L"itemoffset2", L"itemtransparent", L"itemtransparentcolor",
    L"griptransparent", L"griptransparentcolor"};
const KeyList kSplitter = {L"gripperrect", L"grippertransparent", L"grippertransparentcolor"};
const KeyList kBevel = {L"lightcolor", L"darkcolor"};
const KeyList kLabel = {L"fontname", L"fontheight", L"fontstyle", L"fontcolor"};
const KeyList kStdLabel = {L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"activefontcolor"};
const KeyList kEdit = {L"activeskinrect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor",
    L"disabledfontcolor", L"activefontcolor", L"buttonrect", L"activebuttonrect", L"downbuttonrect",
    L"unenabledbuttonrect"};
const KeyList kMemo = {L"bgcolor", L"activebgcolor"};
const KeyList kSpinEdit = {L"activeskinrect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor",
    L"activefontcolor", L"disabledfontcolor", L"upbuttonrect", L"activeupbuttonrect", L"downupbuttonrect",
    L"downbuttonrect", L"activedownbuttonrect", L"downdownbuttonrect"};
const KeyList kRichEdit = {L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"bgcolor"};
const KeyList kListBox = {L"itemrect", L"activeitemrect", L"focusitemrect", L"itemleftoffset", L"itemrightoffset",
    L"itemtextrect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"activefontcolor", L"focusfontcolor",
    L"captionrect", L"captionfontname", L"captionfontheight", L"captionfontstyle", L"captionfontcolor",
    L"upbuttonrect", L"activeupbuttonrect", L"downupbuttonrect", L"downbuttonrect", L"activedownbuttonrect",
    L"downdownbuttonrect", L"checkbuttonrect", L"activecheckbuttonrect", L"downcheckbuttonrect", L"vscrollbarname",
    L"hscrollbarname", L"bothhscrollbarname", L"showfocus", L"disabledbuttonsrect", L"buttonsarea"};
const KeyList kCheckListBox = {L"itemcheckrect", L"checkimagerect", L"uncheckimagerect"};
const KeyList kComboBox = {L"activeskinrect", L"itemrect", L"activeitemrect", L"focusitemrect", L"itemleftoffset",
    L"itemrightoffset", L"itemtextrect", L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"focusfontcolor",
    L"activefontcolor", L"listboxname", L"buttonrect", L"activebuttonrect", L"downbuttonrect",
    L"unenabledbuttonrect", L"itemstretcheffect", L"focusitemstretcheffect", L"showfocus"};
const KeyList kGrid = {L"fixedcellrect", L"selectcellrect", L"focuscellrect", L"fixedcellleftoffset",
    L"fixedcellrightoffset", L"fixedcelltextrect", L"cellleftoffset", L"cellrightoffset", L"celltextrect",
    L"bgpictureindex", L"linescolor", L"bgcolor", L"fontname", L"fontheight", L"fontstyle", L"fontcolor",
    L"selectfontcolor", L"focusfontcolor", L"fixedfontname", L"fixedfontheight", L"fixedfontstyle",
    L"fixedfontcolor", L"cellstretcheffect", L"fixedcellstretcheffect", L"showfocus"};
const KeyList kScrollBar = {L"trackarea", L"upbuttonrect", L"activeupbuttonrect", L"downupbuttonrect",
    L"downbuttonrect", L"activedownbuttonrect", L"downdownbuttonrect", L"thumbrect", L"activethumbrect",
    L"downthumbrect", L"thumboffset1", L"thumboffset2", L"thumbtransparent", L"thumbtransparentcolor",
    L"thumbstretcheffect", L"thumbminsize", L"thumbminpagesize", L"glyphrect", L"activeglyphrect", L"downglyphrect",
    L"glyphtransparent", L"glyphtransparentcolor"};
const KeyList kTrackBar = {L"activeskinrect", L"trackarea", L"buttonrect", L"activebuttonrect", L"vertical",
    L"buttontransparent", L"buttontransparentcolor"};
const KeyList kGauge = {L"progressarea", L"progressrect", L"beginoffset", L"endoffset", L"vertical", L"fontname",
    L"fontheight", L"fontstyle", L"fontcolor", L"progresstransparent", L"progresstransparentcolor",
    L"progressstretch", L"animationskinrect", L"animationcountframes", L"animationtimerinterval",
    L"progressanimationskinrect", L"progressanimationcountframes", L"progressanimationtimerinterval",
    L"animationbeginoffset", L"animationendoffset"};
const KeyList kSlider = {L"bgcolor", L"hrulerrect", L"hthumbrect", L"vrulerrect", L"vthumbrect", L"edgesize",
    L"pointscolor"};
const KeyList kTab = {L"tabrect", L"activetabrect", L"focustabrect", L"mouseintabrect", L"clientrect",
    L"bgpictureindex", L"lefttoppoint", L"righttoppoint", L"leftbottompoint", L"rightbottompoint", L"tableftoffset",
    L"tabrightoffset", L"tabsbgrect", L"tabstretcheffect", L"leftstretch", L"topstretch", L"rightstretch",
    L"bottomstretch", L"stretcheffect", L"stretchtype", L"fontname", L"fontheight", L"fontstyle", L"fontcolor",
    L"activefontcolor", L"focusfontcolor", L"mouseinfontcolor", L"updown", L"showfocus", L"focusoffsetx",
    L"focusoffsety", L"closebuttonrect", L"closebuttonactiverect", L"closebuttondownrect", L"buttontransparent",
    L"buttontransparentcolor"};
const KeyList kMainMenuBar = {L"itemsrect", L"menubaritem", L"closebutton", L"minbutton", L"maxbutton",
    L"sysmenubutton", L"trackmarkcolor", L"trackmarkactivecolor", L"stretcheffect", L"itemtransparent"};
const KeyList kFontColor = {L"fontname", L"fontheight", L"fontstyle", L"fontcolor", L"bgcolor"};
// clang-format on

// Keys are matched without regard to case by every reader of the skin text.
String Lower(String s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return s;
}

std::vector<String> Concat(std::initializer_list<const KeyList*> parts) {
    std::vector<String> out;
    for (const KeyList* p : parts)
        for (const wchar_t* k : *p) out.push_back(Lower(k));
    return out;
}

std::vector<String> SectionKeys(TCustomIniFile* ini, const String& section) {
    TStringList keys;
    ini->ReadSection(section, &keys);
    std::vector<String> out;
    for (int i = 0; i < keys.Count(); ++i) out.push_back(Lower(keys[i]));
    return out;
}

struct KindKeys {
    const wchar_t* kind;
    std::vector<String> keys;
};

void PrintTo(const KindKeys& k, std::ostream* os) { *os << std::string(k.kind, k.kind + wcslen(k.kind)); }

std::vector<KindKeys> ControlKinds() {
    const KeyList* c = &kControl;
    const KeyList* cc = &kCustomControl;
    return {
        {L"panel", Concat({c, cc, &kPanel})},
        {L"expanel", Concat({c, cc, &kExPanel})},
        {L"menubutton", Concat({c, cc, &kButtonControl, &kMenuButton})},
        {L"button", Concat({c, cc, &kButtonControl})},
        {L"checkradio", Concat({c, cc, &kCheckRadio})},
        {L"gauge", Concat({c, cc, &kGauge})},
        {L"splitter", Concat({c, cc, &kSplitter})},
        {L"trackbar", Concat({c, cc, &kTrackBar})},
        {L"label", Concat({c, cc, &kLabel})},
        {L"stdlabel", Concat({c, &kStdLabel})},
        {L"updown", Concat({c, cc, &kUpDown})},
        {L"grid", Concat({c, &kGrid})},
        {L"tab", Concat({c, &kTab})},
        {L"mainmenubar", Concat({c, &kMainMenuBar})},
        {L"controlbar", Concat({c, cc, &kControlBar})},
        {L"memo", Concat({c, cc, &kEdit, &kMemo})},
        {L"edit", Concat({c, cc, &kEdit})},
        {L"checklistbox", Concat({c, cc, &kListBox, &kCheckListBox})},
        {L"listbox", Concat({c, cc, &kListBox})},
        {L"combobox", Concat({c, cc, &kComboBox})},
        {L"scrollbar", Concat({c, cc, &kScrollBar})},
        {L"spinedit", Concat({c, cc, &kSpinEdit})},
        {L"scrollbox", Concat({c, cc, &kScrollBox})},
        {L"treeview", Concat({c, &kFontColor})},
        {L"bevel", Concat({c, &kBevel})},
        {L"slider", Concat({c, &kSlider})},
        {L"listview", Concat({c, &kFontColor})},
        {L"richedit", Concat({c, &kRichEdit})},
    };
}

std::vector<KindKeys> ObjectKinds() {
    const KeyList* o = &kObject;
    const KeyList skinRectOnly = {L"skinrect"};
    return {
        {L"menuitem", Concat({o, &kMenuItem})},
        {L"mainmenubaritem", Concat({o, &kMainMenuItem})},
        {L"stdbutton", Concat({o, &kButtonObject, &kStdButton})},
        {L"mainmenubarbutton", Concat({o, &kButtonObject, &kStdButton})},
        {L"button", Concat({o, &kButtonObject})},
        {L"caption", Concat({o, &kCaption})},
        {L"animate", Concat({o, &kAnimate})},
        {L"userobject", Concat({&skinRectOnly})},
    };
}

class ControlKeys : public ::testing::TestWithParam<KindKeys> {};

TEST_P(ControlKeys, RecordWritesExactlyTheseKeysInOrder) {
    auto rec = NewSkinControl(GetParam().kind, L"rec");
    ASSERT_TRUE(rec);
    TMemIniFile ini;
    rec->SaveToFile(&ini);
    EXPECT_EQ(SectionKeys(&ini, L"rec"), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ControlKeys, ::testing::ValuesIn(ControlKinds()),
                         [](const auto& info) { return std::string(info.param.kind, info.param.kind + wcslen(info.param.kind)); });

class ObjectKeys : public ::testing::TestWithParam<KindKeys> {};

TEST_P(ObjectKeys, RecordWritesExactlyTheseKeysInOrder) {
    auto rec = NewSkinObject(GetParam().kind, L"rec");
    ASSERT_TRUE(rec);
    TMemIniFile ini;
    rec->SaveToFile(&ini);
    EXPECT_EQ(SectionKeys(&ini, L"rec"), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ObjectKeys, ::testing::ValuesIn(ObjectKinds()),
                         [](const auto& info) { return std::string(info.param.kind, info.param.kind + wcslen(info.param.kind)); });

TEST(StoreKeys, FixedSectionsHoldExactlyTheirKeys) {
    auto store = MakeSkinStore(L"keys", clRed);
    TMemIniFile ini;
    store->SaveToIniFile(&ini);
    const KeyList version = {L"ver", L"skinname", L"skinauthor", L"authoremail", L"authorurl", L"skincomments"};
    // Two further pictures: the count, then one entry per picture.
    const KeyList pictures = {L"picture", L"inactivepicture", L"mask", L"activepicturescount", L"0", L"1"};
    EXPECT_EQ(SectionKeys(&ini, L"VERSION"), Concat({&version}));
    EXPECT_EQ(SectionKeys(&ini, L"PICTURES"), Concat({&pictures}));
    EXPECT_EQ(SectionKeys(&ini, L"FORMINFO"), Concat({&kFormInfo}));
    EXPECT_EQ(SectionKeys(&ini, L"POPUPWINDOW"), Concat({&kPopupWindow}));
    EXPECT_EQ(SectionKeys(&ini, L"LAYERFRAME"), Concat({&kLayerFrame}));
    EXPECT_EQ(SectionKeys(&ini, L"HINTWINDOW"), Concat({&kHintWindow}));
    EXPECT_EQ(SectionKeys(&ini, L"SKINCOLORS"), Concat({&kColors}));
    // The two index sections: a count, then name:kind under "0" .. count - 1.
    EXPECT_EQ(ini.ReadString(L"SKINOBJECTS", L"count", L""), L"1");
    EXPECT_EQ(ini.ReadString(L"SKINOBJECTS", L"0", L""), L"caption:caption");
    EXPECT_EQ(ini.ReadString(L"SKINCONTROLS", L"count", L""), L"2");
    EXPECT_EQ(ini.ReadString(L"SKINCONTROLS", L"0", L""), L"button:button");
    EXPECT_EQ(ini.ReadString(L"SKINCONTROLS", L"1", L""), L"panel:panel");
}

// The reader finds a record's values under the same names: a section
// written by hand with the listed name of one key of each value type.
TEST(StoreKeys, ReaderTakesTheListedNames) {
    TStringList l;
    l.SetText(L"[c]\r\ncaptionrect=1,2,3,4\r\nbgpictureindex=7\r\ngrippertransparent=1\r\nalignment=taleftjustify\r\n"
              L"[POPUPWINDOW]\r\nscrollmarkeractivecolor=255\r\nitemsrect=5,6,7,8\r\n"
              L"[o]\r\ndisableskinrsect=1,1,9,9\r\nreflactionactivecolor=99\r\n");
    TMemIniFile ini;
    ini.SetStrings(&l);
    TbsDataSkinPanelControl panel(L"c");
    panel.LoadFromFile(&ini);
    EXPECT_EQ(panel.CaptionRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(panel.BGPictureIndex, 7);
    EXPECT_TRUE(panel.GripperTransparent);
    EXPECT_EQ(panel.Alignment, taLeftJustify);
    TbsDataSkinPopupWindow popup;
    popup.LoadFromFile(&ini);
    EXPECT_EQ(popup.ScrollMarkerActiveColor, 255);
    EXPECT_EQ(popup.ItemsRect, TRect(5, 6, 7, 8));
    TbsDataSkinButton button(L"o");
    button.LoadFromFile(&ini);
    EXPECT_EQ(button.DisableSkinRect, TRect(1, 1, 9, 9));
    TbsDataSkinCaption caption(L"o");
    caption.LoadFromFile(&ini);
    EXPECT_EQ(caption.ReflectionActiveColor, 99);
}

}  // namespace
