// Reading a whole file in tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The bytes of the file at `path` (empty when it cannot be read).
inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
