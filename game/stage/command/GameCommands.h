#pragma once
// One handler class per command code of the table.  What each code does is listed in
// docs/command-table.md; the handlers live in the family sources (text, picture, sound,
// screen and flow).
#include "game/stage/command/GameCommand.h"
#include "game/stage/command/SlotCommands.h"

#define PG_GAME_COMMAND(name)                                                  \
    class name : public CGameCommand {                                         \
    protected:                                                                 \
        int32_t _Run(CAdvCommand& record, CMainGameScene& scene) override;     \
    }

// Text: waits, the window, lines and balloons.
PG_GAME_COMMAND(CGameCommand02);
PG_GAME_COMMAND(CGameCommand03);
PG_GAME_COMMAND(CGameCommand04);
PG_GAME_COMMAND(CGameCommand05);
PG_GAME_COMMAND(CGameCommand06);
PG_GAME_COMMAND(CGameCommand07);
PG_GAME_COMMAND(CGameCommand08);
// Pictures: screen changes, backgrounds, figures, layers, motions.
PG_GAME_COMMAND(CGameCommand09);
PG_GAME_COMMAND(CGameCommand10);
PG_GAME_COMMAND(CGameCommand11);
PG_GAME_COMMAND(CGameCommand12);
PG_GAME_COMMAND(CGameCommand13);
PG_GAME_COMMAND(CGameCommand14);
PG_GAME_COMMAND(CGameCommand15);
PG_GAME_COMMAND(CGameCommand16);
PG_GAME_COMMAND(CGameCommand17);
PG_GAME_COMMAND(CGameCommand18);
PG_GAME_COMMAND(CGameCommand19);
PG_GAME_COMMAND(CGameCommand20);
PG_GAME_COMMAND(CGameCommand21);
PG_GAME_COMMAND(CGameCommand22);
// Sound: music (group 0), effects (1), voices (2).
PG_GAME_COMMAND(CGameCommand30);
class CGameCommand31 : public CSlotStopCommand<0, 0> {};
PG_GAME_COMMAND(CGameCommand32);
class CGameCommand33 : public CSlotVolumeCommand<0, 0> {};
class CGameCommand34 : public CSlotPanCommand<0, 0> {};
PG_GAME_COMMAND(CGameCommand35);
class CGameCommand36 : public CSlotStopCommand<1, 0> {};
PG_GAME_COMMAND(CGameCommand37);
class CGameCommand38 : public CSlotVolumeCommand<1, 0> {};
class CGameCommand39 : public CSlotPanCommand<1, 0> {};
PG_GAME_COMMAND(CGameCommand40);
PG_GAME_COMMAND(CGameCommand41);
class CGameCommand42 : public CSlotStopCommand<2, 1> {};
PG_GAME_COMMAND(CGameCommand43);
class CGameCommand44 : public CSlotVolumeCommand<2, 1> {};
class CGameCommand45 : public CSlotPanCommand<2, 1> {};
PG_GAME_COMMAND(CGameCommand46);
PG_GAME_COMMAND(CGameCommand47);
PG_GAME_COMMAND(CGameCommand48);
// Screen and flow: colour fade, noise, screen effects, the jump, the month end.
PG_GAME_COMMAND(CGameCommand50);
PG_GAME_COMMAND(CGameCommand51);
PG_GAME_COMMAND(CGameCommand52);
PG_GAME_COMMAND(CGameCommand53);
PG_GAME_COMMAND(CGameCommand54);
PG_GAME_COMMAND(CGameCommand60);
PG_GAME_COMMAND(CGameCommand70);

#undef PG_GAME_COMMAND
