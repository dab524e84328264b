#include "skin/shell/bsSkinShellItems.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "platform/Forms.h"
#include "platform/Owners.h"

using platform::ComPtr;
using platform::ItemIdList;

void OleCheck(HRESULT hr) {
    if (SUCCEEDED(hr)) return;
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String msg = text ? Trim(text) : String();
    if (text) LocalFree(text);
    if (msg.empty()) msg = L"OLE error " + IntToHex(static_cast<uint32_t>(hr), 8);
    throw EOleSysError(msg, hr);
}

namespace {

struct RootFolderInfo {
    const wchar_t* name;
    int csidl;
};
const RootFolderInfo kRootFolders[] = {
    {L"rfDesktop", 0x00}, {L"rfMyComputer", 0x11}, {L"rfNetwork", 0x12}, {L"rfRecycleBin", 0x0A},
    {L"rfAppData", 0x1A}, {L"rfCommonDesktopDirectory", 0x19}, {L"rfCommonPrograms", 0x17},
    {L"rfCommonStartMenu", 0x16}, {L"rfCommonStartup", 0x18}, {L"rfControlPanel", 0x03},
    {L"rfDesktopDirectory", 0x10}, {L"rfFavorites", 0x06}, {L"rfFonts", 0x14}, {L"rfInternet", 0x01},
    {L"rfPersonal", 0x05}, {L"rfPrinters", 0x04}, {L"rfPrintHood", 0x1B}, {L"rfPrograms", 0x02},
    {L"rfRecent", 0x08}, {L"rfSendTo", 0x09}, {L"rfStartMenu", 0x0B}, {L"rfStartup", 0x07},
    {L"rfTemplates", 0x15},
};

}  // namespace

int RootFolderCsidl(TRootFolder f) { return kRootFolders[f].csidl; }
const wchar_t* RootFolderName(TRootFolder f) { return kRootFolders[f].name; }
bool RootFolderFromName(const String& name, TRootFolder& f) {
    for (size_t i = 0; i < std::size(kRootFolders); ++i)
        if (SameText(name, kRootFolders[i].name)) {
            f = static_cast<TRootFolder>(i);
            return true;
        }
    return false;
}

DWORD ObjectTypesToEnumFlags(TShellObjectTypes types) {
    DWORD flags = 0;
    if (types & otFolders) flags |= SHCONTF_FOLDERS;
    if (types & otNonFolders) flags |= SHCONTF_NONFOLDERS;
    if (types & otHidden) flags |= SHCONTF_INCLUDEHIDDEN;
    return flags;
}

// ---- unit state ------------------------------------------------------------------------

namespace {

struct ShellUnit {
    platform::OleScope ole;
    std::unique_ptr<TbsShellFolder> desktop;
    ShellUnit() {
        ItemIdList id;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, id.Put())))
            desktop.reset(new TbsShellFolder(TbsShellFolder::DesktopTag{}, GetDesktopShellFolder(), id.Get()));
    }
};

ShellUnit& Unit() {
    static ShellUnit unit;
    if (!unit.desktop) OleCheck(E_FAIL);
    return unit;
}


}  // namespace

ComPtr<IShellFolder> GetDesktopShellFolder() {
    ComPtr<IShellFolder> sf;
    OleCheck(SHGetDesktopFolder(sf.Put()));
    return sf;
}

TbsShellFolder* ShellDesktopObject() { return Unit().desktop.get(); }

std::mutex& ShellNotifyLock() {
    static std::mutex lock;
    return lock;
}

// ---- shell routines --------------------------------------------------------------------

int GetShellImageIndex(LPCITEMIDLIST absoluteId, bool large, bool open) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX;
    if (open) flags |= SHGFI_OPENICON;
    if (!large) flags |= SHGFI_SMALLICON;
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absoluteId), 0, &info, sizeof(info), flags);
    return info.iIcon;
}

namespace {

SFGAOF Attributes(IShellFolder* parent, LPCITEMIDLIST id, SFGAOF mask) {
    LPCITEMIDLIST last = nullptr;
    ComPtr<IShellFolder> owner = ItemParentFolder(parent, id, last);
    if (!owner) return 0;
    SFGAOF a = mask;
    if (FAILED(owner->GetAttributesOf(1, &last, &a))) return 0;
    return a;
}

struct AttrMap {
    SFGAOF attr;
    unsigned bit;
};

unsigned MapAttributes(SFGAOF a, const AttrMap* map, size_t n) {
    unsigned r = 0;
    for (size_t i = 0; i < n; ++i)
        if (a & map[i].attr) r |= map[i].bit;
    return r;
}

}  // namespace

TbsShellFolderCapabilities GetItemCapabilities(IShellFolder* parent, LPCITEMIDLIST id) {
    static const AttrMap map[] = {{SFGAO_CANCOPY, fcCanCopy},     {SFGAO_CANDELETE, fcCanDelete},
                                  {SFGAO_CANLINK, fcCanLink},     {SFGAO_CANMOVE, fcCanMove},
                                  {SFGAO_CANRENAME, fcCanRename}, {SFGAO_DROPTARGET, fcDropTarget},
                                  {SFGAO_HASPROPSHEET, fcHasPropSheet}};
    return MapAttributes(Attributes(parent, id, 0x177), map, std::size(map));
}

TbsShellFolderProperties GetItemProperties(IShellFolder* parent, LPCITEMIDLIST id) {
    static const AttrMap first[] = {
        {SFGAO_GHOSTED, fpCut}, {SFGAO_LINK, fpIsLink}, {SFGAO_READONLY, fpReadOnly}, {SFGAO_SHARE, fpShared}};
    static const AttrMap second[] = {{SFGAO_FILESYSTEM, fpFileSystem},
                                     {SFGAO_FILESYSANCESTOR, fpFileSystemAncestor},
                                     {SFGAO_REMOVABLE, fpRemovable},
                                     {SFGAO_VALIDATE, fpValidate}};
    return MapAttributes(Attributes(parent, id, 0xFC000), first, std::size(first)) |
           // The file-system bits are asked for by name: a folder may answer an
           // empty request with nothing.
           MapAttributes(Attributes(parent, id, SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE |
                                                    SFGAO_VALIDATE),
                         second, std::size(second));
}

bool ItemIsFolder(IShellFolder* parent, LPCITEMIDLIST id) {
    return (Attributes(parent, id, SFGAO_FOLDER) & SFGAO_FOLDER) != 0;
}

bool ItemHasSubFolders(IShellFolder* parent, LPCITEMIDLIST id) {
    return (Attributes(parent, id, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0;
}

bool FolderHasSubItems(IShellFolder* folder, DWORD flags) {
    if (!folder) return false;
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    ComPtr<IEnumIDList> items;
    const HRESULT hr = folder->EnumObjects(nullptr, flags, items.Put());
    SetErrorMode(old);
    if (hr != S_OK || !items) return false;
    ItemIdList id;
    ULONG got = 0;
    return items->Next(1, id.Put(), &got) == S_OK;
}

String StrRetToText(LPCITEMIDLIST id, STRRET& s) {
    wchar_t buf[MAX_PATH * 2] = {};
    // Frees a wide string of the answer.
    if (FAILED(StrRetToBufW(&s, id, buf, static_cast<UINT>(std::size(buf))))) return {};
    String text = buf;
    if (text.size() > 1 && text[0] == L'?' && text[1] >= L'0' && text[1] <= L'9')
        text.erase(std::remove(text.begin(), text.end(), L'?'), text.end());
    return text;
}

String GetItemDisplayName(IShellFolder* folder, LPCITEMIDLIST id, DWORD flags) {
    if (!folder) return L"parentfolder = nil";
    // A name within its folder is asked of the folder that holds the item.
    ComPtr<IShellFolder> owner = ComPtr<IShellFolder>::Share(folder);
    LPCITEMIDLIST last = id;
    if (flags & SHGDN_INFOLDER) owner = ItemParentFolder(folder, id, last);
    if (!owner) return {};
    STRRET s{};
    if (FAILED(owner->GetDisplayNameOf(last, flags, &s))) return {};
    String text = StrRetToText(last, s);
    if (text.compare(0, 3, L"::{") == 0) {
        STRRET again{};
        if (SUCCEEDED(owner->GetDisplayNameOf(last, SHGDN_NORMAL, &again))) text = StrRetToText(last, again);
    }
    return text;
}

ComPtr<IShellFolder> BindItemShellFolder(IShellFolder* folder, LPCITEMIDLIST id, HWND wnd) {
    ComPtr<IShellFolder> sf;
    if (folder) {
        if (FAILED(folder->BindToObject(id, nullptr, IID_IShellFolder, sf.PutVoid())) || !sf) sf.Reset();
        if (!sf && (FAILED(folder->GetUIObjectOf(wnd, 1, &id, IID_IShellFolder, nullptr, sf.PutVoid())) || !sf))
            sf.Reset();
    }
    // The desktop binds an id only when no folder was given: a relative id
    // bound there would name another folder.
    if (!sf && !folder) {
        IShellFolder* desktop = ShellDesktopObject()->ShellFolder();
        if (FAILED(desktop->BindToObject(id, nullptr, IID_IShellFolder, sf.PutVoid())) || !sf) sf.Reset();
    }
    return sf;
}

std::unique_ptr<TbsShellFolder> CreateShellFolderFromItemIdList(LPCITEMIDLIST absoluteId) {
    TbsShellFolder* desktop = ShellDesktopObject();
    ComPtr<IShellFolder> sf = BindItemShellFolder(desktop->ShellFolder(), absoluteId, nullptr);
    if (!sf) sf = ComPtr<IShellFolder>::Share(desktop->ShellFolder());
    return std::make_unique<TbsShellFolder>(desktop, sf, absoluteId);
}

ItemIdList ParsePath(const String& path) {
    ItemIdList id;
    ULONG eaten = 0;
    std::vector<wchar_t> text(path.begin(), path.end());
    text.push_back(0);
    OleCheck(ShellDesktopObject()->ShellFolder()->ParseDisplayName(nullptr, nullptr, text.data(), &eaten, id.Put(),
                                                             nullptr));
    if (!id) OleCheck(E_FAIL);
    return id;
}

void CreateRootShellFolder(std::unique_ptr<TbsShellFolder>& folder, const TRoot& oldRoot, TRoot& root) {
    ItemIdList id;
    HRESULT hr = E_FAIL;
    TRootFolder special;
    if (RootFolderFromName(root, special)) {
        hr = SHGetSpecialFolderLocation(nullptr, RootFolderCsidl(special), id.Put());
    } else if (!root.empty()) {
        if (root.back() == L':') root += L'\\';
        try {
            id = ParsePath(root);
            hr = S_OK;
        } catch (const EOleSysError& e) {
            hr = e.ErrorCode;
        }
    }
    if (FAILED(hr) || !id) {
        const String message = Format(L"Error setting path: \"%s\"", root);
        root = oldRoot;
        throw Exception(message);
    }
    folder = CreateShellFolderFromItemIdList(id.Get());
}

// ---- items -----------------------------------------------------------------------------

TbsShellFolder::TbsShellFolder(TbsShellFolder* parent, ComPtr<IShellFolder> sf, LPCITEMIDLIST id)
    : FPIDL(CopyItemIdList(id)), FParent(parent ? parent : ShellDesktopObject()), FIShellFolder(std::move(sf)) {
    FFullPIDL.Reset(ConcatItemIdLists(FParent->AbsoluteID(), id));
    FLevel = FParent->Parent() ? FParent->Level() + 1 : 0;
}

TbsShellFolder::TbsShellFolder(DesktopTag, ComPtr<IShellFolder> sf, LPCITEMIDLIST id)
    : FPIDL(CopyItemIdList(id)), FFullPIDL(CopyItemIdList(id)), FIShellFolder(std::move(sf)) {}

TbsShellFolder::~TbsShellFolder() = default;

IShellFolder* TbsShellFolder::ParentShellFolder() const {
    return FParent ? FParent->ShellFolder() : ShellDesktopObject()->ShellFolder();
}

TbsShellFolderProperties TbsShellFolder::Properties() const {
    return GetItemProperties(ParentShellFolder(), RelativeID());
}

TbsShellFolderCapabilities TbsShellFolder::Capabilities() const {
    return GetItemCapabilities(ParentShellFolder(), RelativeID());
}

bool TbsShellFolder::SubFolders() const { return ItemHasSubFolders(ParentShellFolder(), RelativeID()); }

bool TbsShellFolder::IsFolder() const {
    if (!ItemIsFolder(ParentShellFolder(), RelativeID())) return false;
    return UpperCase(ExtractFileExt(FullObjectName())) != L".ZIP";
}

String TbsShellFolder::PathName() const {
    return GetItemDisplayName(ShellDesktopObject()->ShellFolder(), AbsoluteID(), SHGDN_FORPARSING);
}

String TbsShellFolder::FullObjectName() const {
    wchar_t buf[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListW(AbsoluteID(), buf)) return {};
    return buf;
}

String TbsShellFolder::DisplayName() const {
    return GetItemDisplayName(ParentShellFolder(), RelativeID(), SHGDN_INFOLDER);
}

int TbsShellFolder::ImageIndex(bool largeIcon) const { return GetShellImageIndex(AbsoluteID(), largeIcon, false); }

bool TbsShellFolder::Rename(const String& newName) {
    if (!(Capabilities() & fcCanRename)) return false;
    LPCITEMIDLIST last = nullptr;
    ComPtr<IShellFolder> owner = ItemParentFolder(ParentShellFolder(), RelativeID(), last);
    ItemIdList newLast;
    if (!owner || FAILED(owner->SetNameOf(nullptr, last, newName.c_str(), SHGDN_NORMAL, newLast.Put())) || !newLast)
        throw Exception(Format(L"Rename to %s failed", newName));
    ItemIdList prefix(CopyItemIdList(RelativeID()));
    StripLastItemId(prefix.Get());
    FPIDL.Reset(ConcatItemIdLists(prefix.Get(), newLast.Get()));
    FFullPIDL.Reset(ConcatItemIdLists(FParent ? FParent->AbsoluteID() : nullptr, FPIDL.Get()));
    return true;
}

bool TbsShellFolder::ExecuteDefault() {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = Application ? Application->Handle() : nullptr;
    info.lpIDList = AbsoluteID();
    info.nShow = SW_SHOW;
    return ShellExecuteExW(&info) != FALSE;
}

void TbsShellFolder::LoadDetailInterface() {
    if (FDetailLookupDone || !FIShellFolder) return;
    FDetailLookupDone = true;
    // Asked of the folder object itself: a folder that does not implement
    // IShellFolder2 is never called through it.
    FIShellFolder2 = FIShellFolder.As<IShellFolder2>(IID_IShellFolder2);
    if (!FIShellFolder2) {
        FIShellDetails = FIShellFolder.As<IShellDetails>(IID_IShellDetails);
        if (!FIShellDetails &&
            FAILED(FIShellFolder->CreateViewObject(ViewHandle, IID_IShellDetails, FIShellDetails.PutVoid())))
            FIShellDetails.Reset();
    }
}

IShellFolder2* TbsShellFolder::ShellFolder2() {
    LoadDetailInterface();
    return FIShellFolder2.Get();
}

IShellDetails* TbsShellFolder::ShellDetails() {
    LoadDetailInterface();
    return FIShellDetails.Get();
}

void TbsShellFolder::LoadColumnDetails(TbsShellFolder* rootFolder, HWND viewHandle, int count) {
    if (!rootFolder || static_cast<int>(FDetails.size()) >= count) return;
    FDetails.clear();
    ViewHandle = viewHandle;
    std::vector<String> texts;
    if (IShellFolder2* sf2 = rootFolder->ShellFolder2()) {
        for (int c = 1; c <= count; ++c) {
            SHELLDETAILS d{};
            texts.push_back(SUCCEEDED(sf2->GetDetailsOf(RelativeID(), static_cast<UINT>(c), &d))
                                ? StrRetToText(RelativeID(), d.str)
                                : String());
        }
    } else if (IShellDetails* sd = rootFolder->ShellDetails()) {
        for (int c = 1; c <= count; ++c) {
            SHELLDETAILS d{};
            texts.push_back(SUCCEEDED(sd->GetDetailsOf(RelativeID(), static_cast<UINT>(c), &d))
                                ? StrRetToText(RelativeID(), d.str)
                                : String());
        }
    } else if (rootFolder->Properties() & fpFileSystem) {
        const WIN32_FIND_DATAW data = GetFindData(this);
        for (int c = 1; c <= count; ++c) texts.push_back(FindDataDetail(data, c));
    }
    FDetails = std::move(texts);
}

String TbsShellFolder::GetDetails(int index) const {
    if (FDetails.empty()) throw Exception(Format(L"%s: Missing call to LoadColumnDetails", DisplayName()));
    if (index < 1 || index > static_cast<int>(FDetails.size())) return {};
    return FDetails[static_cast<size_t>(index - 1)];
}

// ---- find data -------------------------------------------------------------------------

WIN32_FIND_DATAW GetFindData(const TbsShellFolder* folder) {
    WIN32_FIND_DATAW d{};
    const String path = folder->PathName();
    platform::FindHandle h(FindFirstFileW(path.c_str(), &d));
    if (!h) {
        const DWORD code = GetLastError();
        throw EInvalidPath(Format(L"Unable to retrieve folder details for \"%s\". Error code $%x",
                                  folder->DisplayName(), static_cast<int64_t>(code)));
    }
    return d;
}

int64_t FindDataSize(const WIN32_FIND_DATAW& d) {
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<int64_t>(d.nFileSizeHigh) << 32) + d.nFileSizeLow;
}

int64_t FindDataModifiedTicks(const WIN32_FIND_DATAW& d, bool withDirectories) {
    if (!withDirectories && (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
    FILETIME local{}, rounded{};
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&d.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time) ||
        !DosDateTimeToFileTime(date, time, &rounded))
        return -1;
    return (static_cast<int64_t>(rounded.dwHighDateTime) << 32) + rounded.dwLowDateTime;
}

namespace {

String LocalTimeText(int64_t ticks) {
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&ft, &st)) return {};
    wchar_t date[64] = {}, time[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 64);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 64);
    return String(date) + L" " + time;
}

}  // namespace

String FindDataDetail(const WIN32_FIND_DATAW& d, int column) {
    switch (column) {
    case 1:
        return IntToStr(FindDataSize(d));
    case 2:
        return ExtractFileExt(d.cFileName);
    case 3: {
        const int64_t t = FindDataModifiedTicks(d);
        return t < 0 ? String(L"-1") : LocalTimeText(t);
    }
    case 4:
        return IntToStr(static_cast<int64_t>(d.dwFileAttributes));
    default:
        return {};
    }
}
