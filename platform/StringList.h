#pragma once
// Lists of strings: TStrings (the interface every text list offers) and
// TStringList (a list in memory with objects, sorting and change events).
//
// Text files are read with byte-order-mark detection (UTF-16 LE/BE, UTF-8;
// without a mark: UTF-8 when valid, else the ANSI code page) and written
// back in the encoding they were read in (UTF-16 LE with a mark for lists
// that were never loaded).
//
// Threads: a list is used by one thread at a time.

#include <vector>

#include "platform/Classes.h"
#include "platform/Streams.h"

enum class TTextEncoding { Utf16LE, Utf16BE, Utf8Bom, Utf8, Ansi };

// Decodes a whole text file's bytes; reports the encoding found.
String DecodeText(const std::vector<uint8_t>& bytes, TTextEncoding* found = nullptr);
std::vector<uint8_t> EncodeText(const String& text, TTextEncoding encoding);

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;
    virtual void Put(int index, const String& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* obj);
    virtual void Insert(int index, const String& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int IndexOf(const String& s) const;

    String operator[](int index) const { return Get(index); }
    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* obj);
    virtual void InsertObject(int index, const String& s, TObject* obj);
    void AddStrings(const TStrings* other);
    void Move(int from, int to);
    void Exchange(int a, int b);
    int IndexOfObject(const TObject* obj) const;

    // name=value lines
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    int IndexOfName(const String& name) const;
    String Values(const String& name) const;
    // An empty value removes the line.
    void SetValue(const String& name, const String& value);

    // Lines joined with CR LF (each line ends with one); setting splits on
    // CR LF, LF or CR.
    String Text() const;
    void SetText(const String& text);
    String CommaText() const;
    void SetCommaText(const String& text);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void LoadFromStream(TStream* stream);
    void LoadFromFile(const String& fileName);
    void SaveToStream(TStream* stream) const;
    void SaveToFile(const String& fileName) const;
    TTextEncoding Encoding = TTextEncoding::Utf16LE;

    void Assign(TPersistent* source) override;
    bool Equals(const TStrings* other) const;

protected:
    virtual void SetUpdateState(bool updating);
    virtual bool CaseSensitiveNames() const { return false; }

private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    ~TStringList() override;
    int Count() const override { return static_cast<int>(items_.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    int Add(const String& s) override { return AddObject(s, nullptr); }
    int AddObject(const String& s, TObject* obj) override;
    void Insert(int index, const String& s) override { InsertObject(index, s, nullptr); }
    void InsertObject(int index, const String& s, TObject* obj) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const String& s) const override;

    // Binary search of a sorted list: true and the index when found, else
    // false and the index where s would go.
    bool Find(const String& s, int& index) const;
    void Sort();
    void CustomSort(const std::function<int(TStringList* list, int a, int b)>& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool v);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool v);
    TDuplicates Duplicates = dupIgnore;
    // Frees the objects of removed lines.
    bool OwnsObjects = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    bool CaseSensitiveNames() const override { return caseSensitive_; }
    int CompareStrings(const String& a, const String& b) const;

private:
    struct Item {
        String text;
        TObject* object = nullptr;
    };
    void Changing();
    void Changed();
    void CheckIndex(int index, bool allowEnd = false) const;
    void InsertItem(int index, const String& s, TObject* obj);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};
