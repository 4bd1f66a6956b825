// ISubMap: the sub-texture-map slots of a material or map.
#pragma once

#include "../maxheap.h"
#include "../strclass.h"

#include <windows.h>

class ParamDlg;
class ReferenceTarget;
class Texmap;

#define MAPSLOT_TEXTURE 0
#define MAPSLOT_ENVIRON 1
#define MAPSLOT_DISPLACEMENT 2
#define MAPSLOT_BACKGROUND 3

class CoreExport ISubMap : public MaxHeapOperators {
public:
    virtual ~ISubMap() = default;
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int /*i*/) { return nullptr; }
    virtual int MapSlotType(int i) = 0;
    virtual void SetSubTexmap(int /*i*/, Texmap* /*m*/) {}
    virtual int SubTexmapOn(int /*i*/) { return 1; }
    virtual MSTR GetSubTexmapSlotName(int i, bool localized);
    MAX_DEPRECATED virtual MSTR GetSubTexmapSlotName(int i) MAX_SEALED;
    // The name track view shows for sub-texmap i.
    MSTR GetSubTexmapTVName(int i, bool localized = true);
    virtual BOOL SetDlgThing(ParamDlg* /*dlg*/) { return FALSE; }
    void CopySubTexmap(HWND hwnd, int ifrom, int ito);
    virtual ReferenceTarget* GetRefTarget() = 0;
};
