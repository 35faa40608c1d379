// Reads every `#include "host/shell/<folder>/..."` in the source tree and
// reports each one that breaks the layer rule written in
// docs/architecture.md (the table between the "shell layers" markers): a
// file of host/shell includes headers of its own folder and of folders on
// lower layers only, and outside host/shell only tests and benchmarks
// include the player's headers.
//
//   shell_layers_check <source tree> <architecture.md>
//
// Exit status 0 when the rule holds, 1 with one line per include that
// breaks it (file:line, the header, the rule), 2 when it cannot run.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// KNOWN EXCEPTIONS -----------------------------------------------------------
// Upward includes tolerated until the code is moved: the including file
// (below host/shell) and the header it includes. An entry that no longer
// occurs is reported too, so that this list only ever shrinks.
const std::set<std::pair<std::string, std::string>> knownExceptions = {
};
// ----------------------------------------------------------------------------

// Table rows "| <layer> | `folder/`, `folder/` | ... |" between
// "<!-- shell layers:" and "<!-- end of shell layers -->".
std::map<std::string, int> readLayers(const fs::path& ruleFile)
{
    std::ifstream in(ruleFile);
    const std::regex row(R"(^\|\s*([0-9]+)\s*\|([^|]*)\|)");
    const std::regex folderName(R"(`([a-z]+)/`)");
    std::map<std::string, int> layers;
    bool inTable = false;
    for (std::string line; std::getline(in, line);) {
        if (line.find("<!-- shell layers:") != std::string::npos) {
            inTable = true;
        } else if (line.find("<!-- end of shell layers -->") != std::string::npos) {
            inTable = false;
        } else if (std::smatch match; inTable && std::regex_search(line, match, row)) {
            const int layer = std::stoi(match[1]);
            const std::string folders = match[2];
            for (std::sregex_iterator it(folders.begin(), folders.end(), folderName), end; it != end; ++it)
                layers[(*it)[1]] = layer;
        }
    }
    return layers;
}

bool isSource(const fs::path& path)
{
    static const std::set<std::string> extensions = {".h", ".hpp", ".c", ".cc", ".cpp"};
    return extensions.count(path.extension().string()) > 0;
}

struct Include {
    int line;
    std::string folder; // the folder of host/shell the header is in
    std::string header; // host/shell/<folder>/<name>
};

std::vector<Include> shellIncludes(const fs::path& file)
{
    static const std::regex pattern(R"re(^\s*#\s*include\s*[<"](host/shell/([a-z]+)/[^">]*))re");
    std::ifstream in(file);
    std::vector<Include> found;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (std::smatch match; std::regex_search(line, match, pattern))
            found.push_back({number, match[2], match[1]});
    }
    return found;
}

// Build folders (they hold a CMakeCache.txt) and hidden folders are not
// sources.
bool isSkippedFolder(const fs::path& folder)
{
    const std::string name = folder.filename().string();
    return (!name.empty() && name[0] == '.') || fs::exists(folder / "CMakeCache.txt");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: shell_layers_check <source tree> <architecture.md>\n";
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path ruleFile = argv[2];
    const std::map<std::string, int> layers = readLayers(ruleFile);
    if (layers.empty()) {
        std::cerr << ruleFile.string() << ": no layer table between <!-- shell layers: --> and <!-- end of shell layers -->\n";
        return 2;
    }

    std::vector<std::string> problems;
    std::set<std::pair<std::string, std::string>> exceptionsSeen;
    int filesRead = 0;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path path = it->path();
        if (it->is_directory()) {
            if (isSkippedFolder(path))
                it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || !isSource(path))
            continue;
        const std::string relative = path.lexically_relative(root).generic_string();
        const std::string top = relative.substr(0, relative.find('/'));
        const std::vector<Include> includes = shellIncludes(path);
        ++filesRead;
        if (relative.rfind("host/shell/", 0) != 0) {
            if (top == "tests" || top == "bench")
                continue;
            for (const Include& include : includes)
                problems.push_back(relative + ":" + std::to_string(include.line) + ": includes " + include.header
                                   + ": outside host/shell only tests and benchmarks include the player's headers");
            continue;
        }
        const std::string inShell = relative.substr(std::string("host/shell/").size());
        const std::size_t slash = inShell.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string folder = inShell.substr(0, slash);
        const auto own = layers.find(folder);
        if (own == layers.end()) {
            problems.push_back(relative + ": folder " + folder + "/ has no layer in " + ruleFile.string());
            continue;
        }
        for (const Include& include : includes) {
            if (include.folder == folder)
                continue;
            const auto other = layers.find(include.folder);
            const std::string where = relative + ":" + std::to_string(include.line) + ": includes " + include.header;
            if (other == layers.end()) {
                problems.push_back(where + ": folder " + include.folder + "/ has no layer in " + ruleFile.string());
            } else if (other->second >= own->second) {
                if (knownExceptions.count({inShell, include.header}) > 0) {
                    exceptionsSeen.insert({inShell, include.header});
                    continue;
                }
                problems.push_back(where + ": " + folder + "/ (layer " + std::to_string(own->second)
                                   + ") may include only folders on lower layers, and " + include.folder + "/ is on layer "
                                   + std::to_string(other->second));
            }
        }
    }
    for (const auto& exception : knownExceptions) {
        if (exceptionsSeen.count(exception) == 0)
            problems.push_back("known exception host/shell/" + exception.first + " -> " + exception.second
                               + " no longer occurs: remove it from the known exceptions of tests/architecture/shell_layers_check.cpp");
    }

    for (const std::string& problem : problems)
        std::cout << problem << '\n';
    if (!problems.empty()) {
        std::cout << problems.size() << " include(s) against the layer rule of " << ruleFile.string() << '\n';
        return 1;
    }
    std::cout << "the layer rule holds in " << filesRead << " source files\n";
    return 0;
}
