#pragma once
// TbsClientInActivePanel: laid over the client area of an inactive form by
// its frame, showing a frozen picture of the client faded towards the
// form's background or blurred.
//
// Threads: UI thread only.

#include <memory>

#include "skin/bsEffects.h"
#include "skin/controls/bsSkinCtrlsPanels.h"


class TbsClientInActivePanel : public TbsSkinPaintPanel {
public:
    explicit TbsClientInActivePanel(TComponent* AOwner);
    ~TbsClientInActivePanel() override;
    // Takes a new picture of AForm's client area (a real paint of the form
    // and its controls into a bitmap) and shows it with the effect. Nothing
    // for a missing, hidden or empty form.
    void ShowPanel(TCustomForm* AForm, int AEffect);
    void HidePanel();
    TbsBitmap* Buffer() const { return FBuffer.get(); }

protected:
    void Paint() override;

private:
    std::unique_ptr<TbsBitmap> FBuffer;
};
