// Telling the user: failures and warnings on standard error, each line after "zuvaro: ", and
// failures also in a message box where standard error would go unseen.
// Needs: the platform layer.
#pragma once

#include "platform/win32.h"

#include <string>

// Whether nobody would read standard error: it has no handle (a Windows program started from
// the desktop or Explorer), or `asked` (--error-box, as the desktop entry starts the viewer).
bool standardErrorUnseen(bool asked);

// Whether standard output is a terminal or a console rather than a file or a pipe.
bool standardOutputIsTerminal();

// The failure on standard error, and with `box` in a message box owned by `owner`.
void tellFailure(const std::string& text, bool box, HWND owner = nullptr);

// A command line not understood: what is wrong, then the hint tools give (not the whole usage).
void tellMistake(const std::string& what, bool box);
constexpr const char* helpHint = "Try 'zuvaro --help'.";

void tellWarning(const std::string& text);

// The caption of the viewer's own message boxes.
constexpr const char* messageCaption = "Zuvaro";

// Text the user asked for (--help, --version) on standard output, or in a message box where
// there is none (a Windows program started without a console).
void tellUser(const std::string& text);
