#include "tools/script/AdvScriptBuilder.h"

CAdvScriptBuilder::CAdvScriptBuilder() { m_Control.InsertStart(CAdvCommand()); }

CAdvCommand& CAdvScriptBuilder::_Append(uint32_t code, std::initializer_list<int32_t> ints,
                                        std::initializer_list<std::string> strings, bool chain) {
    CAdvCommand c;
    c.Code = code;
    size_t i = 0;
    for (int32_t v : ints) {
        if (i < c.Ints.size()) c.Ints[i++] = v;
    }
    i = 0;
    for (const std::string& s : strings) {
        if (i < c.Strings.size()) c.Strings[i++] = s;
    }
    uint32_t id = m_Control.Append(c);
    if (chain) {
        m_Control.SetNextById(m_LastId, id);
        m_LastId = id;
    }
    return *m_Control.FindById(id);
}

CAdvCommand& CAdvScriptBuilder::Add(uint32_t code, std::initializer_list<int32_t> ints,
                                    std::initializer_list<std::string> strings) {
    return _Append(code, ints, strings, true);
}

CAdvCommand& CAdvScriptBuilder::AddDetached(uint32_t code, std::initializer_list<int32_t> ints,
                                            std::initializer_list<std::string> strings) {
    return _Append(code, ints, strings, false);
}

bool CAdvScriptBuilder::Save(const std::string& path) { return m_Control.SaveCompiled(path); }
