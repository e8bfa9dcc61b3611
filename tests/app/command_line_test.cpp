// The command line: Windows' splitting rules, the layer's quoting that WinMain undoes, and
// what the viewer makes of options and paths.
#include "app/command_line.h"
#include "platform/sdl/command_line.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, SplitsAsTheWindowsRuntimeDoes) {
    EXPECT_EQ(splitCommandLine(""), Arguments{});
    EXPECT_EQ(splitCommandLine("  a\tb  "), (Arguments{"a", "b"}));
    // A dropped file's path arrives quoted, spaces and all.
    EXPECT_EQ(splitCommandLine("\"C:\\My Maps\\war3map.w3e\""),
              (Arguments{"C:\\My Maps\\war3map.w3e"}));
    EXPECT_EQ(splitCommandLine("a\"b c\"d"), (Arguments{"ab cd"}));
    EXPECT_EQ(splitCommandLine("\"\" x"), (Arguments{"", "x"}));
    EXPECT_EQ(splitCommandLine("a\\\\b c\\"), (Arguments{"a\\\\b", "c\\"})); // plain backslashes
    EXPECT_EQ(splitCommandLine("a\\\"b"), (Arguments{"a\"b"}));              // 2n + 1
    EXPECT_EQ(splitCommandLine("\"a\\\\\" b"), (Arguments{"a\\", "b"}));     // 2n
    EXPECT_EQ(splitCommandLine("\"a\"\"b\""), (Arguments{"a\"b"}));          // "" inside quotes
}

TEST(CommandLine, QuotingForWinMainGivesBackTheSameArguments) {
    const Arguments cases[] = {
        {},
        {"maps/war3map.w3e"},
        {"my maps/a b.w3e", "--no-vsync"},
        {"", "tab\there", "quote\"inside", "ends\\", "ends with space\\ ", "\\\"", "a\\\\\"b"},
    };
    for (const Arguments& arguments : cases) {
        std::vector<const char*> pointers;
        for (const std::string& a : arguments) pointers.push_back(a.c_str());
        const std::string line =
            windowsCommandLine(static_cast<int>(pointers.size()), pointers.data());
        EXPECT_EQ(splitCommandLine(line.c_str()), arguments) << line;
    }
}

TEST(CommandLine, OptionsAndOnePath) {
    EXPECT_EQ(parseCommandLine({}).mapPath, "");
    EXPECT_EQ(parseCommandLine({}).error, "");
    const CommandLine all = parseCommandLine({"--no-vsync", "a b", "--error-box"});
    EXPECT_EQ(all.mapPath, "a b");
    EXPECT_TRUE(all.noVsync && all.errorBox && !all.help && !all.version);
    EXPECT_TRUE(parseCommandLine({"-h"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
    EXPECT_EQ(parseCommandLine({"--colour"}).error, "unknown option --colour");
    EXPECT_EQ(parseCommandLine({"a", "b"}).error, "one map at a time, not also b");
    EXPECT_EQ(parseCommandLine({""}).error, "the map's path is empty");
    // After --, and a lone -, are paths.
    EXPECT_EQ(parseCommandLine({"--", "--help"}).mapPath, "--help");
    EXPECT_FALSE(parseCommandLine({"--", "--help"}).help);
    EXPECT_EQ(parseCommandLine({"-"}).mapPath, "-");
}

} // namespace
