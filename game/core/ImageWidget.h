#pragma once
// The item widget of the list panels: a button with the highlight of CImageButton,
// drawn through the matrix the panel slides it with.
#include "game/core/ImageButton.h"

class CImageWidget : public CImageButton {};
