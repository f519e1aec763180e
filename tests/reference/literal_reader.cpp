#include "tests/reference/literal_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/log.h>
#include <wx/textfile.h>

#include "io/c_locale.h"
#include "model/store.h"

namespace {


// A record field converted like strtod: leading blanks skipped, the longest
// numeric prefix taken, 0.0 when there is none.
double fieldToDouble(const std::string& field)
{
    return strtod_l(field.c_str(), nullptr, cLocale());
}

// A record field converted like strtol in base 10; 0 when there are no digits.
long fieldToLong(const std::string& field)
{
    return strtol_l(field.c_str(), nullptr, 10, cLocale());
}

// The fields of a record line: split at every comma, empty fields kept, at
// least three fields (missing ones are empty).
std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type comma = line.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(line.substr(start));
            break;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    while (fields.size() < 3)
        fields.emplace_back();
    return fields;
}

struct Vertex3 {
    double x, y, z;
};
struct Edge3 {
    long a, b;
    double t;
    size_t line;  // index of the record's line, for messages
};
struct Face3 {
    long a, b, c;
    size_t line;
};

// The surface of one file, parsed into scratch storage before the store is touched.
class Parser {
public:
    Parser(const wxString& path, std::vector<std::string> lines, int vertexRoom, int edgeRoom, int faceRoom)
        : path_(path), lines_(std::move(lines)), vertexRoom_(vertexRoom), edgeRoom_(edgeRoom), faceRoom_(faceRoom)
    {
    }

    bool parse();

    std::vector<Vertex3> vertices;
    std::vector<Edge3> edges;
    std::vector<Face3> faces;
    long nv = -1, ne = -1, nf = -1;
    bool hasLevel = false;
    long level = 1;

private:
    bool fail(size_t lineIndex, const wxString& what)
    {
        if (lineIndex < lines_.size())
            wxLogError("Cannot read the surface file \"%s\": line %d: %s.", path_, int(lineIndex + 1), what);
        else
            wxLogError("Cannot read the surface file \"%s\": %s.", path_, what);
        return false;
    }
    bool readCount(size_t idx, const char* what, long room, long* out);
    bool readLevel(size_t idx);
    bool readVertices(size_t& pos, long n);
    bool readEdges(size_t& pos, long n);
    bool readFaces(size_t& pos, long n);
    bool readSectioned();
    bool readCountOnly();
    bool checkIndices();

    wxString path_;
    std::vector<std::string> lines_;
    long vertexRoom_, edgeRoom_, faceRoom_;
};

// Count and level lines are strict: optional blanks and sign, then digits, nothing after.
bool strictInteger(const std::string& line, long* out)
{
    const char* s = line.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = strtol_l(s, &end, 10, cLocale());
    if (end == s || *end != '\0' || errno == ERANGE)
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
        return fail(idx, wxString::Format("the %s count \"%s\" is not a whole number", what, lines_[idx]));
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
        return fail(idx, wxString::Format("the subdivision level \"%s\" is not a whole number", lines_[idx]));
    if (n < 1 || n > 6)
        return fail(idx, wxString::Format("the subdivision level %ld is not between 1 and 6", n));
    hasLevel = true;
    level = n;
    return true;
}

bool Parser::readVertices(size_t& pos, long n)
{
    vertices.resize(std::max<size_t>(vertices.size(), n));
    for (long i = 0; i < n; ++i) {
        ++pos;
        const std::vector<std::string> f = splitFields(lines_[pos]);
        Vertex3 p{fieldToDouble(f[0]), fieldToDouble(f[1]), fieldToDouble(f[2])};
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return fail(pos, "a vertex coordinate is not a finite number");
        vertices[i] = p;
    }
    nv = n;
    return true;
}

bool Parser::readEdges(size_t& pos, long n)
{
    edges.resize(std::max<size_t>(edges.size(), n));
    for (long i = 0; i < n; ++i) {
        ++pos;
        const std::vector<std::string> f = splitFields(lines_[pos]);
        Edge3 e{fieldToLong(f[0]), fieldToLong(f[1]), 0.0, pos};
        if (f[2] == "a")
            e.t = RIM_LENGTH;
        else if (f[2] == "b")
            e.t = SPOKE_LENGTH;
        else
            e.t = fieldToDouble(f[2]);
        if (!std::isfinite(e.t))
            return fail(pos, "the target length is not a finite number");
        edges[i] = e;
    }
    ne = n;
    return true;
}

bool Parser::readFaces(size_t& pos, long n)
{
    faces.resize(std::max<size_t>(faces.size(), n));
    for (long i = 0; i < n; ++i) {
        ++pos;
        const std::vector<std::string> f = splitFields(lines_[pos]);
        faces[i] = Face3{fieldToLong(f[0]), fieldToLong(f[1]), fieldToLong(f[2]), pos};
    }
    nf = n;
    return true;
}

bool Parser::readSectioned()
{
    size_t pos = 0;
    for (;;) {
        ++pos;
        if (pos >= lines_.size())
            return fail(pos, "the file ends before its \"##end\" line");
        const std::string& section = lines_[pos];
        long n = 0;
        if (section.find("vertex") != std::string::npos) {
            if (!readCount(++pos, "vertices", vertexRoom_, &n) || !readVertices(pos, n))
                return false;
        } else if (section.find("edge") != std::string::npos) {
            if (!readCount(++pos, "edges", edgeRoom_, &n) || !readEdges(pos, n))
                return false;
        } else if (section.find("face") != std::string::npos) {
            if (!readCount(++pos, "faces", faceRoom_, &n) || !readFaces(pos, n))
                return false;
        } else if (section.find("subdiv_level") != std::string::npos) {
            if (!readLevel(++pos))
                return false;
        }
        if (section.find("end") != std::string::npos || pos + 1 >= lines_.size())
            break;
    }
    if (nv < 0)
        return fail(lines_.size(), "the file has no vertex section");
    if (ne < 0)
        return fail(lines_.size(), "the file has no edge section");
    if (nf < 0)
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
    for (long i = 0; i < ne; ++i)
        if (edges[i].a < 0 || edges[i].a >= nv || edges[i].b < 0 || edges[i].b >= nv)
            return fail(edges[i].line, wxString::Format("edge %ld joins vertices %ld and %ld, but the file has %ld "
                                                        "vertices",
                                                        i, edges[i].a, edges[i].b, nv));
    for (long i = 0; i < nf; ++i)
        for (long c : {faces[i].a, faces[i].b, faces[i].c})
            if (c < 0 || c >= nv)
                return fail(faces[i].line, wxString::Format("face %ld names vertex %ld, but the file has %ld "
                                                            "vertices",
                                                            i, c, nv));
    return true;
}

bool Parser::parse()
{
    if (lines_.empty())
        return fail(0, "the file is empty");
    const bool sectioned = lines_[0].find("korvith01") != std::string::npos;
    if (!(sectioned ? readSectioned() : readCountOnly()))
        return false;
    return checkIndices();
}

}  // namespace

bool literalParseSurfaceFile(const wxString& path, bool append, ParsedSurface* out)
{
    *out = ParsedSurface();
    wxTextFile file;
    if (!file.Open(path))
        return false;
    std::vector<std::string> lines;
    lines.reserve(file.GetLineCount());
    for (size_t i = 0; i < file.GetLineCount(); ++i)
        lines.push_back(std::string(file.GetLine(i).utf8_str()));
    file.Close();

    const int vertexOffset = append ? NOV : 0;
    const int edgeOffset = append ? NOE : 0;
    const int faceOffset = append ? NOS : 0;
    Parser parser(path, std::move(lines), MAX_VERTICES - vertexOffset, MAX_EDGES - edgeOffset,
                  MAX_FACES - faceOffset);
    if (!parser.parse())
        return false;
    for (long i = 0; i < parser.nv; ++i)
        out->vertices.push_back(Point3{parser.vertices[i].x, parser.vertices[i].y, parser.vertices[i].z});
    for (long i = 0; i < parser.ne; ++i) {
        out->edgeEnds.push_back(static_cast<int>(parser.edges[i].a));
        out->edgeEnds.push_back(static_cast<int>(parser.edges[i].b));
        out->targetLengths.push_back(parser.edges[i].t);
    }
    for (long i = 0; i < parser.nf; ++i)
        for (long c : {parser.faces[i].a, parser.faces[i].b, parser.faces[i].c})
            out->faceCorners.push_back(static_cast<int>(c));
    out->hasLevel = parser.hasLevel;
    out->level = static_cast<int>(parser.level);
    return true;
}
