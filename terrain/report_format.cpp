// The report's float notation and its escaped text. C libraries disagree on the exponent's
// width (two digits on glibc, three on the Windows runtime), so only the digits come from the
// library.
#include "terrain/report_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int significantDigits = 6;

void stripTrailingZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos) return;
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
}

} // namespace

std::string formatReportFloat(float value) {
    const double v = value;
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";

    // The decimal exponent after rounding to 6 digits decides the notation, as for %g.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significantDigits - 1, v);
    std::string text(buf);
    const std::size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);

    if (exponent < -4 || exponent >= significantDigits) {
        std::string mantissa = text.substr(0, e);
        stripTrailingZeros(mantissa);
        std::snprintf(buf, sizeof buf, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return mantissa + buf;
    }
    std::snprintf(buf, sizeof buf, "%.*f", significantDigits - 1 - exponent, v);
    text = buf;
    stripTrailingZeros(text);
    return text;
}

std::string escapeControls(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}
