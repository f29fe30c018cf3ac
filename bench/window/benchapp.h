#pragma once
// What every window benchmark shares: an application object that opens no
// window of its own, and its clock.

#include <wx/app.h>

#include <chrono>

class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

using BenchClock = std::chrono::steady_clock;

inline double Seconds(BenchClock::duration d)
{
    return std::chrono::duration<double>(d).count();
}
