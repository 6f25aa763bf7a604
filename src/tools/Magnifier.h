// The Magnifier: a lens that follows the cursor over the frozen screen.
#pragma once

// Draws the lens at the cursor's position while an activation is under way.
void RefreshLens();
