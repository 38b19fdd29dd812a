#pragma once

#include <cstdio>
#include <ctime>

// The benchmark times start-up to the first paint of the program and of
// its floor programs, which include this alone. The moment goes to stderr
// on the monotonic clock, comparable with the process that started us,
// with the process's CPU time so far: read from outside, it would count
// the work that follows the paint.
inline void ReportFirstPaint()
{
    timespec now{};
    timespec cpu{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "zentro-first-paint %lld %lld\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                 static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
    std::fflush(stderr);
}
