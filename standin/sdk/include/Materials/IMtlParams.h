// IMtlParams: the material editor as seen by the dialogs it hosts.
#pragma once

#include "../baseinterface.h"

class CoreExport IMtlParams : public InterfaceServer {
public:
    // The edited material or map changed; the editor redraws its sample slots.
    virtual void MtlChanged() = 0;
    virtual TimeValue GetTime() = 0;
};
