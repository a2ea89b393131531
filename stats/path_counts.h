// How many paths of a family have each value of a statistic, counted
// without listing them: the paths of width 2N (a rise or a fall one column
// wide, a flat two) from a row back to it, anywhere (diamond's) or never
// below it (pyramid's). Each statistic has a formula that takes a number
// of big-number operations growing with N (flats, peaks) or N^2 (returns,
// height), never a table of all the paths' states (N^3 of them), so that
// order 1,000 takes a second or two:
//   flats    C(N,k) C(2N-k,N) anywhere; C(2N-k,k) Cat(N-k) never below.
//   peaks    the same numbers as flats, in either family: replacing each
//            rise directly followed by a fall by a flat, and each flat by
//            such a pair, keeps a path in its family and swaps its peaks
//            and its flats (done twice it gives the path back).
//   returns  a path is a sequence of pieces, each a flat on the row or an
//            excursion rise ... fall (and, anywhere, fall ... rise) whose
//            inside is a path never below its own row; the excursions
//            counted by the Lagrange inversion of u = x (1 + u) / (1 - u).
//   height   the flats placed among the rises and falls leave the height
//            alone: the rises and falls counted by the reflection
//            principle, once (anywhere) or repeatedly (never below, the
//            paths kept between two rows), times the ways to place the
//            flats.
#pragma once

#include <vector>

#include "big_count.h"
#include "path_stats.h"

// Figures by value: entry v counts those whose statistic is v.
using CountTable = std::vector<BigCount>;

// The largest order whose paths count_paths_by counts.
constexpr int largest_counted_path_order = 1000;
// The paths of order N (1 ... 1,000), by the value of `statistic`, into
// `counts`, 2N + 1 entries (no statistic exceeds 2N, the returns of N
// rises and falls).
void count_paths_by(int order, bool never_below, Statistic statistic, CountTable& counts);
