// The skin store: loading, lookups, failures and the change messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "StoreFixture.h"
#include "skin/bsResStrData.h"

namespace {

TEST_F(SkinStore, StartsEmptyWithBlackColoursAndNoRecords) {
    EXPECT_TRUE(store->Empty);
    EXPECT_EQ(store->SkinColors()->cBtnFace, 0);
    EXPECT_EQ(store->BGPictureIndex, -1);
    EXPECT_EQ(store->GetControlIndex(L"button"), -1);
    EXPECT_EQ(store->LayerFrame->PictureIndex, -1);
}

TEST_F(SkinStore, LoadsACompressedSkinAndFindsRecordsByExactName) {
    LoadBytes(MakeContainer(L"one", clRed, 3));
    EXPECT_FALSE(store->Empty);
    EXPECT_FALSE(store->ChangeSkinDataProcess);
    EXPECT_EQ(store->SkinName, L"one");
    EXPECT_EQ(store->GetControlIndex(L"button"), 0);
    EXPECT_EQ(store->GetControlIndex(L"panel"), 1);
    EXPECT_EQ(store->GetControlIndex(L"Button"), -1);
    EXPECT_EQ(store->GetIndex(L"caption"), 0);
    EXPECT_EQ(store->GetIndex(L"button"), -1);
    ASSERT_EQ(store->FActivePictures.size(), 3u);
    EXPECT_EQ(store->FActivePictures[2]->Width(), 10);
    EXPECT_EQ(store->FPicture->Width(), 40);
    EXPECT_EQ(ColorToRGB(store->FPicture->Canvas()->Pixel(3, 3)), ColorToRGB(clRed));
    EXPECT_EQ(store->FActivePicturesNames->Get(1), L"p1.bmp");
}

TEST_F(SkinStore, ATextSurvivesCompressionUnchanged) {
    auto original = MakeSkinStore(L"round", clBlue);
    LoadBytes(MakeContainer(L"round", clBlue));
    EXPECT_EQ(SkinText(store), SkinText(original.get()));
}

TEST_F(SkinStore, SendsTheThreeMessagesOwnerFirstWhenBordersAreOff) {
    store->SetShowLayeredBorders(false);
    log.clear();
    LoadBytes(MakeContainer(L"msg", clRed));
    EXPECT_EQ(Messages(), (std::vector<UINT>{1225, 1225, 1225, 1226, 1226, 1226, 1227, 1227, 1227}));
    EXPECT_EQ(FormsFor(WM_BEFORECHANGESKINDATA), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(FormsFor(WM_AFTERCHANGESKINDATA), (std::vector<int>{1, 0, 2}));
    for (const auto& r : log) {
        if (r.msg == WM_BEFORECHANGESKINDATA) {
            EXPECT_TRUE(r.empty && r.inProcess && r.skinName.empty());
        } else if (r.msg == WM_CHANGESKINDATA) {
            EXPECT_TRUE(!r.empty && r.inProcess && r.skinName == L"msg");
        } else {
            EXPECT_TRUE(!r.empty && !r.inProcess);
        }
    }
}

TEST_F(SkinStore, ServesFormsInReverseWhenTheSkinHasALayeredBorder) {
    auto skin = MakeSkinStore(L"layered", clRed);
    skin->LayerFrame->PictureIndex = 0;
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(skin.get());
    store->LoadCompressedStoredSkin(&stored);
    log.clear();
    store->LoadCompressedStoredSkin(&stored);
    EXPECT_EQ(FormsFor(WM_CHANGESKINDATA), (std::vector<int>{2, 1, 0}));
    log.clear();
    store->SetShowLayeredBorders(false);
    EXPECT_EQ(FormsFor(WM_CHANGELAYEREDBORDERS), (std::vector<int>{1, 0, 2}));
    log.clear();
    store->SetShowLayeredBorders(false);
    store->SetSkinnableForm(true);
    EXPECT_TRUE(log.empty());
    store->SetSkinnableForm(false);
    EXPECT_EQ(FormsFor(WM_CHANGEFORMSKINNABLE).size(), 3u);
}

TEST_F(SkinStore, FormsThatTakeNoBroadcastsAreSkipped) {
    // A helper window such as a layered border says so itself.
    store->SetShowLayeredBorders(false);
    forms[2]->TakesBroadcasts = false;
    log.clear();
    LoadBytes(MakeContainer(L"c", clRed));
    EXPECT_EQ(FormsFor(WM_CHANGESKINDATA), (std::vector<int>{1, 0}));
    forms[1]->TakesBroadcasts = false;  // the owner is served all the same
    log.clear();
    store->ClearSkin();
    EXPECT_EQ(FormsFor(WM_CHANGESKINDATA), (std::vector<int>{1, 0}));
}

TEST_F(SkinStore, ClearSkinEmptiesAndAnnounces) {
    LoadBytes(MakeContainer(L"c", clRed));
    log.clear();
    store->ClearSkin();
    EXPECT_TRUE(store->Empty);
    EXPECT_EQ(store->GetControlIndex(L"button"), -1);
    EXPECT_EQ(store->GetIndex(L"caption"), -1);
    EXPECT_EQ(Messages().size(), 9u);
    for (const auto& r : log) EXPECT_TRUE(r.empty);
}

TEST_F(SkinStore, AssigningResourceStringsAnnounces) {
    TbsResourceStrData strings(nullptr);
    store->SetResourceStrData(&strings);
    EXPECT_EQ(FormsFor(WM_CHANGERESSTRDATA).size(), 3u);
    store->SetResourceStrData(nullptr);
    EXPECT_EQ(FormsFor(WM_CHANGERESSTRDATA).size(), 6u);
    store->SetResourceStrData(&strings);
    log.clear();
    strings.ResStrings()->Add(L"EXTRA=1");
    EXPECT_TRUE(log.empty());
}

TEST(ResourceStrings, HoldTheDefaultLinesAndFindNamesWithoutCase) {
    TbsResourceStrData strings(nullptr);
    EXPECT_EQ(strings.ResStrings()->Count(), 131);
    EXPECT_EQ(strings.ResStrings()->Get(0), L"MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(strings.ResStrings()->Get(130), L"DBNAV_REFRESH=REFRESH");
    EXPECT_EQ(strings.CharSet, 1);
    EXPECT_EQ(strings.GetResStr(L"mi_maxcaption"), L"Ma&ximize");
    EXPECT_EQ(strings.GetResStr(L"FLV_LOOKIN"), L"Look in: ");
    EXPECT_EQ(strings.GetResStr(L"NO_SUCH_KEY"), L"");
    TStringList lines;
    lines.Add(L"A=x=y");
    lines.Add(L"a=second");
    strings.SetResStrings(&lines);
    EXPECT_EQ(strings.GetResStr(L"A"), L"x=y");
    EXPECT_EQ(strings.GetResStr(L"EDIT_COPY"), L"");
}

TEST_F(SkinStore, ABodyOfVersionTwoSkipsItsTwoExtraPictures) {
    std::vector<uint8_t> body;
    AppendInt32(body, 2);
    for (int i = 0; i < 5; ++i) {
        body.push_back(0);
        const auto bmp = BmpBytes(10 + i, 4, clRed);
        body.insert(body.end(), bmp.begin(), bmp.end());
    }
    AppendInt32(body, 1);
    const auto extra = BmpBytes(7, 7, clBlue);
    body.insert(body.end(), extra.begin(), extra.end());
    const std::string text = "[VERSION]\r\nskinname=v2\r\n[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n\r\n";
    body.insert(body.end(), text.begin(), text.end());
    LoadBytes(ContainerOfBody(body));
    EXPECT_EQ(store->SkinName, L"v2");
    EXPECT_EQ(store->FPicture->Width(), 10);
    EXPECT_EQ(store->FMask->Width(), 12);
    ASSERT_EQ(store->FActivePictures.size(), 1u);
    EXPECT_EQ(store->FActivePictures[0]->Width(), 7);
    EXPECT_EQ(store->GetControlIndex(L"button"), 0);
}

TEST_F(SkinStore, ABodyOfANewerVersionEmptiesTheStoreWithMessages) {
    LoadBytes(MakeContainer(L"old", clRed));
    log.clear();
    std::vector<uint8_t> body;
    AppendInt32(body, 4);
    LoadBytes(ContainerOfBody(body));
    EXPECT_TRUE(store->Empty);
    EXPECT_FALSE(store->ChangeSkinDataProcess);
    EXPECT_EQ(Messages().size(), 9u);
    EXPECT_EQ(store->GetControlIndex(L"button"), -1);
    EXPECT_TRUE(store->FActivePictures.empty());
    EXPECT_TRUE(store->FPicture->Empty());
    // The colours are the system's, as after any clearing; the frame
    // geometry and the description stay those of the skin before.
    const TbsSkinColors& c = *store->SkinColors();
    EXPECT_EQ(c.cBtnFace, -16777201);  // 0xFF00000F
    EXPECT_EQ(c.cWindow, static_cast<TColor>(0xFF000005));
    EXPECT_EQ(c.cBtnShadow, static_cast<TColor>(0xFF000010));
    EXPECT_EQ(store->SkinName, L"old");
    EXPECT_EQ(store->ClRect, TRect(4, 20, 36, 26));
    EXPECT_EQ(store->LTPoint, TPoint(5, 20));
}

// ---- refused skins ------------------------------------------------------------------------------

struct BadSkin {
    const char* what;
    std::vector<uint8_t> (*make)();
};

std::vector<uint8_t> GoodBody() { return BodyOfContainer(MakeContainer(L"bad", clRed)); }

std::vector<uint8_t> WithText(const std::string& text) {
    std::vector<uint8_t> body;
    AppendInt32(body, 3);
    body.insert(body.end(), {1, 1, 1});
    AppendInt32(body, 0);
    body.insert(body.end(), text.begin(), text.end());
    return ContainerOfBody(body);
}

const BadSkin kBadSkins[] = {
    {"corrupt zlib data",
     [] {
         auto c = MakeContainer(L"bad", clRed);
         for (size_t i = 10; i < c.size() - 4; i += 7) c[i] ^= 0xA5;
         return c;
     }},
    {"zlib stream cut short",
     [] {
         auto c = MakeContainer(L"bad", clRed);
         c.resize(c.size() - 20);
         const int32_t n = static_cast<int32_t>(c.size() - 8);
         std::copy_n(reinterpret_cast<const uint8_t*>(&n), 4, c.begin() + 4);
         return c;
     }},
    {"bytes after the zlib stream",
     [] {
         auto c = MakeContainer(L"bad", clRed);
         c.insert(c.end(), {1, 2, 3, 4});
         const int32_t n = static_cast<int32_t>(c.size() - 8);
         std::copy_n(reinterpret_cast<const uint8_t*>(&n), 4, c.begin() + 4);
         return c;
     }},
    {"body cut inside a picture",
     [] {
         auto b = GoodBody();
         b.resize(200);
         return ContainerOfBody(b);
     }},
    {"zlib stream that asks for a preset dictionary",
     [] { return ContainerOfZlib(ZlibWithDictionary(GoodBody(), "[VERSION]skinname=")); }},
    {"body of three bytes", [] { return ContainerOfBody({3, 0, 0}); }},
    {"picture size beyond the body",
     [] {
         auto b = GoodBody();
         b[5 + 2] = 0xFF, b[5 + 3] = 0xFF, b[5 + 4] = 0x0F;  // bfSize of the main picture
         return ContainerOfBody(b);
     }},
    {"not a BMP",
     [] {
         auto b = GoodBody();
         b[5] = 'X';
         return ContainerOfBody(b);
     }},
    {"picture of negative width",
     [] {
         auto b = GoodBody();
         b[5 + 14 + 7] = 0x80;  // high byte of biWidth
         return ContainerOfBody(b);
     }},
    {"huge picture count",
     [] {
         std::vector<uint8_t> body;
         AppendInt32(body, 3);
         body.insert(body.end(), {1, 1, 1});
         AppendInt32(body, 0x7FFFFFFF);
         return ContainerOfBody(body);
     }},
    {"picture wider than any screen",
     [] {
         auto b = GoodBody();
         b[5 + 14 + 5] = 0x80;  // biWidth = 0x8000 + low bytes
         return ContainerOfBody(b);
     }},
    {"body that inflates beyond the limit", [] { return ContainerOfBody(std::vector<uint8_t>(65 << 20, 0)); }},
    {"rectangle with three numbers",
     [] { return WithText("[SKINCONTROLS]\r\ncount=1\r\n0=b:button\r\n[b]\r\nskinrect=1,2,3\r\n"); }},
    {"point without numbers", [] { return WithText("[FORMINFO]\r\nlefttoppoint=x,y\r\n"); }},
};

class RefusedSkin : public SkinStore, public ::testing::WithParamInterface<BadSkin> {};

TEST_P(RefusedSkin, KeepsThePreviousSkinAndSendsNothing) {
    LoadBytes(MakeContainer(L"kept", clBlue));
    const String before = SkinText(store);
    log.clear();
    EXPECT_THROW(LoadBytes(GetParam().make()), Exception) << GetParam().what;
    EXPECT_TRUE(log.empty()) << GetParam().what;
    EXPECT_FALSE(store->Empty);
    EXPECT_FALSE(store->ChangeSkinDataProcess);
    EXPECT_EQ(store->SkinName, L"kept");
    EXPECT_EQ(SkinText(store), before);
    EXPECT_EQ(store->FActivePictures.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSkin, ::testing::ValuesIn(kBadSkins));

// ---- the skin text ------------------------------------------------------------------------------

std::vector<String> ControlNames(const TbsSkinData* store) {
    std::vector<String> names;
    for (const auto& rec : store->CtrlList) names.push_back(rec->IDName);
    return names;
}

TEST_F(SkinStore, ReadsEveryNumberedEntryUpToTheCount) {
    // The index lists entries by number; gaps and keys that are not plain
    // numbers below "count" do not shorten or lengthen the list.
    LoadBytes(WithText("[SKINCONTROLS]\r\ncount=8\r\n0=a:button\r\n7=z:panel\r\n07=y:panel\r\n"
                       "8=beyond:panel\r\n[SKINOBJECTS]\r\ncount=3\r\n2=cap:caption\r\n"));
    EXPECT_EQ(ControlNames(store), (std::vector<String>{L"a", L"z"}));
    ASSERT_EQ(store->ObjectList.size(), 1u);
    EXPECT_EQ(store->ObjectList[0]->IDName, L"cap");
    // A count far beyond the entries costs nothing.
    LoadBytes(WithText("[SKINCONTROLS]\r\ncount=2147483647\r\n1=b:button\r\n"));
    EXPECT_EQ(ControlNames(store), (std::vector<String>{L"b"}));
}

TEST_F(SkinStore, ReadsTheSkinTextByTheSkinFormatsRules) {
    // Values are taken as written, quotes and all; only a line in brackets
    // opens a section, named by the text between them without blanks.
    LoadBytes(WithText("[VERSION]\r\nskinname=\"quoted\"\r\nskincomments = 'a b' \r\n[not a section\r\n"
                       "authorurl=http://x\r\n[ PICTURES ]\r\npicture=main.bmp\r\n"
                       "[SKINCONTROLS]\r\ncount=1\r\n0=q:button\r\n"));
    EXPECT_EQ(store->SkinName, L"\"quoted\"");
    EXPECT_EQ(store->SkinComments, L"'a b'");
    EXPECT_EQ(store->AuthorURL, L"http://x");
    EXPECT_EQ(store->FPictureName, L"main.bmp");
    ASSERT_EQ(ControlNames(store), (std::vector<String>{L"q"}));
}

// ---- skin list and index ----------------------------------------------------------------------------

TEST_F(SkinStore, SkinIndexSwitchesWithinTheListOnly) {
    auto* list = new TbsCompressedSkinList(forms[1]);
    for (int i = 0; i < 3; ++i)
        LoadContainer(list->Skins()->Add()->Skin(), MakeContainer(Format(L"skin%d", i), clRed + i));
    store->SetSkinIndex(1);
    EXPECT_EQ(store->SkinIndex(), 1);
    EXPECT_TRUE(store->Empty);
    store->SetSkinList(list);
    EXPECT_EQ(store->SkinName, L"skin1");
    store->SetSkinIndex(2);
    EXPECT_EQ(store->SkinName, L"skin2");
    EXPECT_EQ(store->CompressedSkinIndex(), 2);
    for (int bad : {3, -1, 99}) {
        log.clear();
        store->SetSkinIndex(bad);
        EXPECT_EQ(store->SkinIndex(), 2);
        EXPECT_TRUE(log.empty());
    }
    LoadContainer(list->Skins()->Items(2)->Skin(), MakeContainer(L"changed", clRed));
    store->SetSkinIndex(2);
    EXPECT_EQ(store->SkinName, L"skin2");
    // A skin of the list that fails to load keeps both the index and the skin.
    LoadContainer(list->Skins()->Items(0)->Skin(), WithText("[FORMINFO]\r\nclientrect=1\r\n"));
    EXPECT_THROW(store->SetSkinIndex(0), EConvertError);
    EXPECT_EQ(store->SkinIndex(), 2);
    EXPECT_EQ(store->SkinName, L"skin2");
    delete list;
    EXPECT_EQ(store->SkinList(), nullptr);
}

// ---- uncompressed skins ---------------------------------------------------------------------------

String TempDir(const wchar_t* name) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const String dir = String(tmp) + name + L"\\";
    ForceDirectories(dir);
    return dir;
}

TEST_F(SkinStore, LoadsAnUncompressedSkinWithItsMaskAdjustments) {
    auto skin = MakeSkinStore(L"disk", clGreen, 2);
    skin->FMaskName = L"mask.bmp";
    skin->FMask->SetSize(40, 30);
    const String dir = TempDir(L"vantrel_skin_disk");
    skin->StoreToDisk(dir + L"skin.ini");
    store->LoadFromFile(dir + L"skin.ini");
    EXPECT_EQ(store->SkinName, L"disk");
    EXPECT_EQ(store->MaskRectArea, store->ClRect);
    EXPECT_EQ(store->HitTestLTPoint, store->LTPoint);
    EXPECT_EQ(store->FMask->Width(), 40);
    ASSERT_EQ(store->FActivePictures.size(), 2u);
    // The same skin built into a container loads the same text.
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(dir + L"skin.ini");
    auto other = std::make_unique<TbsSkinData>(nullptr);
    other->LoadCompressedStoredSkin(&stored);
    EXPECT_EQ(SkinText(other.get()), SkinText(store));
    // A missing picture refuses the skin and keeps the loaded one.
    DeleteFileW((dir + L"p1.bmp").c_str());
    log.clear();
    EXPECT_THROW(store->LoadFromFile(dir + L"skin.ini"), Exception);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(store->FActivePictures.size(), 2u);
}

TEST_F(SkinStore, IgnoresAFileThatIsNoSkin) {
    const String dir = TempDir(L"vantrel_skin_notskin");
    TStringList l;
    l.SetText(L"[VERSION]\r\nskinname=x\r\n[SKINOBJECTS]\r\n");
    l.SaveToFile(dir + L"skin.ini");
    LoadBytes(MakeContainer(L"stay", clRed));
    log.clear();
    store->LoadFromFile(dir + L"skin.ini");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(store->SkinName, L"stay");
}

// The frame geometry after FORMINFO is read: the mask area widened to hold
// the client rectangle, and the corner points clamped to it.
struct GeometryCase {
    const char* what;
    const char* formInfo;
    const char* mask;  // the mask's name in PICTURES
    TRect maskArea;
    TPoint lt, rt, lb, rb;
};

const GeometryCase kGeometry[] = {
    {"mask area widened on every side", "maskrectarea=10,10,20,20\r\nclientrect=5,12,30,18\r\n", "m.bmp",
     TRect(5, 10, 30, 20), TPoint(), TPoint(), TPoint(), TPoint()},
    {"mask area already holding the client", "maskrectarea=0,0,40,40\r\nclientrect=5,12,30,18\r\n", "m.bmp",
     TRect(0, 0, 40, 40), TPoint(), TPoint(), TPoint(), TPoint()},
    {"mask area kept without a mask", "maskrectarea=10,10,20,20\r\nclientrect=5,12,30,18\r\n", "",
     TRect(10, 10, 20, 20), TPoint(), TPoint(), TPoint(), TPoint()},
    {"corners clamped to the client",
     "lefttoppoint=2,3\r\nrighttoppoint=50,1\r\nleftbottompoint=1,40\r\nrightbottompoint=45,42\r\n"
     "clientrect=4,5,36,30\r\n",
     "", TRect(), TPoint(4, 5), TPoint(36, 5), TPoint(4, 30), TPoint(36, 30)},
    {"corners inside the client stay",
     "lefttoppoint=6,7\r\nrighttoppoint=30,7\r\nleftbottompoint=6,25\r\nrightbottompoint=30,25\r\n"
     "clientrect=4,5,36,30\r\n",
     "", TRect(), TPoint(6, 7), TPoint(30, 7), TPoint(6, 25), TPoint(30, 25)},
    {"no clamp when the corners share a column",
     "lefttoppoint=5,3\r\nrighttoppoint=50,1\r\nrightbottompoint=5,42\r\nclientrect=10,10,20,20\r\n", "",
     TRect(), TPoint(5, 3), TPoint(50, 1), TPoint(), TPoint(5, 42)},
};

class FrameGeometry : public SkinStore, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(FrameGeometry, IsAdjustedAfterReading) {
    const GeometryCase& c = GetParam();
    LoadBytes(WithText(std::string("[PICTURES]\r\nmask=") + c.mask + "\r\n[FORMINFO]\r\n" + c.formInfo));
    EXPECT_EQ(store->MaskRectArea, c.maskArea) << c.what;
    EXPECT_EQ(store->LTPoint, c.lt) << c.what;
    EXPECT_EQ(store->RTPoint, c.rt) << c.what;
    EXPECT_EQ(store->LBPoint, c.lb) << c.what;
    EXPECT_EQ(store->RBPoint, c.rb) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, FrameGeometry, ::testing::ValuesIn(kGeometry));

TEST_F(SkinStore, CompressedFilesRoundTripTheWholeSkin) {
    LoadBytes(MakeContainer(L"trip", clGreen, 3));
    const String file = TempDir(L"vantrel_skin_trip") + L"trip.skn";
    store->SaveToCompressedFile(file);
    TbsSkinData other(nullptr);
    other.LoadFromCompressedFile(file);
    EXPECT_EQ(other.SkinName, L"trip");
    EXPECT_EQ(SkinText(&other), SkinText(store));
    ASSERT_EQ(other.FActivePictures.size(), 3u);
    EXPECT_EQ(other.FActivePictures[2]->Width(), 10);
    EXPECT_EQ(ColorToRGB(other.FPicture->Canvas()->Pixel(3, 3)), ColorToRGB(clGreen));
    DeleteFileW(file.c_str());
}

TEST_F(SkinStore, SaveToFileReplacesItsSectionsAndKeepsOthers) {
    const String file = TempDir(L"vantrel_skin_save") + L"skin.ini";
    TStringList before;
    before.SetText(L"[EXTRA]\r\nkeep=1\r\n[VERSION]\r\nold=1\r\n");
    before.SaveToFile(file);
    LoadBytes(MakeContainer(L"saved", clRed));
    store->SaveToFile(file);
    TMemIniFile back(file, TIniSyntax::Plain);
    EXPECT_EQ(back.ReadString(L"EXTRA", L"keep", L""), L"1");
    EXPECT_FALSE(back.ValueExists(L"VERSION", L"old"));
    EXPECT_EQ(back.ReadString(L"VERSION", L"skinname", L""), L"saved");
    EXPECT_EQ(back.ReadString(L"SKINCONTROLS", L"0", L""), L"button:button");
    DeleteFileW(file.c_str());
}

TEST_F(SkinStore, AddsAndDeletesFurtherPictures) {
    LoadBytes(MakeContainer(L"pics", clRed, 2));
    const String dir = TempDir(L"vantrel_skin_pics");
    TBitmap extra(13, 7);
    extra.SaveToFile(dir + L"extra.bmp");
    store->AddBitMap(dir + L"extra.bmp");
    ASSERT_EQ(store->FActivePictures.size(), 3u);
    EXPECT_EQ(store->FActivePicturesNames->Get(2), L"extra.bmp");
    EXPECT_EQ(store->FActivePictures[2]->Width(), 13);
    store->DeleteBitMap(0);
    ASSERT_EQ(store->FActivePictures.size(), 2u);
    EXPECT_EQ(store->FActivePicturesNames->Get(0), L"p1.bmp");
    EXPECT_EQ(store->FActivePictures[0]->Width(), 9);
    EXPECT_THROW(store->DeleteBitMap(2), EListError);
    EXPECT_THROW(store->AddBitMap(dir + L"missing.bmp"), Exception);
    EXPECT_EQ(store->FActivePicturesNames->Count(), 2);
    DeleteFileW((dir + L"extra.bmp").c_str());
}

TEST(SkinStoreDefaults, WithoutAMaskHitTestPointsStayZero) {
    TbsSkinData store(nullptr);
    TStringList l;
    l.SetText(L"[FORMINFO]\r\nlefttoppoint=5,20\r\nrightbottompoint=35,25\r\nclientrect=4,20,36,26\r\n"
              L"[SKINCONTROLS]\r\ncount=3\r\n0=x:nosuchkind\r\n1=nocolon\r\n2=b:button\r\n");
    TMemoryStream body;
    const int32_t v = 3;
    body.WriteBuffer(&v, 4);
    const uint8_t none[3] = {1, 1, 1};
    body.WriteBuffer(none, 3);
    const int32_t zero = 0;
    body.WriteBuffer(&zero, 4);
    l.Encoding = TTextEncoding::Ansi;
    l.SaveToStream(&body);
    store.LoadFromBody(&body);
    EXPECT_EQ(store.HitTestLTPoint, TPoint());
    EXPECT_EQ(store.MaskRectArea, TRect());
    EXPECT_EQ(store.SkinColors()->cBtnFace, -16777201);
    ASSERT_EQ(store.CtrlList.size(), 1u);
    EXPECT_EQ(store.CtrlList[0]->IDName, L"b");
}

}  // namespace
