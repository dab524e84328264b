// The picture preview of the picture dialogs (kept apart: the class
// library's image header cannot share a source file with the skinned
// panels).
#include "platform/ExtCtrls.h"
#include "skin/shell/bsSkinDialogParts.h"

TImage* bsNewPreviewImage(TComponent* owner, TWinControl* parent) {
    auto* image = new TImage(owner);
    image->SetParent(parent);
    image->SetBounds(0, 0, 0, 0);
    return image;
}

TControl* bsPreviewControl(TImage* image) { return image; }

bool bsLoadPreviewPicture(TImage* image, const String& fileName) {
    try {
        image->Picture()->LoadFromFile(fileName);
        return true;
    } catch (const std::exception& e) {
        // A picture that cannot be decoded shows as an empty preview.
        image->Picture()->SetGraphic(nullptr);
        OutputDebugStringW((L"picture preview: " + fileName + L": " + Utf8Decode(e.what())).c_str());
        return false;
    }
}

int bsPreviewPictureWidth(TImage* image) { return image->Picture()->Width(); }

int bsPreviewPictureHeight(TImage* image) { return image->Picture()->Height(); }

bool bsPreviewPictureEmpty(TImage* image) {
    return !image->Picture()->Graphic() || image->Picture()->Width() == 0;
}

void bsSetPreviewStretch(TImage* image, bool stretch) {
    image->SetVisible(false);
    if (stretch) {
        image->SetStretch(true);
        image->SetAlign(alClient);
    } else {
        image->SetAlign(alNone);
        image->SetBounds(0, 0, image->Picture()->Width(), image->Picture()->Height());
        image->SetStretch(false);
    }
    image->SetVisible(true);
}

bool bsPreviewStretch(TImage* image) { return image->Stretch(); }
