#pragma once
// Stand-ins for the legacy window's lists: they keep what the procedures
// put into them and behave as the window's controls do where it matters
// (the format list raises its click event on every selection).

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/LegacySettings.h"

namespace legacy::testing {

class FakeCategoryList : public ICategoryList {
public:
    int Index = 0;
    int ItemIndex() const override { return Index; }
};

struct FakeFormatItem {
    std::wstring Title;
    std::wstring Caption;
    int ImageIndex;
};

class FakeFormatList : public IFormatListView {
public:
    std::vector<FakeFormatItem> Items;
    int Index = -1;
    int Clicks = 0;
    int Redraws = 0;
    std::function<void()> OnClick;

    void ClearItems() override {
        Items.clear();
        Index = -1;
    }
    void AddItem(const std::wstring& title, const std::wstring& caption, int imageIndex) override {
        Items.push_back({title, caption, imageIndex});
    }
    void Redraw() override { ++Redraws; }
    // Like the office combo box: a position beyond the items changes nothing
    // and raises nothing; any other position, negative ones too, is taken
    // and followed by the click event, even when it stays the same.
    void SetItemIndex(int index) override {
        if (index >= static_cast<int>(Items.size())) return;
        Index = index;
        ++Clicks;
        if (OnClick) OnClick();
    }
    int ItemIndex() const override { return Index; }
};

class FakeOptionLists : public IOptionLists {
public:
    struct List {
        std::vector<std::wstring> Items;
        int Index = -1;
        bool Enabled = false;
    };
    std::array<List, 6> Lists;
    // "clear R", "enable V", "disable F", "add A", "select S", ...
    std::vector<std::wstring> Calls;

    List& operator[](TOptionList list) { return Lists[static_cast<int>(list)]; }

    void ClearItems(TOptionList list) override {
        (*this)[list].Items.clear();
        (*this)[list].Index = -1;
        Calls.push_back(L"clear " + Letter(list));
    }
    void SetEnabled(TOptionList list, bool enabled) override {
        (*this)[list].Enabled = enabled;
        Calls.push_back((enabled ? L"enable " : L"disable ") + Letter(list));
    }
    void AddItem(TOptionList list, const std::wstring& text) override {
        (*this)[list].Items.push_back(text);
        if (Calls.empty() || Calls.back() != L"add " + Letter(list))
            Calls.push_back(L"add " + Letter(list));
    }
    void SetItemIndex(TOptionList list, int index) override {
        (*this)[list].Index = index;
        Calls.push_back(L"select " + Letter(list));
    }
    std::wstring ShownText(TOptionList list) const override {
        const List& l = Lists[static_cast<int>(list)];
        return l.Index >= 0 && l.Index < static_cast<int>(l.Items.size()) ? l.Items[l.Index]
                                                                           : std::wstring();
    }

    // R resolution, V video bit rate, F frame rate, A audio bit rate,
    // S sample rate, M aspect mode.
    static std::wstring Letter(TOptionList list) {
        return std::wstring(1, L"RVFASM"[static_cast<int>(list)]);
    }
};

}  // namespace legacy::testing
