// Saving and loading. The map writes only its base-class data; the host stores the parameter
// block, the thickness map and the output object as references 0 to 2.
#include "Nacreen.h"

namespace {
// Wraps the MtlBase data.
constexpr USHORT kMtlHeaderChunk = 0x4000;
// Written by earlier versions. Its contents are no longer used; it only clears the cached flag,
// which the next update reads again from the parameter block.
constexpr USHORT kLegacyChunk = 0x1000;
} // namespace

IOResult Nacreen::Save(ISave* isave) {
    isave->BeginChunk(kMtlHeaderChunk);
    const IOResult result = MtlBase::Save(isave);
    if (result != IO_OK) {
        return result;
    }
    isave->EndChunk();
    return IO_OK;
}

IOResult Nacreen::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult result = IO_OK;
        switch (iload->CurChunkID()) {
        case kMtlHeaderChunk:
            result = MtlBase::Load(iload);
            break;
        case kLegacyChunk:
            useThicknessMap = 0;
            break;
        default:
            break;
        }
        iload->CloseChunk();
        if (result != IO_OK) {
            return result;
        }
    }
    // Running out of chunks is the normal end; a failed read is reported as such.
    return opened == IO_END ? IO_OK : opened;
}
