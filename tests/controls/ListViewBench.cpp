// Benchmark (not a test): the time to scroll the class library's owner-data
// report view of 10,000 rows (25 columns, like the main window's queue)
// from top to bottom through its skinned vertical bar, one page per step
// with every step painted, against the same walk through the native view
// alone. The skinned bar adds its own painting and the view's bar update;
// the two times should stay of one order. Run by scripts/bench.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "tests/controls/SkinnedViewRig.h"

namespace {

constexpr int kRows = 10000, kColumns = 25;

double Milliseconds(const std::function<void()>& walk) {
    const auto t0 = std::chrono::steady_clock::now();
    walk();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    TApplication app;
    Application->Initialize();
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetBounds(50, 50, 640, 480);
    form->Show();

    const SkinnedViewRig rig = MakeSkinnedViewRig(
        form, kColumns, 60,
        [](TbsSkinListView* v) {
            v->SetOwnerData(true);
            v->OnData = [](TObject*, TListItem* item) { item->SetCaption(L"row " + std::to_wstring(item->Index())); };
        },
        nullptr);
    TbsSkinListView* view = rig.view;
    TbsSkinScrollBar* vbar = rig.vbar;
    view->Items()->SetCount(kRows);
    Application->ProcessMessages();

    HWND h = view->Handle();
    const auto top = [h] { return static_cast<int>(SendMessageW(h, LVM_GETTOPINDEX, 0, 0)); };
    const int page = static_cast<int>(SendMessageW(h, LVM_GETCOUNTPERPAGE, 0, 0));
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(h, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const int rowHeight = row.bottom - row.top;
    const int last = kRows - page;

    const auto toTop = [&] {
        vbar->SetPosition(0);
        Application->ProcessMessages();
    };
    int skinnedSteps = 0, nativeSteps = 0;
    const auto skinnedWalk = [&] {
        skinnedSteps = 0;
        while (vbar->Position() < vbar->Max() - vbar->PageSize() + 1) {
            vbar->SetPosition(vbar->Position() + vbar->LargeChange());
            view->Update();
            vbar->Update();
            ++skinnedSteps;
        }
    };
    const auto nativeWalk = [&] {
        nativeSteps = 0;
        while (top() < last) {
            SendMessageW(h, LVM_SCROLL, 0, static_cast<LPARAM>(page) * rowHeight);
            UpdateWindow(h);
            ++nativeSteps;
        }
    };

    std::vector<double> skinned, native;
    for (int round = 0; round < 3; ++round) {
        toTop();
        skinned.push_back(Milliseconds(skinnedWalk));
        if (top() != last) std::printf("the skinned walk stopped at row %d of %d\n", top(), last);
        toTop();
        native.push_back(Milliseconds(nativeWalk));
    }
    const double s = Median(skinned), n = Median(native);
    std::printf("owner-data view, %d rows, %d per page: top to bottom through the skinned bar %.0f ms (%d steps, "
                "%.2f ms a step); native view alone %.0f ms (%d steps); ratio %.2f\n",
                kRows, page, s, skinnedSteps, s / std::max(skinnedSteps, 1), n, nativeSteps, s / n);
    delete form;
    return 0;
}
