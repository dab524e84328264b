// The skin store: loading, lookups, failures and the change messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>

#include "SkinFixture.h"
#include "platform/Forms.h"
#include "platform/MainThread.h"
#include "skin/bsResStrData.h"

namespace {

struct Received {
    int form;
    UINT msg;
    bool empty;
    bool inProcess;
    String skinName;
};

// A form that logs the store messages it receives, with the store's state.
class LogForm : public TForm {
public:
    LogForm(TComponent* owner, int id, std::vector<Received>* log) : TForm(owner), id_(id), log_(log) {}
    void WndProc(TMessage& m) override {
        if (m.Msg >= WM_BEFORECHANGESKINDATA && m.Msg <= WM_CHANGELAYEREDBORDERS && m.LParam == 1000) {
            auto* store = reinterpret_cast<TbsSkinData*>(m.WParam);
            log_->push_back({id_, m.Msg, store->Empty, store->ChangeSkinDataProcess, store->SkinName});
            return;
        }
        TForm::WndProc(m);
    }

private:
    int id_;
    std::vector<Received>* log_;
};

class SkinStore : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>();
        Application->Initialize();
        for (int i = 0; i < 3; ++i) {
            forms.push_back(new LogForm(Application, i, &log));
            forms.back()->AfterConstruction();
        }
        store = new TbsSkinData(forms[1]);
    }
    void TearDown() override {
        app.reset();
        platform::DoneMainThread();
    }
    void LoadBytes(const std::vector<uint8_t>& bytes) {
        TbsCompressedStoredSkin s(nullptr);
        LoadContainer(&s, bytes);
        store->LoadCompressedStoredSkin(&s);
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> m;
        for (const auto& r : log) m.push_back(r.msg);
        return m;
    }
    std::vector<int> FormsFor(UINT msg) const {
        std::vector<int> f;
        for (const auto& r : log)
            if (r.msg == msg) f.push_back(r.form);
        return f;
    }

    std::unique_ptr<TApplication> app;
    std::vector<LogForm*> forms;
    std::vector<Received> log;
    TbsSkinData* store = nullptr;
};

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

TEST_F(SkinStore, MutatedContainersNeverLeaveAHalfLoadedSkin) {
    const auto good = MakeContainer(L"fuzz", clBlue);
    LoadBytes(good);
    std::mt19937 rng(1234);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        auto c = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % c.size();
            switch (rng() % 4) {
                case 0: c[at] ^= static_cast<uint8_t>(1 + rng() % 255); break;
                case 1: c.resize(at + 1); break;
                case 2: c.insert(c.begin() + static_cast<long>(at), static_cast<uint8_t>(rng())); break;
                default: c[at] = 0xFF; break;
            }
        }
        log.clear();
        try {
            LoadBytes(c);
        } catch (const Exception&) {
            ++refused;
            ASSERT_TRUE(log.empty());
        }
        ASSERT_FALSE(store->ChangeSkinDataProcess);
        ASSERT_TRUE(log.empty() || log.size() == 9u);
        LoadBytes(good);
    }
    EXPECT_GT(refused, 1000);
}

// ---- mutated bodies ---------------------------------------------------------------------------------
// The container's checksum refuses a damaged compressed stream before the
// parser sees it, so these tests damage the inflated body itself (picture
// headers, flags, counts and sizes, and the skin text) and compress it again.

// Where the parts of a body lie.
struct BodyLayout {
    std::vector<size_t> flags;     // the flag bytes of the three fixed pictures
    std::vector<size_t> pictures;  // the BMP images
    size_t count = 0;              // the number of further pictures
    size_t text = 0;               // the skin text
};

// Little-endian numbers of a body; reads beyond the end give 0 and writes
// beyond it are dropped, so a damaged body can be walked again.
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    if (at + 4 > b.size()) return 0;
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void PutLe(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes && at + i < b.size(); ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

BodyLayout LayoutOf(const std::vector<uint8_t>& b) {
    BodyLayout l;
    size_t pos = 4;
    auto picture = [&] {
        l.pictures.push_back(pos);
        const uint32_t size = Le32(b, pos + 2);
        pos = size >= 14 && size <= b.size() - pos ? pos + size : b.size();
    };
    for (int i = 0; i < 3 && pos < b.size(); ++i) {
        l.flags.push_back(pos);
        if (b[pos++] == 0) picture();
    }
    l.count = pos;
    const uint32_t n = Le32(b, pos);
    pos = std::min(pos + 4, b.size());
    for (uint32_t i = 0; i < n && pos < b.size(); ++i) picture();
    l.text = pos;
    return l;
}

// A skin with a main picture, a one-bit mask and two further pictures.
std::vector<uint8_t> MaskedContainer() {
    auto skin = MakeSkinStore(L"masked", clBlue);
    skin->FMaskName = L"mask.bmp";
    skin->FMask->SetPixelFormat(pf1bit);
    skin->FMask->SetSize(40, 30);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(skin.get());
    TMemoryStream ms;
    stored.SaveToCompressStream(&ms);
    return StreamBytes(ms);
}

class BodyMutator {
public:
    explicit BodyMutator(uint32_t seed) : rng_(seed) {}

    std::vector<uint8_t> Mutate(std::vector<uint8_t> b) {
        const int edits = 1 + static_cast<int>(rng_() % 3);
        for (int e = 0; e < edits; ++e) {
            const BodyLayout l = LayoutOf(b);
            switch (rng_() % 8) {
            case 0:
            case 1: PictureHeader(b, l); break;
            case 2: PictureSize(b, l); break;
            case 3: PutLe(b, l.count, Interesting(Le32(b, l.count)), 4); break;
            case 4:
                if (!l.flags.empty()) b[l.flags[rng_() % l.flags.size()]] = Pick<uint8_t>({0, 1, 2, 0xFF});
                break;
            case 5:
            case 6: Text(b, l); break;
            default: PutLe(b, 0, Pick<uint32_t>({0, 1, 2, 3, 0xFFFFFFFF, 0x80000000}), 4); break;
            }
        }
        return b;
    }

private:
    template <class T>
    T Pick(std::initializer_list<T> v) {
        return *(v.begin() + rng_() % v.size());
    }

    uint32_t Interesting(uint32_t now) {
        return Pick<uint32_t>({0, 1, 2, 8, 40, 54, 255, 0x7FFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                               0xFFFFFFFE, now + 1, now - 1, now * 2, now / 2, static_cast<uint32_t>(rng_())});
    }

    // One field of a file or information header of one picture.
    void PictureHeader(std::vector<uint8_t>& b, const BodyLayout& l) {
        struct Field {
            size_t at;
            int bytes;
        };
        // bfType, bfSize, bfOffBits, biSize, biWidth, biHeight, biPlanes,
        // biBitCount, biCompression, biSizeImage, biClrUsed.
        const Field fields[] = {{0, 2},  {2, 4},  {10, 4}, {14, 4}, {18, 4}, {22, 4},
                                {26, 2}, {28, 2}, {30, 4}, {34, 4}, {46, 4}};
        if (l.pictures.empty()) return;
        const size_t at = l.pictures[rng_() % l.pictures.size()];
        const Field f = fields[rng_() % std::size(fields)];
        uint32_t v = Interesting(Le32(b, at + f.at));
        if (f.at == 28) v = Pick<uint32_t>({0, 1, 2, 4, 8, 15, 16, 24, 32, 64});
        if (f.at == 30) v = Pick<uint32_t>({BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS, BI_JPEG, BI_PNG, 99});
        PutLe(b, at + f.at, v, f.bytes);
    }

    // Bytes taken out of or put into one picture.
    void PictureSize(std::vector<uint8_t>& b, const BodyLayout& l) {
        if (l.pictures.empty()) return;
        const size_t at = l.pictures[rng_() % l.pictures.size()] + rng_() % 80;
        if (at >= b.size()) return;
        const size_t n = 1 + rng_() % 64;
        if (rng_() % 2) b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(std::min(at + n, b.size())));
        else b.insert(b.begin() + static_cast<long>(at), n, static_cast<uint8_t>(rng_()));
    }

    // One line of the skin text: its value replaced, the line dropped or
    // doubled, stray bytes put in, or the text cut.
    void Text(std::vector<uint8_t>& b, const BodyLayout& l) {
        if (l.text >= b.size()) return;
        std::vector<size_t> starts{l.text};
        for (size_t i = l.text; i + 1 < b.size(); ++i)
            if (b[i] == '\n') starts.push_back(i + 1);
        const size_t line = starts[rng_() % starts.size()];
        size_t end = line;
        while (end < b.size() && b[end] != '\r' && b[end] != '\n') ++end;
        switch (rng_() % 5) {
        case 0: {
            size_t eq = line;
            while (eq < end && b[eq] != '=') ++eq;
            if (eq == end) break;
            const std::string v = Pick<const char*>({"", "-", "1,2", "x,y,z,w", "1,,3,4", "99999999999", "-2147483648",
                                                     "0x", "$FFFFFFFF", "1,2,3,4,5,6", "-5,-5,-1,-1", "2147483647",
                                                     ":", "nosuchkind", "a:b:c", "cmnothing"});
            b.erase(b.begin() + static_cast<long>(eq + 1), b.begin() + static_cast<long>(end));
            b.insert(b.begin() + static_cast<long>(eq + 1), v.begin(), v.end());
            break;
        }
        case 1: b.erase(b.begin() + static_cast<long>(line), b.begin() + static_cast<long>(end)); break;
        case 2: {
            const std::vector<uint8_t> copy(b.begin() + static_cast<long>(line), b.begin() + static_cast<long>(end));
            b.insert(b.begin() + static_cast<long>(line), copy.begin(), copy.end());
            b.insert(b.begin() + static_cast<long>(line + copy.size()), {'\r', '\n'});
            break;
        }
        case 3: {
            const size_t at = line + rng_() % (end - line + 1);
            b.insert(b.begin() + static_cast<long>(at),
                     Pick<uint8_t>({0, 0xFF, 0xFE, 0xEF, '[', ']', '=', ':', ',', '\r', '\n'}));
            break;
        }
        default: b.resize(line + rng_() % (end - line + 1)); break;
        }
    }

    std::mt19937 rng_;
};

TEST_F(SkinStore, MutatedBodiesAreRefusedCleanlyOrLoadWhole) {
    const auto good = MaskedContainer();
    const auto body = BodyOfContainer(good);
    const BodyLayout layout = LayoutOf(body);
    ASSERT_EQ(layout.pictures.size(), 4u);  // main picture, mask, two further pictures
    ASSERT_EQ(Le32(body, layout.count), 2u);
    ASSERT_EQ(body[layout.text], '[');

    LoadBytes(good);
    const String kept = SkinText(store);
    BodyMutator mutator(2024);
    int refused = 0, loaded = 0;
    for (int round = 0; round < 1500; ++round) {
        const auto mutated = mutator.Mutate(body);
        log.clear();
        try {
            LoadBytes(ContainerOfBody(mutated));
        } catch (const Exception&) {
            ++refused;
            ASSERT_TRUE(log.empty()) << round;
            ASSERT_FALSE(store->ChangeSkinDataProcess) << round;
            ASSERT_EQ(store->SkinName, L"masked") << round;
            ASSERT_EQ(store->FActivePictures.size(), 2u) << round;
            ASSERT_EQ(store->FMask->Width(), 40) << round;
            ASSERT_EQ(SkinText(store), kept) << round;
            continue;
        }
        ++loaded;
        ASSERT_EQ(log.size(), 9u) << round;
        ASSERT_FALSE(store->ChangeSkinDataProcess) << round;
        for (const auto& bmp : store->FActivePictures) ASSERT_TRUE(bmp) << round;
        SkinText(store);  // every record of what was loaded can be written out
        LoadBytes(good);
    }
    // Both outcomes are common: the mutations reach the parser, and not every
    // change is fatal.
    EXPECT_GT(refused, 300);
    EXPECT_GT(loaded, 300);
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
