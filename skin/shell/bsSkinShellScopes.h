#pragma once
// Scoped states of the shell views: the hourglass while the shell
// enumerates, held updates of tree nodes and of the path box's entries.
//
// Threads: UI thread only.

#include "platform/Forms.h"
#include "platform/TreeView.h"

// The hourglass cursor for the scope.
class TbsShellBusyCursor {
public:
    TbsShellBusyCursor() : old_(Screen ? Screen->Cursor : crDefault) {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~TbsShellBusyCursor() {
        if (Screen) Screen->SetCursor(old_);
    }
    TbsShellBusyCursor(const TbsShellBusyCursor&) = delete;
    TbsShellBusyCursor& operator=(const TbsShellBusyCursor&) = delete;

private:
    TCursor old_;
};

// BeginUpdate / EndUpdate of a tree's nodes.
class TbsShellNodeUpdates {
public:
    explicit TbsShellNodeUpdates(TTreeNodes* nodes) : nodes_(nodes) { nodes_->BeginUpdate(); }
    ~TbsShellNodeUpdates() { nodes_->EndUpdate(); }
    TbsShellNodeUpdates(const TbsShellNodeUpdates&) = delete;
    TbsShellNodeUpdates& operator=(const TbsShellNodeUpdates&) = delete;

private:
    TTreeNodes* nodes_;
};

// A counter raised for the scope (updates held while it is above 0).
class TbsShellCountScope {
public:
    explicit TbsShellCountScope(int& count) : count_(count) { ++count_; }
    ~TbsShellCountScope() { --count_; }
    TbsShellCountScope(const TbsShellCountScope&) = delete;
    TbsShellCountScope& operator=(const TbsShellCountScope&) = delete;

private:
    int& count_;
};
