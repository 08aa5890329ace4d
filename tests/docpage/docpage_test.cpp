#include "tools/docpage/docpage.h"

#include <gtest/gtest.h>

#include <string>

namespace zn::docpage {
namespace {

// Each piece of the text's layout and the HTML it becomes.
TEST(DocumentPage, LaysEachKindOfBlockOutForTheBrowser) {
    struct Case {
        const char* what;
        const char* body;  // a section's lines
        const char* html;  // found in the page
    };
    const Case cases[] = {
        {"lines joined into a paragraph", "Steer Nibbo\nthrough the maze.", "<p>Steer Nibbo through the maze.</p>"},
        {"a lead-in line and its indented list", "On a phone:\n  - Tap PLAY\n    first.\n  - Tap",
         "<p>On a phone:</p>\n<ul>\n<li>Tap PLAY first.</li>\n<li>Tap</li>"},
        {"columns, a continuation in the cell of its column",
         "  pill         10 points\n  energizer    the ghosts turn\n               to prey",
         "<tr><td>pill</td><td>10 points</td></tr>\n<tr><td>energizer</td><td>the ghosts turn to prey</td></tr>"},
        {"a missing column left empty", "  About...     F1   about\n  Key settings      keys",
         "<tr><td>Key settings</td><td></td><td>keys</td></tr>"},
        {"a heading line above indented rows", "[Common]\n  SkinDir   skin folder",
         "<tr><td>[Common]</td><td></td></tr>\n<tr><td>SkinDir</td><td>skin folder</td></tr>"},
        {"markup escaped, addresses linked", "a <b> & \"c\" at https://x.example/.",
         "a &lt;b&gt; &amp; &quot;c&quot; at <a href=\"https://x.example/\">https://x.example/</a>.</p>"},
    };
    for (const Case& c : cases) {
        const std::string page = documentPage(std::string("T\n===\n\n1. S\n----\n") + c.body + "\n");
        EXPECT_NE(page.find(c.html), std::string::npos) << c.what << "\n" << page;
    }
}

// The browser's sections first (kPageFirst), the others after them in the text's order; the
// text's contents list replaced by the page's, the headings keeping their numbers.
TEST(DocumentPage, ShowsTheBrowsersSectionsFirst) {
    const std::string page = documentPage(
        "Title\nVersion 5\n====\n\nContents\n  1. What this is\n\n1. What this is\n---\nA.\n\n"
        "2. Starting the simulator\n---\nB.\n\n3. The web edition\n---\nC.\n");
    EXPECT_EQ(page.find("Contents\n"), std::string::npos);
    std::size_t at = page.find("<h1>Title</h1>\n<p class=\"subtitle\">Version 5</p>");
    for (const char* h : {"</nav>", "<h2>3. The web edition</h2>", "<h2>1. What this is</h2>", "<h2>2. Starting the"}) {
        const std::size_t next = page.find(h, at);
        ASSERT_NE(next, std::string::npos) << h << " missing or out of order";
        at = next;
    }
}

}  // namespace
}  // namespace zn::docpage
