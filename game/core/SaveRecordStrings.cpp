#include "game/core/SaveRecordStrings.h"

void CSaveRecordStrings::Serialize(CDataFile& file) {
    file.Io(m_Name);
    file.Io(m_Text);
    file.Io(m_Voice);
    file.Io(m_Volume);
    file.Io(m_Pan);
}
