// The control walk of a skin change: one control of every skinned class
// on a form, each holding a stale record index; the walk for its store
// makes each reload, the walk for another store leaves each alone, and the
// drop-down cancel reaches only controls with drop-downs.
#include <functional>
#include <vector>

#include "FrameSkin.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinLinkLabel.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsGraphic.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/controls/bsSkinCtrlsTree.h"
#include "skin/controls/bsSkinCtrlsViews.h"

namespace frametest {
namespace {

constexpr int kStale = 12345;

// A control of one class: how it is made on the form with a store, how its
// record index is read, and how it is left holding a stale one.
struct Probe {
    const char* name;
    std::function<TControl*(TWinControl* parent, TbsSkinData* store)> make;
    std::function<int(TControl*)> index;
    std::function<void(TControl*)> makeStale;
};

template <class T>
T* Place(TWinControl* parent, T* c) {
    c->SetParent(parent);
    c->SetBounds(4, 4, 60, 20);
    return c;
}

// Classes with a public record index: the name changes silently, the index is set.
template <class T>
Probe IndexedProbe(const char* name) {
    return Probe{name,
                 [](TWinControl* p, TbsSkinData* s) {
                     auto* c = Place(p, new T(p));
                     c->SetSkinData(s);
                     return c;
                 },
                 [](TControl* c) { return static_cast<T*>(c)->FIndex; },
                 [](TControl* c) {
                     auto* t = static_cast<T*>(c);
                     if constexpr (requires { t->SetSkinDataName(L""); }) t->SetSkinDataName(L"no such record");
                     else t->SkinDataName = L"no such record";
                     t->FIndex = kStale;
                 }};
}

// The labels: the record they found stays theirs until they reload, also
// after their record name changes.
template <class T>
Probe LabelProbe(const char* name) {
    return Probe{name,
                 [](TWinControl* p, TbsSkinData* s) {
                     auto* c = Place(p, new T(p));
                     c->SetSkinData(s);
                     return c;
                 },
                 [](TControl* c) { return static_cast<T*>(c)->SkinIndex(); },
                 [](TControl* c) { static_cast<T*>(c)->SetSkinDataName(L"no such record"); }};
}

std::vector<Probe> Probes() {
    return {IndexedProbe<TbsSkinButton>("button (skinned control)"),
            IndexedProbe<TbsSkinSpeedButton>("speed button (graphic control)"),
            IndexedProbe<TbsSkinPageControl>("page control"),
            IndexedProbe<TbsSkinEdit>("edit"),
            LabelProbe<TbsSkinStdLabel>("standard label"),
            IndexedProbe<TbsSkinLinkLabel>("link label"),
            LabelProbe<TbsSkinTextLabel>("text label"),
            IndexedProbe<TbsSkinCustomTreeView>("tree view"),
            IndexedProbe<TbsSkinBevel>("bevel"),
            IndexedProbe<TbsSkinCustomListView>("list view"),
            IndexedProbe<TbsSkinSplitter>("splitter")};
}

// A store with a skin holding one control record, "stdlabel".
std::unique_ptr<TbsSkinData> LabelOnlyStore() {
    auto s = std::make_unique<TbsSkinData>(nullptr);
    auto rec = std::make_unique<TbsDataSkinStdLabelControl>(L"stdlabel");
    s->CtrlList.push_back(std::move(rec));
    s->Empty = false;
    return s;
}

using ControlWalkTest = FrameTest;

TEST_F(ControlWalkTest, EverySkinnedClassReloadsForItsOwnStoreOnly) {
    auto store = LabelOnlyStore();
    auto other = LabelOnlyStore();
    auto* frame = new TbsSkinFrame(form);
    for (const Probe& p : Probes()) {
        SCOPED_TRACE(p.name);
        TControl* c = p.make(form, store.get());
        p.makeStale(c);
        const int stale = p.index(c);
        // Another store's change leaves the control as it was.
        frame->ChangeChildrenSkinData(other.get(), form);
        EXPECT_EQ(p.index(c), stale);
        // Its own store's change makes it look its record up again, under
        // a name the store has no record of.
        frame->ChangeChildrenSkinData(store.get(), form);
        EXPECT_EQ(p.index(c), -1);
        EXPECT_NE(stale, -1);
        delete c;
    }
}

TEST_F(ControlWalkTest, TheStoresSkinChangeMessageReachesControlsInsidePanels) {
    auto store = LabelOnlyStore();
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    auto* panel = Place(form, new TbsSkinPanel(form));
    auto* label = Place(panel, new TbsSkinStdLabel(form));
    label->SetSkinData(store.get());
    ASSERT_EQ(label->SkinIndex(), 0);
    label->SetSkinDataName(L"no such record");
    SendMessageW(form->Handle(), WM_CHANGESKINDATA, reinterpret_cast<WPARAM>(store.get()), 1000);
    EXPECT_EQ(label->SkinIndex(), -1);
}

// Counts the drop-down cancel message a control receives.
template <class T>
class CancelCounter : public T {
public:
    using T::T;
    int cancels = 0;
    void WndProc(TMessage& m) override {
        if (m.Msg == 0xB004) ++cancels;
        T::WndProc(m);
    }
};

TEST_F(ControlWalkTest, CancellingAnMDIMainFormsPopupsClosesOnlyDropDowns) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetFormStyle(fsMDIForm);
    auto* frame = new TbsSkinFrame(main);
    (void)frame;
    main->SetBounds(50, 50, 400, 300);
    main->Show();
    auto* combo = Place(main, new CancelCounter<TbsSkinComboBox>(main));
    auto* edit = Place(main, new CancelCounter<TbsSkinEdit>(main));
    auto* button = Place(main, new CancelCounter<TbsSkinButton>(main));
    for (TWinControl* w : std::initializer_list<TWinControl*>{combo, edit, button}) w->HandleNeeded();
    SendMessageW(main->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_GE(combo->cancels, 1);
    EXPECT_GE(edit->cancels, 1);
    EXPECT_EQ(button->cancels, 0);
}

}  // namespace
}  // namespace frametest
