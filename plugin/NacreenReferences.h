// References, sub-anims and sub-texmaps of a Nacreen map share one numbering.
#pragma once

enum NacreenRefID {
    PBLOCK_REF,
    THICKNESS_MAP_REF,
    OUTPUT_REF,
    NUM_REFS,
};

// The thickness map is the map's only sub-texmap.
enum NacreenSubTexID {
    THICKNESS_MAP_SUBTEX,
    NUM_SUBTEXMAPS,
};
