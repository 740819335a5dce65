#pragma once
// The lazily built singleton pattern: the accessor takes the global start-up lock
// only to create the singleton's own section once, releases it, then takes that
// own section to build the object once on first use.  Destroyed at exit.
#include <memory>

#include "engine/base/CriticalSection.h"

template <typename T>
class CLazySingleton {
public:
    static T& Get() {
        CCriticalSection& own = _OwnLock();
        CCriticalLock lock(own);
        static std::unique_ptr<T>* holder = nullptr;
        if (!holder) {
            static std::unique_ptr<T> instance = std::make_unique<T>();
            holder = &instance;
        }
        return **holder;
    }

    // The singleton's own section, for callers that guard its operations with it.
    static CCriticalSection& GetLock() { return _OwnLock(); }

private:
    static CCriticalSection& _OwnLock() {
        static CCriticalSection* own = nullptr;
        CCriticalLock global(GetStaticInitLock());
        if (!own) {
            static CCriticalSection section;
            own = &section;
        }
        return *own;
    }
};
