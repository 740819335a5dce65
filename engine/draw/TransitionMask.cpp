#include "engine/draw/TransitionMask.h"

#include "engine/image/MaskImage.h"

CMaskImage& GetTransitionMask() {
    static CMaskImage mask;
    return mask;
}
