// Standard error and message boxes for what the user must know.
#include "app/user_messages.h"

#include <iostream>
#include <sstream>

namespace {

void toStandardError(const std::string& prefix, const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) std::cerr << prefix << line << '\n';
    std::cerr.flush();
}

} // namespace

bool standardErrorUnseen(bool asked) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return asked || error == nullptr || error == INVALID_HANDLE_VALUE;
}

bool standardOutputIsTerminal() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    return output != nullptr && output != INVALID_HANDLE_VALUE &&
           GetFileType(output) == FILE_TYPE_CHAR;
}

void tellFailure(const std::string& text, bool box, HWND owner) {
    toStandardError("zuvaro: ", text);
    if (box) MessageBoxA(owner, text.c_str(), messageCaption, MB_OK | MB_ICONERROR);
}

void tellWarning(const std::string& text) {
    toStandardError("zuvaro: warning: ", text);
}

void tellUser(const std::string& text) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        MessageBoxA(nullptr, text.c_str(), messageCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::cout << text;
    std::cout.flush();
}
