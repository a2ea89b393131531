#include "pdf_operators.h"

#include "paper_style.h"
#include "vector_figure.h"

std::vector<InkRectangles> domino_rectangles(const FigureGeometry& geometry,
                                             const PaletteRow& palette) {
    std::vector<InkRectangles> inks;
    for (const auto& [ink, dominoes] : dominoes_by_ink(geometry, palette)) {
        InkRectangles group{ink, {}};
        group.rectangles.reserve(dominoes.size());
        for (const Domino* domino : dominoes) {
            group.rectangles.push_back(std::to_string(domino->column) + " " +
                                       std::to_string(domino->row) +
                                       (domino->upright ? " 1 2 re" : " 2 1 re"));
        }
        inks.push_back(std::move(group));
    }
    return inks;
}

std::string path_operators(const FigureGeometry& geometry) {
    std::string operators;
    for (const std::vector<LatticePoint>& path : geometry.paths) {
        for (std::size_t i = 0; i < path.size(); ++i) {
            operators += std::to_string(path[i].x) + " " + sixteenths(16LL * path[i].row + 8) +
                         (i == 0 ? " m " : " l ");
        }
    }
    return operators;
}

std::string arctic_operators(const FigureGeometry& geometry) {
    const Circle circle = arctic_circle(geometry);
    // In ten-thousandths of a cell; the control points a fraction 0.5523
    // of the radius out, the usual cubic for a quarter circle.
    const long long x = circle.x_sixteenths * 625;
    const long long y = circle.y_sixteenths * 625;
    const long long r = circle.radius_ten_thousandths;
    const long long k = r * 5523 / 10000;
    const auto point = [](long long a, long long b) {
        return ten_thousandths(a) + " " + ten_thousandths(b) + " ";
    };
    return point(x + r, y) + "m " + point(x + r, y + k) + point(x + k, y + r) + point(x, y + r) +
           "c " + point(x - k, y + r) + point(x - r, y + k) + point(x - r, y) + "c " +
           point(x - r, y - k) + point(x - k, y - r) + point(x, y - r) + "c " +
           point(x + k, y - r) + point(x + r, y - k) + point(x + r, y) + "c h";
}

std::string cell_matrix(const Placement& placement, long long base) {
    return std::to_string(placement.cell) + " 0 0 " + std::to_string(-placement.cell) + " " +
           std::to_string(placement.left) + " " + std::to_string(base - placement.top) + " cm";
}

std::string pdf_colour(Rgb colour) {
    const auto part = [](int value) {
        const int thousandths = (value * 1000 + 127) / 255;
        std::string text = std::to_string(thousandths / 1000) + ".";
        const std::string fraction = std::to_string(thousandths % 1000);
        return text + std::string(3 - fraction.size(), '0') + fraction;
    };
    return part(colour.red) + " " + part(colour.green) + " " + part(colour.blue);
}
