#include "NacreenDlgProc.h"

#include "resources/resource.h"

#include "Nacreen.h"
#include "NacreenClassDesc.h"
#include "WebLinks.h"

NacreenDlgProc::NacreenDlgProc(Nacreen* map) : nacreen(map) {}

INT_PTR NacreenDlgProc::DlgProc(TimeValue /*t*/, IParamMap2* map, HWND /*hWnd*/, UINT msg,
                                WPARAM wParam, LPARAM /*lParam*/) {
    if (msg != WM_COMMAND) {
        return 0;
    }
    switch (LOWORD(wParam)) {
    case IDC_THICKNESS_MAP_ENABLED:
        // The binding has already stored the new check-box state in the map's block.
        static_cast<Nacreen*>(map->GetParamBlock()->GetOwner())->UpdateThicknessControls();
        break;
    case IDC_HOMEPAGE:
        OpenWebPage(homepageUrl);
        break;
    case IDC_ARTICLE:
        OpenWebPage(articleUrl);
        break;
    default:
        break;
    }
    return 0;
}

void NacreenDlgProc::DeleteThis() {
    delete this;
}

void NacreenDlgProc::SetThing(ReferenceTarget* m) {
    if (!m || m->ClassID() != NACREEN_CLASS_ID) {
        return;
    }
    nacreen = static_cast<Nacreen*>(m);
    nacreen->UpdateThicknessControls();
}
