#pragma once
// TbsCustomImagesMenu: a drop-down choice among the pictures of an image
// list, as the menu speed button sees it. The skinned images menu (the
// popup grid of the skinned frame library, built above this one) is the
// implementation; this library only opens it, asks for the chosen item and
// hears when the choice changes and when the menu closes.
//
// A control that keeps a pointer to a menu does not own it: it registers
// with FreeNotification and drops the pointer on opRemove.
//
// Threads: UI thread only.

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"

class TbsCustomImagesMenu : public TComponent {
public:
    using TComponent::TComponent;

    // The pictures the items show (nullptr: none; the menu then opens no
    // grid). Not owned: a list freed meanwhile is dropped (an open menu
    // closes first).
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v) {
        if (FImages) RemoveFreeNotification(FImages);
        FImages = v;
        if (v) FreeNotification(v);
    }

    // Opens the menu against the screen rectangle R (below it, above when
    // the work area has no room) and returns at once; the menu stays open
    // until an item is chosen, a key or a click elsewhere closes it. Without
    // pictures nothing opens and no close is reported.
    virtual void PopupFromRect(const TRect& R) = 0;
    // Closes an open menu without choosing.
    virtual void Hide() = 0;
    virtual bool IsOpen() const = 0;
    // The chosen item's picture (an index into Images, -1: none) and
    // caption; false when no item is chosen.
    virtual bool SelectedImage(int& imageIndex, String& caption) const = 0;

    // Set by the control the menu drops from: the chosen item changed by a
    // choice in the open menu; the menu closed (by any path). Called after
    // the menu has closed.
    TNotifyEvent OnInternalChange, OnInternalMenuClose;

protected:
    void Notification(TComponent* component, TOperation op) override {
        TComponent::Notification(component, op);
        if (op != opRemove || !component || component != FImages) return;
        FImages = nullptr;
        if (IsOpen()) Hide();
    }

private:
    TCustomImageList* FImages = nullptr;
};
