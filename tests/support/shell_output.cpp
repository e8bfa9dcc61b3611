#include "shell_output.h"

#include <cstdio>

std::string shellOutput(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::string shellLine(const std::string& command) {
    std::string out = shellOutput(command);
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}
