// Compiled into every test program: its generators start from one fixed seed instead of
// the clock, so that a test which happens to draw (a friend joining the work, a
// dissolve's order) gives the same result on every run and on every machine.  A test
// that wants particular draws still seeds its own generator.
#include "tests/support/TestSupport.h"

namespace {

struct CRepeatableRandom {
    CRepeatableRandom() { testsupport::RestoreTestSeed(); }
} const g_RepeatableRandom;

}  // namespace
