// Draws the program's skins and writes them as compressed containers for
// the program's resources, checking each one on the way:
//   skingen <output folder>
// writes skin_main_0.skn .. skin_main_7.skn, skin_lists_0.skn, the display
// names (skin_main_names.txt, skin_lists_names.txt), contact_sheet.png and
// the pictures of the file dialogs and lists (DialogGlyphs.h).
#include <algorithm>
#include <cstdio>

#include "ContactSheet.h"
#include "DialogGlyphs.h"
#include "SkinBuilder.h"
#include "SkinCheck.h"
#include "skin/bsCompressedSkins.h"

namespace {

const wchar_t* const kMainNames[] = {L"木星战甲", L"土星战甲", L"宇宙战甲", L"星河战甲",
                                     L"银河战甲", L"金星战甲", L"火星战甲", L"水星战甲"};
const wchar_t* const kListsName = L"列表外观";

String TextOf(TbsSkinData* s) {
    TMemIniFile ini;
    s->SaveToIniFile(&ini);
    TStringList lines;
    ini.GetStrings(&lines);
    return lines.Text();
}

void Fail(const String& what) { throw Exception(what); }

// The first line in which two texts differ, for the error message.
String FirstDifference(const String& a, const String& b) {
    TStringList la, lb;
    la.SetText(a);
    lb.SetText(b);
    for (int i = 0; i < std::max(la.Count(), lb.Count()); ++i) {
        const String x = i < la.Count() ? la[i] : String(), y = i < lb.Count() ? lb[i] : String();
        if (x != y) return L"'" + x + L"' became '" + y + L"'";
    }
    return String();
}

// Writes one skin and checks what was written; returns the loaded copy.
std::unique_ptr<TbsSkinData> WriteSkin(const Theme& theme, const String& file) {
    auto built = BuildSkin(theme);
    built->SaveToCompressedFile(file);
    auto loaded = std::make_unique<TbsSkinData>(nullptr);
    loaded->LoadFromCompressedFile(file);
    if (loaded->Empty) Fail(file + L": the store did not take the skin");
    const String text = TextOf(built.get());
    if (TextOf(loaded.get()) != text)
        Fail(file + L": the skin text changed on its way through the container: " +
             FirstDifference(text, TextOf(loaded.get())));
    TStringList lines;
    lines.SetText(text);
    TMemIniFile ini;
    ini.SetStrings(&lines);
    if (!IsSkinFile(&ini)) Fail(file + L": the text is not a skin file");
    for (wchar_t ch : text)
        if (ch > 0x7E || (ch < 0x20 && ch != L'\r' && ch != L'\n')) Fail(file + L": the skin text is not plain ASCII");
    for (const String& problem : CheckSkin(loaded.get())) Fail(file + L": " + problem);
    return loaded;
}

void WriteNames(const String& file, std::initializer_list<const wchar_t*> names) {
    TStringList l;
    for (const wchar_t* n : names) l.Add(n);
    l.Encoding = TTextEncoding::Utf16LE;
    l.SaveToFile(file);
}

int Run(const String& dir) {
    std::vector<std::unique_ptr<TbsSkinData>> skins;
    std::vector<SheetEntry> sheet;
    const auto& themes = MainThemes();
    for (size_t i = 0; i < themes.size(); ++i) {
        skins.push_back(WriteSkin(themes[i], dir + L"skin_main_" + IntToStr(static_cast<int64_t>(i)) + L".skn"));
        sheet.push_back({skins.back().get(), Utf8Decode(themes[i].title)});
    }
    skins.push_back(WriteSkin(ListsTheme(), dir + L"skin_lists_0.skn"));
    sheet.push_back({skins.back().get(), Utf8Decode(ListsTheme().title)});
    WriteNames(dir + L"skin_main_names.txt", {kMainNames[0], kMainNames[1], kMainNames[2], kMainNames[3],
                                              kMainNames[4], kMainNames[5], kMainNames[6], kMainNames[7]});
    WriteNames(dir + L"skin_lists_names.txt", {kListsName});
    WriteContactSheet(sheet, dir + L"contact_sheet.png");
    WriteDialogGlyphs(dir);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: skingen <output folder>\n", stderr);
        return 2;
    }
    try {
        return Run(IncludeTrailingPathDelimiter(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
}
