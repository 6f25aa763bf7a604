// The welcome dialog of a first start.
#pragma once

// Shows the dialog modally and returns when the user has closed it.
void ShowFirstRun();
