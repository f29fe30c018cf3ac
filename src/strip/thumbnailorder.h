#pragma once
// New orders of the strip's entries when the user moves a selection: dragged
// to a gap, or shifted by one place. An order lists, for each new position,
// the entry's old index.

#include <vector>

// The selected entries (any order, duplicates ignored) gathered in their
// relative order at `gap` (0..count, counted before the move); the others keep
// theirs. Empty when nothing would change.
std::vector<int> OrderForMoveToGap(int count, const std::vector<int>& selected, int gap);

// Every selected entry one place left (delta -1) or right (+1), past its
// unselected neighbour; gaps inside the selection are kept. Empty when an
// entry of the selection is already at that end, or nothing is selected.
std::vector<int> OrderForShift(int count, const std::vector<int>& selected, int delta);
