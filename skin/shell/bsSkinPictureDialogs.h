#pragma once
// The picture open and save dialogs: the file dialog with a preview on its
// right side. Selecting a file shows it, at its own size with scroll bars
// or stretched to the preview (the stretch button), and a splitter sets the
// preview's width. The width and the stretch state are remembered from run
// to run (ImagePanelWidth, DialogStretch); StretchPicture starts every run
// stretched. A picture that cannot be decoded shows an empty preview.
//
// A typed name without extension gets the filter's extension (there is no
// DefaultExt).
//
// Name map: StretchButtonClick = the stretch button toggled; the form's
// other handlers are those of TbsOpenDlgForm.
//
// Threads: UI thread only; Execute runs a modal loop.

#include "skin/shell/bsSkinOpenDialog.h"
#include "skin/shell/bsSkinScrollBox.h"

class TbsOpenPictureDlgForm : public TbsOpenDlgForm {
public:
    TbsOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                          bool AToolButtonsTransparent);

    TbsSkinPanel* ImagePanel = nullptr;
    TImage* Image = nullptr;
    TbsSkinScrollBox* ScrollBox = nullptr;
    TbsSkinScrollBar* SBVScrollBar = nullptr;
    TbsSkinScrollBar* SBHScrollBar = nullptr;
    TbsSkinSpeedButton* StretchButton = nullptr;
    TbsSkinSplitter* Splitter = nullptr;

    String DefaultNameExtension() override { return FilterExtension(); }
    void FLVPathChange(TObject* Sender) override;
    void StretchButtonClick(TObject* Sender);
    // Shows a picture file (empty on failure) at its size, or stretched.
    void ShowPicture(const String& fileName);
    // The preview's picture size; 0 x 0 when empty.
    int PictureWidth() const;
    int PictureHeight() const;
    TControl* ImageControl() const { return bsPreviewControl(Image); }

protected:
    void BuildToolBarEnd() override;
    void BuildSidePanels() override;
    // Fixed places from the left: the edit and the filter list 280 wide,
    // the buttons at 370, whatever the window's width.
    void PlaceBottomControls() override;
    void SelectionChanged(const String& name) override;
};

class TbsSkinOpenPictureDialog : public TbsSkinOpenDialog {
public:
    explicit TbsSkinOpenPictureDialog(TComponent* owner);

    bool StretchPicture = false;
    int ImagePanelWidth = 190;
    bool DialogStretch = false;

protected:
    TbsSkinDialogForm* CreateDialogForm() override;
    void SetupControls(TbsSkinDialogForm* f) override;
    void StartState(TbsSkinDialogForm* f) override;
    void ReadBack(TbsSkinDialogForm* f, bool confirmed) override;
};

class TbsSkinSavePictureDialog : public TbsSkinOpenPictureDialog {
public:
    explicit TbsSkinSavePictureDialog(TComponent* owner);
};
