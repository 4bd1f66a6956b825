// Materials and texture maps: the classes, the shading context and the map categories.
#pragma once

#include "Materials/IMtlParams.h"
#include "Materials/ISubMap.h"
#include "Materials/MtlBase.h"
#include "Materials/ParamDlg.h"
#include "Materials/Texmap.h"
#include "Materials/TextureOutput.h"
#include "Rendering/ShadeContext.h"

extern CoreExport MCHAR TEXMAP_CAT_2D[];
extern CoreExport MCHAR TEXMAP_CAT_3D[];
extern CoreExport MCHAR TEXMAP_CAT_COMP[];
extern CoreExport MCHAR TEXMAP_CAT_COLMOD[];
extern CoreExport MCHAR TEXMAP_CAT_ENV[];
