// Regions found one row at a time must be the regions a flood fill of the
// whole image finds: shapes whose parts meet only rows later (a U, a
// spiral, a comb), joins at a corner only, regions on the image edges, and
// random masks of every density, each compared field by field with a plain
// 8-connected fill over a whole mask.

#include "solve/region_labelling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace ce {
namespace {

// An image as text rows: '.' outside, a digit d a pixel of value d + 1.
struct Picture {
    int width = 0, height = 0;
    std::vector<float> values;  // kOutside where outside
    float at(int x, int y) const { return values[std::size_t(y) * width + x]; }
};

Picture fromRows(const std::vector<std::string>& rows)
{
    Picture p;
    p.height = int(rows.size());
    p.width = p.height ? int(rows[0].size()) : 0;
    for (const std::string& row : rows)
        for (char c : row) p.values.push_back(c == '.' ? RegionLabeller::kOutside : float(c - '0' + 1));
    return p;
}

std::vector<PixelRegion> labelled(const Picture& p)
{
    std::vector<PixelRegion> regions;
    RegionLabeller labeller(p.width, p.height, [&](const PixelRegion& r) { regions.push_back(r); });
    for (int y = 0; y < p.height; ++y) labeller.addRow(p.values.data() + std::size_t(y) * p.width);
    labeller.finish();
    std::sort(regions.begin(), regions.end(), [](const PixelRegion& a, const PixelRegion& b) {
        return std::tie(a.firstY, a.firstX) < std::tie(b.firstY, b.firstX);
    });
    return regions;
}

// The reference: a fill from each unvisited pixel in row order, visiting
// the whole region before the next one starts.
std::vector<PixelRegion> filled(const Picture& p)
{
    std::vector<PixelRegion> regions;
    std::vector<char> seen(p.values.size(), 0);
    for (int y0 = 0; y0 < p.height; ++y0)
        for (int x0 = 0; x0 < p.width; ++x0) {
            if (seen[std::size_t(y0) * p.width + x0] || p.at(x0, y0) == RegionLabeller::kOutside) continue;
            PixelRegion r;
            r.firstX = r.minX = r.maxX = r.peakX = x0;
            r.firstY = r.minY = r.maxY = r.peakY = y0;
            r.peak = p.at(x0, y0);
            std::vector<std::pair<int, int>> todo{{x0, y0}};
            seen[std::size_t(y0) * p.width + x0] = 1;
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                const float v = p.at(x, y);
                ++r.area;
                r.sumValue += v;
                r.sumX += x, r.sumY += y, r.sumXX += x * x, r.sumYY += y * y, r.sumXY += x * y;
                r.minX = std::min(r.minX, x), r.maxX = std::max(r.maxX, x);
                r.minY = std::min(r.minY, y), r.maxY = std::max(r.maxY, y);
                r.touchesBorder = r.touchesBorder || x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1;
                if (v > r.peak || (v == r.peak && std::tie(y, x) < std::tie(r.peakY, r.peakX)))
                    r.peak = v, r.peakX = x, r.peakY = y;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height) continue;
                        char& s = seen[std::size_t(ny) * p.width + nx];
                        if (s || p.at(nx, ny) == RegionLabeller::kOutside) continue;
                        s = 1;
                        todo.push_back({nx, ny});
                    }
            }
            regions.push_back(r);
        }
    return regions;
}

void expectSame(const std::vector<PixelRegion>& got, const std::vector<PixelRegion>& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        const PixelRegion &g = got[i], &w = want[i];
        const std::string where = what + ", region " + std::to_string(i);
        EXPECT_EQ(std::tie(g.area, g.firstX, g.firstY, g.peakX, g.peakY, g.peak),
                  std::tie(w.area, w.firstX, w.firstY, w.peakX, w.peakY, w.peak)) << where;
        EXPECT_EQ(std::tie(g.minX, g.maxX, g.minY, g.maxY, g.touchesBorder),
                  std::tie(w.minX, w.maxX, w.minY, w.maxY, w.touchesBorder)) << where;
        EXPECT_EQ(std::tie(g.sumValue, g.sumX, g.sumY, g.sumXX, g.sumYY, g.sumXY),
                  std::tie(w.sumValue, w.sumX, w.sumY, w.sumXX, w.sumYY, w.sumXY)) << where;
    }
}

TEST(RegionLabelling, ShapesThatJoinLateOrAtACorner)
{
    struct Row {
        const char* name;
        std::vector<std::string> rows;
        std::size_t regions;  // how many a reader of the picture counts
    };
    const std::vector<Row> table = {
        {"U: two arms joined at the bottom", {"........", ".1....1.", ".2....3.", ".1....2.", ".111111.", "........"}, 1},
        {"inverted U: one top, two legs", {"........", ".111111.", ".1....1.", ".1....1.", "........"}, 1},
        {"diagonal staircase, corners only", {"1.....", ".1....", "..1...", "...1..", "....1."}, 1},
        {"anti-diagonal, corners only", {".....1", "....1.", "...1..", "..1...", ".1...."}, 1},
        {"comb: five teeth joined by the last row", {".........", ".1.1.1.1.", ".1.1.1.1.", ".1111111.", "........."}, 1},
        {"spiral",
         {"..........", ".11111111.", ".1......1.", ".1.1111.1.", ".1.1..1.1.", ".1.1....1.", ".1.111111.", ".........."},
         1},
        {"W: a join that merges two labels already joined", {".1...1...1.", ".1..1.1..1.", "..11...11..", "..........."}, 1},
        {"apart by one column, not touching", {"1.1.1", "1.1.1", "....."}, 3},
        {"equal peaks: the first in row order wins", {".....", ".444.", ".444.", ".444.", "....."}, 1},
        {"the brightest pixel late in a region", {"1...1", "1...1", "11911", "....."}, 1},
        {"on every edge of the image", {"11...", "....1", "....1", "1...."}, 3},
        {"one row", {"11.1..111"}, 3},
        {"one column", {"1", "1", ".", "1"}, 2},
        {"empty", {"....", "...."}, 0},
    };
    for (const Row& row : table) {
        const Picture p = fromRows(row.rows);
        const std::vector<PixelRegion> got = labelled(p);
        EXPECT_EQ(got.size(), row.regions) << row.name;
        expectSame(got, filled(p), row.name);
    }
    // The spot checks a fill would also give: the U starts at its left arm,
    // equal peaks keep the top-left one.
    const std::vector<PixelRegion> u = labelled(fromRows(table[0].rows));
    ASSERT_EQ(u.size(), 1u);
    EXPECT_TRUE(u[0].firstX == 1 && u[0].firstY == 1 && u[0].area == 12 && u[0].peakX == 6 && u[0].peakY == 2);
    const std::vector<PixelRegion> flat = labelled(fromRows(table[8].rows));
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_TRUE(flat[0].peakX == 1 && flat[0].peakY == 1 && !flat[0].touchesBorder);
}

TEST(RegionLabelling, RandomMasksOfEveryDensityAgreeWithAFill)
{
    std::mt19937 random(20261207);
    for (const double density : {0.05, 0.3, 0.5, 0.6, 0.8, 1.0}) {
        for (const auto& [w, h] : {std::pair{1, 40}, std::pair{40, 1}, std::pair{37, 23}, std::pair{64, 64}}) {
            Picture p;
            p.width = w, p.height = h;
            std::uniform_real_distribution<double> pass(0.0, 1.0);
            std::uniform_int_distribution<int> value(1, 6);  // few values: equal peaks are common
            for (int i = 0; i < w * h; ++i)
                p.values.push_back(pass(random) < density ? float(value(random)) : RegionLabeller::kOutside);
            expectSame(labelled(p), filled(p),
                       "density " + std::to_string(density) + ", " + std::to_string(w) + "x" + std::to_string(h));
        }
    }
}

}  // namespace
}  // namespace ce
