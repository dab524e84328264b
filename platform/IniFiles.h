#pragma once
// INI files: the common interface, an in-memory INI (TMemIniFile) and one
// over the system's profile functions (TIniFile).
//
// Section and key names compare without regard to case. Integers are read
// in decimal, "0x" hex or "$" hex form; text that is none of these gives the
// default.
//
// Threads: an INI object is used by one thread at a time.

#include <memory>
#include <vector>

#include "platform/StringList.h"

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(String fileName) : fileName_(std::move(fileName)) {}
    const String& FileName() const { return fileName_; }

    virtual String ReadString(const String& section, const String& key, const String& def) = 0;
    virtual void WriteString(const String& section, const String& key, const String& value) = 0;
    virtual void ReadSection(const String& section, TStrings* keys) = 0;
    virtual void ReadSections(TStrings* sections) = 0;
    virtual void ReadSectionValues(const String& section, TStrings* lines) = 0;
    virtual void EraseSection(const String& section) = 0;
    virtual void DeleteKey(const String& section, const String& key) = 0;
    virtual void UpdateFile() = 0;

    int ReadInteger(const String& section, const String& key, int def);
    void WriteInteger(const String& section, const String& key, int value);
    bool ReadBool(const String& section, const String& key, bool def);
    void WriteBool(const String& section, const String& key, bool value);
    double ReadFloat(const String& section, const String& key, double def);
    void WriteFloat(const String& section, const String& key, double value);
    bool SectionExists(const String& section);
    virtual bool ValueExists(const String& section, const String& key);

private:
    String fileName_;
};

// How a TMemIniFile reads text.
enum class TIniSyntax {
    // As the system's profile functions read a file: a value in matching
    // quotes loses them; a line beginning with "[" names a section up to its
    // "]" or, without one, up to the end of the line.
    Profile,
    // Every line is trimmed; only a line that begins with "[" and ends with
    // "]" opens a section, named by the trimmed text between them; any other
    // line is an entry split at its first "=", key and value trimmed and
    // taken as written; a line without "=" is an entry without a value
    // (listed among the keys; reading it gives the default).
    Plain,
};

class TMemIniFile : public TCustomIniFile {
public:
    // Reads the file when it exists; an empty file name gives an empty INI.
    explicit TMemIniFile(const String& fileName = String(), TIniSyntax syntax = TIniSyntax::Profile);

    String ReadString(const String& section, const String& key, const String& def) override;
    void WriteString(const String& section, const String& key, const String& value) override;
    void ReadSection(const String& section, TStrings* keys) override;
    void ReadSections(TStrings* sections) override;
    void ReadSectionValues(const String& section, TStrings* lines) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& key) override;
    bool ValueExists(const String& section, const String& key) override;
    // Writes the INI back to its file (nothing without a file name).
    void UpdateFile() override;

    // Replaces the contents with INI text lines / returns them as lines.
    void SetStrings(const TStrings* lines);
    void GetStrings(TStrings* lines) const;
    void Clear();

private:
    struct Entry {
        String key;
        String value;
        bool hasValue = true;
    };
    struct Section {
        String name;
        std::vector<Entry> entries;
    };
    Section* FindSection(const String& name);
    Entry* FindEntry(const String& section, const String& key);

    std::vector<Section> sections_;
    TIniSyntax syntax_;
    TTextEncoding encoding_ = TTextEncoding::Utf16LE;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& fileName) : TCustomIniFile(fileName) {}

    String ReadString(const String& section, const String& key, const String& def) override;
    // Throws EWriteError when the file cannot be written.
    void WriteString(const String& section, const String& key, const String& value) override;
    void ReadSection(const String& section, TStrings* keys) override;
    void ReadSections(TStrings* sections) override;
    void ReadSectionValues(const String& section, TStrings* lines) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& key) override;
    // Flushes the system's cache of the file.
    void UpdateFile() override;
};
