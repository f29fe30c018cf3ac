#pragma once
// The frame operations of the Frame menu as index arithmetic: each works on
// the selected frames, or on all frames when none is selected, and gives the
// new list as the old index of the frame at each new position. An index may
// appear more than once (the later ones are copies) or not at all (removed).

#include <vector>

struct FrameArrangement
{
    std::vector<int> sources;  // old index of the frame at each new position
    std::vector<int> selected; // new positions selected afterwards (none
                               // after working on all frames unasked)
};

// The selected frames in reverse order, in the places they took.
FrameArrangement ReverseFrames(int count, const std::vector<int>& selected);
// After the last selected frame, copies of the selected frames back to the
// second, so that they play forward and back without repeating either end.
FrameArrangement YoyoFrames(int count, const std::vector<int>& selected);
// A copy right after each selected frame; the copies are selected.
FrameArrangement DuplicateFrames(int count, const std::vector<int>& selected);
// Of the selected frames in order, removes the Nth, 2Nth, ... (n >= 1).
FrameArrangement RemoveEveryNthFrame(int count, const std::vector<int>& selected, int n);
// Of the selected frames in order, keeps the 1st, (N+1)th, (2N+1)th, ... and
// removes the others (n >= 1).
FrameArrangement KeepEveryNthFrame(int count, const std::vector<int>& selected, int n);
