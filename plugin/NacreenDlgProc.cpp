#include "NacreenDlgProc.h"

#include <shellapi.h>

#include "resources/resource.h"

#include "Nacreen.h"
#include "NacreenClassId.h"

namespace {
// The plug-in's home page.
const MCHAR* const kHomepageUrl = _T("https://en.wikipedia.org/wiki/Iridescence");
// The reference article on the physics the map is built on.
const MCHAR* const kArticleUrl = _T("https://en.wikipedia.org/wiki/Thin-film_interference");

// Opens `url` in the user's default browser. A failure is ignored: the rollout stays as it is.
void OpenWebPage(const MCHAR* url) {
    ShellExecuteW(nullptr, nullptr, url, nullptr, nullptr, SW_SHOW);
}

// The check box's command arrives after the binding has stored its new state in the block that
// the rollout shows; that block's owner is the map to update.
void UpdateControlsOfShownMap(IParamMap2* map) {
    IParamBlock2* block = map ? map->GetParamBlock() : nullptr;
    if (!block) {
        return;
    }
    static_cast<Nacreen*>(block->GetOwner())->UpdateThicknessControls();
}
} // namespace

NacreenDlgProc::NacreenDlgProc(Nacreen* map) : nacreen(map) {}

INT_PTR NacreenDlgProc::DlgProc(TimeValue /*t*/, IParamMap2* map, HWND /*hWnd*/, UINT msg,
                                WPARAM wParam, LPARAM /*lParam*/) {
    if (msg != WM_COMMAND) {
        return 0;
    }
    // A custom button set to do so also reports presses, releases and right clicks; only a
    // click opens a page. The check box is refreshed on every command it sends.
    const bool clicked = HIWORD(wParam) == BN_CLICKED;
    switch (LOWORD(wParam)) {
    case IDC_THICKNESS_MAP_ENABLED:
        UpdateControlsOfShownMap(map);
        break;
    case IDC_HOMEPAGE:
        if (clicked) {
            OpenWebPage(kHomepageUrl);
        }
        break;
    case IDC_ARTICLE:
        if (clicked) {
            OpenWebPage(kArticleUrl);
        }
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
