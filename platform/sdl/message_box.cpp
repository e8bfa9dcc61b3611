// MessageBoxA on SDL's modal message box: one OK button, taken by Return or Escape;
// MessageBoxW through it, its UTF-16 as UTF-8.
#include "platform/sdl/layer_state.h"

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (!ensureVideo()) return 0;
    HWND__* parent = owner ? liveWindow(owner) : nullptr;
    const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                                          SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                      IDOK, "OK"};
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((type & 0xF0) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
    if ((type & 0xF0) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;
    const SDL_MessageBoxData box{flags,
                                 parent ? parent->sdl : nullptr,
                                 caption ? caption : "Error",
                                 text ? text : "",
                                 1,
                                 &ok,
                                 nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        failWith(ERROR_INVALID_PARAMETER,
                 std::string("cannot show a message box: ") + SDL_GetError());
        return 0;
    }
    return IDOK; // the only button, and what closing the box counts as
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    const std::string narrowText = narrowName(text), narrowCaption = narrowName(caption);
    return MessageBoxA(owner, text ? narrowText.c_str() : nullptr,
                       caption ? narrowCaption.c_str() : nullptr, type);
}
