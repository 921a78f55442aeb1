#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "plugins/helper/PluginAnswer.h"

// The helper program beside the running executable, "dorva-plugin-examiner",
// with the folder's bytes as the system gives them.
std::string ExaminerHelperPath();

// How many helpers run at once by default: one per processor this process may use.
std::size_t DefaultHelperCount();

struct HelperSettings
{
    std::string program = ExaminerHelperPath();
    std::size_t count = DefaultHelperCount();
    // A helper still running this long after its start is ended.
    std::chrono::milliseconds deadline{10000};
    // While no helper starts or ends for this long, the caller hears which one it waits for.
    std::chrono::milliseconds quiet{200};
};

// Examines each library in a helper of its own: the program with the path
// (passed as bytes) as its only argument, stdin from /dev/null, the answer
// read from its standard output. At most settings.count run at once and they
// are started in the order of paths.
//
// starting(i) comes just before the helper of paths[i] would start; when it
// says false none is started. ended(i, names) comes once for every path, in
// any order, with the helper's whole answer, or with null when none started,
// the helper could not be started (stderr says so, once), ended without a
// whole answer, gave one that breaks its rules, or was still running at the
// deadline. waiting(i) comes after each quiet interval with the earliest
// path still examined.
//
// A helper is ended, with its process group, as soon as its answer is whole
// or its time is up, and always reaped before ended is called: nothing is
// left running or unreaped when this returns, also when a callback throws.
// Signals and signal mask are the defaults in the helper, and it inherits no
// descriptor but the standard ones. Blocks the calling thread meanwhile.
void ExamineInHelpers(const std::vector<std::string>& paths, const HelperSettings& settings,
                      const std::function<bool(std::size_t)>& starting,
                      const std::function<void(std::size_t, const PluginNames*)>& ended,
                      const std::function<void(std::size_t)>& waiting);
