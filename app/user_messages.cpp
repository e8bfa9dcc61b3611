// Standard error and message boxes for what the user must know. Messages name files, whose
// names may hold anything: on a terminal their control characters are shown escaped, as the
// report shows the file's own text, so that a name can never drive the terminal.
#include "app/user_messages.h"

#include "app/system_text.h"
#include "terrain/report_format.h"

#include <iostream>
#include <sstream>

namespace {

bool isCharacterDevice(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) == FILE_TYPE_CHAR;
}

void toStandardError(const std::string& prefix, const std::string& text) {
    const bool terminal = isCharacterDevice(STD_ERROR_HANDLE);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        std::cerr << prefix << (terminal ? escapeControls(line) : line) << '\n';
    std::cerr.flush();
}

void showBox(HWND owner, const std::string& text, UINT type) {
    MessageBoxW(owner, wideFromUtf8(text).c_str(), wideFromUtf8(messageCaption).c_str(), type);
}

} // namespace

bool standardErrorUnseen(bool asked) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return asked || error == nullptr || error == INVALID_HANDLE_VALUE;
}

bool standardOutputIsTerminal() {
    return isCharacterDevice(STD_OUTPUT_HANDLE);
}

void tellFailure(const std::string& text, bool box, HWND owner) {
    toStandardError("zuvaro: ", text);
    if (box) showBox(owner, text, MB_OK | MB_ICONERROR);
}

void tellMistake(const std::string& what, bool box) {
    toStandardError("zuvaro: ", what);
    std::cerr << helpHint << std::endl;
    if (box) showBox(nullptr, what + "\n" + helpHint, MB_OK | MB_ICONERROR);
}

void tellWarning(const std::string& text) {
    toStandardError("zuvaro: warning: ", text);
}

void tellUser(const std::string& text) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        showBox(nullptr, text, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::cout << text;
    std::cout.flush();
}
