#pragma once
// The process-wide table of command handlers, indexed by command code 0 to 199.  Built
// once on first use; its handlers are shared by every stage and hold only the stage
// that used them last.
#include <array>
#include <cstdint>
#include <memory>

#include "game/stage/command/GameCommand.h"

class CGameCommandTable {
public:
    static constexpr uint32_t kCodeCount = 200;

    CGameCommandTable();
    static CGameCommandTable& GetInstance();

    // The handler of a code, or null for an empty slot or a code of 200 or more.
    CGameCommand* Get(uint32_t code) const;
    // How many slots hold a handler.
    int32_t CountHandlers() const;

private:
    std::array<std::unique_ptr<CGameCommand>, kCodeCount> m_Handlers;
};
