// MtlBase: base data, its persistence in chunks of its own, and the requirement queries.
#include "imtl.h"

#include "ioapi.h"

namespace {

// Chunks inside whatever chunk the object wraps around MtlBase::Save.
constexpr USHORT kNameChunk = 0x4001;
constexpr USHORT kFlagsChunk = 0x4002;
constexpr USHORT kGBufIdChunk = 0x4003;

IOResult WriteULong(ISave* isave, USHORT chunk, ULONG value) {
    ULONG written = 0;
    isave->BeginChunk(chunk);
    const IOResult result = isave->Write(&value, sizeof(value), &written);
    isave->EndChunk();
    return result;
}

} // namespace

MtlBase::~MtlBase() = default;

MSTR MtlBase::GetFullName(bool localized) {
    MSTR className;
    GetClassName(className, localized);
    return name + MSTR(_M(" (")) + className + MSTR(_M(")"));
}

MSTR MtlBase::GetFullName() {
    return GetFullName(true);
}

void MtlBase::SetMtlFlag(int mask, BOOL val) {
    if (val) {
        mtlFlags |= static_cast<ULONG>(mask);
    } else {
        mtlFlags &= ~static_cast<ULONG>(mask);
    }
}

MtlBase& MtlBase::operator=(const MtlBase& m) {
    name = m.name;
    gbufID = m.gbufID;
    // Editing state belongs to the original, not to its copy.
    mtlFlags = m.mtlFlags & ~static_cast<ULONG>(MTL_BEING_EDITED | MTL_SUB_BEING_EDITED);
    return *this;
}

ULONG MtlBase::Requirements(int subMtlNum) {
    ULONG requirements = LocalRequirements(subMtlNum);
    for (int i = 0; i < NumSubTexmaps(); ++i) {
        if (Texmap* sub = GetSubTexmap(i)) {
            requirements |= sub->Requirements(subMtlNum);
        }
    }
    return requirements;
}

void MtlBase::MappingsRequired(int subMtlNum, BitArray& mapreq, BitArray& bumpreq) {
    LocalMappingsRequired(subMtlNum, mapreq, bumpreq);
    for (int i = 0; i < NumSubTexmaps(); ++i) {
        if (Texmap* sub = GetSubTexmap(i)) {
            sub->MappingsRequired(subMtlNum, mapreq, bumpreq);
        }
    }
}

IOResult MtlBase::Save(ISave* isave) {
    isave->BeginChunk(kNameChunk);
    const IOResult named = isave->WriteWString(name.data());
    isave->EndChunk();
    if (named != IO_OK) {
        return named;
    }
    IOResult result = WriteULong(isave, kFlagsChunk, mtlFlags);
    if (result != IO_OK) {
        return result;
    }
    return WriteULong(isave, kGBufIdChunk, gbufID);
}

IOResult MtlBase::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult result = IO_OK;
        ULONG count = 0;
        switch (iload->CurChunkID()) {
        case kNameChunk: {
            wchar_t* text = nullptr;
            result = iload->ReadWStringChunk(&text);
            if (result == IO_OK) {
                name = text;
            }
            break;
        }
        case kFlagsChunk:
            result = iload->Read(&mtlFlags, sizeof(mtlFlags), &count);
            break;
        case kGBufIdChunk:
            result = iload->Read(&gbufID, sizeof(gbufID), &count);
            break;
        default:
            break;
        }
        const IOResult closed = iload->CloseChunk();
        if (result != IO_OK) {
            return result;
        }
        if (closed != IO_OK) {
            return closed;
        }
    }
    return opened == IO_END ? IO_OK : opened;
}

void MtlBase::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    ReferenceTarget::BaseClone(from, to, remap);
}

Class_ID MtlBase::ClassID() {
    return Class_ID(0, 0);
}
