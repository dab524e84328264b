#include "SkinFixture.h"

#include <zlib.h>

std::vector<uint8_t> StreamBytes(TMemoryStream& s) {
    const auto* p = static_cast<const uint8_t*>(s.Memory());
    return std::vector<uint8_t>(p, p + s.Size());
}

void AppendInt32(std::vector<uint8_t>& v, int32_t x) {
    const auto u = static_cast<uint32_t>(x);
    for (int shift = 0; shift < 32; shift += 8) v.push_back(static_cast<uint8_t>(u >> shift));
}

std::vector<uint8_t> BmpBytes(int w, int h, TColor color) {
    TBitmap bmp(w, h);
    bmp.Canvas()->Brush()->SetColor(color);
    bmp.Canvas()->FillRect(TRect(0, 0, w, h));
    TMemoryStream ms;
    bmp.SaveToStream(&ms);
    return StreamBytes(ms);
}

std::unique_ptr<TbsSkinData> MakeSkinStore(const String& name, TColor color, int pictures) {
    auto store = std::make_unique<TbsSkinData>(nullptr);
    store->SkinName = name;
    store->FPictureName = L"main.bmp";
    store->FPicture->SetSize(40, 30);
    store->FPicture->Canvas()->Brush()->SetColor(color);
    store->FPicture->Canvas()->FillRect(TRect(0, 0, 40, 30));
    for (int i = 0; i < pictures; ++i) {
        store->FActivePicturesNames->Add(Format(L"p%d.bmp", i));
        store->FActivePictures.push_back(std::make_unique<TBitmap>(8 + i, 6 + i));
    }
    store->LTPoint = TPoint(5, 20);
    store->RTPoint = TPoint(35, 20);
    store->LBPoint = TPoint(5, 25);
    store->RBPoint = TPoint(35, 25);
    store->ClRect = TRect(4, 20, 36, 26);
    auto caption = std::make_unique<TbsDataSkinCaption>(L"caption");
    caption->SkinRect = TRect(5, 2, 30, 18);
    caption->FontColor = color;
    store->ObjectList.push_back(std::move(caption));
    auto button = std::make_unique<TbsDataSkinButtonControl>(L"button");
    button->PictureIndex = 0;
    button->SkinRect = TRect(0, 0, 8, 6);
    store->CtrlList.push_back(std::move(button));
    store->CtrlList.push_back(std::make_unique<TbsDataSkinPanelControl>(L"panel"));
    return store;
}

std::vector<uint8_t> MakeContainer(const String& name, TColor color, int pictures) {
    auto store = MakeSkinStore(name, color, pictures);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(store.get());
    TMemoryStream ms;
    stored.SaveToCompressStream(&ms);
    return StreamBytes(ms);
}

std::vector<uint8_t> ContainerOfBody(const std::vector<uint8_t>& body) {
    TMemoryStream src, packed;
    src.WriteBuffer(body.data(), static_cast<int32_t>(body.size()));
    CompressStream(&src, &packed);
    std::vector<uint8_t> out;
    AppendInt32(out, 3);
    AppendInt32(out, static_cast<int32_t>(packed.Size()));
    const auto z = StreamBytes(packed);
    out.insert(out.end(), z.begin(), z.end());
    return out;
}

std::vector<uint8_t> ContainerOfZlib(const std::vector<uint8_t>& zlib) {
    std::vector<uint8_t> out;
    AppendInt32(out, 3);
    AppendInt32(out, static_cast<int32_t>(zlib.size()));
    out.insert(out.end(), zlib.begin(), zlib.end());
    return out;
}

std::vector<uint8_t> ZlibWithDictionary(const std::vector<uint8_t>& data, const std::string& dict) {
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dict.data()), static_cast<uInt>(dict.size()));
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())) + 16);
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void LoadContainer(TbsCompressedStoredSkin* skin, const std::vector<uint8_t>& bytes) {
    TMemoryStream ms;
    if (!bytes.empty()) ms.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    skin->LoadFromCompressStream(&ms);
}

std::vector<uint8_t> BodyOfContainer(const std::vector<uint8_t>& container) {
    TbsCompressedStoredSkin stored(nullptr);
    LoadContainer(&stored, container);
    TMemoryStream body;
    stored.DeCompressToStream(&body);
    return StreamBytes(body);
}

String SkinText(TbsSkinData* store) {
    TMemIniFile ini;
    store->SaveToIniFile(&ini);
    TStringList lines;
    ini.GetStrings(&lines);
    return lines.Text();
}
