// IParamBlock2: the values of one parameter block, by parameter id and time.
#pragma once

#include "../geom/acolor.h"
#include "../iparamb2Typedefs.h"
#include "../paramtype.h"
#include "../ref.h"

class IParamMap2;
class Mtl;
class ParamBlockDesc2;
class Texmap;

class PB2Export IParamBlock2 : public ReferenceTarget {
public:
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }

    virtual BlockID ID() = 0;
    virtual ReferenceMaker* GetOwner() = 0;
    virtual ParamBlockDesc2* GetDesc() = 0;
    virtual DWORD GetVersion() = 0;
    virtual int NumParams() = 0;
    virtual const MCHAR* GetLocalName() = 0;
    virtual MSTR GetLocalName(ParamID id, int tabIndex = -1, bool localized = true) = 0;
    virtual ParamID IndextoID(int i) = 0;
    virtual int IDtoIndex(ParamID id) = 0;
    virtual ParamType2 GetParameterType(ParamID id) = 0;
    virtual int Count(ParamID id) = 0;

    // Setting stores the value as given and notifies dependents with REFMSG_CHANGE. FALSE when
    // the id is unknown or the parameter has another type.
    virtual BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const Point3& v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const Color& v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const AColor& v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const MCHAR* v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, Mtl* v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, ReferenceTarget* v, int tabIndex = 0) = 0;

    // Getting writes the value at t and narrows ivalid to the span in which it holds.
    virtual BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Point3& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, AColor& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, const MCHAR*& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Mtl*& v, Interval& ivalid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, ReferenceTarget*& v, Interval& ivalid,
                          int tabIndex = 0) = 0;

    virtual float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Point3 GetPoint3(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Color GetColor(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual AColor GetAColor(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual const MCHAR* GetStr(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Mtl* GetMtl(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;

    // The span in which every parameter of the block keeps its value at t.
    virtual void GetValidity(TimeValue t, Interval& valid) = 0;

    // Id of the parameter whose change sent the last REFMSG_CHANGE; -1 for none in particular.
    virtual ParamID LastNotifyParamID() = 0;
    virtual ParamID LastNotifyParamID(int& tabIndex) = 0;

    virtual void SetMap(IParamMap2* m, MapID map_id = 0) = 0;
    virtual IParamMap2* GetMap(MapID map_id = 0) = 0;

    virtual void ResetAll(BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE) = 0;
    virtual void Reset(ParamID id, int tabIndex = -1, BOOL updateUI = TRUE,
                       BOOL callSetHandlers = TRUE) = 0;
    virtual void CallSets() = 0;
};
