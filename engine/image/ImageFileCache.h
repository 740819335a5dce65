#pragma once
// The reference-counted cache of decoded image files, keyed by file name the way the
// file layer matches names: ASCII letters in any case, '/' or '\', doubled
// separators, double-byte Shift-JIS characters compared as they are.  Each Acquire
// that succeeds takes one reference and each Release gives one back; the decoded
// picture is freed with its last reference.  Safe to use from several threads.
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/base/CriticalSection.h"
#include "engine/image/ImageFile.h"

class CImageFileCacheControl {
public:
    CImageFileCacheControl() = default;
    CImageFileCacheControl(const CImageFileCacheControl&) = delete;
    CImageFileCacheControl& operator=(const CImageFileCacheControl&) = delete;

    // The program's one cache, built on first use and destroyed at exit.
    static CImageFileCacheControl& GetInstance();

    // The decoded image of `path`, decoded on the first request.  Null when it cannot
    // be loaded (CImageFile logs why); no reference is taken then.  The image stays
    // valid until the reference is given back.
    const CImageFile* Acquire(const std::string& path);
    // Gives back one reference taken by Acquire; false with a log line when the
    // name holds none.
    bool Release(const std::string& path);

    // References held on `path` (0 when it is not cached).
    int GetRefCount(const std::string& path) const;
    // How many images are cached.
    size_t GetCount() const;
    // Frees every image whatever its references (for shutting down).
    void Clear();

    // The key a path is cached under.
    static std::string MakeKey(const std::string& path);

private:
    struct SEntry {
        std::unique_ptr<CImageFile> image;
        int refs = 0;
    };

    mutable CCriticalSection m_Lock;
    std::unordered_map<std::string, SEntry> m_Entries;
};
