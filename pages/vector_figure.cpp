#include "vector_figure.h"

#include <algorithm>

std::vector<std::pair<Ink, std::vector<const Domino*>>> dominoes_by_ink(
    const FigureGeometry& geometry, const PaletteRow& palette) {
    std::vector<std::pair<Ink, std::vector<const Domino*>>> groups;
    for (const Domino& domino : geometry.dominoes) {
        const Ink ink = fill_of(palette, domino);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [ink](const auto& entry) { return entry.first == ink; });
        if (group == groups.end()) {
            groups.emplace_back(ink, std::vector<const Domino*>{});
            group = groups.end() - 1;
        }
        group->second.push_back(&domino);
    }
    return groups;
}

std::string sixteenths(long long numerator) {
    std::string text = numerator < 0 ? "-" : "";
    const long long magnitude = numerator < 0 ? -numerator : numerator;
    text += std::to_string(magnitude / 16);
    long long rest = magnitude % 16;
    if (rest == 0) return text;
    text += '.';
    // Each sixteenth ends within four decimals: 1/16 = 0.0625.
    while (rest != 0) {
        rest *= 10;
        text += static_cast<char>('0' + rest / 16);
        rest %= 16;
    }
    return text;
}

std::string ten_thousandths(long long numerator) {
    std::string fraction = std::to_string(numerator % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return std::to_string(numerator / 10000) + "." + fraction;
}

std::vector<Ink> named_inks(const Drawing& drawing) {
    std::vector<Ink> inks = {Ink::page, Ink::rise, Ink::flat, Ink::fall, Ink::border};
    if (drawing.paths) inks.push_back(Ink::path);
    if (drawing.palette->by_compass) {
        inks.insert(inks.end(), {Ink::north, Ink::south, Ink::east, Ink::west});
    }
    if (drawing.arctic) inks.push_back(Ink::arctic);
    return inks;
}
