// Texmap's defaults and the texture map categories.
#include "imtl.h"

MCHAR TEXMAP_CAT_2D[] = _M("2D Maps");
MCHAR TEXMAP_CAT_3D[] = _M("3D Maps");
MCHAR TEXMAP_CAT_COMP[] = _M("Compositors");
MCHAR TEXMAP_CAT_COLMOD[] = _M("Color Mods");
MCHAR TEXMAP_CAT_ENV[] = _M("Environment");

void Texmap::GetClassName(MSTR& s, bool) const {
    s = _M("Texture");
}

float Texmap::EvalMono(ShadeContext& sc) {
    return Intens(EvalColor(sc));
}

void Texmap::GetUVTransform(Matrix3& uvtrans) {
    uvtrans.IdentityMatrix();
}

bool Texmap::IsOutputMeaningful(ShadeContext& sc) {
    if (IsLocalOutputMeaningful(sc)) {
        return true;
    }
    for (int i = 0; i < NumSubTexmaps(); ++i) {
        Texmap* sub = GetSubTexmap(i);
        if (sub && SubTexmapOn(i) && sub->IsOutputMeaningful(sc)) {
            return true;
        }
    }
    return false;
}
