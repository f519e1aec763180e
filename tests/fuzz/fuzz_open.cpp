// libFuzzer target: the input's bytes are a surface file, read as the Open
// command reads it, then the derived data is refreshed as a repaint does; the
// store is validated after each.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"
#include "io/open_commands.h"
#include "io/reader.h"
#include "model/derived_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    startFuzzCase();
    ParsedSurface parsed;
    const bool append = size > 0 && data[0] == '+';  // "+..." is appended beside the start-up cell
    if (append && !openStartUpCell())
        return 0;
    if (parseSurfaceText("fuzz.kor", reinterpret_cast<const char*>(data), size, append, &parsed)) {
        acceptSurface(parsed, append);
        checkStore("the input was accepted");
        refreshDerivedData();
        checkStore("the derived data was refreshed");
    }
    return 0;
}
