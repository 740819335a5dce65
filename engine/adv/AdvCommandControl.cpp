#include "engine/adv/AdvCommandControl.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/file/PakFormat.h"

namespace {

// Little-endian reader over the file image; every read is checked, so a file cut
// short or a length running past the end fails instead of reading outside it.
class CScriptReader {
public:
    CScriptReader(const uint8_t* data, size_t size) : m_Data(data), m_Size(size) {}

    bool U32(uint32_t* v) {
        if (m_Size - m_Pos < 4) return false;
        *v = pak::GetU32(m_Data + m_Pos);
        m_Pos += 4;
        return true;
    }
    bool I32(int32_t* v) {
        uint32_t u;
        if (!U32(&u)) return false;
        *v = static_cast<int32_t>(u);
        return true;
    }
    // A length L (counting the NUL the writer always adds), then L bytes; the text
    // ends at the first NUL.  L = 0 is never written and is refused.
    bool String(std::string* s) {
        uint32_t len;
        if (!U32(&len) || len == 0 || len > m_Size - m_Pos) return false;
        const char* p = reinterpret_cast<const char*>(m_Data + m_Pos);
        size_t text = strnlen(p, len - 1);
        s->assign(p, text);
        m_Pos += len;
        return true;
    }
    bool Bytes(void* out, size_t n) {
        if (m_Size - m_Pos < n) return false;
        std::memcpy(out, m_Data + m_Pos, n);
        m_Pos += n;
        return true;
    }
    size_t Remaining() const { return m_Size - m_Pos; }

private:
    const uint8_t* m_Data;
    size_t m_Size;
    size_t m_Pos = 0;
};

// The smallest a record can be: 4 + 4 + 4 + 4 + 128 + 4 + 64 and 33 strings of at
// least 5 bytes.
constexpr size_t kMinRecordSize = 4 * 4 + 128 + 4 + 64 + 33 * 5;

bool ReadRecord(CScriptReader& r, CAdvCommand* c) {
    if (!r.U32(&c->Id) || !r.I32(&c->ExtraA) || !r.I32(&c->ExtraB) || !r.U32(&c->Code)) return false;
    for (int32_t& v : c->Ints) {
        if (!r.I32(&v)) return false;
    }
    if (!r.U32(&c->NextId)) return false;
    for (uint32_t& v : c->BranchIds) {
        if (!r.U32(&v)) return false;
    }
    if (!r.String(&c->Label)) return false;
    for (std::string& s : c->Strings) {
        if (!r.String(&s)) return false;
    }
    return true;
}

void PutString(std::vector<uint8_t>& out, const std::string& s) {
    pak::PutU32(&out, static_cast<uint32_t>(s.size() + 1));
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
}

}  // namespace

CAdvCommandControl::~CAdvCommandControl() = default;

bool CAdvCommandControl::LoadCompiled(const std::string& path) {
    Clear();
    std::vector<uint8_t> bytes;
    if (!CFile::ReadAll(path, &bytes)) {
        return false;
    }
    return LoadCompiledFromMemory(bytes.data(), bytes.size(), path);
}

bool CAdvCommandControl::LoadCompiledFromMemory(const uint8_t* data, size_t size, const std::string& name) {
    Clear();
    CScriptReader r(data, size);
    char magic[kMagicSize];
    if (!r.Bytes(magic, kMagicSize) || std::memcmp(magic, kMagic, kMagicSize) != 0) {
        return false;
    }
    uint32_t count;
    if (!r.U32(&count)) {
        DebugPrintf("CAdvCommandControl::LoadCompiled() 壊れたスクリプトです[%s]", name.c_str());
        return false;
    }
    if (count > r.Remaining() / kMinRecordSize) {
        DebugPrintf("CAdvCommandControl::LoadCompiled() レコード数がファイルに収まりません[%s][%u]", name.c_str(),
                    count);
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        CAdvCommand c;
        if (!ReadRecord(r, &c)) {
            DebugPrintf("CAdvCommandControl::LoadCompiled() 壊れたスクリプトです[%s][record:%u]", name.c_str(), i);
            Clear();
            return false;
        }
        Append(c);
    }
    for (const auto& rec : m_Records) {
        if (rec->Id == 1) {
            m_Current = rec.get();
            break;
        }
    }
    m_ScriptName = name;
    return true;
}

bool CAdvCommandControl::SaveCompiled(const std::string& path) {
    std::vector<uint8_t> out(kMagic, kMagic + kMagicSize);
    pak::PutU32(&out, static_cast<uint32_t>(m_Records.size()));
    for (const auto& rec : m_Records) {
        const CAdvCommand& c = *rec;
        pak::PutU32(&out, c.Id);
        pak::PutU32(&out, static_cast<uint32_t>(c.ExtraA));
        pak::PutU32(&out, static_cast<uint32_t>(c.ExtraB));
        pak::PutU32(&out, c.Code);
        for (int32_t v : c.Ints) pak::PutU32(&out, static_cast<uint32_t>(v));
        pak::PutU32(&out, c.NextId);
        for (uint32_t v : c.BranchIds) pak::PutU32(&out, v);
        PutString(out, c.Label);
        for (const std::string& s : c.Strings) PutString(out, s);
    }
    CDiskFile file;
    if (!file.Create(path, 1)) {
        DebugPrintf("CAdvCommandControl::SaveCompiled() ファイルの作成に失敗[%s]", path.c_str());
        return false;
    }
    bool ok = file.Write(out.data(), out.size(), 1) == 1;
    file.Close();
    if (!ok) {
        DebugPrintf("CAdvCommandControl::SaveCompiled() 書き込みに失敗[%s]", path.c_str());
        return false;
    }
    m_ScriptName = path;
    return true;
}

CAdvCommand* CAdvCommandControl::StartAt(uint32_t id) {
    m_Current = FindById(id);
    return m_Current;
}

bool CAdvCommandControl::Execute(uint32_t* lineId) {
    if (!m_Factory || m_Records.empty() || !m_Current) {
        return false;
    }
    int32_t mode = 1;
    // Without a cycle every record runs at most once in a step.  A script whose
    // successors lead back without a command that stops would never return: it is
    // held at the record it reached and goes on at the next step.
    size_t runs = 0;
    for (;;) {
        if (!m_Current) {
            return true;
        }
        if (runs++ >= m_Records.size()) {
            if (!m_CycleReported) {
                DebugPrintf("CAdvCommandControl::Execute() コマンドが循環しています[%s][id:%u]", m_ScriptName.c_str(),
                            m_Current->Id);
                m_CycleReported = true;
            }
            return true;
        }
        CAdvCommand* executed = m_Current;
        if (executed->Id == 1) {
            // The start record carries no command.
            mode = IAdvTranslator::RESULT_NEXT_AND_GO;
        } else {
            int32_t result;
            if (IAdvTranslator* t = m_Factory->Create(executed->Code)) {
                result = t->Translate(*executed);
                m_Factory->Release(t);
            } else {
                DebugPrintf("CAdvCommandControl::Execute() IAdvTranslatorFactory::Create()に失敗");
                result = IAdvTranslator::RESULT_NEXT_AND_GO;
            }
            if (lineId) {
                *lineId = GetCurrentId();
            }
            if (result == IAdvTranslator::RESULT_JUMPED) {
                mode = result;
                continue;
            }
            if (result != IAdvTranslator::RESULT_NEXT_AND_STOP && result != IAdvTranslator::RESULT_NEXT_AND_GO) {
                return true;
            }
            mode = result;
        }
        // The successor of the record just executed, whatever the command did to the
        // current position.
        m_Current = executed->NextId != 0 ? FindById(executed->NextId) : nullptr;
        if (!m_Current) {
            return true;
        }
        if (mode != IAdvTranslator::RESULT_NEXT_AND_GO) {
            return true;
        }
    }
}

CAdvCommand* CAdvCommandControl::_Add(const CAdvCommand& record) {
    auto copy = std::make_unique<CAdvCommand>(record);
    if (copy->Id == 0) {
        copy->Id = NewId();
    }
    copy->Next = copy->NextId != 0 ? FindById(copy->NextId) : nullptr;
    CAdvCommand* p = copy.get();
    m_Records.push_back(std::move(copy));
    return p;
}

uint32_t CAdvCommandControl::Append(const CAdvCommand& record) { return _Add(record)->Id; }

uint32_t CAdvCommandControl::InsertStart(const CAdvCommand& record) {
    for (const auto& rec : m_Records) {
        if (rec->Id == 1) {
            rec->Id = NewId();
        }
    }
    CAdvCommand start = record;
    start.Id = 1;
    _Add(start);
    return 1;
}

uint32_t CAdvCommandControl::NewId() const {
    uint32_t largest = 2;
    for (const auto& rec : m_Records) {
        if (rec->Id > largest) largest = rec->Id;
    }
    if (largest < 0xFFFFFFFEu) {
        return largest + 1;
    }
    // No higher id is free: take the highest id below that no record holds.  0, 1 and
    // 2 are never handed out.
    for (uint32_t id = 0xFFFFFFFEu; id >= 3; --id) {
        if (!FindById(id)) {
            return id;
        }
    }
    DebugPrintf("CAdvCommandControl::NewId() 空いているIDがありません");
    return 0;
}

CAdvCommand* CAdvCommandControl::FindById(uint32_t id) const {
    if (id == 0) return nullptr;
    for (const auto& rec : m_Records) {
        if (rec->Id == id) return rec.get();
    }
    return nullptr;
}

CAdvCommand* CAdvCommandControl::GetRecordAt(size_t n) const {
    if (n >= m_Records.size()) return nullptr;
    auto it = m_Records.begin();
    std::advance(it, static_cast<std::ptrdiff_t>(n));
    return it->get();
}

uint32_t CAdvCommandControl::GetId(CAdvCommand* record) {
    if (!record) return 0;
    if (record->Id == 0) record->Id = NewId();
    return record->Id;
}

uint32_t CAdvCommandControl::GetCurrentId() { return GetId(m_Current); }

uint32_t CAdvCommandControl::GetNextId(uint32_t id) const {
    CAdvCommand* c = FindById(id);
    return c ? c->NextId : 0;
}

uint32_t CAdvCommandControl::GetBranchId(int n, uint32_t id) const {
    CAdvCommand* c = FindById(id);
    if (!c || n < 0 || n >= CAdvCommand::kBranchCount) return 0;
    return c->BranchIds[static_cast<size_t>(n)];
}

void CAdvCommandControl::LinkNext(CAdvCommand* record, CAdvCommand* target) {
    if (!record) return;
    if (!target) {
        record->ClearNext();
        return;
    }
    record->NextId = GetId(target);
    record->Next = target;
}

void CAdvCommandControl::SetNextById(uint32_t id, uint32_t nextId) {
    LinkNext(FindById(id), FindById(nextId));
}

void CAdvCommandControl::ClearNextById(uint32_t id) {
    if (CAdvCommand* c = FindById(id)) c->ClearNext();
}

void CAdvCommandControl::LinkBranch(int n, CAdvCommand* record, CAdvCommand* target) {
    if (!record || n < 0 || n >= CAdvCommand::kBranchCount) return;
    record->BranchIds[static_cast<size_t>(n)] = target ? GetId(target) : 0;
}

void CAdvCommandControl::SetBranchById(int n, uint32_t id, uint32_t value) {
    CAdvCommand* c = FindById(id);
    if (!c || n < 0 || n >= CAdvCommand::kBranchCount) return;
    c->BranchIds[static_cast<size_t>(n)] = value;
}

void CAdvCommandControl::ClearBranchById(int n, uint32_t id) {
    if (CAdvCommand* c = FindById(id)) c->ClearBranch(n);
}

CAdvCommand* CAdvCommandControl::AdvanceByPointer() {
    if (!m_Current || !m_Current->Next) return nullptr;
    m_Current = m_Current->Next;
    return m_Current;
}

void CAdvCommandControl::RemoveRecord(CAdvCommand* record) {
    if (!record) return;
    const uint32_t id = record->Id;
    if (m_Current == record) {
        m_Current = record->NextId != 0 ? FindById(record->NextId) : nullptr;
        if (m_Current == record) m_Current = nullptr;
    }
    for (const auto& rec : m_Records) {
        if (rec.get() == record) continue;
        if ((id != 0 && rec->NextId == id) || rec->Next == record) {
            rec->ClearNext();
        }
        for (uint32_t& b : rec->BranchIds) {
            if (id != 0 && b == id) b = 0;
        }
    }
    m_Records.remove_if([record](const std::unique_ptr<CAdvCommand>& p) { return p.get() == record; });
}

void CAdvCommandControl::RemoveCurrentRecord() { RemoveRecord(m_Current); }

void CAdvCommandControl::RemoveRecordById(uint32_t id) { RemoveRecord(FindById(id)); }

void CAdvCommandControl::Reset() {
    m_Current = nullptr;
    m_Records.clear();
    m_CycleReported = false;
}

void CAdvCommandControl::Clear() {
    Reset();
    m_ScriptName.clear();
}
