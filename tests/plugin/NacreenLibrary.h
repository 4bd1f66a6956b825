// Nacreen.dlt as the host loads it, for the behavioural tests. This is the only place that knows
// how the library is found and loaded, so the tests themselves stay free of platform calls.
#pragma once

#include "NacreenClassId.h"

#include <max.h>
#include <imtl.h>
#include <iparamb2.h>

#include <memory>

namespace nacreen_test {

// The map's parameter ids, as scenes and scripts know them.
enum ParamId : ParamID {
    kThicknessMax = 0, // "Min:" row, thickness at map value 0
    kThicknessMin = 1, // "Max:" row, thickness at map value 1
    kNMedium = 2,
    kNFilm = 3,
    kNInternal = 4,
    kThicknessMap = 5,
    kThicknessMapEnabled = 6,
    kGamma = 7,
    kHue = 8,
    kSat = 9,
    kOutput = 10,
};

enum RefIndex { kParamBlockRef = 0, kThicknessMapRef = 1, kOutputRef = 2 };

// The library, loaded once for the whole test program (which stops when it cannot be loaded).
bool NacreenLoaded();
HINSTANCE NacreenInstance();

// The library's exported entry points.
const MCHAR* LibDescription();
int LibNumberClasses();
ClassDesc* LibClassDesc(int i);
ULONG LibVersion();
int LibInitialize();
int LibShutdown();

ClassDesc2* NacreenDesc();
ParamBlockDesc2* NacreenBlockDesc();

// Objects the tests create are ended the way the host ends them.
struct DeleteTarget {
    void operator()(ReferenceTarget* target) const {
        if (target) {
            target->DeleteMe();
        }
    }
};
template <class T> using Owned = std::unique_ptr<T, DeleteTarget>;

// A new map, built by the descriptor as the host builds one.
Owned<Texmap> NewNacreen(BOOL loading = FALSE);

} // namespace nacreen_test
