#include "tests/engine/sound/SoundTestData.h"

#include "tests/support/TestSupport.h"

namespace soundtest {

bool WriteGameFile(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = folder + name;
    testsupport::MakeParentDirs(path);
    return testsupport::WriteFileBytes(path, bytes);
}

}  // namespace soundtest
