#include "tools/docpage/docpage.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace zn::docpage {

namespace {

using Lines = std::vector<std::string_view>;

struct Section {
    std::string number;  // "11" of "11. The web edition"; "" for a heading without one
    std::string title;
    Lines lines;
};

Lines splitLines(std::string_view text) {
    Lines out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
        out.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out;
}

bool ruleOf(std::string_view line, char c) {
    return line.size() >= 3 && line.find_first_not_of(c) == std::string_view::npos;
}

std::size_t indentOf(std::string_view line) { return std::min(line.find_first_not_of(' '), line.size()); }

void escapeInto(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
}

// Text with its web addresses as links.
std::string inlineHtml(std::string_view text) {
    std::string out;
    for (;;) {
        std::size_t at = std::min(text.find("https://"), text.find("http://"));
        if (at == std::string_view::npos) break;
        std::size_t end = std::min(text.find(' ', at), text.size());
        while (end > at && std::string_view(".,;)").find(text[end - 1]) != std::string_view::npos) --end;
        escapeInto(out, text.substr(0, at));
        const std::string_view url = text.substr(at, end - at);
        out += "<a href=\"";
        escapeInto(out, url);
        out += "\">";
        escapeInto(out, url);
        out += "</a>";
        text.remove_prefix(end);
    }
    escapeInto(out, text);
    return out;
}

void joinInto(std::string& cell, std::string_view text) {
    if (!cell.empty()) cell += ' ';
    cell += text;
}

// The pieces of a line between runs of two spaces or more, with the column each starts at.
std::vector<std::pair<std::size_t, std::string_view>> segments(std::string_view line) {
    std::vector<std::pair<std::size_t, std::string_view>> out;
    std::size_t i = indentOf(line);
    while (i < line.size()) {
        std::size_t end = line.find("  ", i);
        if (end == std::string_view::npos) end = line.size();
        out.emplace_back(i, line.substr(i, end - i));
        i = end;
        while (i < line.size() && line[i] == ' ') ++i;
    }
    return out;
}

// A block whose lines start with "- ": one item per "- ", its indented lines joined to it.
void listHtml(std::string& out, const Lines& block, std::size_t base) {
    std::vector<std::string> items;
    for (std::string_view line : block) {
        const std::string_view text = line.substr(indentOf(line));
        if (indentOf(line) == base && text.starts_with("- ")) items.emplace_back(text.substr(2));
        else if (!items.empty()) joinInto(items.back(), text);
    }
    out += "<ul>\n";
    for (const std::string& item : items) out += "<li>" + inlineHtml(item) + "</li>\n";
    out += "</ul>\n";
}

// An indented block, or one with columns: a row per line that starts near the block's left
// edge; a line indented further continues the row above, each piece in the cell of its column.
void tableHtml(std::string& out, const Lines& block, std::size_t base) {
    constexpr std::size_t kRowSlack = 4;  // "   33-86" still starts a row beside "    1"
    constexpr std::size_t kColumnSlack = 2;
    auto isRow = [&](std::string_view line) { return indentOf(line) <= base + kRowSlack; };
    std::vector<std::size_t> columns;
    for (std::string_view line : block)
        if (isRow(line))
            for (const auto& [col, text] : segments(line)) columns.push_back(col);
    std::sort(columns.begin(), columns.end());
    std::vector<std::size_t> kept;
    for (std::size_t col : columns)
        if (kept.empty() || col > kept.back() + kColumnSlack) kept.push_back(col);
    auto columnOf = [&](std::size_t col) {
        std::size_t i = 0;
        while (i + 1 < kept.size() && kept[i + 1] <= col + kColumnSlack) ++i;
        return i;
    };
    std::vector<std::vector<std::string>> rows;
    for (std::string_view line : block) {
        if (isRow(line) || rows.empty()) rows.emplace_back(kept.size());
        for (const auto& [col, text] : segments(line)) joinInto(rows.back()[columnOf(col)], text);
    }
    out += "<div class=\"wide\"><table>\n";
    for (const auto& row : rows) {
        out += "<tr>";
        for (const std::string& cell : row) out += "<td>" + inlineHtml(cell) + "</td>";
        out += "</tr>\n";
    }
    out += "</table></div>\n";
}

void blockHtml(std::string& out, const Lines& block) {
    // A lead-in line above a list ("On a phone or tablet:" and its "  - " items): each apart.
    for (std::size_t i = 1; i < block.size(); ++i)
        if (block[i].substr(indentOf(block[i])).starts_with("- ") && indentOf(block[i]) > indentOf(block[0])) {
            blockHtml(out, Lines(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(i)));
            return listHtml(out, Lines(block.begin() + static_cast<std::ptrdiff_t>(i), block.end()), indentOf(block[i]));
        }
    std::size_t base = std::string_view::npos;
    bool columns = false;
    for (std::string_view line : block) {
        base = std::min(base, indentOf(line));
        if (line.find("   ", indentOf(line)) != std::string_view::npos) columns = true;
    }
    const std::string_view first = block.front().substr(indentOf(block.front()));
    if (first.starts_with("- ")) return listHtml(out, block, base);
    bool indented = base > 0;
    for (std::string_view line : block) indented = indented || indentOf(line) > base;
    if (indented || columns) return tableHtml(out, block, base);
    std::string paragraph;
    for (std::string_view line : block) joinInto(paragraph, line);
    out += "<p>" + inlineHtml(paragraph) + "</p>\n";
}

void sectionBodyHtml(std::string& out, const Lines& lines) {
    Lines block;
    for (std::size_t i = 0; i <= lines.size(); ++i) {
        if (i < lines.size() && !lines[i].empty()) {
            block.push_back(lines[i]);
            continue;
        }
        if (!block.empty()) blockHtml(out, block);
        block.clear();
    }
}

// "11. The web edition" as its number and title.
Section sectionOf(std::string_view heading) {
    const std::size_t dot = heading.find(". ");
    const std::string_view number = heading.substr(0, dot == std::string_view::npos ? 0 : dot);
    if (!number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos)
        return {std::string(number), std::string(heading.substr(dot + 2)), {}};
    return {"", std::string(heading), {}};
}

constexpr std::string_view kStyle = R"(
:root { color-scheme: light; }
body { margin: 0; background: #f4f5f7; color: #1b1e22;
  font: 17px/1.55 Arial, "Liberation Sans", Helvetica, sans-serif; -webkit-text-size-adjust: 100%; }
main { box-sizing: border-box; max-width: 46em; margin: 0 auto; padding: 1em 1.1em 3em; background: #fff; }
h1 { font-size: 1.45em; line-height: 1.25; margin: 0.4em 0 0.2em; color: rgb(8, 41, 82); }
h2 { font-size: 1.2em; margin: 1.8em 0 0.5em; padding-bottom: 0.2em; border-bottom: 2px solid rgb(8, 41, 82); }
.subtitle { margin: 0 0 1em; color: #4a5058; }
nav ul { list-style: none; padding: 0; margin: 0; }
nav a { display: block; padding: 0.55em 0; border-bottom: 1px solid #e3e5e8; }
a { color: rgb(24, 82, 148); overflow-wrap: anywhere; }
p, li { overflow-wrap: break-word; }
ul { padding-left: 1.3em; }
li { margin: 0.35em 0; }
table { border-collapse: collapse; margin: 0.6em 0; width: 100%; }
.wide { overflow-x: auto; }
td { vertical-align: top; padding: 0.25em 0.7em 0.25em 0; overflow-wrap: break-word; }
td:first-child { font-weight: bold; }
)";

}  // namespace

std::string documentPage(std::string_view text) {
    const Lines lines = splitLines(text);
    // The title block: the lines above the first line of "=".
    std::size_t start = 0;
    Lines titleBlock;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (ruleOf(lines[i], '=')) {
            titleBlock.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i));
            start = i + 1;
            break;
        }
    std::vector<Section> sections(1);  // the first: what comes before the first heading
    for (std::size_t i = start; i < lines.size(); ++i) {
        if (i + 1 < lines.size() && !lines[i].empty() && indentOf(lines[i]) == 0 && ruleOf(lines[i + 1], '-')) {
            sections.push_back(sectionOf(lines[i]));
            ++i;
        } else {
            sections.back().lines.push_back(lines[i]);
        }
    }
    // The text's own contents list gives way to the page's.
    auto& lead = sections.front().lines;
    while (!lead.empty() && lead.front().empty()) lead.erase(lead.begin());
    if (!lead.empty() && lead.front() == "Contents") lead.clear();

    std::vector<const Section*> order;
    for (std::string_view title : kPageFirst)
        for (const Section& s : sections)
            if (s.title == title) order.push_back(&s);
    for (std::size_t i = 1; i < sections.size(); ++i)
        if (std::find(order.begin(), order.end(), &sections[i]) == order.end()) order.push_back(&sections[i]);

    const std::string title = titleBlock.empty() ? std::string("Document") : std::string(titleBlock.front());
    std::string out = "<!doctype html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    escapeInto(out, title);
    out += "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n<main>\n<h1>";
    escapeInto(out, title);
    out += "</h1>\n";
    for (std::size_t i = 1; i < titleBlock.size(); ++i) out += "<p class=\"subtitle\">" + inlineHtml(titleBlock[i]) + "</p>\n";
    sectionBodyHtml(out, sections.front().lines);
    auto idOf = [&](const Section* s) { return "s" + std::to_string(s - sections.data()); };
    auto headingOf = [](const Section* s) { return s->number.empty() ? s->title : s->number + ". " + s->title; };
    if (order.size() > 1) {
        out += "<nav aria-label=\"Contents\">\n<ul>\n";
        for (const Section* s : order) out += "<li><a href=\"#" + idOf(s) + "\">" + inlineHtml(headingOf(s)) + "</a></li>\n";
        out += "</ul>\n</nav>\n";
    }
    for (const Section* s : order) {
        out += "<section id=\"" + idOf(s) + "\">\n<h2>" + inlineHtml(headingOf(s)) + "</h2>\n";
        sectionBodyHtml(out, s->lines);
        out += "</section>\n";
    }
    out += "</main>\n</body>\n</html>\n";
    return out;
}

}  // namespace zn::docpage
