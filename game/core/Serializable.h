#pragma once
// The base of every saved record: one Serialize routine serves both directions
// through CDataFile::Io, so the field order of a save is written down once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/file/DataFile.h"

class CSerializable {
public:
    virtual ~CSerializable() = default;
    // Stores the record into `file` or loads it from `file`, by the file's mode.
    // A failed load leaves the file's failure flag set; the caller resets the record.
    virtual void Serialize(CDataFile& file) = 0;
    // Records compare by their own fields.
    bool operator==(const CSerializable&) const = default;
};

// Helpers for the records' Serialize routines.
namespace serial {

// Sets the load's sticky failure flag (a read past the end), for a record that finds
// its own fields inconsistent.
inline void MarkFailed(CDataFile& file) {
    if (file.IsLoading() && !file.HasFailed()) {
        // Skip the rest in small pieces, then ask for one byte more: a record of
        // hundreds of megabytes must not need a second buffer of its size to fail.
        uint8_t chunk[4096];
        while (file.GetRemaining() != 0) {
            size_t n = file.GetRemaining() < sizeof(chunk) ? file.GetRemaining() : sizeof(chunk);
            file.GetBytes(chunk, n);
        }
        file.GetBytes(chunk, 1);
    }
}

// A count that precedes a list.  On load a count that the remaining bytes cannot
// hold (each element needs at least `minElementSize` bytes) marks the file failed
// and reads as 0, so a corrupt count never allocates more than the file holds.
inline uint32_t IoCount(CDataFile& file, size_t count, size_t minElementSize) {
    uint32_t n = static_cast<uint32_t>(count);
    file.Io(n);
    if (file.IsLoading()) {
        if (file.HasFailed()) {
            return 0;
        }
        size_t need = minElementSize == 0 ? 0 : static_cast<size_t>(n) * minElementSize;
        if (minElementSize != 0 && (need / minElementSize != n || need > file.GetRemaining())) {
            MarkFailed(file);
            return 0;
        }
    }
    return n;
}

// A list of plain values (ints, floats, bytes) with its count.
template <typename T>
void IoVector(CDataFile& file, std::vector<T>& values) {
    uint32_t n = IoCount(file, values.size(), sizeof(T));
    if (file.IsLoading()) {
        values.assign(n, T{});
    }
    for (T& v : values) {
        file.Io(v);
    }
}

// A list of strings with its count (each string needs at least its 4-byte length).
inline void IoStrings(CDataFile& file, std::vector<std::string>& values) {
    uint32_t n = IoCount(file, values.size(), 4);
    if (file.IsLoading()) {
        values.assign(n, std::string());
    }
    for (std::string& s : values) {
        file.Io(s);
    }
}

// A fixed-size array of plain values, without a count.
template <typename T, size_t N>
void IoArray(CDataFile& file, T (&values)[N]) {
    for (T& v : values) {
        file.Io(v);
    }
}

// A list of records with their own Serialize, with its count; `minElementSize` is the
// fewest bytes one record takes in the file.
template <typename T>
void IoRecords(CDataFile& file, std::vector<T>& records, size_t minElementSize) {
    uint32_t n = IoCount(file, records.size(), minElementSize);
    if (file.IsLoading()) {
        records.assign(n, T{});
    }
    for (T& r : records) {
        r.Serialize(file);
        if (file.HasFailed()) {
            return;
        }
    }
}

}  // namespace serial
