// A page or figure as data, JSON: each figure's number, steps, statistics,
// and its geometry in cells (its dominoes and its paths' lattice points),
// for one's own analysis. The schema is in docs/exporters.md.
#include <string>

#include "page_formats.h"
#include "path_stats.h"

namespace {

const char* role_name(DominoRole role) {
    switch (role) {
    case DominoRole::rise: return "rise";
    case DominoRole::fall: return "fall";
    case DominoRole::flat: return "flat";
    case DominoRole::off_path: break;
    }
    return "off";
}

const char* compass_name(Compass compass) {
    switch (compass) {
    case Compass::north: return "north";
    case Compass::south: return "south";
    case Compass::east: return "east";
    case Compass::west: return "west";
    case Compass::none: break;
    }
    return "";
}

// Titles and names hold no quote, backslash or control character; any
// that did would be escaped here.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void write_figure(std::FILE* file, const FileFigure& figure, bool last) {
    const PlacedFigure& placed = *figure.figure;
    const FigureGeometry& geometry = placed.geometry;
    const PathStats stats = stats_of(placed.path);
    std::fprintf(file, "  {\"number\": %s, \"steps\": %s,\n   \"statistics\": {",
                 quoted(decimal_text(placed.number)).c_str(),
                 quoted(steps_text(placed.path)).c_str());
    for (std::size_t i = 0; i < statistics.size(); ++i) {
        std::fprintf(file, "%s\"%s\": %d", i == 0 ? "" : ", ", statistic_name(statistics[i]),
                     stats[i]);
    }
    std::fprintf(file,
                 "},\n   \"columns\": %d, \"rows\": %d, \"anchor\": [%d, %d], \"at\": [%d, %d],\n"
                 "   \"dominoes\": [",
                 geometry.columns, geometry.rows, geometry.anchor_column, geometry.anchor_row,
                 figure.placement.left, figure.placement.top);
    for (std::size_t i = 0; i < geometry.dominoes.size(); ++i) {
        const Domino& domino = geometry.dominoes[i];
        std::fprintf(file, "%s[%d, %d, \"%s\", \"%s\"", i == 0 ? "" : (i % 8 == 0 ? ",\n    " : ", "),
                     domino.column, domino.row, domino.upright ? "v" : "h",
                     role_name(domino.role));
        if (domino.compass != Compass::none) std::fprintf(file, ", \"%s\"", compass_name(domino.compass));
        std::fputc(']', file);
    }
    std::fputs("],\n   \"paths\": [", file);
    for (std::size_t p = 0; p < geometry.paths.size(); ++p) {
        std::fputs(p == 0 ? "[" : ",\n    [", file);
        for (std::size_t i = 0; i < geometry.paths[p].size(); ++i) {
            const LatticePoint& point = geometry.paths[p][i];
            std::fprintf(file, "%s[%d, %d]", i == 0 ? "" : ", ", point.x, point.row);
        }
        std::fputc(']', file);
    }
    std::fprintf(file, "]}%s\n", last ? "" : ",");
}

const char* write_json_page(std::FILE* file, const FilePage& page) {
    std::fprintf(file,
                 "{\"software\": %s,\n \"format\": \"domino-paths figures\", \"version\": 1,\n"
                 " \"title\": %s, \"family\": %s, \"order\": %d,\n"
                 " \"width\": %d, \"height\": %d, \"cell\": %d,\n"
                 " \"figures\": [\n",
                 quoted(page.writer).c_str(), quoted(page.written.title).c_str(),
                 quoted(page.family).c_str(), page.order, page.written.width,
                 page.written.height, page.drawing.cell);
    for (std::size_t i = 0; i < page.figures.size(); ++i) {
        write_figure(file, page.figures[i], i + 1 == page.figures.size());
    }
    std::fputs(" ]}\n", file);
    return nullptr;
}

int json_mark(FileMark& mark, const char* writer) {
    return std::snprintf(mark.data(), mark.size(), "{\"software\": \"%s\",", writer);
}

}  // namespace

extern const PageFormat json_format = {
    "JSON", "--json", "json", "application/json",
    "the figures as data: each one's number, steps, statistics, dominoes and paths, in cells",
    5, write_json_page, json_mark, nullptr, 2147483647, 0, "readers",
    // An Aztec diamond of order 1,000 (1,001,000 dominoes): 34 MB.
    1100000};
