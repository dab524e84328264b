// Benchmark (not a test): what a round of switches through every skin costs
// with the hidden legacy window alive, against the same round without it.
// The hidden window re-reads its skin but paints nothing, so the difference
// should stay small. Run by scripts/bench.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit6.h"
#include "skin/bsSkinData.h"

namespace {

// The median time of five rounds of switches through the eight skins, in ms.
double MedianSwitchRound(TbsSkinData* AStore) {
    std::vector<double> rounds;
    for (int r = 0; r < 5; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int skin : {0, 2, 3, 4, 5, 6, 7, 1}) AStore->SetSkinIndex(skin);
        rounds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

}  // namespace

int main() {
    TApplication app;
    Application->Initialize();
    Application->CreateForm(Form1);
    TbsSkinData* store = Form1->bsSkinData1;
    MedianSwitchRound(store);  // the first loads warm the caches
    const double without = MedianSwitchRound(store);

    int allTrantNumber = 0;
    formats::TFormatSettings settings;
    legacy::TPresetSources sources{L"D:\\in\\clip.wmv", L"C:\\out", true};
    Form6 = new TForm6(Application, store, {allTrantNumber, settings}, [&] { return sources; });
    Form6->AfterConstruction();
    const double with = MedianSwitchRound(store);
    std::printf("eight skin switches: %.1f ms without the legacy window, %.1f ms with it (%+.1f %%)\n", without, with,
                100.0 * (with - without) / without);
    delete Form6;
    Form6 = nullptr;
    delete Form1;
    Form1 = nullptr;
    return 0;
}
