// Interval's exported members.
#include "interval.h"

Interval::Interval(TimeValue s, TimeValue e) : start(s), end(e) {}

Interval Interval::operator&(const Interval i) const {
    if (Empty() || i.Empty()) {
        return NEVER;
    }
    const TimeValue s = start > i.start ? start : i.start;
    const TimeValue e = end < i.end ? end : i.end;
    if (e < s) {
        return NEVER;
    }
    return Interval(s, e);
}

Interval& Interval::operator+=(const TimeValue t) {
    if (Empty()) {
        SetInstant(t);
        return *this;
    }
    if (t < start) {
        start = t;
    }
    if (t > end) {
        end = t;
    }
    return *this;
}
