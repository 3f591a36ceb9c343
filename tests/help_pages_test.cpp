// The help pages that F1 opens and the fonts the game writes with, checked in the built game
// folder: every page is there, every link and picture of every page leads to a file beside
// it, and the fonts are TrueType files with their licence next to them.

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path helpRoot = fs::path(GAME_DIR) / "help";
const fs::path fontDir = fs::path(GAME_DIR) / "resources.res" / "fonts";

// The pages the game opens, relative to the help folder.
const std::vector<std::string> helpPages = {
    "index.html",
    "files/menu.html",
    "files/playing-the-game.html",
    "files/level-editor.html",
    "files/level-select.html",
    "files/unlockables.html",
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

struct Attribute {
    std::string name;   // lower case
    std::string value;  // without its quotes
};

// Reads the value that starts at html[i] (just after "=" and any spaces) and leaves i behind it.
std::string readAttributeValue(const std::string& html, size_t& i) {
    const size_t n = html.size();
    if (i < n && (html[i] == '"' || html[i] == '\'')) {
        size_t end = html.find(html[i], i + 1);
        if (end == std::string::npos) end = n;
        std::string value = html.substr(i + 1, end - i - 1);
        i = std::min(end + 1, n);
        return value;
    }
    size_t start = i;
    while (i < n && !isSpace(html[i]) && html[i] != '>') ++i;
    return html.substr(start, i - start);
}

// Every attribute of every start tag, in document order. Comments, doctypes and end tags are
// skipped, so a link that has been commented out is not counted.
std::vector<Attribute> scanAttributes(const std::string& html) {
    std::vector<Attribute> found;
    const size_t n = html.size();
    size_t i = 0;
    while ((i = html.find('<', i)) != std::string::npos) {
        if (html.compare(i, 4, "<!--") == 0) {
            size_t end = html.find("-->", i + 4);
            if (end == std::string::npos) break;
            i = end + 3;
            continue;
        }
        ++i;
        if (i < n && (html[i] == '!' || html[i] == '?' || html[i] == '/')) {
            i = html.find('>', i);
            if (i == std::string::npos) break;
            continue;
        }
        while (i < n && !isSpace(html[i]) && html[i] != '>' && html[i] != '/') ++i;
        while (i < n && html[i] != '>') {
            if (isSpace(html[i]) || html[i] == '/') {
                ++i;
                continue;
            }
            size_t nameStart = i;
            while (i < n && !isSpace(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/') ++i;
            if (i == nameStart) {  // a stray "=": step over it rather than loop on it
                ++i;
                continue;
            }
            Attribute attribute{lowerCase(html.substr(nameStart, i - nameStart)), ""};
            size_t j = i;
            while (j < n && isSpace(html[j])) ++j;
            if (j < n && html[j] == '=') {
                ++j;
                while (j < n && isSpace(html[j])) ++j;
                attribute.value = readAttributeValue(html, j);
                i = j;
            }
            found.push_back(attribute);
        }
    }
    return found;
}

// The values of every href and src attribute: the links and pictures of a page.
std::vector<std::string> linkTargets(const std::string& html) {
    std::vector<std::string> targets;
    for (const Attribute& attribute : scanAttributes(html))
        if (attribute.name == "href" || attribute.name == "src") targets.push_back(attribute.value);
    return targets;
}

std::set<std::string> elementIds(const std::string& html) {
    std::set<std::string> ids;
    for (const Attribute& attribute : scanAttributes(html))
        if (attribute.name == "id") ids.insert(attribute.value);
    return ids;
}

// The targets of url(...) in a stylesheet.
std::vector<std::string> cssUrls(const std::string& css) {
    std::vector<std::string> urls;
    size_t i = 0;
    while ((i = css.find("url(", i)) != std::string::npos) {
        size_t end = css.find(')', i);
        if (end == std::string::npos) break;
        std::string value = css.substr(i + 4, end - i - 4);
        value.erase(0, value.find_first_not_of(" \t\"'"));
        value.erase(value.find_last_not_of(" \t\"'") + 1);
        urls.push_back(value);
        i = end;
    }
    return urls;
}

// A scheme ("http:", "mailto:", "file:") or a protocol-relative "//" leaves the help folder.
bool isExternal(const std::string& target) {
    if (target.compare(0, 2, "//") == 0) return true;
    size_t colon = target.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    size_t end = target.find_first_of("/?#");
    return end == std::string::npos || colon < end;
}

std::string percentDecode(const std::string& text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

struct ResolvedLink {
    fs::path file;         // the file the browser would open
    std::string fragment;  // the part after "#", or empty
};

// How a browser reads a relative link of the page: against the page's own folder.
ResolvedLink resolveLink(const fs::path& page, const std::string& target) {
    std::string path = target;
    std::string fragment;
    size_t hash = path.find('#');
    if (hash != std::string::npos) {
        fragment = path.substr(hash + 1);
        path.erase(hash);
    }
    size_t query = path.find('?');
    if (query != std::string::npos) path.erase(query);
    path = percentDecode(path);
    if (path.empty()) return {page, fragment};
    return {(page.parent_path() / path).lexically_normal(), fragment};
}

bool isInside(const fs::path& root, const fs::path& file) {
    fs::path relative = file.lexically_relative(root);
    return !relative.empty() && *relative.begin() != "..";
}

// Every link of one file (a page or a stylesheet) that would not work, with the reason.
std::vector<std::string> brokenLinks(const fs::path& root, const fs::path& file) {
    std::string text = readFile(file);
    bool isCss = file.extension() == ".css";
    std::vector<std::string> targets = isCss ? cssUrls(text) : linkTargets(text);
    std::vector<std::string> problems;
    for (const std::string& target : targets) {
        std::string where = file.filename().string() + ": \"" + target + "\" ";
        if (target.empty()) {
            problems.push_back(where + "is empty");
            continue;
        }
        if (isExternal(target)) {
            problems.push_back(where + "leaves the help pages (they must work offline)");
            continue;
        }
        if (target[0] == '/' || target[0] == '\\') {
            problems.push_back(where + "is absolute; the help folder can be anywhere");
            continue;
        }
        ResolvedLink link = resolveLink(file, target);
        if (!isInside(root, link.file)) {
            problems.push_back(where + "points outside the help folder");
            continue;
        }
        if (!fs::is_regular_file(link.file)) {
            problems.push_back(where + "leads to " + link.file.string() + ", which does not exist");
            continue;
        }
        if (!link.fragment.empty() && link.file.extension() == ".html" &&
            elementIds(readFile(link.file)).count(link.fragment) == 0)
            problems.push_back(where + "names a section that " + link.file.filename().string() + " lacks");
    }
    return problems;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) joined += "\n  " + line;
    return joined;
}

bool startsWith(const fs::path& file, const std::string& bytes) {
    std::string head = readFile(file).substr(0, bytes.size());
    return head == bytes;
}

const std::string trueTypeMagic("\x00\x01\x00\x00", 4);
const std::string pngMagic("\x89PNG\r\n\x1a\n", 8);

// A fresh folder for the scanner's own cases, removed again at the end of the test.
class ScratchHelpFolder {
public:
    ScratchHelpFolder() {
        std::string pattern = (fs::temp_directory_path() / "quarrow_help_XXXXXX").string();
        root_ = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
        fs::create_directories(root_ / "help" / "files" / "images");
    }
    ~ScratchHelpFolder() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    fs::path help() const { return root_ / "help"; }
    void write(const std::string& relative, const std::string& text) const {
        std::ofstream(help() / relative, std::ios::binary) << text;
    }

private:
    fs::path root_;
};

}  // namespace

// ---- The scanner and the resolver, on pages written here -----------------------------------

TEST(HelpLinkScanner, FindsHrefAndSrcWhateverTheQuoting) {
    std::string html =
        "<!DOCTYPE html><html><head><link rel=stylesheet href=files/style.css></head>\n"
        "<body><a class=\"x\" href=\"files/menu.html\">Menu</a>\n"
        "<IMG SRC='files/images/wall.png' alt=\"a > b\">\n"
        "<a title=\"href=fake.html\" data-href=\"other.html\" href = \"#top\">Top</a>\n"
        "<!-- <a href=\"commented.html\"> -->\n"
        "<p>src=\"text.png\" is only text</p></body></html>";
    std::vector<std::string> expected = {"files/style.css", "files/menu.html", "files/images/wall.png", "#top"};
    EXPECT_EQ(linkTargets(html), expected);
}

TEST(HelpLinkScanner, FindsIdsAndStylesheetUrls) {
    EXPECT_EQ(elementIds("<h2 id=\"keys\">Keys</h2><tr id='tile-wall'>"), (std::set<std::string>{"keys", "tile-wall"}));
    EXPECT_EQ(cssUrls(".a { background: url(\"images/wall.png\") } .b { background: url( images/up.png ) }"),
              (std::vector<std::string>{"images/wall.png", "images/up.png"}));
}

TEST(HelpLinkScanner, ResolvesAgainstThePagesOwnFolder) {
    fs::path page = fs::path("/game/help/files/menu.html");
    EXPECT_EQ(resolveLink(page, "../index.html").file, fs::path("/game/help/index.html"));
    EXPECT_EQ(resolveLink(page, "images/help.png").file, fs::path("/game/help/files/images/help.png"));
    EXPECT_EQ(resolveLink(page, "level-select.html#peaches").file, fs::path("/game/help/files/level-select.html"));
    EXPECT_EQ(resolveLink(page, "level-select.html#peaches").fragment, "peaches");
    EXPECT_EQ(resolveLink(page, "#corner-buttons").file, page);
    EXPECT_EQ(resolveLink(page, "images/my%20picture.png").file, fs::path("/game/help/files/images/my picture.png"));
    EXPECT_TRUE(isExternal("https://example.org/"));
    EXPECT_TRUE(isExternal("mailto:someone@example.org"));
    EXPECT_TRUE(isExternal("//example.org/x.png"));
    EXPECT_FALSE(isExternal("../index.html"));
    EXPECT_FALSE(isExternal("files/a.html#b:c"));
}

TEST(HelpLinkScanner, ReportsEveryKindOfBrokenLink) {
    ScratchHelpFolder folder;
    folder.write("index.html", "<a href=\"files/a.html\">a</a>");
    folder.write("files/images/p.png", "png");
    folder.write("files/a.html",
                 "<h2 id=\"here\">x</h2>"
                 "<a href=\"../index.html\">ok</a><img src=\"images/p.png\"><a href=\"#here\">ok</a>"
                 "<img src=\"images/missing.png\"><a href=\"../nothing.html\">x</a>"
                 "<a href=\"#nowhere\">x</a><a href=\"../../outside.html\">x</a>"
                 "<a href=\"https://example.org/\">x</a><a href=\"/abs.html\">x</a>");

    EXPECT_TRUE(brokenLinks(folder.help(), folder.help() / "index.html").empty());
    std::vector<std::string> problems = brokenLinks(folder.help(), folder.help() / "files" / "a.html");
    EXPECT_EQ(problems.size(), 6u) << joinLines(problems);
}

// ---- The built help pages -------------------------------------------------------------------

TEST(HelpPages, EveryPageTheGameOpensIsBuilt) {
    for (const std::string& page : helpPages)
        EXPECT_TRUE(fs::is_regular_file(helpRoot / page)) << "missing " << (helpRoot / page);
}

TEST(HelpPages, EveryLinkAndPictureLeadsToAFile) {
    for (const std::string& page : helpPages) {
        fs::path file = helpRoot / page;
        ASSERT_TRUE(fs::is_regular_file(file)) << "missing " << file;
        std::string html = readFile(file);
        // Every page links at least its stylesheet, the contents and its neighbours.
        EXPECT_GE(linkTargets(html).size(), 5u) << page;
        std::vector<std::string> problems = brokenLinks(helpRoot, file);
        EXPECT_TRUE(problems.empty()) << joinLines(problems);
    }
}

TEST(HelpPages, StylesheetIsSharedAndItsUrlsResolve) {
    std::set<fs::path> stylesheets;
    for (const std::string& page : helpPages) {
        fs::path file = helpRoot / page;
        for (const Attribute& attribute : scanAttributes(readFile(file)))
            if (attribute.name == "href" && fs::path(attribute.value).extension() == ".css")
                stylesheets.insert(resolveLink(file, attribute.value).file);
    }
    ASSERT_EQ(stylesheets.size(), 1u) << "every page should use the one stylesheet";
    std::vector<std::string> problems = brokenLinks(helpRoot, *stylesheets.begin());
    EXPECT_TRUE(problems.empty()) << joinLines(problems);
}

TEST(HelpPages, IndexReachesEveryPageAndEveryPageLeadsBack) {
    fs::path index = helpRoot / "index.html";
    std::set<fs::path> fromIndex;
    for (const std::string& target : linkTargets(readFile(index))) fromIndex.insert(resolveLink(index, target).file);

    for (const std::string& page : helpPages) {
        if (page == "index.html") continue;
        fs::path file = helpRoot / page;
        EXPECT_EQ(fromIndex.count((helpRoot / page).lexically_normal()), 1u) << "the index lacks a link to " << page;

        std::set<fs::path> fromPage;
        for (const std::string& target : linkTargets(readFile(file))) fromPage.insert(resolveLink(file, target).file);
        EXPECT_EQ(fromPage.count(index.lexically_normal()), 1u) << page << " has no way back to the index";
        for (const std::string& sibling : helpPages)
            EXPECT_EQ(fromPage.count((helpRoot / sibling).lexically_normal()), 1u)
                << page << " has no link to " << sibling;
    }
}

TEST(HelpPages, PicturesAreTheGamesPngImages) {
    std::set<fs::path> pictures;
    for (const std::string& page : helpPages) {
        fs::path file = helpRoot / page;
        for (const Attribute& attribute : scanAttributes(readFile(file)))
            if (attribute.name == "src") pictures.insert(resolveLink(file, attribute.value).file);
    }
    // The tile table alone shows more than twenty pictures.
    EXPECT_GE(pictures.size(), 20u);
    for (const fs::path& picture : pictures) {
        EXPECT_EQ(picture.extension(), ".png") << picture;
        EXPECT_TRUE(startsWith(picture, pngMagic)) << picture << " is not PNG data";
    }
}

// ---- The fonts ------------------------------------------------------------------------------

TEST(Fonts, RegularAndBoldAreTrueTypeFiles) {
    for (const char* name : {"arial.font", "arialbd.font"}) {
        fs::path font = fontDir / name;
        ASSERT_TRUE(fs::is_regular_file(font)) << "missing " << font;
        EXPECT_TRUE(startsWith(font, trueTypeMagic)) << font << " is not a TrueType font";
        EXPECT_GT(fs::file_size(font), 10000u) << font;
    }
    EXPECT_NE(readFile(fontDir / "arial.font"), readFile(fontDir / "arialbd.font"))
        << "the regular and the bold font are the same file";
}

TEST(Fonts, LicenceLiesBesideThem) {
    fs::path licence = fontDir / "LICENSE";
    ASSERT_TRUE(fs::is_regular_file(licence)) << "missing " << licence;
    EXPECT_NE(readFile(licence).find("Open Font License"), std::string::npos)
        << licence << " does not read like the fonts' licence";
}
