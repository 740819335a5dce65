#include "game/stage/scene/StageTables.h"

#include "engine/base/Log.h"
#include "engine/file/TextReader.h"

std::vector<std::string> ReadRedirectedVoices(CTextReader& reader) {
    std::vector<std::string> files;
    std::string field;
    while (reader.ReadLine(1, &field)) files.push_back(field);
    return files;
}

SHouseLists ReadHouseLists(CTextReader& reader) {
    SHouseLists lists;
    std::string fields[2];
    while (reader.ReadLine(2, fields)) {
        if ((fields[0] == "1" || fields[0] == "2") && !fields[1].empty()) {
            (fields[0] == "1" ? lists.layout1 : lists.layout2).push_back(fields[1]);
        } else {
            DebugPrintf("ReadHouseLists() 行が不正です[%s, %s]", fields[0].c_str(), fields[1].c_str());
        }
    }
    return lists;
}
