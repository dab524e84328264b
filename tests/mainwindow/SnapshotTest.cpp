// Snapshots of the preview: the numbering per picture type, the four
// picture kinds decoding as the video's pictures, the type and folder kept
// in "option.ini", the settings button's menu, a folder that cannot be
// written, and the hidden capture command.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "PreviewFixture.h"
#include "platform/Bitmap.h"
#include "platform/GifImage.h"
#include "platform/JpegImage.h"
#include "platform/Menus.h"
#include "platform/PngImage.h"
#include "skin/boxes/bsMessages.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"

namespace mainwindowtest {
namespace {

constexpr const wchar_t* kDefaultFolder = L"C:\\Vantrel视频软件\\快照";

// A picture file decoded by the class of its kind, as a 24-bit bitmap.
std::unique_ptr<TBitmap> Decode(const String& type, const String& file) {
    std::unique_ptr<TGraphic> picture;
    if (type == L"BMP") picture = std::make_unique<TBitmap>();
    else if (type == L"JPG") picture = std::make_unique<TJPEGImage>();
    else if (type == L"GIF") picture = std::make_unique<TGIFImage>();
    else picture = std::make_unique<TPngImage>();
    picture->LoadFromFile(file);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(picture.get());
    bitmap->SetPixelFormat(pf24bit);
    return bitmap;
}

// 0xRRGGBB of a pixel of a 24-bit bitmap.
uint32_t Pixel(TBitmap& b, int x, int y) {
    const auto* p = static_cast<const uint8_t*>(b.ScanLine(y)) + x * 3;
    return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

std::string FileStart(const String& file, size_t n) {
    std::ifstream in(file.c_str(), std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    return bytes;
}

class SnapshotTest : public PreviewTest {
protected:
    void UseFolder(const String& folder) { optionini::Write(L"SnapShot", L"Dir", folder); }
    String Shot(int n, const wchar_t* ext) const { return snapshots_ + L"\\clip_" + std::to_wstring(n) + ext; }
    // The ticked type entries, by caption.
    static std::vector<String> Ticked() {
        std::vector<String> ticked;
        for (TMenuItem* entry : {Form1->BMP1, Form1->JPG1, Form1->GIF1, Form1->PNG1})
            if (entry->Checked()) ticked.push_back(entry->Caption());
        return ticked;
    }
};

TEST_F(SnapshotTest, NumbersCountOnlyFilesOfTheChosenType) {
    UseFolder(snapshots_);
    PreviewPaused(Clips().Clip);
    Form1->bsSkinButton22->ButtonClick();
    Form1->bsSkinButton22->ButtonClick();
    EXPECT_TRUE(FileExists(Shot(1, L".bmp")));
    EXPECT_TRUE(FileExists(Shot(2, L".bmp")));
    Form1->PNG1->Click();
    Form1->bsSkinButton22->ButtonClick();
    EXPECT_TRUE(FileExists(Shot(1, L".png")));
    EXPECT_FALSE(FileExists(Shot(3, L".bmp")));
    EXPECT_FALSE(FileExists(Shot(2, L".png")));
    EXPECT_EQ(optionini::Read(L"SnapShot", L"Picture"), L"PNG");
    // A gap is filled first.
    DeleteFileW(Shot(1, L".bmp").c_str());
    Form1->BMP1->Click();
    Form1->bsSkinButton22->ButtonClick();
    EXPECT_TRUE(FileExists(Shot(1, L".bmp")));
    EXPECT_FALSE(FileExists(Shot(3, L".bmp")));
}

// Each kind decodes as the frame: the video's size, the colour bars.
TEST_F(SnapshotTest, EveryPictureTypeHoldsTheFrameAtTheVideosSize) {
    UseFolder(snapshots_);
    PreviewPaused(Clips().Clip);
    const struct {
        TMenuItem* entry;
        const wchar_t *type, *ext;
    } types[] = {{Form1->BMP1, L"BMP", L".bmp"},
                 {Form1->JPG1, L"JPG", L".jpg"},
                 {Form1->GIF1, L"GIF", L".gif"},
                 {Form1->PNG1, L"PNG", L".png"}};
    for (const auto& t : types) {
        SCOPED_TRACE(WideToUtf8(t.type));
        t.entry->Click();
        Form1->bsSkinButton22->ButtonClick();
        ASSERT_TRUE(FileExists(Shot(1, t.ext)));
        std::unique_ptr<TBitmap> picture = Decode(t.type, Shot(1, t.ext));
        ASSERT_EQ(picture->Width(), 320);
        ASSERT_EQ(picture->Height(), 240);
        // Yellow, cyan and blue bars of the top row.
        const uint32_t yellow = Pixel(*picture, 320 * 3 / 14, 30), cyan = Pixel(*picture, 320 * 5 / 14, 30),
                       blue = Pixel(*picture, 320 * 13 / 14, 30);
        EXPECT_TRUE((yellow >> 16 & 255) > 128 && (yellow >> 8 & 255) > 128 && (yellow & 255) < 128) << std::hex << yellow;
        EXPECT_TRUE((cyan >> 16 & 255) < 128 && (cyan >> 8 & 255) > 128 && (cyan & 255) > 128) << std::hex << cyan;
        EXPECT_TRUE((blue >> 16 & 255) < 128 && (blue >> 8 & 255) < 128 && (blue & 255) > 128) << std::hex << blue;
    }
}

// The settings button reads the stored type: only the four exact names
// count; anything else is written back as "BMP".
TEST_F(SnapshotTest, TheSettingsButtonTicksTheStoredType) {
    const struct {
        const wchar_t* stored;  // nullptr: no value
        const wchar_t* ticked;
        const wchar_t* after;
    } cases[] = {
        {L"JPG", L"JPG文件", L"JPG"}, {L"GIF", L"GIF文件", L"GIF"}, {L"PNG", L"PNG文件", L"PNG"},
        {L"png", L"BMP文件", L"BMP"}, {L"Error", L"BMP文件", L"BMP"}, {L"", L"BMP文件", L"BMP"},
        {L"TIFF", L"BMP文件", L"BMP"}, {nullptr, L"BMP文件", L"BMP"},
    };
    EXPECT_EQ(Ticked(), std::vector<String>{L"BMP文件"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? WideToUtf8(c.stored) : "missing");
        Form1->JPG1->SetChecked(false);
        Form1->GIF1->SetChecked(true);  // something else ticked before
        if (c.stored) optionini::Write(L"SnapShot", L"Picture", c.stored);
        else WritePrivateProfileStringW(L"SnapShot", L"Picture", nullptr, optionini::FileName().c_str());
        Form1->bsSkinButton23->ButtonClick();
        EXPECT_EQ(Ticked(), std::vector<String>{c.ticked});
        EXPECT_EQ(optionini::Read(L"SnapShot", L"Picture"), c.after);
    }
}

TEST_F(SnapshotTest, ATypeEntryIsStoredAndTickedAlone) {
    for (TMenuItem* entry : {Form1->JPG1, Form1->GIF1, Form1->PNG1, Form1->BMP1}) {
        entry->Click();
        EXPECT_EQ(Ticked(), std::vector<String>{entry->Caption()});
        EXPECT_EQ(optionini::Read(L"SnapShot", L"Picture") + L"文件", entry->Caption());
    }
    EXPECT_EQ(Form1->N27->Caption(), L"快照保存类型");
    EXPECT_EQ(Form1->N27->Count(), 4);
}

// The folder and type steps run even when there is no frame to save.
TEST_F(SnapshotTest, WithNothingOpenTheFolderIsStillMadeAndNothingSaved) {
    const String nested = snapshots_ + L"\\a\\b";
    UseFolder(nested);
    Form1->bsSkinButton22->ButtonClick();
    EXPECT_TRUE(DirectoryExists(nested));
    EXPECT_FALSE(FileExists(nested + L"\\_1.bmp"));
    EXPECT_EQ(optionini::Read(L"SnapShot", L"Picture"), L"BMP");
    RemoveDirectoryW(nested.c_str());
    RemoveDirectoryW((snapshots_ + L"\\a").c_str());
}

TEST_F(SnapshotTest, WithoutStoredSettingsTheDefaultFolderIsMadeAndStored) {
    ASSERT_EQ(optionini::Read(L"SnapShot", L"Dir"), L"Error");
    Form1->bsSkinButton22->ButtonClick();
    EXPECT_EQ(optionini::Read(L"SnapShot", L"Dir"), kDefaultFolder);
    EXPECT_EQ(optionini::Read(L"SnapShot", L"Picture"), L"BMP");
    EXPECT_TRUE(DirectoryExists(kDefaultFolder));
}

// A folder below a file cannot be made: the user is told, the window goes
// on, and the next snapshot into a good folder is saved.
TEST_F(SnapshotTest, AFolderThatCannotBeWrittenIsReportedWithoutEndingTheProgram) {
    const String blocker = folder_ + L"blocker";
    std::ofstream(blocker.c_str()) << "a file, not a folder";
    UseFolder(blocker + L"\\shots");
    PreviewPaused(Clips().Clip);
    std::vector<String> messages;
    MessageFormShownHook() = [&](TbsMessageForm* f) {
        messages.push_back(f->Message->Caption());
        f->ModalResult = mrOk;
    };
    Form1->bsSkinButton22->ButtonClick();
    MessageFormShownHook() = nullptr;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"clip_1.bmp"), String::npos) << WideToUtf8(messages[0]);
    EXPECT_FALSE(DirectoryExists(blocker + L"\\shots"));
    UseFolder(snapshots_);
    Form1->bsSkinButton22->ButtonClick();
    EXPECT_TRUE(FileExists(Shot(1, L".bmp")));
    DeleteFileW(blocker.c_str());
}

// The left button pops the settings menu up at the cursor; others do not.
TEST_F(SnapshotTest, TheSettingsButtonPopsTheMenuUpAtTheCursor) {
    TbsSkinMenu* menu = Form1->bsSkinFrame1->SkinMenu;
    const TPoint at = Form1->bsSkinButton23->ClientToScreen(TPoint(10, 10));
    SetCursorPos(at.x, at.y);
    Form1->bsSkinButton23MouseDown(Form1->bsSkinButton23, mbRight, 0, 10, 10);
    EXPECT_FALSE(menu->Visible());
    Form1->bsSkinButton23MouseDown(Form1->bsSkinButton23, mbLeft, 0, 10, 10);
    Serve();
    ASSERT_TRUE(menu->Visible());
    ASSERT_NE(menu->LastLevel(), nullptr);
    RECT r{};
    GetWindowRect(menu->LastLevel()->Handle(), &r);
    EXPECT_NEAR(r.left, at.x, 2);
    EXPECT_NEAR(r.top, at.y, 2);
    menu->Hide();
    Serve();
    EXPECT_FALSE(menu->Visible());
}

// "设置快照目录" stores a folder chosen with OK; a cancelled dialog stores
// nothing. "打开快照目录" opens the stored folder.
TEST_F(SnapshotTest, TheFolderEntriesChooseAndOpenTheSnapshotFolder) {
    const String first = folder_ + L"first";
    const String chosen = folder_ + L"快照二";
    ForceDirectories(first);
    ForceDirectories(chosen);
    UseFolder(first);
    String title, shownAt;
    bool ok = true;
    Form1->SelectFolder = [&](const String& t, String& dir) {
        title = t;
        shownAt = dir;
        if (ok) dir = chosen;
        return ok;
    };
    Form1->MenuItem2->Click();
    EXPECT_EQ(title, L"选择输出目录");
    EXPECT_EQ(shownAt, first);
    EXPECT_EQ(optionini::Read(L"SnapShot", L"Dir"), chosen);
    ok = false;
    UseFolder(first);
    Form1->MenuItem2->Click();
    EXPECT_EQ(optionini::Read(L"SnapShot", L"Dir"), first);

    std::vector<String> opened;
    Form1->OpenWithShell = [&](const String& target) { opened.push_back(target); };
    Form1->MenuItem1->Click();
    EXPECT_EQ(opened, std::vector<String>{first});
    RemoveDirectoryW(first.c_str());
    RemoveDirectoryW(chosen.c_str());
}

// The hidden capture command: a ".bmp" name in any case is a bitmap, any
// other a JPEG picture; with no frame the dialog does not show.
TEST_F(SnapshotTest, CaptureSavesBitmapsByNameAndJpegOtherwise) {
    int asked = 0;
    String answer;
    Form1->SavePictureDialog1 = [&](String& name) {
        ++asked;
        name = answer;
        return true;
    };
    Form1->btnCapture->Click();
    EXPECT_EQ(asked, 0);
    PreviewPaused(Clips().Clip);
    ForceDirectories(snapshots_);
    answer = snapshots_ + L"\\cap.BMP";
    Form1->btnCapture->Click();
    EXPECT_EQ(FileStart(answer, 2), "BM");
    EXPECT_EQ(Decode(L"BMP", answer)->Width(), 320);
    answer = snapshots_ + L"\\cap.png";
    Form1->btnCapture->Click();
    EXPECT_EQ(FileStart(answer, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(Decode(L"JPG", answer)->Height(), 240);
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace mainwindowtest
