#include "platform/StringList.h"

#include <algorithm>

// ---- text encodings ------------------------------------------------------------------

namespace {

bool IsValidUtf8(const std::vector<uint8_t>& b, size_t from) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(b.data() + from),
                               static_cast<int>(b.size() - from), nullptr, 0) > 0;
}

String Utf16(const std::vector<uint8_t>& b, size_t from, bool bigEndian) {
    String s((b.size() - from) / 2, L'\0');
    for (size_t i = 0; i < s.size(); ++i) {
        const uint8_t lo = b[from + 2 * i + (bigEndian ? 1 : 0)], hi = b[from + 2 * i + (bigEndian ? 0 : 1)];
        s[i] = static_cast<wchar_t>(lo | (hi << 8));
    }
    return s;
}

}  // namespace

String DecodeText(const std::vector<uint8_t>& b, TTextEncoding* found) {
    TTextEncoding enc;
    String text;
    if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        enc = TTextEncoding::Utf16LE;
        text = Utf16(b, 2, false);
    } else if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        enc = TTextEncoding::Utf16BE;
        text = Utf16(b, 2, true);
    } else if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        enc = TTextEncoding::Utf8Bom;
        text = Utf8Decode(std::string(b.begin() + 3, b.end()));
    } else if (!b.empty() && IsValidUtf8(b, 0)) {
        enc = TTextEncoding::Utf8;
        text = Utf8Decode(std::string(b.begin(), b.end()));
    } else {
        enc = b.empty() ? TTextEncoding::Utf16LE : TTextEncoding::Ansi;
        text = AnsiDecode(std::string(b.begin(), b.end()));
    }
    if (found) *found = enc;
    return text;
}

std::vector<uint8_t> EncodeText(const String& text, TTextEncoding encoding) {
    std::vector<uint8_t> out;
    switch (encoding) {
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        const bool be = encoding == TTextEncoding::Utf16BE;
        out = be ? std::vector<uint8_t>{0xFE, 0xFF} : std::vector<uint8_t>{0xFF, 0xFE};
        for (wchar_t c : text) {
            const uint8_t lo = static_cast<uint8_t>(c & 0xFF), hi = static_cast<uint8_t>(c >> 8);
            out.push_back(be ? hi : lo);
            out.push_back(be ? lo : hi);
        }
        return out;
    }
    case TTextEncoding::Utf8Bom:
        out = {0xEF, 0xBB, 0xBF};
        [[fallthrough]];
    case TTextEncoding::Utf8: {
        const std::string u = Utf8Encode(text);
        out.insert(out.end(), u.begin(), u.end());
        return out;
    }
    case TTextEncoding::Ansi: {
        const std::string a = AnsiEncode(text);
        return std::vector<uint8_t>(a.begin(), a.end());
    }
    }
    return out;
}

// ---- TStrings --------------------------------------------------------------------------

void TStrings::Put(int index, const String& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::IndexOf(const String& s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

int TStrings::Add(const String& s) {
    const int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const String& s, TObject* obj) {
    const int i = Add(s);
    PutObject(i, obj);
    return i;
}

void TStrings::InsertObject(int index, const String& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TStrings::AddStrings(const TStrings* other) {
    BeginUpdate();
    for (int i = 0; i < other->Count(); ++i) AddObject(other->Get(i), other->GetObject(i));
    EndUpdate();
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    BeginUpdate();
    const String s = Get(from);
    TObject* obj = GetObject(from);
    Delete(from);
    InsertObject(to, s, obj);
    EndUpdate();
}

void TStrings::Exchange(int a, int b) {
    BeginUpdate();
    const String sa = Get(a), sb = Get(b);
    TObject *oa = GetObject(a), *ob = GetObject(b);
    Put(a, sb);
    PutObject(a, ob);
    Put(b, sa);
    PutObject(b, oa);
    EndUpdate();
}

int TStrings::IndexOfObject(const TObject* obj) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

String TStrings::Names(int index) const {
    const String s = Get(index);
    const size_t p = s.find(L'=');
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(int index) const {
    const String s = Get(index);
    const size_t p = s.find(L'=');
    return p == String::npos ? String() : s.substr(p + 1);
}

int TStrings::IndexOfName(const String& name) const {
    for (int i = 0; i < Count(); ++i) {
        const String s = Get(i);
        const size_t p = s.find(L'=');
        if (p == String::npos) continue;
        const String n = s.substr(0, p);
        if (CaseSensitiveNames() ? n == name : SameText(n, name)) return i;
    }
    return -1;
}

String TStrings::Values(const String& name) const {
    const int i = IndexOfName(name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValue(const String& name, const String& value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i >= 0) {
        Put(i, name + L"=" + value);
    } else {
        Add(name + L"=" + value);
    }
}

String TStrings::Text() const {
    String out;
    for (int i = 0; i < Count(); ++i) out += Get(i) + L"\r\n";
    return out;
}

void TStrings::SetText(const String& text) {
    BeginUpdate();
    Clear();
    size_t i = 0;
    while (i < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", i);
        if (end == String::npos) {
            Add(text.substr(i));
            break;
        }
        Add(text.substr(i, end - i));
        i = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
    EndUpdate();
}

String TStrings::CommaText() const {
    String out;
    for (int i = 0; i < Count(); ++i) {
        const String s = Get(i);
        const bool quote = s.empty() || s.find_first_of(L" ,\"") != String::npos ||
                           std::any_of(s.begin(), s.end(), [](wchar_t c) { return c < L' '; });
        if (i) out += L',';
        if (!quote) {
            out += s;
            continue;
        }
        out += L'"';
        for (wchar_t c : s) out += c == L'"' ? String(L"\"\"") : String(1, c);
        out += L'"';
    }
    return out;
}

void TStrings::SetCommaText(const String& text) {
    BeginUpdate();
    Clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] <= L' ') ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        String item;
        if (text[i] == L'"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == L'"') {
                    if (i + 1 < text.size() && text[i + 1] == L'"') {
                        item += L'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] > L' ' && text[i] != L',') item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < text.size() && text[i] == L',') {
            ++i;
            skipBlanks();
            if (i == text.size()) Add(String());
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromStream(TStream* stream) {
    const int64_t left = stream->Size() - stream->Position();
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(0, left)));
    if (!bytes.empty()) stream->ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    TTextEncoding enc;
    const String text = DecodeText(bytes, &enc);
    Encoding = enc;
    SetText(text);
}

void TStrings::LoadFromFile(const String& fileName) {
    TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TStrings::SaveToStream(TStream* stream) const {
    const std::vector<uint8_t> bytes = EncodeText(Text(), Encoding);
    if (!bytes.empty()) stream->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TStrings::SaveToFile(const String& fileName) const {
    TFileStream f(fileName, fmCreate);
    SaveToStream(&f);
}

void TStrings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TStrings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

bool TStrings::Equals(const TStrings* other) const {
    if (Count() != other->Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other->Get(i)) return false;
    return true;
}

// ---- TStringList ---------------------------------------------------------------------

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    Clear();
}

void TStringList::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EStringListError(L"List index out of bounds (" + IntToStr(index) + L")");
}

String TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const String& s) {
    if (sorted_) throw EStringListError(L"Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = obj;
    Changed();
}

int TStringList::AddObject(const String& s, TObject* obj) {
    if (!sorted_) {
        InsertItem(Count(), s, obj);
        return Count() - 1;
    }
    int index;
    if (Find(s, index)) {
        if (Duplicates == dupIgnore) return index;
        if (Duplicates == dupError) throw EStringListError(L"String list does not allow duplicates");
    }
    InsertItem(index, s, obj);
    return index;
}

void TStringList::InsertObject(int index, const String& s, TObject* obj) {
    if (sorted_) throw EStringListError(L"Operation not allowed on sorted list");
    CheckIndex(index, true);
    InsertItem(index, s, obj);
}

void TStringList::InsertItem(int index, const String& s, TObject* obj) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, obj});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    TObject* obj = items_[static_cast<size_t>(index)].object;
    items_.erase(items_.begin() + index);
    if (OwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    std::vector<Item> old;
    old.swap(items_);
    if (OwnsObjects)
        for (auto& i : old) delete i.object;
    Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(const String& s) const {
    if (sorted_) {
        int i;
        return Find(s, i) ? i : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(items_[static_cast<size_t>(i)].text, s) == 0) return i;
    return -1;
}

bool TStringList::Find(const String& s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(items_[static_cast<size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::CustomSort(const std::function<int(TStringList*, int, int)>& compare) {
    if (Count() < 2) return;
    Changing();
    // Sort a permutation so that the comparer sees the list as it is.
    std::vector<int> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(items_[static_cast<size_t>(i)]);
    items_.swap(sorted);
    Changed();
}

void TStringList::Sort() {
    CustomSort([](TStringList* l, int a, int b) {
        return l->CompareStrings(l->items_[static_cast<size_t>(a)].text, l->items_[static_cast<size_t>(b)].text);
    });
}

void TStringList::SetSorted(bool v) {
    if (v == sorted_) return;
    if (v) Sort();
    sorted_ = v;
}

void TStringList::SetCaseSensitive(bool v) {
    if (v == caseSensitive_) return;
    caseSensitive_ = v;
    if (sorted_) Sort();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        if (OnChanging) OnChanging(this);
    } else if (OnChange) {
        OnChange(this);
    }
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}
