// The steps of a lattice path, and a figure's paths one after the other.
#pragma once

#include <string>
#include <vector>

// One step of a lattice path. The order rise < fall < flat is relied upon
// when arrangements are listed lexicographically. A figure of several paths
// lists them one after the other, next_path between two.
enum class StepKind : int { rise = 0, fall = 1, flat = 2, next_path = 3 };

// "rise", "fall", "flat", or "|" between two paths.
const char* step_name(StepKind step);

// A figure's paths, one entry a step (a flat once), next_path between two.
using FigurePath = std::vector<StepKind>;

// The steps as the titles and the list write them: "rise flat fall | flat".
std::string steps_text(const FigurePath& path);
// Reads steps written so (words separated by spaces) into `path`; false
// when a word is no step's name or there is none.
bool read_steps(const char* text, FigurePath& path);
