#include "io/reader.h"

#include <algorithm>
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

#include <wx/log.h>

#include "io/c_locale.h"
#include "io/file_names.h"
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

// The lines of a text, as a text file is read: split at "\r\n", "\n" or a
// lone "\r"; a final line without a line end counts, a final line end adds no
// line. Only the count is kept: lines are found as the parser walks forward,
// so a file of blank lines costs no memory beyond its bytes.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text)
    {
        if (text.find('\r') == std::string_view::npos) {
            count_ = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
        } else {
            for (size_t i = 0; i < text.size(); ++i) {
                const char c = text[i];
                if (c != '\n' && c != '\r')
                    continue;
                ++count_;
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
            }
        }
        if (!text.empty() && text.back() != '\n' && text.back() != '\r')
            ++count_;
        endsInLine_ = !text.empty() && (text.back() == '\n' || text.back() == '\r');
        rewind();
    }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The last line has no line end: the file may have been cut inside it.
    bool lastLineOpen() const { return count_ > 0 && !endsInLine_; }
    // Line i (from 0); walking forward is cheap, going back starts again.
    std::string_view operator[](size_t i)
    {
        if (i < index_)
            rewind();
        while (index_ < i)
            step();
        return current_;
    }

private:
    void rewind()
    {
        index_ = 0;
        next_ = 0;
        step();
        index_ = 0;
    }
    void step()
    {
        ++index_;
        const size_t from = std::min(next_, text_.size());
        const char* base = text_.data();
        const void* lf = std::memchr(base + from, '\n', text_.size() - from);
        size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - base) : text_.size();
        if (const void* cr = std::memchr(base + from, '\r', end - from))
            end = static_cast<size_t>(static_cast<const char*>(cr) - base);
        current_ = text_.substr(from, end - from);
        next_ = end + 1;
        if (end < text_.size() && text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n')
            ++next_;
    }
    std::string_view text_;
    size_t count_ = 0;
    bool endsInLine_ = false;
    size_t index_ = 0;   // the line current_ holds
    size_t next_ = 0;    // where the line after it begins
    std::string_view current_;
};

// The surface of one file, parsed into scratch storage before the store is touched.
class Parser {
public:
    Parser(const wxString& name, std::string_view text, int vertexRoom, int edgeRoom, int faceRoom,
           ParsedSurface* out)
        : name_(name), lines_(text), vertexRoom_(vertexRoom), edgeRoom_(edgeRoom), faceRoom_(faceRoom),
          out_(out)
    {
    }

    bool parse();

private:
    bool fail(size_t lineIndex, const wxString& what)
    {
        if (lineIndex < lines_.size())
            wxLogError("Cannot read the surface file %s: line %d: %s.", quotedName(name_), int(lineIndex + 1), what);
        else
            wxLogError("Cannot read the surface file %s: %s.", quotedName(name_), what);
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
    bool checkFaces();
    bool fieldsMissing(size_t pos, std::string_view line);

    wxString name_;
    Lines lines_;
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
        const std::string_view line = lines_[pos];
        if (fieldsMissing(pos, line))
            return false;
        splitFields(line, f);
        const Point3 p{fieldToDouble(f[0]), fieldToDouble(f[1]), fieldToDouble(f[2])};
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return fail(pos, wxString::Format("vertex %ld has a coordinate that is not a finite number", i));
        // Beyond this, lengths and the boxes around faces would overflow.
        if (std::fabs(p.x) > MAX_COORDINATE || std::fabs(p.y) > MAX_COORDINATE || std::fabs(p.z) > MAX_COORDINATE)
            return fail(pos, wxString::Format("vertex %ld lies too far out (a coordinate beyond %g)", i,
                                              MAX_COORDINATE));
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
        const std::string_view line = lines_[pos];
        if (fieldsMissing(pos, line))
            return false;
        splitFields(line, f);
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
        if (!(t > 0 && t <= MAX_COORDINATE))
            return fail(pos, wxString::Format("edge %ld has a target length (%s) that is not a positive finite "
                                              "number up to %g", i, shown(f[2]), MAX_COORDINATE));
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
        const std::string_view line = lines_[pos];
        if (fieldsMissing(pos, line))
            return false;
        splitFields(line, f);
        for (int k = 0; k < 3; ++k)
            rawFaces_[3 * i + k] = fieldToLong(f[k]);
        const long* c = &rawFaces_[3 * i];
        if (c[0] == c[1] || c[1] == c[2] || c[0] == c[2])
            return fail(pos, wxString::Format("face %ld has vertex %ld as two of its corners", i,
                                              c[0] == c[1] || c[0] == c[2] ? c[0] : c[1]));
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
        if (section.empty()) {
            // A blank line between sections: nothing to look for.
        } else if (section.find("vertex") != std::string_view::npos) {
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

// The last line of a file that does not end in a line end, with fewer than
// three fields: the file was cut short inside a record.
bool Parser::fieldsMissing(size_t pos, std::string_view line)
{
    if (pos + 1 != lines_.size() || !lines_.lastLineOpen())
        return false;
    const long commas = static_cast<long>(std::count(line.begin(), line.end(), ','));
    if (commas >= 2)
        return false;
    fail(pos, wxString::Format("the file ends inside this record (%ld of its 3 fields), cut short", commas + 1));
    return true;
}

// No side of a face may be a side of two other faces: a surface has at most
// two faces at an edge.
bool Parser::checkFaces()
{
    std::vector<std::pair<unsigned long long, long>> sides;
    sides.reserve(3 * nf_);
    for (long i = 0; i < nf_; ++i)
        for (int k = 0; k < 3; ++k) {
            const unsigned long long a = static_cast<unsigned long long>(out_->faceCorners[3 * i + k]);
            const unsigned long long b = static_cast<unsigned long long>(out_->faceCorners[3 * i + (k + 1) % 3]);
            sides.emplace_back(std::min(a, b) << 32 | std::max(a, b), i);
        }
    std::sort(sides.begin(), sides.end());
    for (size_t k = 2; k < sides.size(); ++k)
        if (sides[k].first == sides[k - 2].first) {
            const long a = static_cast<long>(sides[k].first >> 32), b = static_cast<long>(sides[k].first & 0xFFFFFFFF);
            return fail(faceLine_[sides[k].second],
                        wxString::Format("face %ld is the third face at the side from vertex %ld to vertex %ld "
                                         "(faces %ld and %ld have it already)",
                                         sides[k].second, a, b, sides[k - 2].second, sides[k - 1].second));
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
    return checkIndices() && checkFaces();
}

bool refuse(const wxString& name, const wxString& why)
{
    wxLogError("Cannot read the surface file %s: %s.", quotedName(name), why);
    return false;
}

// Appends code point cp to `out` as UTF-8.
void appendUtf8(unsigned long cp, std::string* out)
{
    if (cp < 0x80) {
        *out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out += static_cast<char>(0xC0 | (cp >> 6));
        *out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out += static_cast<char>(0xE0 | (cp >> 12));
        *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out += static_cast<char>(0xF0 | (cp >> 18));
        *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Text in UTF-16 or UTF-32 with a byte-order mark, decoded here (a fault
// names its line) into UTF-8 in *out. Returns false with the reason in *why
// for a text that is not valid Unicode; *wide tells whether there was such a
// mark at all (without one, the bytes are read as they are).
bool wideTextAsUtf8(const char* data, size_t size, bool* wide, std::string* out, wxString* why)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(data);
    int unit = 0;
    bool big = false;
    if (size >= 4 && u[0] == 0xFF && u[1] == 0xFE && u[2] == 0 && u[3] == 0)
        unit = 4;
    else if (size >= 4 && u[0] == 0 && u[1] == 0 && u[2] == 0xFE && u[3] == 0xFF)
        unit = 4, big = true;
    else if (size >= 2 && u[0] == 0xFF && u[1] == 0xFE)
        unit = 2;
    else if (size >= 2 && u[0] == 0xFE && u[1] == 0xFF)
        unit = 2, big = true;
    *wide = unit != 0;
    if (!unit)
        return true;
    auto at = [&](size_t i) -> unsigned long {
        unsigned long value = 0;
        for (int k = 0; k < unit; ++k)
            value |= static_cast<unsigned long>(u[i + k]) << (8 * (big ? unit - 1 - k : k));
        return value;
    };
    out->clear();
    out->reserve(size / unit);
    long line = 1;
    for (size_t i = unit; i < size; i += unit) {
        if (i + unit > size) {
            *why = wxString::Format("line %ld: the file ends inside a character (%s)", line,
                                    unit == 2 ? "UTF-16" : "UTF-32");
            return false;
        }
        unsigned long cp = at(i);
        if (unit == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 2 * unit <= size) {
            const unsigned long low = at(i + unit);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += unit;
            }
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            *why = wxString::Format("line %ld: a character that is not Unicode (code %#lx in %s)", line, cp,
                                    unit == 2 ? "UTF-16" : "UTF-32");
            return false;
        }
        if (cp == '\n' || (cp == '\r' && !(i + 2 * unit <= size && at(i + unit) == '\n')))
            ++line;
        appendUtf8(cp, out);
    }
    return true;
}

}  // namespace

bool parseSurfaceText(const wxString& name, const char* data, size_t size, bool append, ParsedSurface* out)
{
    *out = ParsedSurface();
    std::string decoded;
    bool wide = false;
    wxString why;
    if (!wideTextAsUtf8(data, size, &wide, &decoded, &why))
        return refuse(name, why);
    if (wide) {
        data = decoded.data();
        size = decoded.size();
    }
    std::string_view text(data, size);
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.remove_prefix(3);  // a UTF-8 byte-order mark
    if (text.find('\0') != std::string_view::npos)
        return refuse(name, "it is not a text file (it holds zero bytes)");
    const int vertexOffset = append ? NOV : 0;
    const int edgeOffset = append ? NOE : 0;
    const int faceOffset = append ? NOS : 0;
    Parser parser(name, text, MAX_VERTICES - vertexOffset, MAX_EDGES - edgeOffset,
                  MAX_FACES - faceOffset, out);
    if (parser.parse())
        return true;
    *out = ParsedSurface();
    return false;
}

bool parseSurfaceFile(const wxString& path, bool append, ParsedSurface* out)
{
    *out = ParsedSurface();
    const std::string fileName = pathBytes(path);
    // Not blocking: a pipe opens at once and is then refused below.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(path, wxString::FromUTF8(std::strerror(errno)));
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return refuse(path, folder ? "it is a folder, not a file" : "it is not a regular file (a pipe or a device)");
    }
    if (st.st_size > MAX_FILE_BYTES) {
        ::close(fd);
        return refuse(path, wxString::Format("it holds %lld bytes, more than a surface file may (1 GB)",
                                             static_cast<long long>(st.st_size)));
    }
    // One byte more than the file holds, so that the read which finds its
    // end needs no larger buffer.
    std::string bytes(static_cast<size_t>(st.st_size) + 1, '\0');
    size_t got = 0;
    for (;;) {
        if (got > static_cast<size_t>(MAX_FILE_BYTES)) {
            ::close(fd);
            return refuse(path, "it has grown beyond 1 GB while being read");
        }
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
