// The operations of `korvith-tool apply`: each one of the window's commands
// (or a tight family of them), run on the surface store by the same core calls.
#pragma once

#include <string>
#include <vector>

struct ToolOp {
    std::string text;   // as written, for messages
    std::string name;   // e.g. "relax"
    std::vector<double> numbers;
    std::string word;   // "stable" for relax=stable, the file of append=FILE, "allow-crossing" for a
                        // thicken given --allow-crossing
};

// Parses one operation; on a usage error (unknown name, missing or malformed
// argument) returns false with the reason in *error.
bool parseToolOp(const std::string& text, ToolOp* op, std::string* error);

// Reads the operations of an ops file: one per line, '#' starts a comment,
// blank lines are skipped. Returns false with the reason in *error when the
// file cannot be read.
bool readOpsFile(const std::string& path, std::vector<std::string>* ops, std::string* error);

// Runs one operation on the surface store. Returns false with the reason in
// *error when it cannot be done (nothing to add at a vertex, a refused paste,
// a level that does not allow it, a capacity limit, a relaxation that never
// settles, a file that cannot be read). `progress` tells whether long runs
// report progress on stderr.
bool runToolOp(const ToolOp& op, bool progress, std::string* error);

// All of standard input, as bytes (for an input, open or append of "-").
std::string standardInput();

// The usage text of `korvith-tool --help`.
const char* toolUsage();
