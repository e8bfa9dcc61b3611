// The command table: what F1 lists is every command, and the README's and the manual page's
// tables of keys and mouse actions name the same ones, in the same order.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The commands of the keys, or of the mouse, by the names the user reads.
std::vector<std::string> commandNames(bool mouse) {
    std::vector<std::string> names;
    for (int i = 0; i < commandCount; ++i)
        if ((commands[i].trigger == Command::mouse) == mouse) names.push_back(commands[i].keys);
    return names;
}

// The first cells of a Markdown table's rows under a heading, up to the next heading.
std::vector<std::string> readmeTable(const std::string& text, const std::string& heading) {
    std::vector<std::string> names;
    std::istringstream lines(text.substr(text.find("\n## " + heading + "\n") + 1));
    std::string line;
    std::getline(lines, line); // the heading
    while (std::getline(lines, line) && line.rfind("## ", 0) != 0) {
        if (line.rfind("| ", 0) != 0 || line.rfind("|---", 0) == 0) continue;
        names.push_back(line.substr(2, line.find(" |", 2) - 2));
    }
    names.erase(names.begin()); // the table's own heading
    return names;
}

// The bold names after each .TP of a manual page's section, up to the next section.
std::vector<std::string> manualSection(const std::string& text, const std::string& section) {
    std::vector<std::string> names;
    std::istringstream lines(text.substr(text.find(".SH " + section + "\n") + 1));
    std::string line, previous;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.rfind(".SH ", 0) != 0) {
        if (previous == ".TP" && line.rfind(".B ", 0) == 0) names.push_back(line.substr(3));
        previous = line;
    }
    return names;
}

TEST(Commands, F1ListsEveryCommandAndTheReadmeAndManualPageTheSameOnes) {
    TextLines list;
    listCommands(list);
    std::string all;
    for (int i = 0; i < list.count; ++i) all += std::string(list.line[i]) + "\n";
    for (int i = 0; i < commandCount; ++i)
        EXPECT_NE(all.find(std::string(commands[i].keys) + ": " + commands[i].does + "\n"),
                  std::string::npos)
            << commands[i].keys;
    EXPECT_LT(list.count, TextLines::most) << "the list fits its lines";

    const std::string readme = fileText(ZUVARO_SOURCE_DIR "/README.md");
    EXPECT_EQ(readmeTable(readme, "Keys"), commandNames(false));
    EXPECT_EQ(readmeTable(readme, "Mouse"), commandNames(true));
    const std::string manual = fileText(ZUVARO_SOURCE_DIR "/packaging/zuvaro.1.in");
    EXPECT_EQ(manualSection(manual, "KEYS"), commandNames(false));
    EXPECT_EQ(manualSection(manual, "MOUSE"), commandNames(true));
}

} // namespace
