#pragma once
// Brings a picture to the animation's output size: larger pictures shrink with
// their aspect ratio kept, smaller ones are never enlarged, and whatever the
// picture leaves uncovered is black. Plain wxImage work, safe on any thread.

#include <wx/gdicmn.h>

class wxImage;

// Where and at what size a picture of pictureSize lands in an output of
// outputSize. A picture that would shrink to nothing keeps one pixel.
wxRect FitPictureRect(const wxSize& pictureSize, const wxSize& outputSize);

// A picture with its masked pixels black and its alpha blended over black; no
// mask or alpha left.
wxImage FlattenOverBlack(const wxImage& picture);

// The composed frame of exactly width x height pixels (invalid when either is
// not positive). An invalid picture gives a black frame.
wxImage ComposeFrame(const wxImage& picture, int width, int height);
