#pragma once
// TbsResourceStrData: the user-interface texts of the skinned components as
// NAME=value lines, so that a program can translate them in one place. A
// store refers to it through ResourceStrData.
//
// Threads: UI thread.

#include <memory>

#include "platform/Graphics.h"
#include "platform/StringList.h"

class TbsResourceStrData : public TComponent {
public:
    explicit TbsResourceStrData(TComponent* AOwner);
    ~TbsResourceStrData() override;

    TStrings* ResStrings() const { return resStrings_.get(); }
    // Copies the given lines.
    void SetResStrings(const TStrings* value);
    TFontCharset CharSet = DEFAULT_CHARSET;

    // The value of the first line named ResName (case-insensitive); everything
    // after the first "="; empty when no line has that name.
    String GetResStr(const String& ResName) const;

    // The built-in lines, in order.
    static const std::vector<String>& DefaultLines();

private:
    std::unique_ptr<TStringList> resStrings_;
};

// The text of key in table, or builtIn when there is no table or the table
// has no text for key (an empty caption, hint or menu entry is never right).
String bsResText(const TbsResourceStrData* table, const String& key, const String& builtIn);
