// Arguments for one call of an export, built from its shapes: benign ones
// (valid buffers of ample size, short texts) and hostile ones (nulls,
// lengths 0, 1, 2, 3, odd and huge, BSTRs null or of odd length, texts
// ending at a guard page). Every buffer is a GuardedBlock; after the call
// each argument checks what the export did to it and releases it.
//
// Out of the contract, and so never passed: a text without a terminator
// (the export may read on until it faults, as any C function would), a
// buffer smaller than its stated length, a socket address buffer smaller
// than 28 bytes, a count of addresses larger than the buffer holds.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "call_guard.h"
#include "export_table.h"
#include "guarded_memory.h"

namespace qlrel {

// One argument, or a buffer with its length, ready for one call: its
// values and the guarded blocks they point into.
class Piece {
public:
    virtual ~Piece() = default;
    const std::vector<uintptr_t>& values() const { return values_; }
    // After the call: empty, or what the export did wrong to this argument
    // (here: wrote in front of a block). Releases what the argument holds
    // (not after a fault, when the export's state is unknown).
    virtual std::string afterCall(const CallOutcome&) { return damage(); }
    // Whether `address` is right behind one of the argument's blocks.
    bool guards(uintptr_t address) const;
    // What the export stored through this argument, taken before afterCall,
    // with pointers into the argument's own blocks made relative to them, so
    // that two calls giving the same answer give the same bytes.
    virtual std::string answer() const;

protected:
    GuardedBlock& add(size_t size, uint8_t fill = 0xCC);
    std::string damage() const;
    std::vector<uintptr_t> values_;
    std::deque<GuardedBlock> blocks_;  // a deque: a GuardedBlock never moves
};

struct PieceMaker {
    std::string label;
    std::function<std::unique_ptr<Piece>()> make;
};

// The shapes of an export cut into groups: a buffer with its length, an
// address array with its count, and every other shape on its own.
struct ArgumentGroup {
    Shape shape;
    Shape lengthShape;  // bytes_in, bytes_inout or count_inout; else the same as shape
    size_t width;       // arguments in the group: 1 or 2
    size_t first;       // the index of its first argument
};
std::vector<ArgumentGroup> GroupsOf(const ExportEntry& entry);

PieceMaker Benign(const ArgumentGroup& group);
// Every argument of the group null (a null buffer with a null length).
PieceMaker Nulls(const ArgumentGroup& group);
std::vector<PieceMaker> Hostile(const ArgumentGroup& group);

// A whole call: one maker per group.
struct PreparedCall {
    std::string label;
    std::vector<std::unique_ptr<Piece>> pieces;
    std::vector<uintptr_t> args;
};
PreparedCall Prepare(const std::vector<const PieceMaker*>& makers);
// The answer of a whole call: its result and what it stored.
std::string AnswerOf(const ExportEntry& entry, const PreparedCall& call, const CallOutcome& outcome);
// Checks every piece; closes a returned handle. Empty, or the problems.
std::string Finish(const ExportEntry& entry, PreparedCall& call, const CallOutcome& outcome);

// Adds `problem`, when there is one, to `problems` after `separator`.
void Append(std::string& problems, const std::string& problem, const char* separator = "; ");

// Called for an OVERLAPPED the export left pending, to make the driver end
// it: completes the simulated driver's pending requests and says whether it
// still holds any.
void SetPendingCompleter(std::function<bool()> complete);

}  // namespace qlrel
