#pragma once
// Makes compiled scenario scripts from C++.  The system has no script text parser, so
// tests and the demo data write scripts through the runner's own save operation.
// Records are chained in the order they are added, after the start record (id 1).
#include <cstdint>
#include <initializer_list>
#include <string>

#include "engine/adv/AdvCommandControl.h"

class CAdvScriptBuilder {
public:
    CAdvScriptBuilder();

    // Appends a record with the code and the leading integer and string arguments,
    // chained after the last one; returns it for further fields (branches, label).
    CAdvCommand& Add(uint32_t code, std::initializer_list<int32_t> ints = {},
                     std::initializer_list<std::string> strings = {});
    // Appends a record that nothing chains to (a branch target); the chain goes on
    // from the record added before it.
    CAdvCommand& AddDetached(uint32_t code, std::initializer_list<int32_t> ints = {},
                             std::initializer_list<std::string> strings = {});
    // Continues the chain after `id` (to build the tail of a branch).
    void ContinueAfter(uint32_t id) { m_LastId = id; }
    uint32_t GetLastId() const { return m_LastId; }

    // Writes the script to a plain disk file (a game path or an absolute native path).
    bool Save(const std::string& path);
    CAdvCommandControl& GetControl() { return m_Control; }

private:
    CAdvCommand& _Append(uint32_t code, std::initializer_list<int32_t> ints,
                         std::initializer_list<std::string> strings, bool chain);

    CAdvCommandControl m_Control;
    uint32_t m_LastId = 1;
};
