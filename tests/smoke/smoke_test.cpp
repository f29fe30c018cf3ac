#include <gtest/gtest.h>
#include <wx/image.h>
TEST(Smoke, ImageHandlersPresent) { EXPECT_NE(wxImage::FindHandler(wxBITMAP_TYPE_PNG), nullptr); }
