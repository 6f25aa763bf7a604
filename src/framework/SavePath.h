// The full path a save dialog makes of what the user typed, measured before
// the dialog builds it in its fixed buffer.
#pragma once

#include <cstddef>
#include <string_view>

// The length of the path the name box's text and the dialog's current folder
// make: a full path typed into the box (a drive and a separator, or a
// network path) stands alone, one from the root ("\photos\a.png") goes on
// the folder's drive, anything else is joined to the folder.
std::size_t SavePathLength(std::wstring_view name, std::wstring_view folder);
