// Parameter dimensions: how a value converts for display. The default one is unit-less.
#pragma once

#include "coreexp.h"
#include "maxheap.h"
#include "strbasic.h"

#define DIM_WORLD 0
#define DIM_ANGLE 1
#define DIM_COLOR 2
#define DIM_COLOR255 3
#define DIM_PERCENT 4
#define DIM_NORMALIZED 5
#define DIM_SEGMENTS 6
#define DIM_TIME 7
#define DIM_CUSTOM 8

typedef int DimType;

class CoreExport ParamDimensionBase : public MaxHeapOperators {
public:
    virtual ~ParamDimensionBase() = default;
    virtual DimType DimensionType() = 0;
    virtual float Convert(float value) = 0;
    virtual float UnConvert(float value) = 0;
};

class CoreExport ParamDimension : public ParamDimensionBase {
public:
    virtual float GetDimScale() { return 1.0f; }
    virtual void SetDimScale() {}
    virtual const MCHAR* DimensionName() { return _M(""); }
};

extern CoreExport ParamDimension* defaultDim;
