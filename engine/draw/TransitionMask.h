#pragma once
// The rule picture every rule transition ("Trans_BitmapFade") shares: the sample
// scene and the scripts load it, the transitions read it.  Its threshold is the width
// of the soft edge (0 a hard edge).
class CMaskImage;

CMaskImage& GetTransitionMask();
