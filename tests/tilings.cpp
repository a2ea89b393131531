#include "tilings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

int index_of(const Region& region, int column, int row) {
    int index = 0;
    for (int r = 0; r < static_cast<int>(region.rows.size()); ++r) {
        const auto [first, last] = region.rows[r];
        if (r + region.top_row == row) {
            return column >= first && column <= last ? index + column - first : -1;
        }
        index += last - first + 1;
    }
    return -1;
}

struct Cell {
    int column;
    int row;
};

std::vector<Cell> cells_of(const Region& region) {
    std::vector<Cell> cells;
    for (int r = 0; r < static_cast<int>(region.rows.size()); ++r) {
        for (int c = region.rows[r].first; c <= region.rows[r].second; ++c) {
            cells.push_back({c, r + region.top_row});
        }
    }
    return cells;
}

void search(const Region& region, const std::vector<Cell>& cells, Tiling& tiling,
            std::set<Tiling>& found) {
    int free_cell = 0;
    while (free_cell < static_cast<int>(cells.size()) && tiling[free_cell] >= 0) ++free_cell;
    if (free_cell == static_cast<int>(cells.size())) {
        found.insert(tiling);
        return;
    }
    const Cell cell = cells[free_cell];
    for (const Cell next : {Cell{cell.column + 1, cell.row}, Cell{cell.column, cell.row + 1}}) {
        const int other = index_of(region, next.column, next.row);
        if (other < 0 || tiling[other] >= 0) continue;
        tiling[free_cell] = other;
        tiling[other] = free_cell;
        search(region, cells, tiling, found);
        tiling[free_cell] = -1;
        tiling[other] = -1;
    }
}

Colour pixel_at(const std::vector<Colour>& page, int x, int y) {
    if (x < 0 || x >= canvas_width || y < 0 || y >= canvas_height) return 0;
    return page[static_cast<std::size_t>(y) * canvas_width + x];
}

void set_pixel(std::vector<Colour>& page, int x, int y, Colour colour) {
    if (x < 0 || x >= canvas_width || y < 0 || y >= canvas_height) return;
    page[static_cast<std::size_t>(y) * canvas_width + x] = colour;
}

// The colour of each domino, keyed by either of its cells.
std::vector<Colour> domino_colours(const Region& region, const Tiling& tiling) {
    std::vector<Colour> colours(tiling.size(), palette.flat_fill);
    std::vector<StepKind> path;
    walk_path(region, tiling, path);
    int start = 0;
    int column = 0;
    int row = 0;
    for (const StepKind step : path) {
        if (step == StepKind::next_path) {
            ++start;
            column = row = start;
            continue;
        }
        const int here = index_of(region, column, row);
        const Colour colour = step == StepKind::rise   ? palette.rise_fill
                              : step == StepKind::fall ? palette.fall_fill
                                                       : palette.flat_fill;
        colours[here] = colour;
        colours[tiling[here]] = colour;
        column += step == StepKind::flat ? 2 : 1;
        row += step == StepKind::rise ? -1 : step == StepKind::fall ? 1 : 0;
    }
    return colours;
}

}  // namespace

int cell_count(const Region& region) { return static_cast<int>(cells_of(region).size()); }

std::set<Tiling> all_tilings(const Region& region) {
    const std::vector<Cell> cells = cells_of(region);
    Tiling tiling(cells.size(), -1);
    std::set<Tiling> found;
    search(region, cells, tiling, found);
    return found;
}

std::string decode_tiling(const std::vector<Colour>& page, const Region& region, int x, int y,
                          Tiling& tiling) {
    const std::vector<Cell> cells = cells_of(region);
    const int half = region.cell / 2;
    tiling.assign(cells.size(), -1);
    std::ostringstream why;
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        const int cx = x + region.cell * cells[i].column;
        const int cy = y + region.cell * cells[i].row;
        const Colour inside = pixel_at(page, cx, cy);
        if (inside == palette.border || inside == palette.background) {
            why << "cell (" << cells[i].column << ", " << cells[i].row << ") is not filled";
            return why.str();
        }
        // The middle of each of the four edges, and the cell beyond it.
        const int edges[4][4] = {{cx + half, cy, 1, 0}, {cx - half, cy, -1, 0},
                                 {cx, cy + half, 0, 1}, {cx, cy - half, 0, -1}};
        for (const auto& edge : edges) {
            if (pixel_at(page, edge[0], edge[1]) == palette.border) continue;
            const int other = index_of(region, cells[i].column + edge[2], cells[i].row + edge[3]);
            if (other < 0 || tiling[i] >= 0) {
                why << "cell (" << cells[i].column << ", " << cells[i].row
                    << ") is open on more than one side or to the outside";
                return why.str();
            }
            tiling[i] = other;
        }
    }
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        if (tiling[i] < 0 || tiling[tiling[i]] != i) {
            why << "cell (" << cells[i].column << ", " << cells[i].row << ") has no partner";
            return why.str();
        }
    }
    return {};
}

std::string walk_path(const Region& region, const Tiling& tiling, std::vector<StepKind>& path) {
    path.clear();
    for (int start = 0; start < region.paths; ++start) {
        if (start > 0) path.push_back(StepKind::next_path);
        if (std::string why = walk_one_path(region, tiling, start, path); !why.empty()) {
            return why;
        }
    }
    return {};
}

std::string walk_one_path(const Region& region, const Tiling& tiling, int start,
                          std::vector<StepKind>& path) {
    int column = start;
    int row = start;
    const int end = region.path_end_column - start;
    while (column < end) {
        const int here = index_of(region, column, row);
        if (here < 0) return "the path leaves the region";
        const int there = tiling[here];
        StepKind step = StepKind::flat;
        if (there == index_of(region, column, row - 1)) {
            step = StepKind::rise;
        } else if (there == index_of(region, column, row + 1)) {
            step = StepKind::fall;
        } else if (there != index_of(region, column + 1, row)) {
            return "the path runs into a domino that points back";
        }
        path.push_back(step);
        column += step == StepKind::flat ? 2 : 1;
        row += step == StepKind::rise ? -1 : step == StepKind::fall ? 1 : 0;
    }
    if (column != end || row != start) return "a path does not end on its first row";
    return {};
}

std::vector<DominoRect> domino_rects(const Region& region, int x, int y, const Tiling& tiling) {
    const std::vector<Cell> cells = cells_of(region);
    const std::vector<Colour> colours = domino_colours(region, tiling);
    const int half = region.cell / 2;
    std::vector<DominoRect> rects;
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        const int j = tiling[i];
        if (j < i) continue;  // each domino once
        rects.push_back({x - half + region.cell * std::min(cells[i].column, cells[j].column),
                         y - half + region.cell * std::min(cells[i].row, cells[j].row),
                         x + half + region.cell * std::max(cells[i].column, cells[j].column),
                         y + half + region.cell * std::max(cells[i].row, cells[j].row),
                         colours[i]});
    }
    return rects;
}

namespace {

// Paints the figure into `page` as rectangles: each domino an outline of
// border round an interior of its colour.
void render_reference(std::vector<Colour>& page, const Region& region, int x, int y,
                      const Tiling& tiling) {
    for (const DominoRect& rect : domino_rects(region, x, y, tiling)) {
        for (int py = rect.top; py <= rect.bottom; ++py) {
            for (int px = rect.left; px <= rect.right; ++px) {
                const bool edge =
                    px == rect.left || px == rect.right || py == rect.top || py == rect.bottom;
                set_pixel(page, px, py, edge ? palette.border : rect.fill);
            }
        }
    }
}

}  // namespace

std::vector<Figure> decode_pages(const std::vector<std::vector<Colour>>& pages,
                                 const Region& region, const std::vector<int>& xs,
                                 const std::vector<int>& ys, std::vector<std::string>& problems) {
    std::vector<Figure> figures;
    for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
        int slot = 0;
        for (const int y : ys) {
            for (const int x : xs) {
                if (pixel_at(pages[page], x, y) != palette.background) {
                    Figure figure;
                    figure.page = page;
                    figure.slot = slot;
                    std::string why = decode_tiling(pages[page], region, x, y, figure.tiling);
                    if (why.empty()) why = walk_path(region, figure.tiling, figure.path);
                    if (!why.empty()) {
                        problems.push_back("page " + std::to_string(page + 1) + " slot " +
                                           std::to_string(slot) + ": " + why);
                    }
                    figures.push_back(figure);
                }
                ++slot;
            }
        }
    }
    return figures;
}

std::vector<Colour> reference_page(const std::vector<Figure>& figures, int page_index,
                                   const Region& region, const std::vector<int>& xs,
                                   const std::vector<int>& ys) {
    std::vector<Colour> page(static_cast<std::size_t>(canvas_width) * canvas_height,
                             palette.background);
    for (const Figure& figure : figures) {
        if (figure.page != page_index) continue;
        const int columns = static_cast<int>(xs.size());
        render_reference(page, region, xs[figure.slot % columns], ys[figure.slot / columns],
                         figure.tiling);
    }
    return page;
}

void expect_tilings_once(const std::vector<Figure>& figures, const Region& region, bool every) {
    const std::set<Tiling> expected = all_tilings(region);
    std::set<Tiling> drawn;
    for (const Figure& figure : figures) {
        EXPECT_TRUE(drawn.insert(figure.tiling).second)
            << "tiling drawn twice, page " << figure.page + 1 << " slot " << figure.slot;
        EXPECT_EQ(expected.count(figure.tiling), 1u)
            << "no tiling of the region, page " << figure.page + 1 << " slot " << figure.slot;
    }
    if (every) {
        EXPECT_TRUE(drawn == expected) << drawn.size() << " distinct tilings drawn";
    }
}

void expect_pages_match_reference(const std::vector<std::vector<Colour>>& pages,
                                  const std::vector<Figure>& figures, const Region& region,
                                  const std::vector<int>& xs, const std::vector<int>& ys) {
    for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
        const std::vector<Colour> expected = reference_page(figures, page, region, xs, ys);
        const std::vector<Colour>& drawn = pages[page];
        const auto mismatch = std::mismatch(drawn.begin(), drawn.end(), expected.begin());
        if (mismatch.first != drawn.end()) {
            const long at = mismatch.first - drawn.begin();
            ADD_FAILURE() << "page " << page + 1 << " differs first at (" << at % canvas_width
                          << ", " << at / canvas_width << ")";
        }
    }
}

std::vector<StepKind> steps(const std::string& words) {
    std::vector<StepKind> path;
    std::istringstream in(words);
    std::string word;
    while (in >> word) {
        path.push_back(word == "rise"   ? StepKind::rise
                       : word == "fall" ? StepKind::fall
                       : word == "|"    ? StepKind::next_path
                                        : StepKind::flat);
    }
    return path;
}

Region stepped_region(int cell, int order, bool mirrored_below) {
    Region region{cell, -order, 2 * order, {}};
    for (int k = order; k >= 1; --k) region.rows.emplace_back(k - 1, 2 * order - k);
    region.rows.emplace_back(0, 2 * order - 1);
    if (mirrored_below) {
        for (int k = 1; k <= order; ++k) region.rows.emplace_back(k - 1, 2 * order - k);
    }
    return region;
}

void slots_of(const PageGrid& grid, std::vector<int>& xs, std::vector<int>& ys) {
    xs.clear();
    ys.clear();
    for (int i = 0; i < slots_across(grid); ++i) xs.push_back(grid.first_x + i * grid.column_pitch);
    for (int i = 0; i < slots_down(grid); ++i) ys.push_back(grid.first_y + i * grid.row_pitch);
}
