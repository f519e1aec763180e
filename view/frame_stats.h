// Paint and tick counts of the window while it relaxes until stable, printed on
// standard error when the run ends. Switched on by the environment variable
// KORVITH_FRAME_STATS (a developer's measuring aid; scripts/frame-rate.sh uses it).
// KORVITH_FRAME_STATS=vector also makes the window paint with the toolkit's
// vector shapes, as it did before it had its own renderer, for comparison.
#pragma once

#include <cstdio>

class FrameStats {
public:
    FrameStats();

    // True when the window is to paint with the toolkit's vector shapes.
    bool vectorPainting() const { return vector_; }

    // A timer tick: `relaxing` tells whether relaxing until stable is on.
    // Starts a measurement when it comes on, prints and ends it when it goes off.
    void tick(bool relaxing);

    // Measures the CPU time of one paint while it is in scope.
    class Clock {
    public:
        explicit Clock(FrameStats& stats);
        ~Clock();

    private:
        FrameStats& stats_;
        double start_;
    };

private:
    void report();
    bool enabled_;
    bool vector_;
    bool measuring_ = false;
    long paints_ = 0, ticks_ = 0;
    double paintCpu_ = 0, startCpu_ = 0, startWall_ = 0;
};
