#pragma once

namespace nacreen {

// Four 32-bit floats r, g, b, a: the colour type of the shading core. It has the layout of the
// host's AColor so the plug-in can map one onto the other.
struct Color4 {
    float r, g, b, a;

    // Limits every component to [0, 1]. A NaN component becomes 0, so no non-finite value ever
    // leaves the core; every other value is limited exactly as a plain clamp would.
    void ClampMinMax() {
        r = ClampUnit(r);
        g = ClampUnit(g);
        b = ClampUnit(b);
        a = ClampUnit(a);
    }

    static float ClampUnit(float value) {
        if (!(value >= 0.0f)) {
            return 0.0f;
        }
        return value > 1.0f ? 1.0f : value;
    }
};

} // namespace nacreen
