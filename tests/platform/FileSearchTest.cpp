// Searching folders by pattern and attributes, and changing folders with
// the in/out error on failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/FileSearch.h"

namespace {

// A folder made for the test: plain "a.txt" (5 bytes), hidden "b.txt",
// read-only "c.log", system "e.sys" and the subfolder "d".
class FileSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        dir = String(base) + L"vantrel_search_" + IntToStr(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
        Write(L"a.txt", "12345", 0);
        Write(L"b.txt", "", FILE_ATTRIBUTE_HIDDEN);
        Write(L"c.log", "x", FILE_ATTRIBUTE_READONLY);
        Write(L"e.sys", "", FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(CreateDirectoryW((dir + L"\\d").c_str(), nullptr));
        before = GetCurrentDir();
    }
    void TearDown() override {
        SetCurrentDir(before);
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.log", L"e.sys"}) {
            const String p = dir + L"\\" + name;
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(p.c_str());
        }
        RemoveDirectoryW((dir + L"\\d").c_str());
        RemoveDirectoryW(dir.c_str());
    }
    void Write(const wchar_t* name, const char* data, DWORD attributes) {
        const String p = dir + L"\\" + name;
        HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(h, data, static_cast<DWORD>(strlen(data)), &written, nullptr);
        CloseHandle(h);
        if (attributes) SetFileAttributesW(p.c_str(), attributes);
    }
    // Every name a search yields, sorted.
    std::vector<String> Found(const String& pattern, int attr) {
        std::vector<String> names;
        TSearchRec f;
        for (int r = FindFirst(dir + L"\\" + pattern, attr, f); r == 0; r = FindNext(f)) names.push_back(f.Name);
        std::sort(names.begin(), names.end());
        return names;
    }
    String dir, before;
};

TEST_F(FileSearchTest, AttributesDecideWhichEntriesCome) {
    using Names = std::vector<String>;
    const struct {
        const wchar_t* pattern;
        int attr;
        Names expected;
    } cases[] = {
        {L"*.*", 0, Names{L"a.txt", L"c.log"}},  // read-only files are plain files
        {L"*.*", faReadOnly, Names{L"a.txt", L"c.log"}},
        {L"*.*", faHidden, Names{L"a.txt", L"b.txt", L"c.log"}},
        {L"*.*", faSysFile, Names{L"a.txt", L"c.log", L"e.sys"}},
        {L"*.*", faDirectory, Names{L".", L"..", L"a.txt", L"c.log", L"d"}},
        {L"*.*", faAnyFile, Names{L".", L"..", L"a.txt", L"b.txt", L"c.log", L"d", L"e.sys"}},
        {L"*.txt", faAnyFile, Names{L"a.txt", L"b.txt"}},
        {L"?.log", 0, Names{L"c.log"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Found(c.pattern, c.attr), c.expected) << c.pattern << " " << c.attr;
}

TEST_F(FileSearchTest, EntriesCarryTheirSizeAndAttributes) {
    TSearchRec f;
    ASSERT_EQ(FindFirst(dir + L"\\a.txt", 0, f), 0);
    EXPECT_EQ(f.Name, L"a.txt");
    EXPECT_EQ(f.Size, 5);
    EXPECT_EQ(f.Attr & (faDirectory | faReadOnly | faHidden), 0);
    EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES);
    EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES);  // stays at the end
    ASSERT_EQ(FindFirst(dir + L"\\c.log", 0, f), 0);
    EXPECT_NE(f.Attr & faReadOnly, 0);
    ASSERT_EQ(FindFirst(dir + L"\\d", faDirectory, f), 0);
    EXPECT_NE(f.Attr & faDirectory, 0);
    FindClose(f);
    EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES);
}

TEST_F(FileSearchTest, FailedSearchesSayWhy) {
    TSearchRec f;
    EXPECT_EQ(FindFirst(dir + L"\\*.none", faAnyFile, f), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirst(dir + L"\\missing\\*.*", faAnyFile, f), ERROR_PATH_NOT_FOUND);
    // Only entries that do not fit: the search ends as if empty.
    EXPECT_EQ(FindFirst(dir + L"\\d", 0, f), ERROR_NO_MORE_FILES);
    EXPECT_FALSE(f.FindHandle);
}

TEST_F(FileSearchTest, ChangingIntoAMissingFolderRaisesAndKeepsTheCurrentOne) {
    ChDir(dir + L"\\d");
    EXPECT_EQ(GetCurrentDir(), dir + L"\\d");
    try {
        ChDir(dir + L"\\nowhere");
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.ErrorCode == ERROR_FILE_NOT_FOUND || e.ErrorCode == ERROR_PATH_NOT_FOUND) << e.ErrorCode;
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_EQ(GetCurrentDir(), dir + L"\\d");
    EXPECT_THROW(ChDir(L""), EInOutError);
    EXPECT_FALSE(SetCurrentDir(dir + L"\\a.txt"));  // a file is no folder
    EXPECT_EQ(GetCurrentDir(), dir + L"\\d");
}

}  // namespace
