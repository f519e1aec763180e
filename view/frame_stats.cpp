#include "view/frame_stats.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace {
double seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}
}  // namespace

FrameStats::FrameStats()
    : enabled_(std::getenv("KORVITH_FRAME_STATS") != nullptr),
      vector_(enabled_ && std::string(std::getenv("KORVITH_FRAME_STATS")) == "vector")
{
}

void FrameStats::tick(bool relaxing)
{
    if (!enabled_)
        return;
    if (relaxing && !measuring_) {
        measuring_ = true;
        paints_ = ticks_ = 0;
        paintCpu_ = 0;
        startCpu_ = seconds(CLOCK_PROCESS_CPUTIME_ID);
        startWall_ = seconds(CLOCK_MONOTONIC);
    }
    if (relaxing)
        ++ticks_;
    else if (measuring_)
        report();
}

void FrameStats::report()
{
    measuring_ = false;
    const double wall = seconds(CLOCK_MONOTONIC) - startWall_;
    const double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu_;
    std::fprintf(stderr,
                 "frame-stats: paints %ld ticks %ld seconds %.2f fps %.1f paint-cpu-ms %.2f tick-cpu-ms %.2f\n",
                 paints_, ticks_, wall, wall > 0 ? paints_ / wall : 0.0, paints_ ? 1000 * paintCpu_ / paints_ : 0.0,
                 ticks_ ? 1000 * (cpu - paintCpu_) / ticks_ : 0.0);
    std::fflush(stderr);
}

FrameStats::Clock::Clock(FrameStats& stats) : stats_(stats), start_(stats.measuring_ ? seconds(CLOCK_THREAD_CPUTIME_ID) : 0)
{
}

FrameStats::Clock::~Clock()
{
    if (!stats_.measuring_)
        return;
    ++stats_.paints_;
    stats_.paintCpu_ += seconds(CLOCK_THREAD_CPUTIME_ID) - start_;
}
