#pragma once
// Small skins made in code for the skin-store tests.

#include <memory>
#include <string>
#include <vector>

#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"

// A store holding a small skin named `name`: a main picture, `pictures`
// further pictures, a "caption" frame object and "button" and "panel"
// control records.
std::unique_ptr<TbsSkinData> MakeSkinStore(const String& name, TColor color, int pictures = 2);
// The container bytes of such a skin.
std::vector<uint8_t> MakeContainer(const String& name, TColor color, int pictures = 2);
// Bytes of a container around a body.
std::vector<uint8_t> ContainerOfBody(const std::vector<uint8_t>& body);
// Bytes of a container around a zlib stream as it is.
std::vector<uint8_t> ContainerOfZlib(const std::vector<uint8_t>& zlib);
// A zlib stream of data that needs the preset dictionary dict to inflate.
std::vector<uint8_t> ZlibWithDictionary(const std::vector<uint8_t>& data, const std::string& dict);
// The inflated body of a container.
std::vector<uint8_t> BodyOfContainer(const std::vector<uint8_t>& container);
std::vector<uint8_t> StreamBytes(TMemoryStream& s);
// Loads bytes as a container into a stored skin.
void LoadContainer(TbsCompressedStoredSkin* skin, const std::vector<uint8_t>& bytes);
// The skin text of a store, as lines.
String SkinText(TbsSkinData* store);
// A BMP image of a w x h picture in one colour.
std::vector<uint8_t> BmpBytes(int w, int h, TColor color);
void AppendInt32(std::vector<uint8_t>& v, int32_t x);
