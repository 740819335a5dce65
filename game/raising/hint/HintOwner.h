#pragma once
// What the hint window asks of the scene that owns it: a row's picture handed to the
// stage's message panel, which then opens.  The in-game scene forwards both to its stage.
#include <cstdint>
#include <string>

class IHintOwner {
public:
    virtual ~IHintOwner() = default;
    virtual void SetTalkText(const std::string& picturePath, int32_t eventId) = 0;
    virtual void BeginTalk() = 0;
};
