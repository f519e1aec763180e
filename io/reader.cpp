#include "io/reader.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/convauto.h>
#include <wx/log.h>

#include "io/c_locale.h"
#include "model/history.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A record field converted like strtod: leading blanks skipped, the longest
// numeric prefix taken, 0.0 when there is none. Plain decimal fields take a
// fast path with the same, correctly rounded, result; anything else (a '+'
// sign, hexadecimal, a value out of range) goes to strtod itself.
double fieldToDouble(std::string_view field)
{
    const char* p = field.data();
    const char* end = p + field.size();
    while (p < end && isBlank(*p))
        ++p;
    if (p < end && ((*p >= '0' && *p <= '9') || *p == '.' || *p == '-')) {
        double value = 0;
        const std::from_chars_result r = std::from_chars(p, end, value);
        if (r.ec == std::errc() && (r.ptr == end || (*r.ptr != 'x' && *r.ptr != 'X')))
            return value;
    }
    const std::string copy(field);
    return strtod_l(copy.c_str(), nullptr, cLocale());
}

// A record field converted like strtol in base 10; 0 when there are no digits.
long fieldToLong(std::string_view field)
{
    const char* p = field.data();
    const char* end = p + field.size();
    while (p < end && isBlank(*p))
        ++p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    long value = 0;
    int digits = 0;
    for (; p < end && *p >= '0' && *p <= '9' && digits < 18; ++p, ++digits)
        value = value * 10 + (*p - '0');
    if (digits == 18 && p < end && *p >= '0' && *p <= '9') {
        const std::string copy(field);  // long enough to overflow: strtol saturates
        return strtol_l(copy.c_str(), nullptr, 10, cLocale());
    }
    return negative ? -value : value;
}

// The first three fields of a record line, split at commas; missing ones are empty.
void splitFields(std::string_view line, std::string_view f[3])
{
    std::string_view::size_type start = 0;
    for (int k = 0; k < 3; ++k) {
        if (start > line.size()) {
            f[k] = std::string_view();
            continue;
        }
        const std::string_view::size_type comma = line.find(',', start);
        f[k] = line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        start = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
    }
}

// A line's text for a message: printable ASCII as it is, every other byte as \xNN.
wxString shown(std::string_view line)
{
    std::string out;
    for (const char c : line) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return wxString::FromAscii(out.c_str());
}

// Splits text into lines as a text file is read: at "\r\n", "\n" or a lone
// "\r"; a final line without a line end counts, a final line end adds no line.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 16 + 1);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// The surface of one file, parsed into scratch storage before the store is touched.
class Parser {
public:
    Parser(const wxString& name, std::vector<std::string_view> lines, int vertexRoom, int edgeRoom, int faceRoom,
           ParsedSurface* out)
        : name_(name), lines_(std::move(lines)), vertexRoom_(vertexRoom), edgeRoom_(edgeRoom), faceRoom_(faceRoom),
          out_(out)
    {
    }

    bool parse();

private:
    bool fail(size_t lineIndex, const wxString& what)
    {
        if (lineIndex < lines_.size())
            wxLogError("Cannot read the surface file \"%s\": line %d: %s.", name_, int(lineIndex + 1), what);
        else
            wxLogError("Cannot read the surface file \"%s\": %s.", name_, what);
        return false;
    }
    bool readCount(size_t idx, const char* what, long room, long* out);
    bool readLevel(size_t idx);
    bool sectionEndsEarly(size_t pos, long read, long n, const char* what);
    bool readVertices(size_t& pos, long n);
    bool readEdges(size_t& pos, long n);
    bool readFaces(size_t& pos, long n);
    bool readSectioned();
    bool readCountOnly();
    bool checkIndices();

    wxString name_;
    std::vector<std::string_view> lines_;
    long vertexRoom_, edgeRoom_, faceRoom_;
    ParsedSurface* out_;
    std::vector<long> rawEdges_;   // as read, checked against the final vertex count
    std::vector<long> rawFaces_;
    std::vector<size_t> edgeLine_, faceLine_;
    long nv_ = -1, ne_ = -1, nf_ = -1;
};

// Count and level lines are strict: optional blanks and sign, then digits, nothing after.
bool strictInteger(std::string_view line, long* out)
{
    const std::string copy(line);
    const char* s = copy.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = strtol_l(s, &end, 10, cLocale());
    if (end == s || *end != '\0' || errno == ERANGE || end != s + copy.size())
        return false;
    *out = value;
    return true;
}

bool Parser::readCount(size_t idx, const char* what, long room, long* out)
{
    if (idx >= lines_.size())
        return fail(idx, wxString::Format("the file ends before the %s count", what));
    long n = 0;
    if (!strictInteger(lines_[idx], &n))
        return fail(idx, wxString::Format("the %s count \"%s\" is not a whole number", what, shown(lines_[idx])));
    if (n < 0)
        return fail(idx, wxString::Format("the %s count %ld is negative", what, n));
    if (n > room)
        return fail(idx, wxString::Format("%ld %s do not fit: there is room for %ld more", n, what, room));
    if (idx + static_cast<size_t>(n) >= lines_.size())
        return fail(idx, wxString::Format("the file announces %ld %s but has only %d lines after the count", n,
                                          what, int(lines_.size() - idx - 1)));
    *out = n;
    return true;
}

bool Parser::readLevel(size_t idx)
{
    if (idx >= lines_.size())
        return fail(idx, "the file ends before the subdivision level");
    long n = 0;
    if (!strictInteger(lines_[idx], &n))
        return fail(idx, wxString::Format("the subdivision level \"%s\" is not a whole number", shown(lines_[idx])));
    if (n < 1 || n > 6)
        return fail(idx, wxString::Format("the subdivision level %ld is not between 1 and 6", n));
    out_->hasLevel = true;
    out_->level = static_cast<int>(n);
    return true;
}

// A record line that starts a section ("##...") means the section before it
// holds fewer records than its count announced.
bool Parser::sectionEndsEarly(size_t pos, long read, long n, const char* what)
{
    const std::string_view line = lines_[pos];
    if (line.size() < 2 || line[0] != '#' || line[1] != '#')
        return false;
    fail(pos, wxString::Format("the section ends after %ld of its %ld %s, where \"%s\" begins another", read, n, what,
                               shown(line)));
    return true;
}

bool Parser::readVertices(size_t& pos, long n)
{
    out_->vertices.resize(n);
    for (long i = 0; i < n; ++i) {
        ++pos;
        if (sectionEndsEarly(pos, i, n, "vertices"))
            return false;
        std::string_view f[3];
        splitFields(lines_[pos], f);
        const Point3 p{fieldToDouble(f[0]), fieldToDouble(f[1]), fieldToDouble(f[2])};
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return fail(pos, "a vertex coordinate is not a finite number");
        out_->vertices[i] = p;
    }
    nv_ = n;
    return true;
}

bool Parser::readEdges(size_t& pos, long n)
{
    rawEdges_.resize(2 * n);
    edgeLine_.resize(n);
    out_->targetLengths.resize(n);
    for (long i = 0; i < n; ++i) {
        ++pos;
        if (sectionEndsEarly(pos, i, n, "edges"))
            return false;
        std::string_view f[3];
        splitFields(lines_[pos], f);
        rawEdges_[2 * i] = fieldToLong(f[0]);
        rawEdges_[2 * i + 1] = fieldToLong(f[1]);
        edgeLine_[i] = pos;
        double t;
        if (f[2] == "a")
            t = RIM_LENGTH;
        else if (f[2] == "b")
            t = SPOKE_LENGTH;
        else
            t = fieldToDouble(f[2]);
        if (!std::isfinite(t))
            return fail(pos, "the target length is not a finite number");
        out_->targetLengths[i] = t;
    }
    ne_ = n;
    return true;
}

bool Parser::readFaces(size_t& pos, long n)
{
    rawFaces_.resize(3 * n);
    faceLine_.resize(n);
    for (long i = 0; i < n; ++i) {
        ++pos;
        if (sectionEndsEarly(pos, i, n, "faces"))
            return false;
        std::string_view f[3];
        splitFields(lines_[pos], f);
        for (int k = 0; k < 3; ++k)
            rawFaces_[3 * i + k] = fieldToLong(f[k]);
        faceLine_[i] = pos;
    }
    nf_ = n;
    return true;
}

bool Parser::readSectioned()
{
    size_t pos = 0;
    for (;;) {
        ++pos;
        if (pos >= lines_.size())
            return fail(pos, "the file ends before its \"##end\" line");
        const std::string_view section = lines_[pos];
        long n = 0;
        if (section.find("vertex") != std::string_view::npos) {
            if (!readCount(++pos, "vertices", vertexRoom_, &n) || !readVertices(pos, n))
                return false;
        } else if (section.find("edge") != std::string_view::npos) {
            if (!readCount(++pos, "edges", edgeRoom_, &n) || !readEdges(pos, n))
                return false;
        } else if (section.find("face") != std::string_view::npos) {
            if (!readCount(++pos, "faces", faceRoom_, &n) || !readFaces(pos, n))
                return false;
        } else if (section.find("subdiv_level") != std::string_view::npos) {
            if (!readLevel(++pos))
                return false;
        }
        if (section.find("end") != std::string_view::npos || pos + 1 >= lines_.size())
            break;
    }
    if (nv_ < 0)
        return fail(lines_.size(), "the file has no vertex section");
    if (ne_ < 0)
        return fail(lines_.size(), "the file has no edge section");
    if (nf_ < 0)
        return fail(lines_.size(), "the file has no face section");
    return true;
}

bool Parser::readCountOnly()
{
    size_t pos = 0;
    long n = 0;
    if (!readCount(pos, "vertices", vertexRoom_, &n) || !readVertices(pos, n))
        return false;
    if (!readCount(++pos, "edges", edgeRoom_, &n) || !readEdges(pos, n))
        return false;
    if (!readCount(++pos, "faces", faceRoom_, &n) || !readFaces(pos, n))
        return false;
    return true;
}

bool Parser::checkIndices()
{
    // Checked once every section is read, against the final vertex count.
    out_->vertices.resize(nv_);
    out_->edgeEnds.resize(2 * ne_);
    out_->targetLengths.resize(ne_);
    out_->faceCorners.resize(3 * nf_);
    for (long i = 0; i < ne_; ++i) {
        const long a = rawEdges_[2 * i], b = rawEdges_[2 * i + 1];
        if (a < 0 || a >= nv_ || b < 0 || b >= nv_)
            return fail(edgeLine_[i], wxString::Format("edge %ld joins vertices %ld and %ld, but the file has %ld "
                                                       "vertices",
                                                       i, a, b, nv_));
        out_->edgeEnds[2 * i] = static_cast<int>(a);
        out_->edgeEnds[2 * i + 1] = static_cast<int>(b);
    }
    for (long i = 0; i < nf_; ++i)
        for (int k = 0; k < 3; ++k) {
            const long c = rawFaces_[3 * i + k];
            if (c < 0 || c >= nv_)
                return fail(faceLine_[i], wxString::Format("face %ld names vertex %ld, but the file has %ld "
                                                           "vertices",
                                                           i, c, nv_));
            out_->faceCorners[3 * i + k] = static_cast<int>(c);
        }
    return true;
}

bool Parser::parse()
{
    if (lines_.empty())
        return fail(0, "the file is empty");
    const bool sectioned = lines_[0].find("korvith01") != std::string_view::npos;
    if (!(sectioned ? readSectioned() : readCountOnly()))
        return false;
    return checkIndices();
}

bool refuse(const wxString& name, const wxString& why)
{
    wxLogError("Cannot read the surface file \"%s\": %s.", name, why);
    return false;
}

// Text in UTF-16 or UTF-32 with a byte-order mark, as UTF-8; empty when there is no such mark.
std::string wideTextAsUtf8(const char* data, size_t size)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(data);
    const bool wide = size >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF));
    const bool wider = size >= 4 && u[0] == 0 && u[1] == 0 && u[2] == 0xFE && u[3] == 0xFF;
    if (!wide && !wider)
        return std::string();
    wxConvAuto conv;
    const wxString text(data, conv, size);
    return std::string(text.utf8_str());
}

}  // namespace

bool parseSurfaceText(const wxString& name, const char* data, size_t size, bool append, ParsedSurface* out)
{
    *out = ParsedSurface();
    const std::string wide = wideTextAsUtf8(data, size);
    if (!wide.empty()) {
        data = wide.data();
        size = wide.size();
    }
    std::string_view text(data, size);
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.remove_prefix(3);  // a UTF-8 byte-order mark
    if (text.find('\0') != std::string_view::npos)
        return refuse(name, "it is not a text file (it holds zero bytes)");
    const int vertexOffset = append ? NOV : 0;
    const int edgeOffset = append ? NOE : 0;
    const int faceOffset = append ? NOS : 0;
    Parser parser(name, splitLines(text), MAX_VERTICES - vertexOffset, MAX_EDGES - edgeOffset,
                  MAX_FACES - faceOffset, out);
    if (parser.parse())
        return true;
    *out = ParsedSurface();
    return false;
}

bool parseSurfaceFile(const wxString& path, bool append, ParsedSurface* out)
{
    *out = ParsedSurface();
    const wxScopedCharBuffer fileName = path.fn_str();
    // Not blocking: a pipe opens at once and is then refused below.
    const int fd = ::open(fileName.data(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(path, wxString::FromUTF8(std::strerror(errno)));
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return refuse(path, folder ? "it is a folder, not a file" : "it is not a regular file (a pipe or a device)");
    }
    std::string bytes(static_cast<size_t>(st.st_size), '\0');
    size_t got = 0;
    for (;;) {
        if (got == bytes.size())
            bytes.resize(bytes.size() + 65536);  // the file may have grown
        const ssize_t n = ::read(fd, &bytes[got], bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return refuse(path, wxString::FromUTF8(std::strerror(err)));
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return parseSurfaceText(path, bytes.data(), bytes.size(), append, out);
}

void storeParsedSurface(const ParsedSurface& s, bool append)
{
    const int vertexOffset = append ? NOV : 0;
    const int edgeOffset = append ? NOE : 0;
    const int faceOffset = append ? NOS : 0;
    const double shift = append ? 2.0 : 0.0;
    for (int i = 0; i < s.vertexCount(); ++i) {
        const Point3& p = s.vertices[i];
        v[vertexOffset + i] = Point3{p.x + shift, p.y, p.z};
    }
    for (int i = 0; i < s.edgeCount(); ++i) {
        edge[edgeOffset + i][0] = vertexOffset + s.edgeEnds[2 * i];
        edge[edgeOffset + i][1] = vertexOffset + s.edgeEnds[2 * i + 1];
        phi[edgeOffset + i] = s.targetLengths[i];
    }
    for (int i = 0; i < s.faceCount(); ++i)
        for (int k = 0; k < 3; ++k)
            face[faceOffset + i][k] = vertexOffset + s.faceCorners[3 * i + k];
    if (s.hasLevel)
        subdiv_level = s.level;
    NOV = vertexOffset + s.vertexCount();
    NOE = edgeOffset + s.edgeCount();
    NOS = faceOffset + s.faceCount();
}

bool wxTranslateData(wxString path, bool append)
{
    ParsedSurface parsed;
    if (!parseSurfaceFile(path, append, &parsed))
        return false;
    saveState();
    storeParsedSurface(parsed, append);
    return true;
}
