// ShadeOutput: what one shading sample produces.
#pragma once

#include "../baseinterface.h"
#include "../geom/color.h"

#include <windows.h>

class ShadeOutput : public BaseInterfaceServer {
public:
    ULONG flags = 0;
    Color c;
    Color t;
    float ior = 1.0f;
    int gbufId = 0;

    void Reset(int /*n*/ = -1) {
        flags = 0;
        c.Black();
        t.Black();
        ior = 1.0f;
        gbufId = 0;
    }
};
