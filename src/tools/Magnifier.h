// The Magnifier: a lens that follows the cursor over the frozen screen.
#pragma once

#include "framework/Canvas.h"
#include "framework/Form.h"

// Draws the lens for cursor position p on the overlay: restores what the last
// lens covered and the new one does not, then the enlargement and its outline.
void DrawLens(TCanvas& canvas, POINT p);
// Draws the lens at the cursor's position while an activation is under way.
void RefreshLens();
// Modified clicks change the factor or the lens size; a plain click ends.
void MagnifierMouseDown(TMouseButton button, TShiftState shift);
// Any key but Shift or Ctrl on their own ends the Magnifier.
void MagnifierKeyDown(WORD& key);
// Frees the working pictures of the lens at the end of an activation.
void ReleaseLensPictures();
