// The class descriptor of the Nacreen texture map: its identity, names and creation.
#pragma once

#include "NacreenClassId.h"

#include <max.h>
#include <iparamb2.h>

class NacreenClassDesc : public ClassDesc2 {
public:
    int IsPublic() override;
    void* Create(BOOL loading = FALSE) override;
    const MCHAR* ClassName() override;
    const MCHAR* NonLocalizedClassName() override;
    const MCHAR* InternalName() override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    const MCHAR* Category() override;
    HINSTANCE HInstance() override;
};

// The one descriptor of the library, built on first use.
ClassDesc2* GetNacreenDesc();
