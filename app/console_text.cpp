// A stream buffer that holds UTF-8 until a line ends (or it is flushed), then writes the
// complete characters as UTF-16; a character cut by the end of a write waits for its rest.
#include "app/console_text.h"

#include "app/system_text.h"
#include "platform/win32.h"

#include <iostream>
#include <streambuf>
#include <string>

namespace {

class ConsoleBuffer : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        const char c = traits_type::to_char_type(ch);
        pending_ += c;
        if (c == '\n' || pending_.size() >= 4096) writeOut();
        return ch;
    }
    std::streamsize xsputn(const char* text, std::streamsize n) override {
        pending_.append(text, static_cast<std::size_t>(n));
        if (pending_.find('\n') != std::string::npos || pending_.size() >= 4096) writeOut();
        return n;
    }
    int sync() override {
        writeOut();
        return 0;
    }

  private:
    // Length of pending_ without a last character that is still missing bytes.
    std::size_t completeLength() const {
        const std::size_t n = pending_.size();
        for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
            const auto b = static_cast<unsigned char>(pending_[n - back]);
            if ((b & 0xC0) == 0x80) continue; // a continuation byte: look further back
            const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            return length > back ? n - back : n;
        }
        return n;
    }

    void writeOut() {
        const std::size_t n = completeLength();
        if (n == 0) return;
        const WideString wide = wideFromUtf8(pending_.substr(0, n));
        pending_.erase(0, n);
        DWORD written = 0;
        WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }

    HANDLE console_;
    std::string pending_;
};

HANDLE consoleOf(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle
                                                                                     : nullptr;
}

} // namespace

void useConsolesForText() {
    if (const HANDLE output = consoleOf(STD_OUTPUT_HANDLE)) {
        static ConsoleBuffer buffer(output);
        std::cout.rdbuf(&buffer);
    }
    if (const HANDLE error = consoleOf(STD_ERROR_HANDLE)) {
        static ConsoleBuffer buffer(error);
        std::cerr.rdbuf(&buffer);
    }
}
