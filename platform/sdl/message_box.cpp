// MessageBoxA on SDL's modal message box: one OK button, taken by Return or Escape, and the
// text wrapped to fit the screen, as Windows wraps it; MessageBoxW through it, its UTF-16 as
// UTF-8.
#include "platform/sdl/layer_state.h"
#include "platform/sdl/text_wrap.h"

#include <algorithm>

namespace {

// Characters a line of the box may hold on the screen it shows on: SDL's X11 box draws about
// 7 pixels a character, and keeps some room round the text.
std::size_t charactersAcrossScreen(SDL_Window* parent) {
    SDL_Rect bounds{0, 0, 1024, 768};
    const int display = parent ? SDL_GetWindowDisplayIndex(parent) : 0;
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
    const int fits = (bounds.w * 3 / 4 - 40) / 7;
    return static_cast<std::size_t>(std::clamp(fits, 30, 110));
}

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (!ensureVideo()) return 0;
    HWND__* parent = owner ? liveWindow(owner) : nullptr;
    const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                                          SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                      IDOK, "OK"};
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((type & 0xF0) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
    if ((type & 0xF0) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;
    const std::string wrapped =
        wrapText(text ? text : "", charactersAcrossScreen(parent ? parent->sdl : nullptr));
    const SDL_MessageBoxData box{flags,
                                 parent ? parent->sdl : nullptr,
                                 caption ? caption : "Error",
                                 wrapped.c_str(),
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
