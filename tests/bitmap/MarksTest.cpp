// The marks, arrows and default caption-button glyphs, each drawn on a
// white 14 x 12 picture and compared with its shape drawn out by hand: "#"
// is a pixel in the given colour, "." one left white.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BitmapFixture.h"
#include "skin/bsUtils.h"

using namespace bitmaptest;

namespace {

constexpr int kW = 14, kH = 12;
const TColor kInk = static_cast<TColor>(RGB(0, 0, 128));
// Centre (7, 6) for the routines that take a rectangle.
const TRect kArea(0, 0, kW, kH);

struct MarkCase {
    const char* name;
    void (*draw)(TCanvas*);
    std::vector<std::string> shape;
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

// The picture as rows of "#" (the ink), "." (white) and "?" (anything else).
std::vector<std::string> Picture(TBitmap& b) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) {
            const COLORREF p = PixelOf(b, x, y);
            row += p == ColorToRGB(kInk) ? '#' : p == RGB(255, 255, 255) ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

class MarkShapes : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkShapes, DrawTheirShapeAndNothingElse) {
    TBitmap b;
    WhiteBitmap(b, kW, kH);
    GetParam().draw(b.Canvas());
    const auto got = Picture(b);
    std::string both;
    for (int y = 0; y < kH; ++y) both += GetParam().shape[y] + "   " + got[y] + "\n";
    EXPECT_EQ(GetParam().shape, got) << "expected, then drawn:\n" << both;
}

const MarkCase kMarks[] = {
    MarkCase{"CheckMark", [](TCanvas* c) { DrawCheckImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "........#.....",
                   ".......##.....",
                   "..#...###.....",
                   "..##.###......",
                   "..#####.......",
                   "...###........",
                   "....#.........",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"RadioDot", [](TCanvas* c) { DrawRadioImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..######......",
                   "..######......",
                   "..######......",
                   "..######......",
                   "..######......",
                   "..######......",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"CloseCross", [](TCanvas* c) { DrawCloseImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "...##.....##..",
                   "....##...##...",
                   ".....##.##....",
                   "......###.....",
                   "......###.....",
                   ".....##.##....",
                   "....##...##...",
                   "...##.....##..",
                   "..............",
                   "..............",
             }},
    MarkCase{"SysMenuBar", [](TCanvas* c) { DrawSysMenuImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "...########...",
                   "...#......#...",
                   "...########...",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"MinimizeBar", [](TCanvas* c) { DrawMinimizeImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "...########...",
                   "...########...",
                   "..............",
             }},
    MarkCase{"MaximizeWindow", [](TCanvas* c) { DrawMaximizeImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..###########.",
                   "..###########.",
                   "..#.........#.",
                   "..#.........#.",
                   "..#.........#.",
                   "..#.........#.",
                   "..#.........#.",
                   "..#.........#.",
                   "..#.........#.",
                   "..###########.",
                   "..............",
             }},
    MarkCase{"RestoreWindows", [](TCanvas* c) { DrawRestoreImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "....########..",
                   "....########..",
                   "....#......#..",
                   "....#......#..",
                   "..#######..#..",
                   "..##########..",
                   "..#.....#.....",
                   "..#.....#.....",
                   "..#.....#.....",
                   "..#######.....",
                   "..............",
             }},
    MarkCase{"RollDownTriangle", [](TCanvas* c) { DrawRollDownImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "...########...",
                   "....######....",
                   ".....####.....",
                   "......##......",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"RollUpTriangle", [](TCanvas* c) { DrawRollUpImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "......##......",
                   ".....####.....",
                   "....######....",
                   "...########...",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"MinimizeToTraySquare", [](TCanvas* c) { DrawMinimizeToTrayImage(c, 2, 1, kInk); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "....#####.....",
                   "....#####.....",
                   "....#####.....",
                   "....#####.....",
                   "....#####.....",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"DropDownArrow", [](TCanvas* c) { DrawDropDownArrow(c, kArea, kInk); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   ".....#####....",
                   "......###.....",
                   ".......#......",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"ArrowLeft", [](TCanvas* c) { DrawArrowImage(c, kArea, kInk, 1); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "........#.....",
                   ".......##.....",
                   "......###.....",
                   ".....####.....",
                   "......###.....",
                   ".......##.....",
                   "........#.....",
                   "..............",
                   "..............",
             }},
    MarkCase{"ArrowRight", [](TCanvas* c) { DrawArrowImage(c, kArea, kInk, 2); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "......#.......",
                   "......##......",
                   "......###.....",
                   "......####....",
                   "......###.....",
                   "......##......",
                   "......#.......",
                   "..............",
                   "..............",
             }},
    MarkCase{"ArrowUp", [](TCanvas* c) { DrawArrowImage(c, kArea, kInk, 3); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   ".......#......",
                   "......###.....",
                   ".....#####....",
                   "....#######...",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"ArrowDown", [](TCanvas* c) { DrawArrowImage(c, kArea, kInk, 4); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "....#######...",
                   ".....#####....",
                   "......###.....",
                   ".......#......",
                   "..............",
                   "..............",
                   "..............",
             }},
    MarkCase{"ArrowOfOtherKind", [](TCanvas* c) { DrawArrowImage(c, kArea, kInk, 5); },
             {
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
                   "..............",
             }},
};

INSTANTIATE_TEST_SUITE_P(Routines, MarkShapes, ::testing::ValuesIn(kMarks),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
