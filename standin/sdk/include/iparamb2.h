// Parameter blocks: descriptors, class descriptors that own them, and the blocks themselves. The
// parameter maps that show them in rollouts are declared in iparamm2.h, which includes this.
#pragma once

#include "ioapi.h"
#include "iparamb2Typedefs.h"
#include "paramtype.h"

// Block flags.
#define P_CLASS_PARAMS 0x0001
#define P_AUTO_CONSTRUCT 0x0002
#define P_AUTO_UI 0x0004
#define P_USE_PARAMS 0x0008
#define P_INCLUDE_PARAMS 0x0010
#define P_MULTIMAP 0x0020
#define P_CALLSETS_ON_LOAD 0x0040
#define P_HASCATEGORY 0x0080
#define P_TEMPLATE_UI 0x0100
#define P_VERSION 0x0200
#define P_AUTO_UI_QT 0x0400
#define P_SCRIPTED_CLASS 0x1000
#define P_TEMPORARY 0x2000

// Parameter flags.
#define P_ANIMATABLE 0x00000001
#define P_TRANSIENT 0x00000002
#define P_NO_INIT 0x00000004
#define P_COMPUTED_NAME 0x00000008
#define P_INVISIBLE 0x00000010
#define P_RESET_DEFAULT 0x00000020
#define P_SUBANIM 0x00000040
#define P_TV_SHOW_ALL 0x00000080
#define P_NO_REF 0x00000100
#define P_OWNERS_REF 0x00000200
#define P_CAN_CONVERT 0x00000400
#define P_SUBTEX 0x00000800
#define P_VARIABLE_SIZE 0x00001000
#define P_NO_AUTO_LABELS 0x00002000
#define P_SHORT_LABELS 0x00004000
#define P_READ_ONLY 0x00008000
#define P_OBSOLETE 0x40000000

#include "paramblk2/ClassDesc2.h"
#include "paramblk2/IParamBlock2.h"
#include "paramblk2/ParamBlockDesc2.h"
