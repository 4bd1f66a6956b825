// The unit-less default dimension.
#include "ParamDimension.h"

namespace {

class DefaultDimension : public ParamDimension {
public:
    DimType DimensionType() override { return DIM_CUSTOM; }
    float Convert(float value) override { return value; }
    float UnConvert(float value) override { return value; }
};

DefaultDimension theDefaultDimension;

} // namespace

ParamDimension* defaultDim = &theDefaultDimension;
