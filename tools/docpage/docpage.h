#pragma once
// A document of the game folder (Readme.txt, Whatsnew.txt) as a page that a browser shows
// readably on any screen. The text is laid out for a fixed-width window of 72 columns; the page
// lets the browser wrap it: the title block, numbered sections under their "-----" lines, and in
// each section paragraphs (lines joined), lists ("- " items) and tables (indented blocks or lines
// with columns of spaces, their continuation lines joined into the cell above). The page reads
// the browser's way: the sections of kPageFirst come first, the others after them in the text's
// order, and a list of the sections stands in for the text's own contents list.
#include <array>
#include <string>
#include <string_view>

namespace zn::docpage {

// What matters in a browser (playing there), then the game; the Linux program's start, files
// and settings follow.
inline constexpr std::array<std::string_view, 5> kPageFirst = {
    "The web edition", "What this is", "How to play", "Keys and mouse", "The menu"};

// The HTML page made from a document's text (UTF-8), complete with its style.
std::string documentPage(std::string_view text);

}  // namespace zn::docpage
