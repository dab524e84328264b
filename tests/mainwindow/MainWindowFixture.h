#pragma once
// The three windows of the program's start-up (main window, about box,
// options dialog) over a settings file in a folder of the test's own, and
// helpers to read that file back and to work with queue rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/OptionIni.h"
#include "app/StartUp.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "platform/ListView.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinCtrlsViews.h"

namespace mainwindowtest {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = String(temp) + L"vantrel_mw_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                  std::to_wstring(counter_++) + L"\\";
        ForceDirectories(folder_);
        optionini::SetFolder(folder_);
        Application->Initialize();
        Application->SetTitle(L"VantrelH264视频格式转换器");
    }
    void TearDown() override {
        CloseWindows();
        optionini::SetFolder(String());
        optionini::ForgetSessionValues();
        DeleteFileW(optionini::FileName().c_str());
        DeleteFileW((folder_ + L"option.ini").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    // Creates the windows as the start-up does (the legacy window aside).
    void StartWindows() {
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->CreateForm(Form5);
    }
    void CloseWindows() {
        FreeProgramForms();
        Application->ProcessMessages();
    }

    // Writes the settings file as a user's earlier run left it (UTF-16).
    void WriteIni(const std::wstring& text) {
        std::ofstream out((folder_ + L"option.ini").c_str(), std::ios::binary);
        out.put(static_cast<char>(0xFF));
        out.put(static_cast<char>(0xFE));
        for (wchar_t c : text) {
            out.put(static_cast<char>(c & 0xFF));
            out.put(static_cast<char>(c >> 8));
        }
    }
    // The non-empty lines of the settings file, in file order.
    std::vector<std::wstring> IniLines() const {
        std::ifstream in((folder_ + L"option.ini").c_str(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::wstring text;
        size_t start = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF ? 2 : 0;
        for (size_t i = start; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
        std::vector<std::wstring> lines;
        std::wstring line;
        for (wchar_t c : text + L"\n") {
            if (c == L'\r') continue;
            if (c == L'\n') {
                if (!line.empty()) lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        return lines;
    }
    std::string IniBytes() const {
        std::ifstream in((folder_ + L"option.ini").c_str(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // A queue row as the add operations leave it: caption, output name and
    // empty columns up to the last one; selected.
    TListItem* AddSelectedRow(const String& input, const String& outputName) {
        TListItem* row = Form1->lvFiles->Items()->Add();
        row->SetCaption(input);
        for (int i = 0; i < 24; ++i) row->SubItems()->Add(String());
        row->SubItems()->Put(2, outputName);
        Form1->lvFiles->SetItemIndex(row->Index());
        return row;
    }
    static String Cell(TListItem* row, int subItem) { return (*row->SubItems())[subItem]; }

    TApplication app_;
    String folder_;
    static inline int counter_ = 0;
};

inline std::string Narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace mainwindowtest
