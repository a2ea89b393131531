// The figures of a page as they were placed, each with its number, its
// paths and its geometry; and a page or figure as a file is made of them:
// each figure where it stands in the file, and how it is drawn.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "big_count.h"
#include "drawing.h"
#include "figure_geometry.h"
#include "placement.h"
#include "steps.h"

struct PlacedFigure {
    // In its family, from 1; 0 for a figure that has none (a random tiling
    // past the numbered orders).
    BigCount number;
    FigurePath path;
    FigureGeometry geometry;
    // The centre of its anchor cell on its page, in the family's own pixels.
    int x = 0, y = 0;
};

// A page's figures, in the order they were placed.
struct PageRecord {
    std::vector<PlacedFigure> figures;
};

// What is written to a file, and how it is named: "page 3", "Page 3",
// "page-3"; "figure 17", "Figure 17", "figure-17". It is width x height
// output units (pixels; bp in TikZ and PDF).
struct Written {
    std::string title, label, stem;
    int width = 0, height = 0;
};
// "page 3" is titled, labelled and named from `what` and `number`.
Written written_as(const std::string& what, const std::string& number, int width, int height);
// The same with a title of its own ("figure 17: rise fall"); its label is
// the title with a capital.
void retitle(Written& written, const std::string& title);

// A figure of a file, and where it stands there.
struct FileFigure {
    const PlacedFigure* figure;
    Placement placement;
};

// A page or a figure as a file: its name and size, its figures, how they
// are drawn, and the program that writes it (its mark).
struct FilePage {
    Written written;
    std::vector<FileFigure> figures;
    Drawing drawing;
    const char* writer = "";
    // The family and order its figures are of.
    const char* family = "";
    int order = 0;
};

// The page of `record`, laid out for cells of `own_cell` (the family's),
// drawn by `drawing` (its cell, if any, scales the whole page).
FilePage page_file(const PageRecord& record, const std::string& number, int own_cell,
                   const Drawing& drawing, const char* writer, const char* family, int order);
// `figure` alone at `placement` (placement_alone), cropped to its outline
// and a margin of a cell: "figure 17".
FilePage figure_file(const PlacedFigure& figure, const Placement& placement,
                     const Drawing& drawing, const char* writer, const char* family, int order);

// "figure 3: rise flat fall flat flat", as every group of a file is titled.
std::string figure_title(const PlacedFigure& figure);
