#include "platform/TickPause.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ctime>

double tickScale()
{
    const char *text = std::getenv("TAVORIN_TICK_SCALE");
    if (!text || !*text)
        return 1.0;
    char *end = nullptr;
    const double scale = std::strtod(text, &end);
    return (*end == '\0' && std::isfinite(scale) && scale > 0) ? scale : 1.0;
}

void TickDeadlines::restart()
{
    clock_gettime(CLOCK_MONOTONIC, &deadline);
}

timespec TickDeadlines::after(unsigned long ticks) const
{
    const double seconds = double(ticks) * tickScale() / 60.0;
    const auto wholeSeconds = static_cast<time_t>(seconds);
    timespec later = deadline;
    later.tv_sec += wholeSeconds;
    later.tv_nsec += static_cast<long>((seconds - double(wholeSeconds)) * 1e9);
    if (later.tv_nsec >= 1000000000L) {
        later.tv_nsec -= 1000000000L;
        ++later.tv_sec;
    }
    return later;
}

bool TickDeadlines::passed(unsigned long ticks) const
{
    const timespec end = after(ticks);
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec > end.tv_sec || (now.tv_sec == end.tv_sec && now.tv_nsec >= end.tv_nsec);
}

void TickDeadlines::waitTicks(unsigned long ticks)
{
    // Callers report errno after a pause (the driver names the last failed read), so keep it.
    const int savedErrno = errno;
    deadline = after(ticks);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
    errno = savedErrno;
}

void Delay(unsigned long ticks, unsigned long *finalTicks)
{
    TickDeadlines pause;
    pause.restart();
    pause.waitTicks(ticks);
    if (finalTicks) {
        timespec now {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        *finalTicks = static_cast<unsigned long>(now.tv_sec * 60 + now.tv_nsec / (1000000000L / 60));
    }
}
