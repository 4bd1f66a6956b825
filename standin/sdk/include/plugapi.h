// Plug-in API: super class ids, the SDK version stamp and the class descriptor.
#pragma once

#include "maxtypes.h"

#define MAX_RELEASE_R27 27000
#define MAX_RELEASE MAX_RELEASE_R27
#define MAX_API_NUM 66
#define MAX_SDK_REV 0
#define MAXPLUGINAPI_VERSION(release, api, rev) (((release) << 16) + ((api) << 8) + (rev))
#define VERSION_3DSMAX MAXPLUGINAPI_VERSION(MAX_RELEASE, MAX_API_NUM, MAX_SDK_REV)
#define GET_MAX_RELEASE(x) (((x) >> 16) & 0xffff)
#define GET_MAX_API_NUM(x) (((x) >> 8) & 0xff)
#define GET_MAX_SDK_REV(x) ((x)&0xff)

#define TEXMAP_CLASS_ID 0x000c10
#define TEXOUTPUT_CLASS_ID 0x0000c40
#define PARAMETER_BLOCK2_CLASS_ID 0x000082

class ParamBlockDesc2;
class ParamMap2UserDlgProc;
class ReferenceMaker;

// Describes one plug-in class to the host: its identity, names and how to create objects.
class CoreExport ClassDesc : public MaxHeapOperators {
public:
    ClassDesc() = default;
    ClassDesc(const ClassDesc&) = delete;
    ClassDesc& operator=(const ClassDesc&) = delete;
    virtual ~ClassDesc();

    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual const MCHAR* ClassName() = 0;
    virtual const MCHAR* NonLocalizedClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    virtual const MCHAR* InternalName() { return nullptr; }
    virtual HINSTANCE HInstance() { return nullptr; }

    virtual void MakeAutoParamBlocks(ReferenceMaker* /*owner*/) {}
    virtual int NumParamBlockDescs() { return 0; }
    virtual ParamBlockDesc2* GetParamBlockDesc(int /*i*/) { return nullptr; }
    virtual ParamBlockDesc2* GetParamBlockDescByID(short /*id*/) { return nullptr; }
    virtual void AddParamBlockDesc(ParamBlockDesc2* /*pbd*/) {}
};
