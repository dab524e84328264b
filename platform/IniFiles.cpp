#include "platform/IniFiles.h"

#include <algorithm>

// ---- TCustomIniFile ------------------------------------------------------------------

int TCustomIniFile::ReadInteger(const String& section, const String& key, int def) {
    int v;
    return TryStrToInt(ReadString(section, key, String()), v) ? v : def;
}

void TCustomIniFile::WriteInteger(const String& section, const String& key, int value) {
    WriteString(section, key, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& key, bool def) {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& key, bool value) {
    WriteString(section, key, value ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const String& section, const String& key, double def) {
    return StrToFloatDef(ReadString(section, key, String()), def);
}

void TCustomIniFile::WriteFloat(const String& section, const String& key, double value) {
    WriteString(section, key, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(const String& section) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& key) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.IndexOf(key) >= 0;
}

// ---- TMemIniFile ----------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& fileName, TIniSyntax syntax) : TCustomIniFile(fileName), syntax_(syntax) {
    if (fileName.empty() || !FileExists(fileName)) return;
    TStringList lines;
    lines.LoadFromFile(fileName);
    encoding_ = lines.Encoding;
    SetStrings(&lines);
}

TMemIniFile::Section* TMemIniFile::FindSection(const String& name) {
    for (auto& s : sections_)
        if (SameText(s.name, name)) return &s;
    return nullptr;
}

TMemIniFile::Entry* TMemIniFile::FindEntry(const String& section, const String& key) {
    Section* s = FindSection(section);
    if (!s) return nullptr;
    for (auto& e : s->entries)
        if (SameText(e.key, key)) return &e;
    return nullptr;
}

String TMemIniFile::ReadString(const String& section, const String& key, const String& def) {
    const Entry* e = FindEntry(section, key);
    return e && e->hasValue ? e->value : def;
}

void TMemIniFile::WriteString(const String& section, const String& key, const String& value) {
    if (Entry* e = FindEntry(section, key)) {
        e->value = value;
        e->hasValue = true;
        return;
    }
    Section* s = FindSection(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    s->entries.push_back(Entry{key, value});
}

void TMemIniFile::ReadSection(const String& section, TStrings* keys) {
    keys->BeginUpdate();
    keys->Clear();
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries) keys->Add(e.key);
    keys->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* sections) {
    sections->BeginUpdate();
    sections->Clear();
    for (const auto& s : sections_) sections->Add(s.name);
    sections->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings* lines) {
    lines->BeginUpdate();
    lines->Clear();
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries) lines->Add(e.hasValue ? e.key + L"=" + e.value : e.key);
    lines->EndUpdate();
}

void TMemIniFile::EraseSection(const String& section) {
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [&](const Section& s) { return SameText(s.name, section); }),
                    sections_.end());
}

void TMemIniFile::DeleteKey(const String& section, const String& key) {
    if (Section* s = FindSection(section))
        s->entries.erase(std::remove_if(s->entries.begin(), s->entries.end(),
                                        [&](const Entry& e) { return SameText(e.key, key); }),
                         s->entries.end());
}

bool TMemIniFile::ValueExists(const String& section, const String& key) { return FindEntry(section, key) != nullptr; }

void TMemIniFile::SetStrings(const TStrings* lines) {
    sections_.clear();
    Section* current = nullptr;
    for (int i = 0; i < lines->Count(); ++i) {
        const String line = Trim(lines->Get(i));
        if (line.empty() || line[0] == L';') continue;
        const bool plain = syntax_ == TIniSyntax::Plain;
        if (line[0] == L'[' && (!plain || line.back() == L']')) {
            const size_t close = plain ? line.size() - 1 : line.find(L']');
            String name = line.substr(1, close == String::npos ? String::npos : close - 1);
            if (plain) name = Trim(name);
            current = FindSection(name);
            if (!current) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        if (!current) continue;
        const size_t eq = line.find(L'=');
        String key = eq == String::npos ? line : TrimRight(line.substr(0, eq));
        String value = eq == String::npos ? String() : TrimLeft(line.substr(eq + 1));
        // A value in matching quotes loses them, as the profile functions read it.
        if (!plain && value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        current->entries.push_back(Entry{std::move(key), std::move(value), !plain || eq != String::npos});
    }
}

void TMemIniFile::GetStrings(TStrings* lines) const {
    lines->BeginUpdate();
    lines->Clear();
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (i) lines->Add(String());
        lines->Add(L"[" + sections_[i].name + L"]");
        for (const auto& e : sections_[i].entries) lines->Add(e.hasValue ? e.key + L"=" + e.value : e.key);
    }
    lines->EndUpdate();
}

void TMemIniFile::Clear() { sections_.clear(); }

void TMemIniFile::UpdateFile() {
    if (FileName().empty()) return;
    TStringList lines;
    GetStrings(&lines);
    lines.Encoding = encoding_;
    lines.SaveToFile(FileName());
}

// ---- TIniFile ---------------------------------------------------------------------------

namespace {

// Reads a profile string of any length.
String Profile(const wchar_t* section, const wchar_t* key, const wchar_t* def, const String& file) {
    std::vector<wchar_t> buf(2048);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(section, key, def, buf.data(), static_cast<DWORD>(buf.size()),
                                                 file.c_str());
        // Lists end in two NULs, so a full buffer reports size - 2 for them.
        if (n + 2 < buf.size()) return String(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

void SplitNulList(const String& list, TStrings* out) {
    out->BeginUpdate();
    out->Clear();
    size_t i = 0;
    while (i < list.size()) {
        const size_t end = list.find(L'\0', i);
        const String item = list.substr(i, end == String::npos ? String::npos : end - i);
        if (!item.empty()) out->Add(item);
        if (end == String::npos) break;
        i = end + 1;
    }
    out->EndUpdate();
}

}  // namespace

String TIniFile::ReadString(const String& section, const String& key, const String& def) {
    return Profile(section.c_str(), key.c_str(), def.c_str(), FileName());
}

void TIniFile::WriteString(const String& section, const String& key, const String& value) {
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), FileName().c_str()))
        throw EWriteError(L"Unable to write to " + FileName());
}

void TIniFile::ReadSection(const String& section, TStrings* keys) {
    SplitNulList(Profile(section.c_str(), nullptr, L"", FileName()), keys);
}

void TIniFile::ReadSections(TStrings* sections) {
    SplitNulList(Profile(nullptr, nullptr, L"", FileName()), sections);
}

void TIniFile::ReadSectionValues(const String& section, TStrings* lines) {
    TStringList keys;
    ReadSection(section, &keys);
    lines->BeginUpdate();
    lines->Clear();
    for (int i = 0; i < keys.Count(); ++i) lines->Add(keys[i] + L"=" + ReadString(section, keys[i], String()));
    lines->EndUpdate();
}

void TIniFile::EraseSection(const String& section) {
    if (!WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, FileName().c_str()))
        throw EWriteError(L"Unable to write to " + FileName());
}

void TIniFile::DeleteKey(const String& section, const String& key) {
    WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, FileName().c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, FileName().c_str()); }
