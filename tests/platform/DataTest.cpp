// Conversions, string lists, INI files and streams.
#include <gtest/gtest.h>

#include "platform/IniFiles.h"
#include "platform/StringList.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"

namespace {

// A scratch folder removed with everything in it at the end of a test.
class TempDir {
public:
    TempDir() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = String(base) + L"vantrel_platform_" + IntToStr(GetCurrentProcessId()) + L"_" +
                IntToStr(counter_++) + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempDir() {
        SHFILEOP_Remove(path_);
    }
    const String& Path() const { return path_; }

private:
    static void SHFILEOP_Remove(const String& dir) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir + L"*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const String name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) SHFILEOP_Remove(dir + name + L"\\");
                else DeleteFileW((dir + name).c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(dir.c_str());
    }
    static inline int counter_ = 0;
    String path_;
};

// ---- integers -------------------------------------------------------------------------

struct IntCase {
    const wchar_t* text;
    bool valid;
    int value;
};

class StrToIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntTest, ParsesOrRejects) {
    const IntCase& c = GetParam();
    int v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.valid) << c.text;
    if (c.valid) {
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
        EXPECT_THROW(StrToInt(c.text), EConvertError) << c.text;
        EXPECT_EQ(StrToIntDef(c.text, -7), -7);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, StrToIntTest,
                         ::testing::Values(IntCase{L"0", true, 0}, IntCase{L"42", true, 42},
                                           IntCase{L"  -17 ", true, -17}, IntCase{L"+8", true, 8},
                                           IntCase{L"$1F", true, 31}, IntCase{L"0x1f", true, 31},
                                           IntCase{L"0XFF", true, 255}, IntCase{L"$FFFFFFFF", true, -1},
                                           IntCase{L"2147483647", true, 2147483647},
                                           IntCase{L"-2147483648", true, INT32_MIN},
                                           IntCase{L"2147483648", false, 0}, IntCase{L"$1FFFFFFFF", false, 0},
                                           IntCase{L"", false, 0}, IntCase{L"  ", false, 0},
                                           IntCase{L"12a", false, 0}, IntCase{L"0x", false, 0},
                                           IntCase{L"$", false, 0}, IntCase{L"1.5", false, 0},
                                           IntCase{L"--1", false, 0}));

TEST(Conversions, Int64AndHex) {
    EXPECT_EQ(StrToInt64(L"-9223372036854775808"), INT64_MIN);
    EXPECT_THROW(StrToInt64(L"9223372036854775808"), EConvertError);
    EXPECT_EQ(IntToStr(-123), L"-123");
    EXPECT_EQ(IntToHex(255, 4), L"00FF");
}

struct RoundCase {
    double in;
    int64_t out;
};
class RoundTest : public ::testing::TestWithParam<RoundCase> {};
TEST_P(RoundTest, TiesGoToEven) { EXPECT_EQ(Round(GetParam().in), GetParam().out) << GetParam().in; }
INSTANTIATE_TEST_SUITE_P(Banker, RoundTest,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{-0.5, 0}, RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                                           RoundCase{2.4999, 2}, RoundCase{2.5001, 3}, RoundCase{-2.6, -3}));

TEST(Conversions, Floats) {
    EXPECT_DOUBLE_EQ(StrToFloat(L" 2.5 "), 2.5);
    EXPECT_THROW(StrToFloat(L"2.5x"), EConvertError);
    EXPECT_DOUBLE_EQ(StrToFloatDef(L"", 1.25), 1.25);
}

struct FormatCase {
    const wchar_t* expected;
    String actual;
};
class FormatTest : public ::testing::TestWithParam<FormatCase> {};
TEST_P(FormatTest, Renders) { EXPECT_EQ(GetParam().actual, GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Directives, FormatTest,
    ::testing::Values(FormatCase{L"Cannot Start while working.", Format(L"Cannot %s while working.", L"Start")},
                      FormatCase{L"#3.5: x", Format(L"#%d.%d: %s", 3, 5, L"x")},
                      FormatCase{L"[  7][7  ]", Format(L"[%3d][%-3d]", 7, 7)},
                      FormatCase{L"007", Format(L"%.3d", 7)}, FormatCase{L"ff FF", Format(L"%x %X", 255, 255)},
                      FormatCase{L"3.14", Format(L"%.2f", 3.14159)}, FormatCase{L"100%", Format(L"%d%%", 100)},
                      FormatCase{L"b a", Format(L"%1:s %0:s", L"a", L"b")},
                      FormatCase{L"1,234,567.00", Format(L"%n", 1234567.0)},
                      FormatCase{L"[ ab]", Format(L"[%*s]", 3, L"ab")},
                      FormatCase{L"-5", Format(L"%d", -5)}));

TEST(Conversions, FormatRejectsMismatchedArguments) {
    EXPECT_THROW(Format(L"%d", L"text"), EConvertError);
    EXPECT_THROW(Format(L"%s %s", L"one"), EConvertError);
    EXPECT_THROW(Format(L"%q", 1), EConvertError);
}

TEST(Conversions, TextHelpers) {
    EXPECT_EQ(Trim(L" \t a b \r\n"), L"a b");
    EXPECT_EQ(TrimLeft(L"  a "), L"a ");
    EXPECT_EQ(TrimRight(L"  a "), L"  a");
    EXPECT_TRUE(SameText(L"Skin", L"SKIN"));
    EXPECT_EQ(StringReplace(L"a-b-c", L"-", L"+", rfReplaceAll), L"a+b+c");
    EXPECT_EQ(StringReplace(L"aXbx", L"x", L"_", rfReplaceAll | rfIgnoreCase), L"a_b_");
    EXPECT_EQ(Utf8Decode(Utf8Encode(L"视频 video")), L"视频 video");
}

struct PathCase {
    const wchar_t* name;
    const wchar_t* path;
    const wchar_t* dir;
    const wchar_t* file;
    const wchar_t* ext;
};
class PathTest : public ::testing::TestWithParam<PathCase> {};
TEST_P(PathTest, Splits) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
}
INSTANTIATE_TEST_SUITE_P(Names, PathTest,
                         ::testing::Values(PathCase{L"C:\\a\\b.txt", L"C:\\a\\", L"C:\\a", L"b.txt", L".txt"},
                                           PathCase{L"C:\\b", L"C:\\", L"C:\\", L"b", L""},
                                           PathCase{L"a.b\\c", L"a.b\\", L"a.b", L"c", L""},
                                           PathCase{L"x.tar.gz", L"", L"", L"x.tar.gz", L".gz"}));

TEST(Files, ExtractFileDriveFindsDrivesAndShares) {
    EXPECT_EQ(ExtractFileDrive(L"C:\\a\\b.txt"), L"C:");
    EXPECT_EQ(ExtractFileDrive(L"\\\\srv\\share\\dir\\f"), L"\\\\srv\\share");
    EXPECT_EQ(ExtractFileDrive(L"relative\\f"), L"");
}

TEST(Files, ForceDirectoriesCreatesEveryLevel) {
    TempDir tmp;
    const String deep = tmp.Path() + L"视频\\b\\c";
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_TRUE(ForceDirectories(deep + L"\\"));
    EXPECT_EQ(ChangeFileExt(L"C:\\a.b\\c.avi", L".mp4"), L"C:\\a.b\\c.mp4");
}

struct MaskCase {
    const wchar_t* name;
    const wchar_t* mask;
    bool match;
};
class MaskTest : public ::testing::TestWithParam<MaskCase> {};
TEST_P(MaskTest, Matches) { EXPECT_EQ(MatchesMask(GetParam().name, GetParam().mask), GetParam().match); }
INSTANTIATE_TEST_SUITE_P(Masks, MaskTest,
                         ::testing::Values(MaskCase{L"Movie.AVI", L"*.avi", true}, MaskCase{L"movie.avi", L"*.mp4", false},
                                           MaskCase{L"a.b.c", L"*.c", true}, MaskCase{L"abc", L"a?c", true},
                                           MaskCase{L"ac", L"a?c", false}, MaskCase{L"file1", L"file[0-9]", true},
                                           MaskCase{L"fileX", L"file[!0-9]", true}, MaskCase{L"file5", L"file[!0-9]", false},
                                           MaskCase{L"", L"*", true}, MaskCase{L"x", L"", false},
                                           MaskCase{L"abc", L"*b*", true}));

TEST(Masks, UnterminatedSetIsAnError) { EXPECT_THROW(MatchesMask(L"a", L"[a"), EConvertError); }

// ---- string lists ---------------------------------------------------------------------

TEST(StringList, TextSplitsOnEveryLineBreakAndJoinsWithCrLf) {
    TStringList l;
    l.SetText(L"a\r\nb\nc\rd");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[3], L"d");
    EXPECT_EQ(l.Text(), L"a\r\nb\r\nc\r\nd\r\n");
    l.SetText(L"x\r\n\r\n");
    EXPECT_EQ(l.Count(), 2);
}

TEST(StringList, NameValuePairs) {
    TStringList l;
    l.SetText(L"vcodec=libx264\nb=800k\nplain\nempty=");
    EXPECT_EQ(l.Values(L"B"), L"800k");
    EXPECT_EQ(l.Names(0), L"vcodec");
    EXPECT_EQ(l.ValueFromIndex(0), L"libx264");
    EXPECT_EQ(l.IndexOfName(L"plain"), -1);
    EXPECT_EQ(l.IndexOfName(L"empty"), 3);
    l.SetValue(L"b", L"1000k");
    EXPECT_EQ(l[1], L"b=1000k");
    l.SetValue(L"ab", L"128k");
    EXPECT_EQ(l.Count(), 5);
    l.SetValue(L"vcodec", L"");
    EXPECT_EQ(l.IndexOfName(L"vcodec"), -1);
}

struct SortCase {
    TDuplicates dup;
    bool caseSensitive;
    std::vector<String> in;
    std::vector<String> out;
    bool throws;
};
class SortedListTest : public ::testing::TestWithParam<SortCase> {};
TEST_P(SortedListTest, KeepsOrderAndDuplicates) {
    const SortCase& c = GetParam();
    TStringList l;
    l.SetSorted(true);
    l.Duplicates = c.dup;
    l.SetCaseSensitive(c.caseSensitive);
    bool threw = false;
    try {
        for (const auto& s : c.in) l.Add(s);
    } catch (const EStringListError&) {
        threw = true;
    }
    EXPECT_EQ(threw, c.throws);
    std::vector<String> got;
    for (int i = 0; i < l.Count(); ++i) got.push_back(l[i]);
    EXPECT_EQ(got, c.out);
    for (int i = 0; i < l.Count(); ++i) EXPECT_GE(l.IndexOf(l[i]), 0);
}
INSTANTIATE_TEST_SUITE_P(
    Duplicates, SortedListTest,
    ::testing::Values(SortCase{dupIgnore, false, {L"b", L"A", L"c", L"a"}, {L"A", L"b", L"c"}, false},
                      SortCase{dupAccept, false, {L"b", L"a", L"b"}, {L"a", L"b", L"b"}, false},
                      SortCase{dupError, false, {L"b", L"a", L"B"}, {L"a", L"b"}, true},
                      SortCase{dupIgnore, true, {L"b", L"B", L"b"}, {L"b", L"B"}, false}));

TEST(StringList, ObjectsFollowTheirLinesAndChangeEventsFire) {
    TStringList l;
    TObject a, b;
    int changes = 0, changing = 0;
    l.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &l);
        ++changes;
    };
    l.OnChanging = [&](TObject*) { ++changing; };
    l.AddObject(L"zeta", &a);
    l.AddObject(L"alpha", &b);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changing, 2);
    l.BeginUpdate();
    l.Add(L"x");
    l.Delete(2);
    l.EndUpdate();
    EXPECT_EQ(changes, 3);  // one for the whole update
    l.Sort();
    EXPECT_EQ(l[0], L"alpha");
    EXPECT_EQ(l.GetObject(0), &b);
    EXPECT_EQ(l.IndexOfObject(&a), 1);
    EXPECT_THROW(l.Get(2), EStringListError);
    EXPECT_THROW(l.Delete(-1), EStringListError);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    TStringList l;
    l.SetCommaText(L"a, \"b c\",\"d\"\"e\",");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[1], L"b c");
    EXPECT_EQ(l[2], L"d\"e");
    EXPECT_EQ(l[3], L"");
    EXPECT_EQ(l.CommaText(), L"a,\"b c\",\"d\"\"e\",\"\"");
}

struct BomCase {
    std::vector<uint8_t> bytes;
    TTextEncoding encoding;
};
class LoadTextTest : public ::testing::TestWithParam<BomCase> {};
TEST_P(LoadTextTest, DetectsEncodingAndSavesItBack) {
    const BomCase& c = GetParam();
    TMemoryStream in;
    in.WriteBuffer(c.bytes.data(), static_cast<int32_t>(c.bytes.size()));
    in.SetPosition(0);
    TStringList l;
    l.LoadFromStream(&in);
    EXPECT_EQ(l.Encoding, c.encoding);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l[0], L"[Skin]");
    EXPECT_EQ(l[1], L"名=1");
    TMemoryStream out;
    l.SaveToStream(&out);
    const auto* p = static_cast<const uint8_t*>(out.Memory());
    std::vector<uint8_t> saved(p, p + out.Size());
    // Saved text ends with a line break; the source did not.
    std::vector<uint8_t> expected = c.bytes;
    const auto tail = EncodeText(L"\r\n", c.encoding);
    const size_t bom = c.encoding == TTextEncoding::Utf16LE || c.encoding == TTextEncoding::Utf16BE ? 2
                       : c.encoding == TTextEncoding::Utf8Bom                                      ? 3
                                                                                                   : 0;
    expected.insert(expected.end(), tail.begin() + static_cast<long>(bom), tail.end());
    EXPECT_EQ(saved, expected);
}
std::vector<uint8_t> Bytes(const String& s, TTextEncoding e) { return EncodeText(s, e); }
INSTANTIATE_TEST_SUITE_P(
    Boms, LoadTextTest,
    ::testing::Values(BomCase{Bytes(L"[Skin]\r\n名=1", TTextEncoding::Utf16LE), TTextEncoding::Utf16LE},
                      BomCase{Bytes(L"[Skin]\r\n名=1", TTextEncoding::Utf16BE), TTextEncoding::Utf16BE},
                      BomCase{Bytes(L"[Skin]\r\n名=1", TTextEncoding::Utf8Bom), TTextEncoding::Utf8Bom},
                      BomCase{Bytes(L"[Skin]\r\n名=1", TTextEncoding::Utf8), TTextEncoding::Utf8}));

// ---- INI files -------------------------------------------------------------------------

struct IniIntCase {
    const wchar_t* stored;
    int expected;
};
class IniIntegerTest : public ::testing::TestWithParam<IniIntCase> {};
TEST_P(IniIntegerTest, ReadsEveryIntegerForm) {
    TMemIniFile ini;
    TStringList text;
    text.SetText(String(L"[Options]\r\nValue=") + GetParam().stored);
    ini.SetStrings(&text);
    EXPECT_EQ(ini.ReadInteger(L"options", L"VALUE", -99), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Forms, IniIntegerTest,
                         ::testing::Values(IniIntCase{L"12", 12}, IniIntCase{L"-3", -3}, IniIntCase{L"0x10", 16},
                                           IniIntCase{L"$7f", 127}, IniIntCase{L" 5 ", 5}, IniIntCase{L"", -99},
                                           IniIntCase{L"abc", -99}, IniIntCase{L"1e3", -99}));

TEST(MemIniFile, ParsesSectionsKeysAndComments) {
    TStringList text;
    text.SetText(L"; comment\r\nstray=1\r\n[A]\r\nx = 1\r\ny=\"quoted value\"\r\n[b]\r\nz=3\r\n[a]\r\nw=4\r\n");
    TMemIniFile ini;
    ini.SetStrings(&text);
    TStringList sections, keys;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Text(), L"A\r\nb\r\n");
    ini.ReadSection(L"a", &keys);
    EXPECT_EQ(keys.Text(), L"x\r\ny\r\nw\r\n");
    EXPECT_EQ(ini.ReadString(L"A", L"Y", L""), L"quoted value");
    EXPECT_EQ(ini.ReadString(L"A", L"missing", L"def"), L"def");
    EXPECT_TRUE(ini.ValueExists(L"b", L"Z"));
    EXPECT_FALSE(ini.SectionExists(L"stray"));
    ini.DeleteKey(L"A", L"x");
    ini.EraseSection(L"B");
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Text(), L"A\r\n");
    EXPECT_FALSE(ini.ValueExists(L"A", L"x"));
}

TEST(MemIniFile, FileRoundTripKeepsUnicodeAndEncoding) {
    TempDir tmp;
    const String file = tmp.Path() + L"option.ini";
    {
        TMemIniFile ini(file);
        ini.WriteString(L"OutPath", L"Path", L"C:\\Vantrel视频软件\\输出");
        ini.WriteInteger(L"Options", L"Threads", 4);
        ini.WriteBool(L"Options", L"Shutdown", true);
        ini.UpdateFile();
    }
    TMemIniFile again(file);
    EXPECT_EQ(again.ReadString(L"OutPath", L"Path", L""), L"C:\\Vantrel视频软件\\输出");
    EXPECT_EQ(again.ReadInteger(L"Options", L"Threads", 0), 4);
    EXPECT_TRUE(again.ReadBool(L"Options", L"Shutdown", false));
    // The system's profile functions read the same file.
    TIniFile sys(file);
    EXPECT_EQ(sys.ReadString(L"OutPath", L"Path", L""), L"C:\\Vantrel视频软件\\输出");
    EXPECT_EQ(sys.ReadInteger(L"Options", L"Threads", 0), 4);
}

TEST(IniFile, WritesThroughTheSystem) {
    TempDir tmp;
    const String file = tmp.Path() + L"sys.ini";
    TIniFile ini(file);
    ini.WriteString(L"Skin", L"Index", L"3");
    ini.WriteInteger(L"Skin", L"Hex", 0);
    ini.UpdateFile();
    EXPECT_EQ(ini.ReadInteger(L"skin", L"index", -1), 3);
    TStringList keys;
    ini.ReadSection(L"Skin", &keys);
    EXPECT_EQ(keys.Count(), 2);
    ini.DeleteKey(L"Skin", L"Hex");
    EXPECT_FALSE(ini.ValueExists(L"Skin", L"Hex"));
    TMemIniFile mem(file);
    EXPECT_EQ(mem.ReadString(L"Skin", L"Index", L""), L"3");
}

// ---- streams --------------------------------------------------------------------------

TEST(Streams, MemoryStreamGrowsSeeksAndReportsShortReads) {
    TMemoryStream m;
    const char data[] = "abcdef";
    m.WriteBuffer(data, 6);
    EXPECT_EQ(m.Size(), 6);
    m.Seek(-2, soEnd);
    char buf[4] = {};
    EXPECT_EQ(m.Read(buf, 4), 2);
    EXPECT_EQ(std::string(buf, 2), "ef");
    m.SetPosition(5);
    EXPECT_THROW(m.ReadBuffer(buf, 2), EReadError);
    m.SetPosition(8);
    m.WriteBuffer("z", 1);
    EXPECT_EQ(m.Size(), 9);
}

TEST(Streams, FileStreamErrorsNameTheFile) {
    TempDir tmp;
    try {
        TFileStream f(tmp.Path() + L"missing.bin", fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(L"missing.bin"), String::npos);
    }
    const String name = tmp.Path() + L"x.bin";
    {
        TFileStream f(name, fmCreate);
        TMemoryStream m;
        m.WriteBuffer("12345", 5);
        f.CopyFrom(&m, 0);
    }
    TMemoryStream back;
    back.LoadFromFile(name);
    EXPECT_EQ(std::string(static_cast<const char*>(back.Memory()), 5), "12345");
}

TEST(Streams, ResourceStreamReadsTheModulesDataAndRefusesWrites) {
    TResourceStream r(GetModuleHandleW(nullptr), L"VANTREL_TEST_DATA", RT_RCDATA);
    char buf[32] = {};
    const int32_t n = r.Read(buf, sizeof(buf));
    EXPECT_EQ(std::string(buf, static_cast<size_t>(n)), "resource text");
    EXPECT_THROW(r.Write("x", 1), EStreamError);
    EXPECT_THROW(TResourceStream(GetModuleHandleW(nullptr), L"NO_SUCH_RESOURCE", nullptr), EResNotFound);
}

}  // namespace
