// Compiled into every test program: its generators start from one fixed seed instead of
// the clock, so that a test which happens to draw (a friend joining the work, a
// dissolve's order) gives the same result on every run and on every machine.  A test
// that wants particular draws still seeds its own generator.
#include "engine/base/Random.h"

namespace {

struct CRepeatableRandom {
    CRepeatableRandom() { CRandom::SetDefaultSeedForTests(0x5EED); }
} const g_RepeatableRandom;

}  // namespace
