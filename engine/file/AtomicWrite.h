#pragma once
// Fault points of WriteFileAtomic (declared in DataFile.h), for tests that check that
// a failed or interrupted save never harms the previous file.
#include <string>

enum class EAtomicWriteFault {
    NONE,
    // Writing the temporary file fails (a full disk).
    FAIL_TEMP_WRITE,
    // The program stops after the temporary file is on the disk, before the rename
    // (a crash): the temporary file stays, the call reports false.
    STOP_BEFORE_RENAME,
    // The rename fails.
    FAIL_RENAME,
};

// Applies to every later WriteFileAtomic until set back to NONE.
void SetAtomicWriteFault(EAtomicWriteFault fault);
// The temporary file WriteFileAtomic writes beside a native path.
std::string GetAtomicTempPath(const std::string& nativePath);
