#include "export/three_mf.h"

#include <cstdint>
#include <vector>

#include <zlib.h>

#include "export/mesh_export.h"

namespace {
void putU16(std::string& out, uint32_t x)
{
    out.push_back(static_cast<char>(x & 0xff));
    out.push_back(static_cast<char>((x >> 8) & 0xff));
}

void putU32(std::string& out, uint32_t x)
{
    putU16(out, x & 0xffff);
    putU16(out, x >> 16);
}

std::string modelPart(const TriangleMesh& m)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<model unit=\"millimeter\" xml:lang=\"en-US\" "
           "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n"
           " <metadata name=\"Application\">Korvith</metadata>\n"
           " <resources>\n  <object id=\"1\" type=\"model\" name=\"Korvith surface\">\n   <mesh>\n    <vertices>\n" +
           vertexLines(m, "     <vertex x=\"%.9g\" y=\"%.9g\" z=\"%.9g\"/>\n") + "    </vertices>\n    <triangles>\n" +
           triangleLines(m, "     <triangle v1=\"%d\" v2=\"%d\" v3=\"%d\"/>\n", 0) +
           "    </triangles>\n   </mesh>\n  </object>\n </resources>\n <build>\n  <item objectid=\"1\"/>\n </build>\n"
           "</model>\n";
}

std::string deflated(const std::string& data)
{
    z_stream s{};
    deflateInit2(&s, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);  // raw deflate, as ZIP holds it
    std::string out(deflateBound(&s, static_cast<uLong>(data.size())), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = reinterpret_cast<Bytef*>(&out[0]);
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

// A ZIP archive of the named entries, each deflated, dated 1980-01-01.
std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& entries)
{
    const uint32_t dosDate = (1 << 5) | 1;
    std::string out, directory;
    for (const auto& [name, data] : entries) {
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const std::string packed = deflated(data);
        const uint32_t offset = static_cast<uint32_t>(out.size());
        std::string common;  // from "version needed" to the name's length
        putU16(common, 20);
        putU16(common, 0);  // flags
        putU16(common, 8);  // deflated
        putU16(common, 0);  // time
        putU16(common, dosDate);
        putU32(common, crc);
        putU32(common, static_cast<uint32_t>(packed.size()));
        putU32(common, static_cast<uint32_t>(data.size()));
        putU16(common, static_cast<uint32_t>(name.size()));
        putU16(common, 0);  // extra field length
        putU32(out, 0x04034b50);
        out += common + name + packed;
        putU32(directory, 0x02014b50);
        putU16(directory, 20);  // made by
        directory += common;
        putU16(directory, 0);  // comment length
        putU16(directory, 0);  // disk
        putU16(directory, 0);  // internal attributes
        putU32(directory, 0);  // external attributes
        putU32(directory, offset);
        directory += name;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(out.size());
    out += directory;
    putU32(out, 0x06054b50);
    putU16(out, 0);
    putU16(out, 0);
    putU16(out, static_cast<uint32_t>(entries.size()));
    putU16(out, static_cast<uint32_t>(entries.size()));
    putU32(out, static_cast<uint32_t>(directory.size()));
    putU32(out, directoryOffset);
    putU16(out, 0);
    return out;
}
}  // namespace

std::string threeMfBytes(const TriangleMesh& mesh)
{
    static const char* contentTypes =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"model\" ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/>"
        "</Types>\n";
    static const char* relationships =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
        "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/>"
        "</Relationships>\n";
    return zipArchive({{"[Content_Types].xml", contentTypes},
                       {"_rels/.rels", relationships},
                       {"3D/3dmodel.model", modelPart(mesh)}});
}
