// Animatable: the root of everything the host animates, lists in track view and deletes.
#pragma once

#include "Noncopyable.h"
#include "ParamDimension.h"
#include "baseinterface.h"
#include "strclass.h"

class IParamBlock2;

// Custom properties hung on an animatable. The stand-in's host attaches none.
class AnimPropertyList : public MaxHeapOperators {
public:
    int Count() const { return 0; }
};

class CoreExport Animatable : public InterfaceServer, public MaxSDK::Util::Noncopyable {
protected:
    DWORD aflag = 0;
    AnimPropertyList aprops;

    // Objects end through DeleteThis, never through a plain delete from outside.
    virtual ~Animatable() = 0;

public:
    Animatable() = default;

    virtual void DeleteThis();

    virtual void GetClassName(MSTR& s, bool localized) const;
    MAX_DEPRECATED virtual void GetClassName(MSTR& s) MAX_SEALED;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID();

    virtual int NumSubs();
    virtual Animatable* SubAnim(int i);
    virtual MSTR SubAnimName(int i, bool localized);
    MAX_DEPRECATED virtual MSTR SubAnimName(int i) MAX_SEALED;
    virtual int SubNumToRefNum(int subNum);
    virtual ParamDimension* GetParamDimension(int i);

    virtual int NumParamBlocks();
    virtual IParamBlock2* GetParamBlock(int i);
    virtual IParamBlock2* GetParamBlockByID(short id);

    virtual void* GetInterface(ULONG id);
    BaseInterface* GetInterface(Interface_ID id) override;
};
