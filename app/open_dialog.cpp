#include "app/open_dialog.h"

#include "app/system_text.h"

namespace {

WideString wide(const char* text) {
    return wideFromUtf8(text);
}

} // namespace

bool askForMap(HWND owner, const std::string& folder, std::string& chosen, std::string& problem) {
    problem.clear();
    // Filter pairs, each text ending in a zero, the list in an empty one.
    WideString filter = wide("Environment files (*.w3e)");
    filter += WCHAR{};
    filter += wide("*.w3e");
    filter += WCHAR{};
    filter += wide("All files");
    filter += WCHAR{};
    filter += wide("*");
    filter += WCHAR{};
    filter += WCHAR{};
    const WideString title = wide("Open a map - Zuvaro");
    WideString name(32768, WCHAR{}); // room for the longest path Windows takes
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = &name[0];
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    const WideString start = wideFromUtf8(folder.c_str());
    if (!folder.empty()) dialog.lpstrInitialDir = start.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (GetOpenFileNameW(&dialog)) {
        chosen = utf8FromWide(name.c_str());
        return true;
    }
    const DWORD error = CommDlgExtendedError();
    if (error != 0)
        problem = "cannot show the open-file dialog (error " + std::to_string(error) +
                  "): give the map's path instead (zuvaro PATH)";
    return false;
}
