// The fast reader against the first one (tests/reference): the same surface,
// bit for bit, from every sample and from many damaged copies of them; the same
// refusals, but for the one fault the first reader missed (a section that ends
// before its count, whose next section line it took for a record).
#include "tests/fixture.h"
#include "tests/read_file.h"

#include <cstring>
#include <random>

#include "io/reader.h"
#include "io/sample_loader.h"
#include "io/writer.h"
#include "tests/surface_generators.h"
#include "tests/reference/literal_reader.h"

namespace {
bool sameSurface(const ParsedSurface& a, const ParsedSurface& b)
{
    return a.vertices.size() == b.vertices.size() &&
           std::memcmp(a.vertices.data(), b.vertices.data(), a.vertices.size() * sizeof(Point3)) == 0 &&
           a.edgeEnds == b.edgeEnds &&
           std::memcmp(a.targetLengths.data(), b.targetLengths.data(), a.targetLengths.size() * sizeof(double)) == 0 &&
           a.targetLengths.size() == b.targetLengths.size() && a.faceCorners == b.faceCorners &&
           a.hasLevel == b.hasLevel && a.level == b.level;
}

// A copy of `text` with a few random changes: lines dropped, doubled or cut,
// characters replaced by ones that matter to the reader.
std::string damaged(std::string text, std::mt19937& rng)
{
    static const char kChars[] = "0123456789.,-+eE#x \tab\r\n";
    const int changes = 1 + static_cast<int>(rng() % 3);
    for (int k = 0; k < changes && !text.empty(); ++k) {
        const size_t at = rng() % text.size();
        const size_t lineStart = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
        const size_t lineEnd = std::min(text.size(), text.find('\n', at) == std::string::npos
                                                         ? text.size()
                                                         : text.find('\n', at) + 1);
        switch (rng() % 5) {
        case 0:
            text.erase(lineStart, lineEnd - lineStart);
            break;
        case 1:
            text.insert(lineStart, text.substr(lineStart, lineEnd - lineStart));
            break;
        case 2:
            text.resize(at);
            break;
        default:
            text[at] = kChars[rng() % (sizeof kChars - 1)];
            break;
        }
    }
    return text;
}
// The faults the fast reader finds and the first one let through: a section
// cut short by the next, faces with a repeated corner or a side in three
// faces, target lengths that are not positive, positions far out, a last
// record cut short.
bool refusedOnlyByTheFastReader(const std::string& message)
{
    for (const char* reason : {"the section ends after", "as two of its corners", "is the third face at the side",
                               "not a positive finite number", "lies too far out", "the file ends inside this record",
                               "has a coordinate that is not a finite number"})
        if (message.find(reason) != std::string::npos)
            return true;
    return false;
}
}  // namespace

TEST_F(StoreTest, FastReaderGivesWhatTheFirstReaderGaveOnSamplesAndDamagedCopies)
{
    std::mt19937 rng(14);
    int accepted = 0, refused = 0;
    for (int n = FIRST_SAMPLE; n <= LAST_SAMPLE; ++n) {
        const std::string path = sourceDir() + "/sample/" + std::string(sampleFileName(n).utf8_str());
        const std::string text = readAll(path);
        ASSERT_FALSE(text.empty()) << path;
        const int copies = text.size() < 20000 ? 120 : 6;
        for (int k = 0; k <= copies; ++k) {
            const std::string file = k == 0 ? path : writeFile(damaged(text, rng));
            for (bool append : {false, true}) {
                ParsedSurface fast, literal;
                CapturedLog log;
                const bool literalRead = literalParseSurfaceFile(file, append, &literal);
                const bool fastRead = parseSurfaceFile(file, append, &fast);
                if (literalRead && !fastRead) {
                    ASSERT_FALSE(log.errors.empty());
                    EXPECT_TRUE(refusedOnlyByTheFastReader(log.errors.back())) << log.errors.back();
                    continue;
                }
                ASSERT_EQ(fastRead, literalRead) << file << (log.errors.empty() ? "" : ": " + log.errors.back());
                if (!fastRead) {
                    ++refused;
                    ASSERT_EQ(log.errors.size(), 2u);
                    // The same message, but where the fast reader escapes a tab or names
                    // the section that ended early, which the first one missed.
                    if (log.errors[1].find("\\x") == std::string::npos &&
                        !refusedOnlyByTheFastReader(log.errors[1])) {
                        EXPECT_EQ(log.errors[0], log.errors[1]) << "the same message";
                    }
                    continue;
                }
                ++accepted;
                EXPECT_TRUE(sameSurface(fast, literal)) << file;
            }
        }
        // A surface is present when the second round appends.
        NOV = 8;
        NOE = 14;
        NOS = 7;
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);

    // A surface of the largest size the store holds, as the benchmarks read it.
    resetStore();
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/13-13-3Lattice.kor", false));
    ASSERT_TRUE(replicate(15));
    const std::string large = writeFile(surfaceFileText());
    ParsedSurface fast, literal;
    ASSERT_TRUE(literalParseSurfaceFile(large, false, &literal));
    ASSERT_TRUE(parseSurfaceFile(large, false, &fast));
    EXPECT_EQ(fast.faceCorners.size(), size_t(NOS) * 3);
    EXPECT_TRUE(sameSurface(fast, literal));
}
