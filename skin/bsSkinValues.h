#pragma once
// Values of the skin text: the enumerations a skin names by word, and the
// routines that read and write one value of a skin INI section.
//
// Every reader takes the INI, the section and the key; a missing key gives
// the value's default. Point and rectangle values are lists of signed
// integers separated by commas; a list with too few or empty numbers raises
// EConvertError. Unknown enumeration words give the enumeration's default.
//
// Threads: any thread; the INI object is used by one thread at a time.

#include <vector>

#include "platform/Graphics.h"
#include "platform/IniFiles.h"
#include "platform/Alignment.h"  // TAlignment

enum TbsStretchType { bsstFull, bsstHorz, bsstVert };
enum TbsMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TbsInActiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
enum TbsStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };

// The fixed sections of a skin text.
namespace bsSections {
inline constexpr const wchar_t* Version = L"VERSION";
inline constexpr const wchar_t* Pictures = L"PICTURES";
inline constexpr const wchar_t* FormInfo = L"FORMINFO";
inline constexpr const wchar_t* PopupWindow = L"POPUPWINDOW";
inline constexpr const wchar_t* LayerFrame = L"LAYERFRAME";
inline constexpr const wchar_t* HintWindow = L"HINTWINDOW";
inline constexpr const wchar_t* SkinColors = L"SKINCOLORS";
inline constexpr const wchar_t* SkinObjects = L"SKINOBJECTS";
inline constexpr const wchar_t* SkinControls = L"SKINCONTROLS";
}  // namespace bsSections

// "12, -3" -> (12, -3); fields beyond the second are ignored.
TPoint ParsePointValue(const String& s);
// "0,0,10,20" -> (0, 0, 10, 20); fields beyond the fourth are ignored.
TRect ParseRectValue(const String& s);
String PointToText(const TPoint& p);
String RectToText(const TRect& r);

// Integer of the skin text: decimal with sign, or "0x"/"$" hex of up to 32
// bits (so 0xFF00000F is a system colour); anything else gives def.
bool TryParseSkinInt(const String& s, int& value);

int ReadIntValue(TCustomIniFile* ini, const String& section, const String& key, int def);
TRect ReadRectValue(TCustomIniFile* ini, const String& section, const String& key);
TPoint ReadPointValue(TCustomIniFile* ini, const String& section, const String& key);
bool ReadBoolValue(TCustomIniFile* ini, const String& section, const String& key);
TFontStyles ReadFontStylesValue(TCustomIniFile* ini, const String& section, const String& key);
// The numbers i, 0 <= i < count, whose key (i in decimal: "0", "1", ...)
// the section holds, in ascending order. Reading these is reading the keys
// 0 .. count-1 without asking for each of a count the text may have made up.
std::vector<int> NumberedKeys(TCustomIniFile* ini, const String& section, int count);
// Appends the list stored under key + "count" and the keys "0" .. n-1; a
// missing key in between gives an empty entry, and the list ends with the
// last key present.
void ReadStringsValue(TCustomIniFile* ini, const String& section, const String& key, TStrings* list);
TAlignment ReadAlignmentValue(TCustomIniFile* ini, const String& section, const String& key);
TbsStretchType ReadStretchTypeValue(TCustomIniFile* ini, const String& section, const String& key);
TbsMorphKind ReadMorphKindValue(TCustomIniFile* ini, const String& section, const String& key);
TbsInActiveEffect ReadInActiveEffectValue(TCustomIniFile* ini, const String& section, const String& key);
TbsStdCommand ReadStdCommandValue(TCustomIniFile* ini, const String& section, const String& key);

void WriteIntValue(TCustomIniFile* ini, const String& section, const String& key, int value);
void WriteRectValue(TCustomIniFile* ini, const String& section, const String& key, const TRect& value);
void WritePointValue(TCustomIniFile* ini, const String& section, const String& key, const TPoint& value);
void WriteBoolValue(TCustomIniFile* ini, const String& section, const String& key, bool value);
void WriteFontStylesValue(TCustomIniFile* ini, const String& section, const String& key, TFontStyles value);
void WriteStringsValue(TCustomIniFile* ini, const String& section, const String& key, const TStrings* list);
void WriteAlignmentValue(TCustomIniFile* ini, const String& section, const String& key, TAlignment value);
void WriteStretchTypeValue(TCustomIniFile* ini, const String& section, const String& key, TbsStretchType value);
void WriteMorphKindValue(TCustomIniFile* ini, const String& section, const String& key, TbsMorphKind value);
void WriteInActiveEffectValue(TCustomIniFile* ini, const String& section, const String& key, TbsInActiveEffect value);
void WriteStdCommandValue(TCustomIniFile* ini, const String& section, const String& key, TbsStdCommand value);

// The words of an enumeration, in value order.
const wchar_t* StretchTypeWord(TbsStretchType v);
const wchar_t* MorphKindWord(TbsMorphKind v);
const wchar_t* InActiveEffectWord(TbsInActiveEffect v);
const wchar_t* AlignmentWord(TAlignment v);
const wchar_t* StdCommandWord(TbsStdCommand v);

// True when VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS each
// hold at least one entry.
bool IsSkinFile(TCustomIniFile* ini);
