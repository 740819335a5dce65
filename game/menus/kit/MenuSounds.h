#pragma once
// The three menu sounds: decide (channel 0) when a click takes effect, cursor
// (channel 1) when the pointer comes onto a button, cancel (channel 2) on a cancel or
// back without a click.
class CButton;
class CGameMain;

// After a button's update: the cursor sound when the pointer came onto it, the decide
// sound when it was clicked.  True when it was clicked.
bool PlayButtonSounds(CGameMain& game, const CButton& button);
