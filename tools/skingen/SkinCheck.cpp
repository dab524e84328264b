#include "SkinCheck.h"

namespace {

// Looks at every value of a record: picture indexes must name a picture or
// be -1; rectangles and points must not be negative and rectangles must lie
// inside the largest picture the record may cut from.
class RangeCheck final : public TbsSkinFields {
public:
    RangeCheck(const String& where, int pictures, int maxW, int maxH, std::vector<String>& out)
        : where_(where), pictures_(pictures), maxW_(maxW), maxH_(maxH), out_(out) {}
    void Int(const wchar_t* k, int& v, int) override {
        const String key = k;
        if (key.size() >= 12 && key.compare(key.size() - 12, 12, L"pictureindex") == 0 && (v < -1 || v >= pictures_))
            Bad(k, IntToStr(v));
    }
    void Bool(const wchar_t*, bool&) override {}
    void Text(const wchar_t*, String&, const wchar_t*) override {}
    void Pt(const wchar_t* k, TPoint& v) override {
        if (v.x < 0 || v.y < 0) Bad(k, PointToText(v));
    }
    void Rct(const wchar_t* k, TRect& v) override {
        if (v.left < 0 || v.top < 0 || v.right < v.left || v.bottom < v.top || v.right > maxW_ || v.bottom > maxH_)
            Bad(k, RectToText(v));
    }
    void Styles(const wchar_t*, TFontStyles&) override {}
    void Stretch(const wchar_t*, TbsStretchType&) override {}
    void Morph(const wchar_t*, TbsMorphKind&) override {}
    void Align(const wchar_t*, TAlignment&) override {}
    void Command(const wchar_t*, TbsStdCommand&) override {}
    void Effect(const wchar_t*, TbsInActiveEffect&) override {}

private:
    void Bad(const wchar_t* key, const String& value) { out_.push_back(where_ + L"." + key + L" = " + value); }
    String where_;
    int pictures_, maxW_, maxH_;
    std::vector<String>& out_;
};

}  // namespace

const std::vector<const wchar_t*>& RequiredControls() {
    static const std::vector<const wchar_t*> names = {
        L"button", L"resizebutton", L"toolbutton", L"resizetoolbutton", L"bigtoolbutton", L"officequickbutton",
        L"menuitembutton", L"htracktoolbutton", L"vtracktoolbutton", L"combobutton", L"editbutton",
        L"toolmenubutton", L"bigtoolmenubutton", L"toolmenutrackbutton", L"bigtoolmenutrackbutton", L"panel",
        L"toolpanel", L"resizetoolpanel", L"bigtoolpanel", L"statusbar", L"menuheader", L"groupbox", L"label",
        L"scrollbox", L"hsplitter", L"vsplitter", L"bevel", L"stdlabel", L"checkbox", L"radiobox", L"vscrollbar",
        L"hscrollbar", L"bothhscrollbar", L"edit", L"buttonedit", L"memo", L"listbox", L"checklistbox",
        L"combobox", L"treeview", L"listview", L"hupdown", L"vupdown", L"slider", L"gauge", L"tab",
        L"mainmenubar"};
    return names;
}

const std::vector<const wchar_t*>& RequiredObjects() {
    static const std::vector<const wchar_t*> names = {L"caption", L"closebutton", L"maxbutton", L"minbutton",
                                                      L"sysmenubutton", L"menuitem", L"mainmenubaritem"};
    return names;
}

std::vector<String> CheckSkin(TbsSkinData* s) {
    std::vector<String> out;
    const int pictures = static_cast<int>(s->FActivePictures.size());
    int maxW = s->FPicture->Width(), maxH = s->FPicture->Height();
    for (auto& b : s->FActivePictures) maxW = std::max(maxW, b->Width()), maxH = std::max(maxH, b->Height());
    auto sizeOf = [&](int index, int& w, int& h) {
        w = maxW, h = maxH;
        if (index >= 0 && index < pictures) w = s->FActivePictures[index]->Width(), h = s->FActivePictures[index]->Height();
    };
    for (auto& c : s->CtrlList) {
        int w, h;
        sizeOf(c->PictureIndex, w, h);
        RangeCheck check(c->IDName, pictures, w, h, out);
        c->Fields(check);
    }
    for (auto& o : s->ObjectList) {
        RangeCheck check(o->IDName, pictures, maxW, maxH, out);
        o->Fields(check);
    }
    RangeCheck frame(L"FORMINFO", pictures, s->FPicture->Width(), s->FPicture->Height(), out);
    s->FormInfoFields(frame);
    for (TbsSkinSection* fixed : std::initializer_list<TbsSkinSection*>{s->PopupWindow.get(), s->LayerFrame.get(),
                                                                       s->HintWindow.get()}) {
        RangeCheck check(fixed->SectionName(), pictures, maxW, maxH, out);
        fixed->Fields(check);
    }
    for (const wchar_t* n : RequiredControls())
        if (s->GetControlIndex(n) < 0) out.push_back(String(L"missing control record ") + n);
    for (const wchar_t* n : RequiredObjects())
        if (s->GetIndex(n) < 0) out.push_back(String(L"missing frame object ") + n);
    if (s->FActivePicturesNames->Count() != pictures) out.push_back(L"picture names and pictures differ in count");
    return out;
}
