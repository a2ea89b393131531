// The export pager's own settings, beside the paging operations of pager.h:
// where the pages go and in which format.
#pragma once

// FOLDER/page-N.png, page-N.svg (SVG) or page-N.tex (TikZ pictures).
enum class PageFormat { png, svg, tikz };
// Stops with one line and status 1 when the name is empty or too long.
void set_export_folder(const char* folder, PageFormat format);
