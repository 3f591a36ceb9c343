// No module of src/ reaches itself through the includes: a header and its source are
// one module, named by their path without the ending ("ui/dialogs").
#include "support/test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

using IncludeGraph = std::map<std::string, std::set<std::string>>;  // module -> modules it includes
using Circle = std::vector<std::string>;

bool isSourceOrHeader(const fs::path& path) { return path.extension() == ".h" || path.extension() == ".cpp"; }

std::string moduleOf(const fs::path& file, const fs::path& root) {
    fs::path relative = fs::relative(file, root);
    return relative.replace_extension().generic_string();
}

// The module a line includes: `#include "app/display.h"` names app/display. Empty for
// any other line, system headers included.
std::string includedModule(const std::string& line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return "";
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || line[at] != '"') return "";
    std::size_t end = line.find('"', at + 1);
    if (end == std::string::npos || end - at - 1 < 3 || line.compare(end - 2, 2, ".h") != 0) return "";
    return line.substr(at + 1, end - at - 3);
}

// Only quoted includes of the tree's own headers count; system headers are no module.
IncludeGraph readIncludeGraph(const fs::path& root) {
    IncludeGraph graph;
    std::map<std::string, std::set<std::string>> named;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || !isSourceOrHeader(entry.path())) continue;
        std::string module = moduleOf(entry.path(), root);
        graph[module];
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            std::string target = includedModule(line);
            if (!target.empty() && target != module) named[module].insert(target);
        }
    }
    for (auto& [module, targets] : named)
        for (const std::string& target : targets)
            if (graph.count(target)) graph[module].insert(target);
    return graph;
}

// Every strongly connected component of more than one module, each sorted by name.
std::vector<Circle> findCircles(const IncludeGraph& graph) {
    std::map<std::string, int> index, lowest;
    std::vector<std::string> stack;
    std::set<std::string> onStack;
    std::vector<Circle> circles;
    int next = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& module) {
        index[module] = lowest[module] = next++;
        stack.push_back(module);
        onStack.insert(module);
        for (const std::string& target : graph.at(module)) {
            if (!index.count(target)) {
                visit(target);
                lowest[module] = std::min(lowest[module], lowest[target]);
            } else if (onStack.count(target)) {
                lowest[module] = std::min(lowest[module], index[target]);
            }
        }
        if (lowest[module] != index[module]) return;
        Circle component;
        std::string member;
        do {
            member = stack.back();
            stack.pop_back();
            onStack.erase(member);
            component.push_back(member);
        } while (member != module);
        if (component.size() < 2) return;
        std::sort(component.begin(), component.end());
        circles.push_back(component);
    };
    for (const auto& entry : graph)
        if (!index.count(entry.first)) visit(entry.first);
    std::sort(circles.begin(), circles.end());
    return circles;
}

// Each module of the circle with the includes that keep it in the circle: the edges to cut.
std::string describe(const Circle& circle, const IncludeGraph& graph) {
    std::ostringstream text;
    text << "a circle of " << circle.size() << " modules:\n";
    for (const std::string& module : circle) {
        text << "  " << module << " ->";
        for (const std::string& target : graph.at(module))
            if (std::count(circle.begin(), circle.end(), target)) text << ' ' << target;
        text << '\n';
    }
    return text.str();
}

class IncludeTree : public ::testing::Test {
protected:
    void write(const std::string& file, const std::vector<std::string>& includes) {
        fs::path path = fs::path(folder_.path()) / "src" / file;
        fs::create_directories(path.parent_path());
        std::ofstream out(path);
        for (const std::string& header : includes) out << "#include \"" << header << "\"\n";
    }
    std::vector<Circle> circles() { return findCircles(readIncludeGraph(fs::path(folder_.path()) / "src")); }
    TempFolder folder_;
};

}  // namespace

TEST_F(IncludeTree, AHeaderAndItsSourceAreOneModule) {
    write("ui/menu.h", {"app/state.h"});
    write("ui/menu.cpp", {"ui/menu.h", "app/state.h", "SDL/SDL.h"});
    write("app/state.h", {});
    EXPECT_TRUE(circles().empty());
}

TEST_F(IncludeTree, ASourceIncludingAModuleThatIncludesItsHeaderClosesACircle) {
    write("ui/menu.h", {});
    write("ui/menu.cpp", {"ui/menu.h", "app/input.h"});
    write("app/input.h", {"ui/menu.h"});
    write("app/state.h", {});
    EXPECT_EQ(circles(), (std::vector<Circle>{{"app/input", "ui/menu"}}));
}

TEST_F(IncludeTree, EveryCircleIsReportedWithAllItsModules) {
    write("a/one.cpp", {"a/two.h"});
    write("a/two.h", {"a/three.h"});
    write("a/three.cpp", {"a/one.h"});
    write("a/one.h", {});
    write("b/left.h", {"b/right.h", "a/one.h"});
    write("b/right.h", {"b/left.h"});
    EXPECT_EQ(circles(), (std::vector<Circle>{{"a/one", "a/three", "a/two"}, {"b/left", "b/right"}}));
}

TEST(IncludeCircles, NoModuleOfTheGameIncludesItself) {
    fs::path root = fs::path(SOURCE_DIR) / "src";
    IncludeGraph graph = readIncludeGraph(root);
    ASSERT_GT(graph.size(), 20u) << "the sources were not found under " << root;
    for (const Circle& circle : findCircles(graph)) ADD_FAILURE() << describe(circle, graph);
}
