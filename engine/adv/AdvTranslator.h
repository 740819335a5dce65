#pragma once
// The game side of the command runner: a factory hands out the handler of a command
// code; the handler carries out one record and answers how far the runner goes.
#include <cstdint>

class CAdvCommand;

class IAdvTranslator {
public:
    // Result codes of Translate.
    enum : int32_t {
        RESULT_NEXT_AND_STOP = 1,  // advance to the successor, stop for this frame
        RESULT_NEXT_AND_GO = 2,    // advance to the successor and execute it at once
        RESULT_JUMPED = 4,         // the command moved the runner itself: go on from there
        // any other value: stay on this record and stop
    };

    virtual int32_t Translate(CAdvCommand& record) = 0;
    virtual ~IAdvTranslator() = default;
};

class IAdvTranslatorFactory {
public:
    // The handler for a command code, or null.
    virtual IAdvTranslator* Create(uint32_t code) = 0;
    // Gives back what Create returned.
    virtual void Release(IAdvTranslator* translator) = 0;
    virtual ~IAdvTranslatorFactory() = default;
};
