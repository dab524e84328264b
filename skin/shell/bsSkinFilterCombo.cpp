#include "skin/shell/bsSkinFilterCombo.h"

#include "skin/shell/bsFileCtrls.h"

namespace {

// The built-in filter of a new box.
const wchar_t* const kAllFilesFilter = L"All files (*.*)|*.*";

}  // namespace

TbsSkinFilterComboBox::TbsSkinFilterComboBox(TComponent* owner) : TbsSkinComboBox(owner), FFilter(kAllFilesFilter) {}

TbsSkinFilterComboBox::~TbsSkinFilterComboBox() { SetFileList(nullptr); }

void TbsSkinFilterComboBox::SetFileList(TbsSkinFileListBox* v) {
    if (v == FFileList) return;
    if (FFileList) {
        FFileList->SetFilterCombo(nullptr);
        RemoveFreeNotification(FFileList);
    }
    FFileList = v;
    if (v) {
        FreeNotification(v);
        v->SetFilterCombo(this);
    }
}

void TbsSkinFilterComboBox::Notification(TComponent* component, TOperation op) {
    TbsSkinComboBox::Notification(component, op);
    if (op == opRemove && component == FFileList) FFileList = nullptr;
}

void TbsSkinFilterComboBox::Change() {
    if (FFileList) FFileList->SetMask(Mask());
    TbsSkinComboBox::Change();
}

void TbsSkinFilterComboBox::CreateWnd() {
    TbsSkinComboBox::CreateWnd();
    RebuildFilterItems();
}

void TbsSkinFilterComboBox::SetFilter(const String& v) {
    if (AnsiCompareText(v, FFilter) == 0) return;
    FFilter = v;
    if (HandleAllocated()) RebuildFilterItems();
    Change();
}

void TbsSkinFilterComboBox::RebuildFilterItems() {
    Items()->Clear();
    MaskList.clear();
    String s = FFilter;
    for (size_t bar = s.find(L'|'); bar != String::npos; bar = s.find(L'|')) {
        const String description = s.substr(0, bar);
        s.erase(0, bar + 1);
        String mask;
        const size_t next = s.find(L'|');
        if (next != String::npos) {
            mask = s.substr(0, next);
            s.erase(0, next + 1);
        } else {
            mask = s;
            s.clear();
        }
        Items()->Add(description);
        MaskList.push_back(mask);
    }
    SetItemIndex(0);
}

String TbsSkinFilterComboBox::Mask() {
    const int count = static_cast<int>(MaskList.size());
    if (ItemIndex() < 0 && count > 0) SetItemIndex(count - 1);
    const int i = ItemIndex();
    if (i >= 0 && i < count) return MaskList[static_cast<size_t>(i)];
    return L"*.*";
}
