// The operations of `korvith-tool apply`: one table of entries, each with its
// name, its argument parser, the command it runs (one of the window's
// commands, or a tight family of them, by the same core calls) and its help
// text. Parsing, running and --help all read the table.
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

// Flags of a table entry.
constexpr unsigned OP_KEEPS_SOLID = 1;    // may follow thicken: keeps a solid closed and facing outwards
constexpr unsigned OP_CHECKED_INPUT = 2;  // brings in a surface from a file or the history, checked when it
                                          // came in (not run under the runaway guard)

// One operation of the table.
struct ToolOpEntry {
    const char* name;   // as written before any '=', e.g. "relax"
    const char* usage;  // its forms for --help, one a line, e.g. "grow" and "grow=N"
    const char* help;   // what each form does, one line each (a longer text goes on over further lines)
    const char* group;  // the --help heading it comes under
    // Reads the text after '=' (present when hasArg) into op->numbers or
    // op->word; false with the reason in *error on a usage error.
    bool (*parse)(const std::string& arg, bool hasArg, ToolOp* op, std::string* error);
    // Runs the command on the surface store: its refusal, "" when done.
    std::string (*run)(const ToolOp& op, bool progress);
    unsigned flags;     // OP_KEEPS_SOLID, OP_CHECKED_INPUT
};

// Every operation, in the order --help lists them.
const std::vector<ToolOpEntry>& toolOpTable();

// The entry of the operation called `name`; nullptr when there is none.
const ToolOpEntry* findToolOp(const std::string& name);

// Parses one operation; on a usage error (unknown name, missing or malformed
// argument) returns false with the reason in *error.
bool parseToolOp(const std::string& text, ToolOp* op, std::string* error);

// Reads the operations of an ops file: one per line, '#' starts a comment,
// blank lines are skipped. Returns false with the reason in *error when the
// file cannot be read.
bool readOpsFile(const std::string& path, std::vector<std::string>* ops, std::string* error);

// Runs one operation on the surface store: its entry's command. Returns false
// with the reason in *error when it cannot be done: the command's refusal
// (nothing to add at a vertex, a refused paste, a level that does not allow
// it, a capacity limit, a relaxation that never settles, a file that cannot
// be read), an op that may not follow thicken, and when it would run the surface away
// (a position that is not a number or beyond MAX_COORDINATE, a target length
// that is not positive, see geometry/runaway_guard.h): the positions are then
// put back as they were before it. `progress` tells whether long runs
// report progress on stderr.
bool runToolOp(const ToolOp& op, bool progress, std::string* error);

// All of standard input, as bytes (for an input, open or append of "-").
std::string standardInput();

// The usage text of `korvith-tool --help`, its operations from the table.
const std::string& toolUsage();
