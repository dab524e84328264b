#include "ConversionRoad.h"

#include <array>
#include <vector>

#include "app/FormatCatalogue.h"
#include "app/OptionChoices.h"
#include "app/OptionLists.h"

namespace road {
namespace {

// The option lists of a format as the main window's lists show them after
// the fill: each list's selected entry.
class TShownChoices : public formats::IOptionListView {
public:
    void ClearItems(formats::TOptionList AList) override { Items[Index(AList)].clear(); }
    void SetEnabled(formats::TOptionList, bool) override {}
    void AddItem(formats::TOptionList AList, const std::wstring& AText) override { Items[Index(AList)].push_back(AText); }
    void SetItemIndex(formats::TOptionList AList, int AIndex) override {
        const auto& items = Items[Index(AList)];
        Shown[Index(AList)] = AIndex >= 0 && AIndex < static_cast<int>(items.size()) ? items[AIndex] : L"";
    }
    std::array<std::vector<std::wstring>, 6> Items;
    std::array<std::wstring, 6> Shown;

private:
    static size_t Index(formats::TOptionList AList) { return static_cast<size_t>(AList); }
};

}  // namespace

bool ApplyDefaultChoices(int AKey, formats::TFormatSettings& ASettings) {
    for (int c = 0; c < formats::CategoryCount; ++c)
        for (int f = 0; f < static_cast<int>(formats::Categories()[c].Formats.size()); ++f) {
            if (formats::CatalogueKey(c, f) != AKey) continue;
            TShownChoices view;
            formats::FillOptionLists(view, c, f);
            formats::ReadOptionChoices(view.Shown, ASettings);
            return true;
        }
    return false;
}

bool FormatSettings(int AKey, const std::wstring& AInput, const std::wstring& AOutputFolder, formats::TFormatSettings& ASettings) {
    if (!formats::ApplyEncoderPreset(AKey, AInput, AOutputFolder, true, ASettings)) return false;
    ApplyDefaultChoices(AKey, ASettings);
    return true;
}

TConversion Convert(const std::wstring& AInput, const std::wstring& AOutput, TOutputOptions& ARecord) {
    TConversion result;
    TDIzizuZUR encoder;
    std::vector<TCustomDIzizuZUR::TTerminateInfo> ends;
    encoder.OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo& AInfo) { ends.push_back(AInfo); };
    TInputOptions input;
    InitInputOptions(input);
    const int task = encoder.AddTask(AInput, &input);
    if (task < 0) {
        result.Stage = "input";
        result.Message = encoder.LastErrMsg();
        return result;
    }
    if (!encoder.SetOutputFile(task, AOutput, &ARecord)) {
        result.Stage = "output";
        result.Message = encoder.LastErrMsg();
        return result;
    }
    encoder.Start(0);
    result.Notifications = static_cast<int>(ends.size());
    if (ends.empty() || ends[0].Exception || !ends[0].Finished) {
        result.Stage = "convert";
        if (!ends.empty()) result.Message = ends[0].ExceptionMsg;
    }
    return result;
}

}  // namespace road
