#pragma once
// Main window of the converter. For now the form with the application's
// caption and a line of guidance; the queue, catalogue and player arrive with
// the skinned controls and the media engine.
//
// Threads: created, used and destroyed on the UI thread only.

#include "platform/Forms.h"

class TbsSkinData;
class TbsCompressedSkinList;
class TbsResourceStrData;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // The user-interface texts of the skinned components (the built-in
    // lines), handed to the main skin store.
    TbsResourceStrData* bsResourceStrData1 = nullptr;
    // The main skin store with its eight skins, and the store of the
    // category and format lists with the one skin they always use.
    TbsSkinData* bsSkinData1 = nullptr;
    TbsCompressedSkinList* bsCompressedSkinList1 = nullptr;
    TbsSkinData* bsSkinData2 = nullptr;
    TbsCompressedSkinList* bsCompressedSkinList2 = nullptr;

private:
    void CreateSkinStores();
    void FormPaint(TObject* sender);
};

extern TForm1* Form1;
