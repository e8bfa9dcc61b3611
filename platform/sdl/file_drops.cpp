// Dropped files on SDL: SDL reports a drop as a begin, one event per file and a completion;
// a window that called DragAcceptFiles gets them as one WM_DROPFILES, whose HDROP lives until
// DragFinish, as on Windows.
#include "platform/sdl/layer_state.h"

#include <algorithm>

namespace {

HDROP__* liveDrop(HDROP drop) {
    for (const auto& d : layer().drops)
        if (d.get() == drop) return d.get();
    failWith(ERROR_INVALID_HANDLE, "The handle is invalid.");
    return nullptr;
}

} // namespace

HDROP__* gatherDrop(const SDL_Event& event) {
    LayerState& s = layer();
    HWND__* window = windowOfSdlId(event.drop.windowID);
    switch (event.type) {
    case SDL_DROPBEGIN:
        s.gathering = std::make_unique<HDROP__>();
        s.gathering->window = window;
        return nullptr;
    case SDL_DROPFILE:
        if (!s.gathering) {
            s.gathering = std::make_unique<HDROP__>();
            s.gathering->window = window;
        }
        if (event.drop.file) s.gathering->files.emplace_back(event.drop.file);
        SDL_free(event.drop.file);
        return nullptr;
    case SDL_DROPTEXT:
        SDL_free(event.drop.file); // text, not files: Windows drops carry files only
        return nullptr;
    case SDL_DROPCOMPLETE: {
        std::unique_ptr<HDROP__> done = std::move(s.gathering);
        if (!done || !done->window || !done->window->acceptsFiles || done->files.empty())
            return nullptr;
        s.drops.push_back(std::move(done));
        return s.drops.back().get();
    }
    default:
        return nullptr;
    }
}

void DragAcceptFiles(HWND window, BOOL accept) {
    if (HWND__* w = liveWindow(window)) w->acceptsFiles = accept != FALSE;
}

// Index 0xFFFFFFFF asks for the count; a null buffer for a name's length without its zero.
// Names are UTF-16 (see text_conversion.cpp); a name cut to the buffer ends in its zero.
UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR buffer, UINT size) {
    const HDROP__* d = liveDrop(drop);
    if (!d) return 0;
    if (index == 0xFFFFFFFFu) return static_cast<UINT>(d->files.size());
    if (index >= d->files.size()) return 0;
    const std::u16string name = wideName(d->files[index]);
    if (!buffer) return static_cast<UINT>(name.size());
    if (size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(name.size(), size - 1);
    std::copy_n(name.data(), n, buffer);
    buffer[n] = u'\0';
    return static_cast<UINT>(n);
}

void DragFinish(HDROP drop) {
    auto& drops = layer().drops;
    drops.erase(
        std::remove_if(drops.begin(), drops.end(), [&](const auto& d) { return d.get() == drop; }),
        drops.end());
}
