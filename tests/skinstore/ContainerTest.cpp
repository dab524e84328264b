// zlib streams and compressed skin containers.
#include <gtest/gtest.h>

#include "SkinFixture.h"
#include "tests/support/Watchdog.h"

namespace {

TEST(Container, AnEmptySkinIsExactlyEightBytes) {
    TbsCompressedSkinList list(nullptr);
    TbsSkinListItem* item = list.Skins()->Add();
    TMemoryStream ms;
    item->Skin()->SaveToCompressStream(&ms);
    EXPECT_EQ(StreamBytes(ms), (std::vector<uint8_t>{3, 0, 0, 0, 0, 0, 0, 0}));
    TbsCompressedStoredSkin back(nullptr);
    LoadContainer(&back, StreamBytes(ms));
    EXPECT_TRUE(back.Empty());
}

TEST(Container, IsWrittenAtTheHighestLevelWithItsLength) {
    const auto bytes = MakeContainer(L"golden", clRed);
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
    const int32_t n = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24;
    EXPECT_EQ(static_cast<size_t>(n), bytes.size() - 8);
    EXPECT_EQ(bytes[8], 0x78);
    EXPECT_EQ(bytes[9], 0xDA);
}

TEST(Container, NewerVersionsAndZeroLengthsGiveAnEmptySkin) {
    TbsCompressedStoredSkin s(nullptr);
    auto bytes = MakeContainer(L"v", clRed);
    bytes[0] = 4;
    LoadContainer(&s, bytes);
    EXPECT_TRUE(s.Empty());
    LoadContainer(&s, {3, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(s.Empty());
    auto cut = MakeContainer(L"v", clRed);
    cut.resize(cut.size() - 1);
    EXPECT_THROW(LoadContainer(&s, cut), EReadError);
    EXPECT_TRUE(s.Empty());
    EXPECT_THROW(LoadContainer(&s, {3, 0, 0}), EReadError);
}

TEST(Container, SavingAnEmptySkinCreatesNoFile) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const String file = String(dir) + L"vantrel_empty_skin.skn";
    DeleteFileW(file.c_str());
    TbsCompressedStoredSkin s(nullptr);
    s.SaveToCompressFile(file);
    EXPECT_FALSE(FileExists(file));
    LoadContainer(&s, MakeContainer(L"f", clBlue));
    s.SaveToCompressFile(file);
    TbsCompressedStoredSkin back(nullptr);
    back.LoadFromCompressFile(file);
    EXPECT_EQ(back.CompressedStream()->Size(), s.CompressedStream()->Size());
    DeleteFileW(file.c_str());
    EXPECT_THROW(back.LoadFromCompressFile(file), EFOpenError);
    EXPECT_TRUE(back.Empty());
}

TEST(SkinList, ItemsAreNamedByTheirIndexAtCreation) {
    TbsCompressedSkinList list(nullptr);
    list.Skins()->Add();
    list.Skins()->Add();
    EXPECT_EQ(list.Skins()->Items(0)->Name, L"bsSkin0");
    EXPECT_EQ(list.Skins()->Items(1)->GetDisplayName(), L"bsSkin1");
    list.Skins()->Delete(0);
    EXPECT_EQ(list.Skins()->Items(0)->Name, L"bsSkin1");
    EXPECT_EQ(list.Skins()->Owner(), &list);
    EXPECT_EQ(list.Skins()->GetOwner(), &list);
    // An entry inserted in front is named for the place it takes.
    auto* front = static_cast<TbsSkinListItem*>(list.Skins()->Insert(0));
    EXPECT_EQ(front->Name, L"bsSkin0");
    EXPECT_EQ(list.Skins()->Items(1)->Name, L"bsSkin1");
}

TEST(SkinList, AssigningCopiesTheItemsAndTheirSkins) {
    TbsCompressedSkinList a(nullptr), b(nullptr);
    TbsSkinListItem* item = a.Skins()->Add();
    item->Description = L"first";
    LoadContainer(item->Skin(), MakeContainer(L"s", clGreen));
    b.SetSkins(a.Skins());
    ASSERT_EQ(b.Skins()->Count(), 1);
    EXPECT_EQ(b.Skins()->Items(0)->Description, L"first");
    EXPECT_EQ(b.Skins()->Items(0)->Skin()->CompressedStream()->Size(), item->Skin()->CompressedStream()->Size());
}

class ZlibStreams : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 20000; ++i) plain.push_back(static_cast<uint8_t>((i * 7) % 251));
        TMemoryStream src;
        src.WriteBuffer(plain.data(), static_cast<int32_t>(plain.size()));
        CompressStream(&src, &packed);
        packed.SetPosition(0);
    }
    std::vector<uint8_t> plain;
    TMemoryStream packed;
};

TEST_F(ZlibStreams, ReadAfterTheEndGivesNothing) {
    TDecompressionStream z(&packed);
    std::vector<uint8_t> out(plain.size() + 100);
    EXPECT_EQ(z.Read(out.data(), static_cast<int32_t>(out.size())), static_cast<int32_t>(plain.size()));
    out.resize(plain.size());
    EXPECT_EQ(out, plain);
    uint8_t more[16];
    EXPECT_EQ(z.Read(more, 16), 0);
}

TEST_F(ZlibStreams, SeeksForwardOnlyAndReportsTheBytesDelivered) {
    TDecompressionStream z(&packed);
    EXPECT_EQ(z.Seek(0, soCurrent), 0);
    uint8_t buf[100];
    z.ReadBuffer(buf, 100);
    EXPECT_EQ(z.Seek(0, soCurrent), 100);
    EXPECT_THROW(z.Seek(100, soBeginning), EDecompressionError);
    EXPECT_THROW(z.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_THROW(z.Seek(0, soEnd), EDecompressionError);
    EXPECT_EQ(z.Seek(10000, soBeginning), 10000);
    z.ReadBuffer(buf, 1);
    EXPECT_EQ(buf[0], plain[10000]);
    EXPECT_EQ(z.Seek(0, soBeginning), 0);
    z.ReadBuffer(buf, 1);
    EXPECT_EQ(buf[0], plain[0]);
    EXPECT_THROW(z.Write(buf, 1), EDecompressionError);
}

TEST_F(ZlibStreams, CompressionRefusesReadsAndReportsItsRate) {
    TMemoryStream out;
    TCompressionStream c(TCompressionLevel::clDefault, &out);
    EXPECT_EQ(c.CompressionRate(), 0);
    c.WriteBuffer(plain.data(), static_cast<int32_t>(plain.size()));
    EXPECT_EQ(c.Seek(0, soCurrent), static_cast<int64_t>(plain.size()));
    uint8_t b;
    EXPECT_THROW(c.Read(&b, 1), ECompressionError);
    EXPECT_THROW(c.Seek(1, soBeginning), ECompressionError);
    c.Finish();
    EXPECT_GT(c.CompressionRate(), 50.0f);
    TMemoryStream back;
    DecompressStream(&back, &out);
    EXPECT_EQ(StreamBytes(back), plain);
}

TEST_F(ZlibStreams, CorruptDataRaisesTheDecompressionError) {
    auto bytes = StreamBytes(packed);
    bytes[1] ^= 1;  // the header check fails
    TMemoryStream bad;
    bad.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    TMemoryStream out;
    try {
        DecompressStream(&out, &bad);
        FAIL() << "corrupt data inflated";
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), L"compression error");
    }
}

TEST_F(ZlibStreams, AStreamThatAsksForAPresetDictionaryIsACompressionError) {
    const std::vector<uint8_t> z = ZlibWithDictionary(plain, "a dictionary nobody has");
    ASSERT_EQ(z[1] & 0x20, 0x20);  // FDICT: a dictionary id follows the header
    // Inflating would otherwise wait for the dictionary for ever.
    Watchdog watchdog(20000, "a zlib stream that asks for a dictionary hangs the reader");
    for (size_t cut : {z.size(), size_t{6}, size_t{7}}) {
        TMemoryStream src;
        src.WriteBuffer(z.data(), static_cast<int32_t>(cut));
        src.SetPosition(0);
        TDecompressionStream d(&src);
        std::vector<uint8_t> out(plain.size());
        try {
            d.Read(out.data(), static_cast<int32_t>(out.size()));
            ADD_FAILURE() << "inflated without the dictionary, " << cut << " bytes";
        } catch (const EDecompressionError& e) {
            EXPECT_EQ(e.Message(), L"compression error") << cut;
        }
    }
}

}  // namespace
