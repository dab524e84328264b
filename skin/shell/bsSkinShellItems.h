#pragma once
// Items of the shell namespace and the routines under the shell views: item
// id lists (shell allocator), TbsShellFolder (one item: its ids, folder
// interfaces and cached detail texts), root folders, the shell context menu
// and verbs.
//
// Name map: RelativeID = the id inside the parent folder, AbsoluteID = the
// id from the desktop; Level = ancestors above the direct parent (children
// of the desktop object have level 0).
//
// The desktop object and OLE are set up on first use (ShellDesktopObject) on the
// UI thread and released at program end.
//
// Threads: UI thread only, except ShellNotifyLock (any thread).

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ComOwners.h"
#include "platform/Controls.h"
#include "platform/SysUtils.h"

// A path or root that cannot be set or read.
VANTREL_EXCEPTION(EInvalidPath, Exception);

// A failed OLE or shell call; ErrorCode is its HRESULT.
class EOleSysError : public Exception {
public:
    EOleSysError(String message, HRESULT code) : Exception(std::move(message)), ErrorCode(code) {}
    HRESULT ErrorCode;
};
// Throws EOleSysError when hr fails.
void OleCheck(HRESULT hr);

enum TRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
    rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
    rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
// The CSIDL of a root folder; its name ("rfDesktop").
int RootFolderCsidl(TRootFolder f);
const wchar_t* RootFolderName(TRootFolder f);
// The root folder a name stands for (any letter case); false for a path.
bool RootFolderFromName(const String& name, TRootFolder& f);

// A root: the name of a TRootFolder value, or a path.
using TRoot = String;

// What a view lists (bits).
enum TShellObjectType : unsigned { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TShellObjectTypes = unsigned;
// SHCONTF_FOLDERS, SHCONTF_NONFOLDERS, SHCONTF_INCLUDEHIDDEN.
DWORD ObjectTypesToEnumFlags(TShellObjectTypes types);

enum TbsShellFolderCapability : unsigned {
    fcCanCopy = 1, fcCanDelete = 2, fcCanLink = 4, fcCanMove = 8, fcCanRename = 16, fcDropTarget = 32,
    fcHasPropSheet = 64
};
using TbsShellFolderCapabilities = unsigned;
enum TbsShellFolderProperty : unsigned {
    fpCut = 1, fpIsLink = 2, fpReadOnly = 4, fpShared = 8, fpFileSystem = 16, fpFileSystemAncestor = 32,
    fpRemovable = 64, fpValidate = 128
};
using TbsShellFolderProperties = unsigned;

// ---- item id lists ---------------------------------------------------------------------

// size zero-filled bytes of the shell allocator; EOleSysError when none.
LPITEMIDLIST ShellAlloc(size_t size);
void DisposeItemIdList(LPITEMIDLIST id);
LPITEMIDLIST NextItemId(LPCITEMIDLIST id);
// Cuts the last entry off in place (nothing for nil or an empty list).
void StripLastItemId(LPITEMIDLIST id);
int ItemIdCount(LPCITEMIDLIST id);
// Bytes with the terminator; 0 for nil.
size_t ItemIdListSize(LPCITEMIDLIST id);
LPITEMIDLIST CopyItemIdList(LPCITEMIDLIST id);
LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b);
LPITEMIDLIST CopyLastItemId(LPCITEMIDLIST id);
// Copies of the first 1, 2, ..., n entries, the shortest first.
std::vector<platform::ItemIdList> CreateItemIdPrefixList(LPCITEMIDLIST id);
// True when the desktop folder's CompareIDs says the two are one item.
bool SameItemIdList(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The desktop's id (empty list); EOleSysError on failure.
LPITEMIDLIST DesktopItemIdList();
// The folder that holds the last entry of id (id relative to parent), and
// that entry in last: items made from an absolute id sit under the desktop
// with a chain of several entries, which folders answer only for single
// entries. Empty when the chain cannot be bound.
platform::ComPtr<IShellFolder> ItemParentFolder(IShellFolder* parent, LPCITEMIDLIST id, LPCITEMIDLIST& last);

// ---- shell routines --------------------------------------------------------------------

class TbsShellFolder;

// The desktop IShellFolder (a new reference); EOleSysError on failure.
platform::ComPtr<IShellFolder> GetDesktopShellFolder();
// The unit's desktop object (made on first use).
TbsShellFolder* ShellDesktopObject();
// Guards the change notifiers' options and wait handles.
std::mutex& ShellNotifyLock();

int GetShellImageIndex(LPCITEMIDLIST absoluteId, bool large, bool open);
TbsShellFolderCapabilities GetItemCapabilities(IShellFolder* parent, LPCITEMIDLIST id);
TbsShellFolderProperties GetItemProperties(IShellFolder* parent, LPCITEMIDLIST id);
bool ItemIsFolder(IShellFolder* parent, LPCITEMIDLIST id);
bool ItemHasSubFolders(IShellFolder* parent, LPCITEMIDLIST id);
bool FolderHasSubItems(IShellFolder* folder, DWORD flags);
// The text of a STRRET (its wide string freed); "?" removed from a name of
// the form "?<digit>...".
String StrRetToText(LPCITEMIDLIST id, STRRET& s);
// "parentfolder = nil" for a nil folder; a "::{" parsing name is asked
// again as a normal name.
String GetItemDisplayName(IShellFolder* folder, LPCITEMIDLIST id, DWORD flags);
// The item's own folder, or empty. The first binding that succeeds wins:
// the item itself, then its UI object; without a folder the desktop's
// binding of id.
platform::ComPtr<IShellFolder> BindItemShellFolder(IShellFolder* folder, LPCITEMIDLIST id, HWND wnd);

// A new item for an absolute id, under the desktop object.
std::unique_ptr<TbsShellFolder> CreateShellFolderFromItemIdList(LPCITEMIDLIST absoluteId);
// Replaces folder by the folder of root (a TRootFolder name or a path; "C:"
// becomes "C:\"). On failure root goes back to oldRoot, folder stays and
// Exception "Error setting path: \"<root>\"" is raised.
void CreateRootShellFolder(std::unique_ptr<TbsShellFolder>& folder, const TRoot& oldRoot, TRoot& root);
// The absolute id of a parsable path; EOleSysError when it cannot be parsed.
platform::ItemIdList ParsePath(const String& path);

// A view that takes part in the commands of the shell context menu.
class IShellVerbCallback {
public:
    virtual ~IShellVerbCallback() = default;
    virtual void ExecuteCommand(const String& verb, bool& handled) = 0;
    virtual void CommandCompleted(const String& verb, bool succeeded) = 0;
};

// Shows the item's shell context menu at (x, y) of owner's client area and
// carries out the chosen command (see IShellVerbCallback).
void InvokeShellContextMenu(TWinControl* owner, TbsShellFolder* folder, int x, int y);
void InvokeShellVerb(TbsShellFolder* folder, const char* verb);
// Hands an owner-draw or menu message to the context menu being tracked;
// false when none is.
bool ForwardShellMenuMessage(TMessage& m);
bool ShellContextMenuOpen();

// ---- items -----------------------------------------------------------------------------

class TbsShellFolder : public TObject {
public:
    // Copies id. Without a parent, the desktop object is the parent.
    TbsShellFolder(TbsShellFolder* parent, platform::ComPtr<IShellFolder> sf, LPCITEMIDLIST id);
    ~TbsShellFolder() override;
    TbsShellFolder(const TbsShellFolder&) = delete;
    TbsShellFolder& operator=(const TbsShellFolder&) = delete;

    LPITEMIDLIST RelativeID() const { return FPIDL.Get(); }
    LPITEMIDLIST AbsoluteID() const { return FFullPIDL.Get(); }
    TbsShellFolder* Parent() const { return FParent; }
    // The item's own folder, nil when it cannot be opened as one.
    IShellFolder* ShellFolder() const { return FIShellFolder.Get(); }
    IShellFolder2* ShellFolder2();
    IShellDetails* ShellDetails();
    int Level() const { return FLevel; }
    HWND ViewHandle = nullptr;

    IShellFolder* ParentShellFolder() const;
    TbsShellFolderProperties Properties() const;
    TbsShellFolderCapabilities Capabilities() const;
    bool SubFolders() const;
    // A folder by the shell's attribute, except a zip archive.
    bool IsFolder() const;
    String PathName() const;
    // The file-system path, empty when there is none.
    String FullObjectName() const;
    String DisplayName() const;
    int ImageIndex(bool largeIcon) const;

    // False without fcCanRename; Exception "Rename to %s failed" when the
    // shell refuses (ids unchanged).
    bool Rename(const String& newName);
    bool ExecuteDefault();

    // Fills the detail texts of columns 1..count from the listing folder's
    // detail interface, else from the find data of a file-system item; only
    // when fewer are cached.
    void LoadColumnDetails(TbsShellFolder* rootFolder, HWND viewHandle, int count);
    // The text of column index (1-based); Exception when nothing is cached.
    String GetDetails(int index) const;
    bool HasDetails() const { return !FDetails.empty(); }
    void LoadDetailInterface();

    // The unit's desktop object: no parent.
    struct DesktopTag {};
    TbsShellFolder(DesktopTag, platform::ComPtr<IShellFolder> sf, LPCITEMIDLIST id);

private:
    platform::ItemIdList FPIDL, FFullPIDL;
    TbsShellFolder* FParent = nullptr;
    platform::ComPtr<IShellFolder> FIShellFolder;
    platform::ComPtr<IShellFolder2> FIShellFolder2;
    platform::ComPtr<IShellDetails> FIShellDetails;
    bool FDetailLookupDone = false;
    int FLevel = 0;
    std::vector<String> FDetails;
};

// ---- find data -------------------------------------------------------------------------

// The find record of a file-system item; EInvalidPath "Unable to retrieve
// folder details for ..." when there is none.
WIN32_FIND_DATAW GetFindData(const TbsShellFolder* folder);
// Bytes, -1 for a directory.
int64_t FindDataSize(const WIN32_FIND_DATAW& d);
// Last write at two-second resolution as local FILETIME ticks; -1 for a
// directory (unless withDirectories) or a failed conversion.
int64_t FindDataModifiedTicks(const WIN32_FIND_DATAW& d, bool withDirectories = false);
// Column 1 size, 2 extension, 3 modified, 4 attributes; empty otherwise.
String FindDataDetail(const WIN32_FIND_DATAW& d, int column);
