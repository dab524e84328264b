// Shell namespace items: id lists, roots, names, attributes, details and
// rename, over a folder made for the test.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/shell/bsSkinShellItems.h"
#include "tests/dialogs/ShellFixture.h"

namespace {

using dialogstest::MediaFolder;
using platform::ItemIdList;

std::unique_ptr<TbsShellFolder> ItemOf(const String& path) {
    ItemIdList id = ParsePath(path);
    return CreateShellFolderFromItemIdList(id.Get());
}

TEST(ShellItems, RootNamesAndPathsResolve) {
    ItemIdList drives;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()));
    std::unique_ptr<TbsShellFolder> folder;
    TRoot root = L"rfMyComputer";
    CreateRootShellFolder(folder, L"", root);
    ASSERT_TRUE(folder);
    EXPECT_TRUE(SameItemIdList(folder->AbsoluteID(), drives.Get()));

    root = L"RFDESKTOP";  // names are taken in any letter case
    CreateRootShellFolder(folder, L"rfMyComputer", root);
    EXPECT_EQ(ItemIdCount(folder->AbsoluteID()), 0);

    root = L"C:";
    CreateRootShellFolder(folder, L"rfDesktop", root);
    EXPECT_EQ(root, L"C:\\");
    EXPECT_TRUE(SameText(folder->FullObjectName(), L"C:\\")) << folder->FullObjectName();
}

TEST(ShellItems, ARootThatCannotBeResolvedKeepsTheOldOne) {
    std::unique_ptr<TbsShellFolder> folder;
    TRoot root = L"rfMyComputer";
    CreateRootShellFolder(folder, L"", root);
    TbsShellFolder* before = folder.get();
    for (const wchar_t* bad : {L"Q:\\no\\such\\folder\\here", L""}) {
        root = bad;
        try {
            CreateRootShellFolder(folder, L"rfMyComputer", root);
            ADD_FAILURE() << "no error for " << Utf8Encode(bad);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), String(L"Error setting path: \"") + bad + L"\"");
        }
        EXPECT_EQ(root, L"rfMyComputer");
        EXPECT_EQ(folder.get(), before);
    }
}

TEST(ShellItems, IdListRoutinesWalkTheChain) {
    MediaFolder media;
    ItemIdList file = ParsePath(media / L"sub\\note.txt");
    ItemIdList sub = ParsePath(media / L"sub");
    const int n = ItemIdCount(file.Get());
    ASSERT_GE(n, 3);

    std::vector<ItemIdList> prefixes = CreateItemIdPrefixList(file.Get());
    ASSERT_EQ(static_cast<int>(prefixes.size()), n);
    for (int k = 0; k < n; ++k) EXPECT_EQ(ItemIdCount(prefixes[static_cast<size_t>(k)].Get()), k + 1);
    EXPECT_TRUE(SameItemIdList(prefixes[static_cast<size_t>(n - 2)].Get(), sub.Get()));
    EXPECT_TRUE(SameItemIdList(prefixes.back().Get(), file.Get()));

    ItemIdList parent(CopyItemIdList(file.Get()));
    StripLastItemId(parent.Get());
    EXPECT_TRUE(SameItemIdList(parent.Get(), sub.Get()));
    EXPECT_EQ(ItemIdListSize(parent.Get()), ItemIdListSize(sub.Get()));

    ItemIdList last(CopyLastItemId(file.Get()));
    EXPECT_EQ(ItemIdCount(last.Get()), 1);
    ItemIdList joined(ConcatItemIdLists(sub.Get(), last.Get()));
    EXPECT_TRUE(SameItemIdList(joined.Get(), file.Get()));
    EXPECT_FALSE(SameItemIdList(joined.Get(), sub.Get()));

    ItemIdList empty(ShellAlloc(2));
    StripLastItemId(empty.Get());  // an empty list stays empty
    EXPECT_EQ(ItemIdListSize(empty.Get()), 2u);
    EXPECT_EQ(ItemIdListSize(nullptr), 0u);
}

TEST(ShellItems, NamesAttributesAndLevels) {
    MediaFolder media;
    auto folder = ItemOf(media.Path());
    ASSERT_TRUE(folder->ShellFolder());
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_TRUE(folder->SubFolders());
    EXPECT_TRUE(SameText(folder->PathName(), media.Path())) << folder->PathName();
    EXPECT_TRUE(SameText(folder->FullObjectName(), media.Path()));
    EXPECT_TRUE(folder->Properties() & fpFileSystem);

    ItemIdList last(CopyLastItemId(ParsePath(media / L"中文名.mkv").Get()));
    TbsShellFolder child(folder.get(), {}, last.Get());
    EXPECT_EQ(child.DisplayName().substr(0, 3), L"中文名");
    EXPECT_TRUE(SameText(child.FullObjectName(), media / L"中文名.mkv"));
    EXPECT_FALSE(child.IsFolder());
    EXPECT_EQ(child.Level(), folder->Level() + 1);
    EXPECT_EQ(folder->Level(), 0);  // made under the desktop object

    EXPECT_EQ(GetItemDisplayName(nullptr, last.Get(), SHGDN_NORMAL), L"parentfolder = nil");
}

TEST(ShellItems, ZipArchivesAreNeverFolders) {
    MediaFolder media;
    media.File(L"pack.zip", 22);
    media.File(L"Pack2.Zip", 22);
    auto folder = ItemOf(media.Path());
    for (const wchar_t* name : {L"pack.zip", L"Pack2.Zip"}) {
        auto item = ItemOf(media / name);
        EXPECT_FALSE(item->IsFolder()) << Utf8Encode(name);
    }
    EXPECT_TRUE(ItemOf(media / L"sub")->IsFolder());
}

TEST(ShellItems, QuestionMarksGoOnlyFromDigitNames) {
    const struct {
        const char *in, *want;
    } cases[] = {{"?1?2 3", "12 3"}, {"?x?", "?x?"}, {"a?1", "a?1"}, {"?", "?"}};
    for (const auto& c : cases) {
        STRRET s{};
        s.uType = STRRET_CSTR;
        std::strcpy(s.cStr, c.in);
        EXPECT_EQ(StrRetToText(nullptr, s), AnsiDecode(c.want)) << c.in;
    }
}

TEST(ShellItems, FindDataSizesDatesAndDetails) {
    WIN32_FIND_DATAW big{};
    big.nFileSizeHigh = 1;
    big.nFileSizeLow = 5;
    std::wcscpy(big.cFileName, L"big.mkv");
    EXPECT_EQ(FindDataSize(big), 4294967301LL);
    EXPECT_EQ(FindDataDetail(big, 1), L"4294967301");
    EXPECT_EQ(FindDataDetail(big, 2), L".mkv");
    EXPECT_EQ(FindDataDetail(big, 9), L"");

    WIN32_FIND_DATAW dir{};
    dir.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    EXPECT_EQ(FindDataSize(dir), -1);
    EXPECT_EQ(FindDataModifiedTicks(dir), -1);
    EXPECT_EQ(FindDataDetail(dir, 1), L"-1");
    EXPECT_EQ(FindDataDetail(dir, 4), L"16");
}

TEST(ShellItems, DetailsComeOnlyAfterLoading) {
    MediaFolder media;
    auto folder = ItemOf(media.Path());
    ItemIdList last(CopyLastItemId(ParsePath(media / L"a.mp4").Get()));
    TbsShellFolder child(folder.get(), {}, last.Get());
    try {
        child.GetDetails(1);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), child.DisplayName() + L": Missing call to LoadColumnDetails");
    }
    child.LoadColumnDetails(folder.get(), {}, 4);
    EXPECT_TRUE(child.HasDetails());
    EXPECT_FALSE(child.GetDetails(1).empty());

    WIN32_FIND_DATAW d = GetFindData(&child);
    EXPECT_EQ(FindDataSize(d), 300);
    media.File(L"gone.mp4");
    ItemIdList goneId(CopyLastItemId(ParsePath(media / L"gone.mp4").Get()));
    TbsShellFolder gone(folder.get(), {}, goneId.Get());
    DeleteFileW((media / L"gone.mp4").c_str());
    EXPECT_THROW(GetFindData(&gone), EInvalidPath);
}

TEST(ShellItems, RenameTakesTheNewId) {
    MediaFolder media;
    auto folder = ItemOf(media.Path());
    ItemIdList last(CopyLastItemId(ParsePath(media / L"c.avi").Get()));
    TbsShellFolder child(folder.get(), {}, last.Get());
    ASSERT_TRUE(child.Rename(L"d.avi"));
    EXPECT_TRUE(FileExists(media / L"d.avi"));
    EXPECT_FALSE(FileExists(media / L"c.avi"));
    EXPECT_TRUE(SameText(child.FullObjectName(), media / L"d.avi"));
    EXPECT_TRUE(SameItemIdList(child.AbsoluteID(), ParsePath(media / L"d.avi").Get()));
}

}  // namespace
