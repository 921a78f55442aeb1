#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the examination of one plug-in reads from it, as the helper program
// hands it to the editor.
struct PluginNames
{
    struct Parameter
    {
        int32_t index = 0; // the plug-in's own index
        std::string name;  // 1 to 32 characters
    };
    std::string vendor;     // at most 512 characters, possibly empty
    std::string effectName; // at most 512 characters, possibly empty
    // The parameters with a non-empty name, in increasing index.
    std::vector<Parameter> parameters;

    bool operator==(const PluginNames& other) const;
};

// The answer on the helper's standard output, integers as 32-bit little
// endian: the length of the rest; the vendor and the effect name, each its
// length then its bytes; the number of parameters; per parameter its index,
// its name's length and the name's bytes. Every name character is a
// printable 7-bit one, as the examination leaves names.
std::string EncodePluginAnswer(const PluginNames& names);

enum class AnswerState
{
    Incomplete, // a prefix of an answer: more bytes may come
    Complete,   // a whole answer, nothing after it; names holds it
    Invalid,    // no answer, or bytes after one: a helper that says this is not believed
};

// Reads what a helper has written so far. Checks every rule above (name
// lengths and characters, indices increasing and not negative) so that no
// record an examination could not give gets through.
AnswerState DecodePluginAnswer(const std::string& bytes, PluginNames& names);

// Answers longer than this are refused before they are read.
constexpr std::size_t kMaxPluginAnswerSize = 16u << 20;
