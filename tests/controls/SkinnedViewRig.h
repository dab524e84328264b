#pragma once
// A skinned report view like the main window's queue, with a skinned bar
// below it and one at its right, on a form: shared by the list-view tests
// and the scrolling benchmark. UI thread.
#include <functional>
#include <string>

#include "platform/Forms.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsViews.h"

struct SkinnedViewRig {
    TbsSkinListView* view = nullptr;
    TbsSkinScrollBar* vbar = nullptr;
    TbsSkinScrollBar* hbar = nullptr;
};

// setUp runs on the view with its columns, before it has its window (owner
// data chosen); fill runs once it has its window and before the bars are
// given to it (rows added). Either may be empty.
inline SkinnedViewRig MakeSkinnedViewRig(TWinControl* form, int columns, int columnWidth,
                                         const std::function<void(TbsSkinListView*)>& setUp,
                                         const std::function<void(TbsSkinListView*)>& fill) {
    SkinnedViewRig rig;
    TbsSkinListView* view = rig.view = new TbsSkinListView(form);
    view->SetParent(form);
    view->SetBounds(10, 10, 400, 300);
    view->SetViewStyle(vsReport);
    view->SetRowSelect(true);
    view->SetGridLines(true);
    view->SetReadOnly(true);
    for (int c = 0; c < columns; ++c) {
        TListColumn* col = view->Columns()->Add();
        col->SetCaption(L"C" + std::to_wstring(c));
        col->SetWidth(columnWidth);
    }
    if (setUp) setUp(view);
    rig.vbar = new TbsSkinScrollBar(form);
    rig.vbar->SetParent(form);
    rig.vbar->SetKind(sbVertical);
    rig.vbar->SetBounds(410, 10, 19, 300);
    rig.hbar = new TbsSkinScrollBar(form);
    rig.hbar->SetParent(form);
    rig.hbar->SetBounds(10, 310, 400, 19);
    view->HandleNeeded();
    if (fill) fill(view);
    view->SetVScrollBar(rig.vbar);
    view->SetHScrollBar(rig.hbar);
    return rig;
}
