// Value codecs of the skin text.
#include <gtest/gtest.h>

#include "skin/bsSkinValues.h"

namespace {

// An INI with one section "S" holding `lines` (key=value).
std::unique_ptr<TMemIniFile> Ini(std::initializer_list<const wchar_t*> lines) {
    TStringList l;
    l.Add(L"[S]");
    for (const wchar_t* s : lines) l.Add(s);
    auto ini = std::make_unique<TMemIniFile>();
    ini->SetStrings(&l);
    return ini;
}

struct RectCase {
    const wchar_t* text;
    bool ok;
    TRect expected;
};

class RectValue : public ::testing::TestWithParam<RectCase> {};

TEST_P(RectValue, ParsesOrRefuses) {
    const RectCase& c = GetParam();
    if (!c.ok) {
        EXPECT_THROW(ParseRectValue(c.text), EConvertError) << c.text;
        return;
    }
    EXPECT_EQ(ParseRectValue(c.text), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RectValue,
    ::testing::Values(RectCase{L"1,2,3,4", true, TRect(1, 2, 3, 4)},
                      RectCase{L"1, 2,  3, 4", true, TRect(1, 2, 3, 4)},
                      RectCase{L"-5,0,-10,20", true, TRect(-5, 0, -10, 20)},
                      RectCase{L"+7,8,9,10", true, TRect(7, 8, 9, 10)},
                      RectCase{L"1,2,3,4,5", true, TRect(1, 2, 3, 4)},
                      RectCase{L"10,20,30,40,", true, TRect(10, 20, 30, 40)},
                      RectCase{L"1,2,3", false, {}}, RectCase{L"1,,3,4", false, {}},
                      RectCase{L"1,2,3,", false, {}}, RectCase{L"a,b,c,d", false, {}},
                      RectCase{L"", false, {}}, RectCase{L"1,-,3,4", false, {}}));

TEST(PointValue, ReadsTheFirstTwoSignedNumbers) {
    EXPECT_EQ(ParsePointValue(L"3,4,5"), TPoint(3, 4));
    EXPECT_EQ(ParsePointValue(L" -5 , 7"), TPoint(-5, 7));
    EXPECT_THROW(ParsePointValue(L"5"), EConvertError);
    EXPECT_THROW(ParsePointValue(L"5,"), EConvertError);
}

TEST(PointValue, WritesAndReadsBackNegativeCoordinates) {
    auto ini = Ini({});
    WritePointValue(ini.get(), L"S", L"p", TPoint(-5, 12));
    WriteRectValue(ini.get(), L"S", L"r", TRect(-1, -2, 30, 40));
    EXPECT_EQ(ini->ReadString(L"S", L"p", L""), L"-5,12");
    EXPECT_EQ(ReadPointValue(ini.get(), L"S", L"p"), TPoint(-5, 12));
    EXPECT_EQ(ReadRectValue(ini.get(), L"S", L"r"), TRect(-1, -2, 30, 40));
    EXPECT_EQ(ReadRectValue(ini.get(), L"S", L"missing"), TRect());
    EXPECT_EQ(ReadPointValue(ini.get(), L"S", L"missing"), TPoint());
}

struct IntCase {
    const wchar_t* text;
    int expected;
};

class IntValue : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntValue, ReadsDecimalAndHexOrGivesTheDefault) {
    auto ini = Ini({});
    ini->WriteString(L"S", L"k", GetParam().text);
    EXPECT_EQ(ReadIntValue(ini.get(), L"S", L"k", 77), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, IntValue,
                         ::testing::Values(IntCase{L"12", 12}, IntCase{L"-16777201", -16777201},
                                           IntCase{L"0xFF00000F", -16777201}, IntCase{L"0X10", 16},
                                           IntCase{L"$ff", 255}, IntCase{L"0x", 77}, IntCase{L"abc", 77},
                                           IntCase{L"", 77}, IntCase{L"99999999999", 77},
                                           IntCase{L"0x1FFFFFFFF", 77}));

TEST(FlagValue, OnlyOneIsTrue) {
    auto ini = Ini({L"a=1", L"b=2", L"c=0", L"d=yes"});
    EXPECT_TRUE(ReadBoolValue(ini.get(), L"S", L"a"));
    for (const wchar_t* k : {L"b", L"c", L"d", L"missing"}) EXPECT_FALSE(ReadBoolValue(ini.get(), L"S", k)) << k;
}

TEST(FontStylesValue, FindsEachWordAsExactSubstring) {
    auto ini = Ini({L"a=fsboldfsitalic", L"b=FSBOLD", L"c=fsunderline;fsstrikeout", L"d="});
    EXPECT_EQ(ReadFontStylesValue(ini.get(), L"S", L"a"), TFontStyles(fsBold | fsItalic));
    EXPECT_EQ(ReadFontStylesValue(ini.get(), L"S", L"b"), 0u);
    EXPECT_EQ(ReadFontStylesValue(ini.get(), L"S", L"c"), TFontStyles(fsUnderline | fsStrikeOut));
    EXPECT_EQ(ReadFontStylesValue(ini.get(), L"S", L"d"), 0u);
    WriteFontStylesValue(ini.get(), L"S", L"w", fsItalic | fsBold | fsStrikeOut);
    EXPECT_EQ(ini->ReadString(L"S", L"w", L""), L"fsbold,fsitalic,fsstrikeout");
}

struct EnumCase {
    const wchar_t* text;  // nullptr: key missing
    int stretch, effect, align, command, morph;
};

class EnumValue : public ::testing::TestWithParam<EnumCase> {};

// Unknown words give the same value as a missing key: the table's default.
TEST_P(EnumValue, ReadsWordsAndFallsBackToTheDefault) {
    const EnumCase& c = GetParam();
    auto ini = Ini({});
    if (c.text)
        for (const wchar_t* k : {L"st", L"ie", L"ta", L"cm", L"mk"}) ini->WriteString(L"S", k, c.text);
    EXPECT_EQ(ReadStretchTypeValue(ini.get(), L"S", L"st"), c.stretch);
    EXPECT_EQ(ReadInActiveEffectValue(ini.get(), L"S", L"ie"), c.effect);
    EXPECT_EQ(ReadAlignmentValue(ini.get(), L"S", L"ta"), c.align);
    EXPECT_EQ(ReadStdCommandValue(ini.get(), L"S", L"cm"), c.command);
    EXPECT_EQ(ReadMorphKindValue(ini.get(), L"S", L"mk"), c.morph);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnumValue,
    ::testing::Values(EnumCase{nullptr, bsstFull, ieBrightness, taCenter, cmDefault, mkDefault},
                      EnumCase{L"bogus", bsstFull, ieBrightness, taCenter, cmDefault, mkDefault},
                      EnumCase{L"STVERT", bsstFull, ieBrightness, taCenter, cmDefault, mkDefault},
                      EnumCase{L"stvert", bsstVert, ieBrightness, taCenter, cmDefault, mkDefault},
                      EnumCase{L"iegrayscale", bsstFull, ieGrayScale, taCenter, cmDefault, mkDefault},
                      EnumCase{L"taleftjustify", bsstFull, ieBrightness, taLeftJustify, cmDefault, mkDefault},
                      EnumCase{L"cmminimizetotray", bsstFull, ieBrightness, taCenter, cmMinimizeToTray, mkDefault},
                      EnumCase{L"mkpush", bsstFull, ieBrightness, taCenter, cmDefault, mkPush}));

TEST(EnumValue, EveryWordRoundTrips) {
    auto ini = Ini({});
    for (int v = bsstFull; v <= bsstVert; ++v) {
        WriteStretchTypeValue(ini.get(), L"S", L"k", static_cast<TbsStretchType>(v));
        EXPECT_EQ(ReadStretchTypeValue(ini.get(), L"S", L"k"), v);
    }
    for (int v = mkDefault; v <= mkPush; ++v) {
        WriteMorphKindValue(ini.get(), L"S", L"k", static_cast<TbsMorphKind>(v));
        EXPECT_EQ(ReadMorphKindValue(ini.get(), L"S", L"k"), v);
    }
    for (int v = ieBrightness; v <= ieInvert; ++v) {
        WriteInActiveEffectValue(ini.get(), L"S", L"k", static_cast<TbsInActiveEffect>(v));
        EXPECT_EQ(ReadInActiveEffectValue(ini.get(), L"S", L"k"), v);
    }
    for (int v = cmClose; v <= cmMinimizeToTray; ++v) {
        WriteStdCommandValue(ini.get(), L"S", L"k", static_cast<TbsStdCommand>(v));
        EXPECT_EQ(ReadStdCommandValue(ini.get(), L"S", L"k"), v);
    }
    for (int v = taLeftJustify; v <= taCenter; ++v) {
        WriteAlignmentValue(ini.get(), L"S", L"k", static_cast<TAlignment>(v));
        EXPECT_EQ(ReadAlignmentValue(ini.get(), L"S", L"k"), v);
    }
}

TEST(StringsValue, ReadsCountedEntriesAndBoundsTheCount) {
    auto ini = Ini({L"activepicturescount=2", L"0=a.bmp", L"1=b.bmp"});
    TStringList l;
    ReadStringsValue(ini.get(), L"S", L"activepictures", &l);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l[1], L"b.bmp");
    auto huge = Ini({L"activepicturescount=2000000000", L"0=a.bmp"});
    TStringList h;
    ReadStringsValue(huge.get(), L"S", L"activepictures", &h);
    EXPECT_LE(h.Count(), 2);
    EXPECT_EQ(h[0], L"a.bmp");
}

TEST(SkinFileTest, NeedsFiveSectionsWithAnEntryEach) {
    auto make = [](const wchar_t* objects) {
        TStringList l;
        l.SetText(String(L"[VERSION]\r\nver=1\r\n[PICTURES]\r\npicture=\r\n[FORMINFO]\r\nborderwidth=1\r\n"
                         L"[SKINOBJECTS]\r\n") +
                  objects + L"[SKINCONTROLS]\r\ncount=0\r\n");
        auto ini = std::make_unique<TMemIniFile>();
        ini->SetStrings(&l);
        return ini;
    };
    EXPECT_TRUE(IsSkinFile(make(L"count=0\r\n").get()));
    EXPECT_FALSE(IsSkinFile(make(L"").get()));
    EXPECT_FALSE(IsSkinFile(Ini({L"a=1"}).get()));
}

}  // namespace
