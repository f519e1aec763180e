#include "io/file_names.h"

#include <cstdio>
#include <cstdlib>

#include <wx/strconv.h>

namespace {
const wxMBConvUTF8& pathConv()
{
    static const wxMBConvUTF8 conv(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    return conv;
}

// Length of the valid UTF-8 sequence at s[i] (2 to 4), or 0 when there is none.
size_t utf8Sequence(const std::string& s, size_t i)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    unsigned long cp = c & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (size_t k = 1; k < n; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    const bool shortest = (n == 2 && cp >= 0x80) || (n == 3 && cp >= 0x800) || (n == 4 && cp >= 0x10000);
    if (!shortest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || (cp >= 0x80 && cp < 0xA0))
        return 0;
    return n;
}
}  // namespace

wxString pathFromBytes(const std::string& bytes)
{
    return wxString(bytes.c_str(), pathConv());
}

std::string pathBytes(const wxString& path)
{
    const wxScopedCharBuffer bytes = path.mb_str(pathConv());
    return bytes.data() ? std::string(bytes.data(), bytes.length()) : std::string();
}

std::string quotedName(const std::string& bytes)
{
    std::string out = "\"";
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (const size_t n = c >= 0x80 ? utf8Sequence(bytes, i) : 0) {
            out.append(bytes, i, n);
            i += n - 1;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

wxString quotedName(const wxString& name)
{
    return wxString::FromUTF8(quotedName(pathBytes(name)).c_str());
}

std::string programFolder(const char* variable, const char* underHome)
{
    const char* base = std::getenv(variable);
    if (base && base[0] == '/')
        return std::string(base) + "/korvith";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/" + underHome + "/korvith";
}
