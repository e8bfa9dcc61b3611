// The desktop's own dialogs and folders: GetOpenFileNameW through the desktop's file chooser
// (zenity, which the package recommends), and SHGetFolderPathW's pictures folder from the
// XDG user directories. While the chooser is open the program waits for it, as for a modal
// dialog.
#include "platform/sdl/layer_state.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

DWORD dialogError = 0; // CommDlgExtendedError's answer for the last dialog

bool onPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// A single-quoted shell word.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool isFolder(const std::string& path) {
    struct stat s;
    return !path.empty() && stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config.
std::string xdgConfig() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return config;
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.config" : "";
}

// XDG_PICTURES_DIR from the user's user-dirs.dirs, with $HOME put in.
std::string xdgPictures() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return "";
    std::ifstream dirs(xdgConfig() + "/user-dirs.dirs");
    std::string line;
    while (std::getline(dirs, line)) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (!value.empty() && value.back() == '"') value.pop_back();
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        return value;
    }
    return std::string(home) + "/Pictures";
}

} // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* dialog) {
    dialogError = 0;
    if (!dialog || dialog->lStructSize != sizeof(OPENFILENAMEW) || !dialog->lpstrFile ||
        dialog->nMaxFile == 0) {
        dialogError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!onPath("zenity")) {
        dialogError = CDERR_INITIALIZATION;
        failWith(ERROR_FILE_NOT_FOUND, "no file dialog: zenity is not installed");
        return FALSE;
    }
    std::string command = "zenity --file-selection 2>/dev/null --title=" +
                          quoted(dialog->lpstrTitle ? narrowName(dialog->lpstrTitle) : "Open");
    // A name ending in the separator starts the chooser in that folder.
    if (dialog->lpstrInitialDir && *dialog->lpstrInitialDir)
        command += " --filename=" + quoted(narrowName(dialog->lpstrInitialDir) + "/");
    // The filter pairs: a description, then patterns separated by ';'.
    for (const WCHAR* f = dialog->lpstrFilter; f && *f;) {
        const std::string description = narrowName(f);
        f += std::char_traits<char16_t>::length(f) + 1;
        if (!*f) break;
        std::string patterns = narrowName(f);
        for (char& c : patterns)
            if (c == ';') c = ' ';
        f += std::char_traits<char16_t>::length(f) + 1;
        command += " --file-filter=" + quoted(description + " | " + patterns);
    }
    FILE* chooser = popen(command.c_str(), "r");
    if (!chooser) {
        dialogError = CDERR_INITIALIZATION;
        failWith(ERROR_GEN_FAILURE, "cannot start zenity");
        return FALSE;
    }
    std::string chosen;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, chooser)) > 0) chosen.append(buffer, n);
    const int status = pclose(chooser);
    while (!chosen.empty() && (chosen.back() == '\n' || chosen.back() == '\r')) chosen.pop_back();
    // zenity ends with 1 when cancelled, more on a failure of its own.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || chosen.empty()) {
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
            dialogError = CDERR_INITIALIZATION;
            failWith(ERROR_GEN_FAILURE, "the file dialog (zenity) failed");
        }
        return FALSE;
    }
    const std::u16string wide = wideName(chosen);
    if (wide.size() + 1 > dialog->nMaxFile) {
        dialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::copy(wide.begin(), wide.end(), dialog->lpstrFile);
    dialog->lpstrFile[wide.size()] = u'\0';
    return TRUE;
}

DWORD CommDlgExtendedError() {
    return dialogError;
}

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD, LPWSTR path) {
    if ((folder != CSIDL_MYPICTURES && folder != CSIDL_APPDATA) || !path) return E_FAIL;
    const std::string found = folder == CSIDL_APPDATA ? xdgConfig() : xdgPictures();
    if (folder == CSIDL_MYPICTURES && !isFolder(found)) return E_FAIL;
    if (found.empty()) return E_FAIL;
    const std::u16string wide = wideName(found);
    if (wide.size() >= MAX_PATH) return E_FAIL;
    std::copy(wide.begin(), wide.end(), path);
    path[wide.size()] = u'\0';
    return S_OK;
}
