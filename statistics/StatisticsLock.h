#pragma once
#include <mutex>

// The process-wide lock under which every counter and breakdown of a
// statistics tree changes. Several scan threads fill one tree; a merge from
// one of them may reach a node another thread is adding to. Recursive, so a
// merge may run inside a caller that already holds it.
std::recursive_mutex& GetStatisticsLock();
