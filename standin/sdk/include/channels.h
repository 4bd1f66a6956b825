// Channel and part masks used by change notification.
#pragma once

#include <windows.h>

typedef ULONG ChannelMask;

#define TOPO_CHANNEL (1 << 0)
#define GEOM_CHANNEL (1 << 1)
#define TEXMAP_CHANNEL (1 << 2)
#define MTL_CHANNEL (1 << 3)
#define SELECT_CHANNEL (1 << 4)
#define SUBSEL_TYPE_CHANNEL (1 << 5)
#define DISP_ATTRIB_CHANNEL (1 << 6)
#define VERTCOLOR_CHANNEL (1 << 7)
#define GFX_DATA_CHANNEL (1 << 8)
#define DISP_APPROX_CHANNEL (1 << 9)
#define EXTENSION_CHANNEL (1 << 13)
#define TM_CHANNEL (1 << 10)
#define EDGEVISIB_CHANNEL (1 << 11)
#define GLOBMTL_CHANNEL ((ChannelMask)(1u << 31))
#define OBJ_CHANNELS                                                                               \
    (TOPO_CHANNEL | GEOM_CHANNEL | SELECT_CHANNEL | TEXMAP_CHANNEL | MTL_CHANNEL |                 \
     SUBSEL_TYPE_CHANNEL | DISP_ATTRIB_CHANNEL | VERTCOLOR_CHANNEL | GFX_DATA_CHANNEL |            \
     DISP_APPROX_CHANNEL | EXTENSION_CHANNEL)
#define ALL_CHANNELS (OBJ_CHANNELS | TM_CHANNEL | GLOBMTL_CHANNEL)
