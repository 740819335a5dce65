// The compiled-script loader on arbitrary bytes: never reads outside the input, and a
// refused file leaves the runner empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/adv/AdvCommandControl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CAdvCommandControl control;
    if (control.LoadCompiledFromMemory(data, size, "fuzz")) {
        // Walk the graph as the runner would.
        for (size_t i = 0; i < control.GetRecordCount() && i < 64; ++i) {
            CAdvCommand* c = control.GetRecordAt(i);
            (void)control.GetNextId(c->Id);
        }
    } else if (control.GetRecordCount() != 0 || control.GetCurrentRecord() || !control.GetScriptName().empty()) {
        std::abort();
    }
    return 0;
}
