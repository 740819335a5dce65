#pragma once
// A binary archive of typed values over a byte buffer, stored as one compressed
// block (every save file is one).  Values are little-endian.  One Serialize routine
// can serve both directions: in storing mode the Io calls append, in loading mode
// they read back; a read past the end fails, sets the sticky failure flag and leaves
// the value at zero/empty, never reading outside the buffer.  Once a read has
// failed, every later read fails too (the position no longer means anything).
// The stored form is described in docs/datafile-format.md.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CDataFile {
public:
    enum EMode { MODE_STORE, MODE_LOAD };

    CDataFile() = default;

    // Empties the buffer and starts storing.
    void BeginStore();
    // Starts loading the present buffer from its start.
    void BeginLoad();
    EMode GetMode() const { return m_Mode; }
    bool IsStoring() const { return m_Mode == MODE_STORE; }
    bool IsLoading() const { return m_Mode == MODE_LOAD; }

    // Appending (storing mode).
    void PutU8(uint8_t v);
    void PutU16(uint16_t v);
    void PutU32(uint32_t v);
    void PutU64(uint64_t v);
    void PutI8(int8_t v) { PutU8(static_cast<uint8_t>(v)); }
    void PutI16(int16_t v) { PutU16(static_cast<uint16_t>(v)); }
    void PutI32(int32_t v) { PutU32(static_cast<uint32_t>(v)); }
    void PutI64(int64_t v) { PutU64(static_cast<uint64_t>(v)); }
    void PutFloat(float v);
    void PutDouble(double v);
    void PutBytes(const void* data, size_t size);
    // A 32-bit length, then the bytes.
    void PutString(const std::string& s);

    // Reading (loading mode): false (and the value zeroed) past the end.
    bool GetU8(uint8_t* v);
    bool GetU16(uint16_t* v);
    bool GetU32(uint32_t* v);
    bool GetU64(uint64_t* v);
    bool GetI8(int8_t* v);
    bool GetI16(int16_t* v);
    bool GetI32(int32_t* v);
    bool GetI64(int64_t* v);
    bool GetFloat(float* v);
    bool GetDouble(double* v);
    bool GetBytes(void* data, size_t size);
    // Refuses a length larger than what is left.
    bool GetString(std::string* s);

    // Both directions by mode: stores the value or loads into it.
    void Io(uint8_t& v);
    void Io(int8_t& v);
    void Io(uint16_t& v);
    void Io(int16_t& v);
    void Io(uint32_t& v);
    void Io(int32_t& v);
    void Io(uint64_t& v);
    void Io(int64_t& v);
    void Io(bool& v);
    void Io(float& v);
    void Io(double& v);
    void Io(std::string& v);
    void IoBytes(void* data, size_t size);

    // True once any read failed since BeginLoad.
    bool HasFailed() const { return m_Failed; }
    // Fails the load (reads fail from here on) for a record that refused its own
    // fields and has logged why, so that its loader names no second cause.
    void Refuse();
    bool WasRefused() const { return m_Refused; }
    // Bytes not yet read.
    size_t GetRemaining() const { return m_Buffer.size() - m_Pos; }
    const std::vector<uint8_t>& GetBuffer() const { return m_Buffer; }
    void SetBuffer(std::vector<uint8_t> buffer);

    // The stored form: a header (magic, format version, uncompressed length, CRC-32)
    // and the buffer compressed at level 9.  `version` is the record's own format
    // version, given back by Load.
    bool SaveToMemory(std::vector<uint8_t>* out, uint32_t version = 1) const;
    bool LoadFromMemory(const uint8_t* data, size_t size, uint32_t* version = nullptr);
    // The same, refusing a record version above `maxVersion` (a save written by a
    // newer program).
    bool LoadFromMemory(const uint8_t* data, size_t size, uint32_t* version, uint32_t maxVersion);
    // Written atomically (temporary file in the same folder, flushed, renamed over).
    bool Save(const std::string& path, uint32_t version = 1) const;
    // Loads and starts loading mode; false with a log line when missing, truncated,
    // corrupt or foreign.
    bool Load(const std::string& path, uint32_t* version = nullptr);
    bool Load(const std::string& path, uint32_t* version, uint32_t maxVersion);

    // The container's own format version and header size.
    static constexpr uint16_t kContainerVersion = 1;
    static constexpr size_t kHeaderSize = 36;
    // No record inflates beyond this.
    static constexpr uint32_t kMaxRawSize = 256u * 1024u * 1024u;

private:
    bool _Take(void* out, size_t size);
    void _Append(const void* data, size_t size);
    bool _Decode(const uint8_t* data, size_t size, uint32_t* version, uint32_t maxVersion, const char* method,
                 const std::string& label);

    std::vector<uint8_t> m_Buffer;
    size_t m_Pos = 0;
    EMode m_Mode = MODE_STORE;
    bool m_Failed = false;
    bool m_Refused = false;
};

// Writes bytes to a file of the game folder atomically: a temporary file beside it,
// flushed to disk, then renamed over the old one.  False with a log line on failure,
// the old file untouched.
bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes);
