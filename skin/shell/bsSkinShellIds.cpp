// Item id lists: allocation through the shell allocator, walking, copying
// and comparing.
#include <cstring>

#include "skin/shell/bsSkinShellItems.h"

using platform::ComPtr;
using platform::ItemIdList;

// ---- item id lists ---------------------------------------------------------------------

LPITEMIDLIST ShellAlloc(size_t size) {
    void* p = CoTaskMemAlloc(size);
    if (!p) OleCheck(E_OUTOFMEMORY);
    std::memset(p, 0, size);
    return static_cast<LPITEMIDLIST>(p);
}

void DisposeItemIdList(LPITEMIDLIST id) {
    if (id) CoTaskMemFree(id);
}

LPITEMIDLIST NextItemId(LPCITEMIDLIST id) {
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(id)) + id->mkid.cb);
}

void StripLastItemId(LPITEMIDLIST id) {
    if (!id || id->mkid.cb == 0) return;
    LPITEMIDLIST last = id;
    for (LPITEMIDLIST p = id; p->mkid.cb; p = NextItemId(p)) last = p;
    last->mkid.cb = 0;
}

int ItemIdCount(LPCITEMIDLIST id) {
    int n = 0;
    if (id)
        for (LPCITEMIDLIST p = id; p->mkid.cb; p = NextItemId(p)) ++n;
    return n;
}

size_t ItemIdListSize(LPCITEMIDLIST id) {
    if (!id) return 0;
    size_t size = 2;
    for (LPCITEMIDLIST p = id; p->mkid.cb; p = NextItemId(p)) size += p->mkid.cb;
    return size;
}

LPITEMIDLIST CopyItemIdList(LPCITEMIDLIST id) {
    const size_t size = id ? ItemIdListSize(id) : 2;
    LPITEMIDLIST r = ShellAlloc(size);
    if (id) std::memcpy(r, id, size);
    return r;
}

LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    const size_t sa = a ? ItemIdListSize(a) - 2 : 0;
    const size_t sb = b ? ItemIdListSize(b) : 2;
    LPITEMIDLIST r = ShellAlloc(sa + sb);
    if (a) std::memcpy(r, a, sa);
    if (b) std::memcpy(reinterpret_cast<BYTE*>(r) + sa, b, sb);
    return r;
}

LPITEMIDLIST CopyLastItemId(LPCITEMIDLIST id) {
    LPCITEMIDLIST last = nullptr;
    if (id)
        for (LPCITEMIDLIST p = id; p->mkid.cb; p = NextItemId(p)) last = p;
    if (!last) return ShellAlloc(2);
    LPITEMIDLIST r = ShellAlloc(last->mkid.cb + 2u);
    std::memcpy(r, last, last->mkid.cb);
    return r;
}

std::vector<ItemIdList> CreateItemIdPrefixList(LPCITEMIDLIST id) {
    std::vector<ItemIdList> list;
    const int n = ItemIdCount(id);
    for (int k = 1; k <= n; ++k) {
        ItemIdList copy(CopyItemIdList(id));
        LPITEMIDLIST p = copy.Get();
        for (int i = 0; i < k; ++i) p = NextItemId(p);
        p->mkid.cb = 0;
        list.push_back(std::move(copy));
    }
    return list;
}

bool SameItemIdList(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a || !b) return a == b;
    return HRESULT_CODE(ShellDesktopObject()->ShellFolder()->CompareIDs(0, a, b)) == 0;
}

LPITEMIDLIST DesktopItemIdList() {
    LPITEMIDLIST id = nullptr;
    OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &id));
    return id;
}

namespace {

LPCITEMIDLIST LastItemId(LPCITEMIDLIST id) {
    LPCITEMIDLIST last = id;
    for (LPCITEMIDLIST p = id; p && p->mkid.cb; p = NextItemId(p)) last = p;
    return last;
}

}  // namespace

platform::ComPtr<IShellFolder> ItemParentFolder(IShellFolder* parent, LPCITEMIDLIST id, LPCITEMIDLIST& last) {
    last = id;
    if (!parent || ItemIdCount(id) < 2) return ComPtr<IShellFolder>::Share(parent);
    ItemIdList prefix(CopyItemIdList(id));
    StripLastItemId(prefix.Get());
    ComPtr<IShellFolder> owner;
    if (FAILED(parent->BindToObject(prefix.Get(), nullptr, IID_IShellFolder, owner.PutVoid())) || !owner) return {};
    last = LastItemId(id);
    return owner;
}

