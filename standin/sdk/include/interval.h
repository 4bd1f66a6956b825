// Interval: a closed span of animation time in ticks.
#pragma once

#include "maxtypes.h"

class UtilExport Interval : public MaxHeapOperators {
    TimeValue start;
    TimeValue end;

public:
    Interval(TimeValue s, TimeValue e);
    Interval() : start(TIME_NegInfinity), end(TIME_NegInfinity) {}

    int operator==(const Interval& i) const { return i.start == start && i.end == end; }
    bool operator!=(const Interval& i) const { return !(*this == i); }
    int InInterval(const TimeValue t) const {
        return start <= t && t <= end && t != TIME_NegInfinity;
    }
    int InInterval(const Interval interval) const {
        return InInterval(interval.start) && InInterval(interval.end);
    }
    int Empty() const { return start == TIME_NegInfinity && end == TIME_NegInfinity; }
    bool IsInfinite() const { return start == TIME_NegInfinity && end == TIME_PosInfinity; }

    void Set(TimeValue s, TimeValue e) {
        start = s;
        end = e;
    }
    void SetStart(TimeValue s) { start = s; }
    void SetEnd(TimeValue e) { end = e; }
    void SetEmpty() { start = end = TIME_NegInfinity; }
    void SetInfinite() {
        start = TIME_NegInfinity;
        end = TIME_PosInfinity;
    }
    void SetInstant(const TimeValue t) { start = end = t; }

    TimeValue Start() const { return start; }
    TimeValue End() const { return end; }
    TimeValue Duration() const { return end - start + 1; }

    Interval operator&(const Interval i) const;
    Interval& operator&=(const Interval i) { return *this = *this & i; }
    Interval& operator+=(const TimeValue t);
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)
