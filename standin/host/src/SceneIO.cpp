// Scene files: the reference graph under a root, each object once.
//
// Layout (chunks of maxhost/ChunkStreams.h):
//   kHeader   magic "NCSC", format version, CRC-32 of everything after this chunk
//   kObject*  kClass (super class id, class id) | kData (the object's own Save) |
//             kRefs (slot count, then per slot the object index or -1)
//   kRoot     index of the root object
#include "maxhost/SceneIO.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "iparamb2.h"
#include "maxhost/ChunkStreams.h"
#include "maxhost/ClassRegistry.h"
#include "ref.h"
#include "HostAccess.h"

namespace maxhost {

namespace {

constexpr USHORT kHeader = 0x5c00;
constexpr USHORT kObject = 0x5c10;
constexpr USHORT kClass = 0x5c11;
constexpr USHORT kData = 0x5c12;
constexpr USHORT kRefs = 0x5c13;
constexpr USHORT kRoot = 0x5c20;
constexpr unsigned int kMagic = 0x4353434e; // "NCSC"
constexpr unsigned int kVersion = 1;
// A scene larger than this is not one this host wrote.
constexpr long kMaxFileSize = 1L << 30;

template <typename T> bool Put(ISave& isave, const T& value) {
    ULONG written = 0;
    return isave.Write(&value, sizeof(T), &written) == IO_OK;
}

template <typename T> bool Get(ILoad& iload, T& value) {
    ULONG read = 0;
    return iload.Read(&value, sizeof(T), &read) == IO_OK;
}

// CRC-32 (IEEE 802.3): damage inside a chunk would otherwise load as other objects in other
// slots, which plug-ins reasonably trust to hold what they installed there.
unsigned int Crc32(const unsigned char* data, std::size_t size) {
    unsigned int crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

constexpr std::size_t kHeaderSize = 6 + 3 * sizeof(unsigned int);

std::string Narrow(const MCHAR* text) {
    std::string narrow;
    for (const MCHAR* c = text; c && *c; ++c) {
        narrow += (*c >= 0x20 && *c < 0x7f) ? static_cast<char>(*c) : '?';
    }
    return narrow;
}

std::string Describe(ReferenceTarget* obj, std::size_t index) {
    MSTR name;
    obj->GetClassName(name, false);
    return "object #" + std::to_string(index) + " (" + Narrow(name.data()) + ")";
}

// Objects reachable from root, root first, each once.
std::vector<ReferenceTarget*> Collect(ReferenceTarget* root) {
    std::vector<ReferenceTarget*> order{root};
    for (std::size_t next = 0; next < order.size(); ++next) {
        ReferenceTarget* obj = order[next];
        // Only references installed through the reference system can be saved and restored.
        MaxStandin::HostAccess::CheckReferenceSlots(obj);
        for (int i = 0; i < obj->NumRefs(); ++i) {
            ReferenceTarget* target = obj->GetReference(i);
            if (target && std::find(order.begin(), order.end(), target) == order.end()) {
                order.push_back(target);
            }
        }
    }
    return order;
}

int IndexOf(const std::vector<ReferenceTarget*>& objects, ReferenceTarget* target) {
    if (!target) {
        return -1;
    }
    auto it = std::find(objects.begin(), objects.end(), target);
    return it == objects.end() ? -1 : static_cast<int>(it - objects.begin());
}

bool WriteObject(ChunkWriter& writer, const std::vector<ReferenceTarget*>& objects,
                 std::size_t index, std::string& error) {
    ReferenceTarget* obj = objects[index];
    const Class_ID cid = obj->ClassID();
    writer.BeginChunk(kObject);
    writer.BeginChunk(kClass);
    Put(writer, static_cast<unsigned int>(obj->SuperClassID()));
    Put(writer, static_cast<unsigned int>(cid.PartA()));
    Put(writer, static_cast<unsigned int>(cid.PartB()));
    writer.EndChunk();
    writer.BeginChunk(kData);
    const int depth = writer.CurChunkDepth();
    const IOResult saved = obj->Save(&writer);
    if (saved != IO_OK || writer.CurChunkDepth() != depth) {
        error = Describe(obj, index) +
                (saved != IO_OK ? " failed to save" : " left a chunk open while saving");
        return false;
    }
    writer.EndChunk();
    writer.BeginChunk(kRefs);
    Put(writer, obj->NumRefs());
    for (int i = 0; i < obj->NumRefs(); ++i) {
        Put(writer, IndexOf(objects, obj->GetReference(i)));
    }
    writer.EndChunk();
    writer.EndChunk();
    return true;
}

// One object as the file describes it.
struct Entry {
    unsigned int sclass = 0;
    Class_ID cid;
    bool hasClass = false;
    std::vector<unsigned char> data;
    bool hasData = false;
    std::vector<int> refs;
};

bool ReadRefs(ChunkReader& reader, Entry& entry) {
    int count = 0;
    if (!Get(reader, count) || count < 0) {
        return false;
    }
    // Slots are read one by one, so the chunk's own length bounds them, not `count`.
    for (int i = 0; i < count; ++i) {
        int index = 0;
        if (!Get(reader, index)) {
            return false;
        }
        entry.refs.push_back(index);
    }
    return true;
}

bool ReadEntry(ChunkReader& reader, Entry& entry) {
    IOResult opened;
    while ((opened = reader.OpenChunk()) == IO_OK) {
        bool ok = true;
        switch (reader.CurChunkID()) {
        case kClass: {
            unsigned int a = 0, b = 0;
            ok = Get(reader, entry.sclass) && Get(reader, a) && Get(reader, b);
            entry.cid = Class_ID(a, b);
            entry.hasClass = ok;
            break;
        }
        case kData: {
            entry.data.resize(reader.Remaining());
            ULONG read = 0;
            ok = entry.data.empty() ||
                 reader.ReadVoid(entry.data.data(), static_cast<ULONG>(entry.data.size()), &read) ==
                     IO_OK;
            entry.hasData = ok;
            break;
        }
        case kRefs:
            ok = ReadRefs(reader, entry);
            break;
        default:
            break;
        }
        if (reader.CloseChunk() != IO_OK || !ok) {
            return false;
        }
    }
    return opened == IO_END && entry.hasClass && entry.hasData;
}

bool ReadScene(const std::vector<unsigned char>& bytes, std::vector<Entry>& entries, int& root,
               std::string& error) {
    ChunkReader reader(bytes);
    unsigned int magic = 0, version = 0, crc = 0;
    if (reader.OpenChunk() != IO_OK || reader.CurChunkID() != kHeader || !Get(reader, magic) ||
        magic != kMagic) {
        error = "not a scene file";
        return false;
    }
    if (!Get(reader, version) || version != kVersion) {
        error = "unsupported scene format version " + std::to_string(version);
        return false;
    }
    if (!Get(reader, crc) || reader.CloseChunk() != IO_OK || bytes.size() < kHeaderSize ||
        Crc32(bytes.data() + kHeaderSize, bytes.size() - kHeaderSize) != crc) {
        error = "truncated or corrupt scene file";
        return false;
    }
    root = -1;
    IOResult opened;
    while ((opened = reader.OpenChunk()) == IO_OK) {
        bool ok = true;
        if (reader.CurChunkID() == kObject) {
            entries.emplace_back();
            ok = ReadEntry(reader, entries.back());
        } else if (reader.CurChunkID() == kRoot) {
            ok = Get(reader, root);
        }
        if (reader.CloseChunk() != IO_OK || !ok) {
            error = "truncated or corrupt scene file";
            return false;
        }
    }
    if (opened != IO_END) {
        error = "truncated or corrupt scene file";
        return false;
    }
    if (root < 0 || root >= static_cast<int>(entries.size())) {
        error = "the scene file names no valid root object";
        return false;
    }
    return true;
}

bool HasCycle(const std::vector<Entry>& entries) {
    // 0 unvisited, 1 on the current path, 2 done.
    std::vector<int> state(entries.size(), 0);
    std::vector<std::pair<std::size_t, std::size_t>> stack;
    for (std::size_t start = 0; start < entries.size(); ++start) {
        if (state[start]) {
            continue;
        }
        stack.emplace_back(start, 0);
        state[start] = 1;
        while (!stack.empty()) {
            auto& [node, slot] = stack.back();
            if (slot == entries[node].refs.size()) {
                state[node] = 2;
                stack.pop_back();
                continue;
            }
            const int next = entries[node].refs[slot++];
            if (next < 0) {
                continue;
            }
            if (state[static_cast<std::size_t>(next)] == 1) {
                return true;
            }
            if (state[static_cast<std::size_t>(next)] == 0) {
                state[static_cast<std::size_t>(next)] = 1;
                stack.emplace_back(static_cast<std::size_t>(next), 0);
            }
        }
    }
    return false;
}

bool CheckGraph(const std::vector<Entry>& entries, int root, std::string& error) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (int target : entries[i].refs) {
            if (target < -1 || target >= static_cast<int>(entries.size())) {
                error = "object #" + std::to_string(i) + " refers to a missing object";
                return false;
            }
            // A saved root is referenced by nothing; one that is would be deleted with the
            // unreachable objects that reference it.
            if (target == root) {
                error = "object #" + std::to_string(i) + " refers to the scene's root object";
                return false;
            }
        }
    }
    if (HasCycle(entries)) {
        error = "the scene's references form a cycle";
        return false;
    }
    return true;
}

// Objects made before their references were restored hold only what their own constructors
// made, so each can be deleted on its own.
void DeleteUnlinked(std::vector<ReferenceTarget*>& objects) {
    for (ReferenceTarget* obj : objects) {
        if (obj) {
            obj->MaybeAutoDelete();
        }
    }
    objects.clear();
}

bool CreateObjects(const std::vector<Entry>& entries, std::vector<ReferenceTarget*>& objects,
                   std::string& error) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        ClassDesc* cd = FindClassDesc(entry.sclass, entry.cid);
        if (!cd) {
            char id[64];
            std::snprintf(id, sizeof(id), "0x%x, class 0x%lx/0x%lx", entry.sclass,
                          static_cast<unsigned long>(entry.cid.PartA()),
                          static_cast<unsigned long>(entry.cid.PartB()));
            error =
                "object #" + std::to_string(i) + " has an unknown class (super class " + id + ")";
            return false;
        }
        auto* obj = static_cast<ReferenceTarget*>(cd->Create(TRUE));
        if (!obj) {
            error = "object #" + std::to_string(i) + ": its class could not create it";
            return false;
        }
        objects.push_back(obj);
        if (static_cast<int>(entry.refs.size()) > obj->NumRefs()) {
            error = Describe(obj, i) + " has fewer references than the file gives it";
            return false;
        }
    }
    return true;
}

bool LoadObjects(const std::vector<Entry>& entries, const std::vector<ReferenceTarget*>& objects,
                 std::vector<std::unique_ptr<ChunkReader>>& readers, std::string& error) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        readers.push_back(std::make_unique<ChunkReader>(entries[i].data));
        if (objects[i]->Load(readers.back().get()) != IO_OK) {
            error = Describe(objects[i], i) + " failed to load";
            return false;
        }
    }
    return true;
}

// The super class a slot's parameter declares (P_OWNERS_REF with p_refno), or 0 when no
// parameter of the owner's class describes the slot or the slot may hold any target.
SClass_ID DeclaredSuperClass(ClassDesc& cd, int slot) {
    for (int b = 0; b < cd.NumParamBlockDescs(); ++b) {
        ParamBlockDesc2* desc = cd.GetParamBlockDesc(b);
        for (int p = 0; desc && p < desc->Count(); ++p) {
            const ParamDef& def = desc->paramdefs[p];
            if (!(def.flags & P_OWNERS_REF) || def.refno != slot) {
                continue;
            }
            if (def.type == TYPE_TEXMAP) {
                return TEXMAP_CLASS_ID;
            }
            if (def.type == TYPE_MTL) {
                return MATERIAL_CLASS_ID;
            }
        }
    }
    return 0;
}

// Whether `target` may go into the slot. Plug-ins cast what their slots hold to what they
// installed there, so a file may not hand them an object of another kind: a slot the object's
// construction filled takes an object of the same class, and a slot its parameters declare
// takes an object of that super class.
bool FitsSlot(ReferenceTarget* owner, ClassDesc& cd, int slot, ReferenceTarget* target) {
    ReferenceTarget* installed = owner->GetReference(slot);
    if (installed) {
        return target && target->SuperClassID() == installed->SuperClassID() &&
               target->ClassID() == installed->ClassID();
    }
    const SClass_ID declared = DeclaredSuperClass(cd, slot);
    return !target || declared == 0 || target->SuperClassID() == declared;
}

bool CheckSlots(const std::vector<Entry>& entries, const std::vector<ReferenceTarget*>& objects,
                std::string& error) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ClassDesc* cd = FindClassDesc(entries[i].sclass, entries[i].cid);
        for (std::size_t slot = 0; slot < entries[i].refs.size(); ++slot) {
            const int index = entries[i].refs[slot];
            ReferenceTarget* target =
                index < 0 ? nullptr : objects[static_cast<std::size_t>(index)];
            if (!FitsSlot(objects[i], *cd, static_cast<int>(slot), target)) {
                error = Describe(objects[i], i) + " cannot hold " +
                        (target ? Describe(target, static_cast<std::size_t>(index))
                                : std::string("nothing")) +
                        " in reference slot " + std::to_string(slot);
                return false;
            }
        }
    }
    return true;
}

void RestoreReferences(const std::vector<Entry>& entries,
                       const std::vector<ReferenceTarget*>& objects) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (std::size_t slot = 0; slot < entries[i].refs.size(); ++slot) {
            const int index = entries[i].refs[slot];
            ReferenceTarget* target =
                index < 0 ? nullptr : objects[static_cast<std::size_t>(index)];
            // Replaces what the constructor installed; that is deleted once unreferenced.
            objects[i]->ReplaceReference(static_cast<int>(slot), target, TRUE);
        }
    }
}

// Deletes loaded objects that nothing references and that are not the root. Only those
// with no referencer in the file are deleted directly; the rest follow through them.
void DropUnreachable(const std::vector<Entry>& entries,
                     const std::vector<ReferenceTarget*>& objects, int root) {
    std::vector<bool> referenced(entries.size(), false);
    for (const Entry& entry : entries) {
        for (int target : entry.refs) {
            if (target >= 0) {
                referenced[static_cast<std::size_t>(target)] = true;
            }
        }
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (static_cast<int>(i) != root && !referenced[i]) {
            objects[i]->MaybeAutoDelete();
        }
    }
}

} // namespace

bool SaveSceneToBytes(ReferenceTarget* root, std::vector<unsigned char>& bytes,
                      std::string& error) {
    if (!root) {
        error = "nothing to save";
        return false;
    }
    ChunkWriter writer;
    writer.BeginChunk(kHeader);
    Put(writer, kMagic);
    Put(writer, kVersion);
    Put(writer, 0u); // the checksum, filled in at the end
    writer.EndChunk();
    const std::vector<ReferenceTarget*> objects = Collect(root);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (!WriteObject(writer, objects, i, error)) {
            return false;
        }
    }
    writer.BeginChunk(kRoot);
    Put(writer, 0);
    writer.EndChunk();
    if (!writer.Healthy() || writer.CurChunkDepth() != 0) {
        error = "an object wrote unbalanced chunks";
        return false;
    }
    bytes = writer.Bytes();
    const unsigned int crc = Crc32(bytes.data() + kHeaderSize, bytes.size() - kHeaderSize);
    std::memcpy(bytes.data() + kHeaderSize - sizeof(crc), &crc, sizeof(crc));
    return true;
}

ReferenceTarget* LoadSceneFromBytes(const std::vector<unsigned char>& bytes, std::string& error) {
    std::vector<Entry> entries;
    int root = -1;
    if (!ReadScene(bytes, entries, root, error) || !CheckGraph(entries, root, error)) {
        return nullptr;
    }
    std::vector<ReferenceTarget*> objects;
    std::vector<std::unique_ptr<ChunkReader>> readers;
    if (!CreateObjects(entries, objects, error) || !LoadObjects(entries, objects, readers, error) ||
        !CheckSlots(entries, objects, error)) {
        DeleteUnlinked(objects);
        return nullptr;
    }
    RestoreReferences(entries, objects);
    for (auto& reader : readers) {
        reader->RunPostLoadCallbacks();
    }
    DropUnreachable(entries, objects, root);
    return objects[static_cast<std::size_t>(root)];
}

bool SaveScene(const std::string& path, ReferenceTarget* root, std::string& error) {
    std::vector<unsigned char> bytes;
    if (!SaveSceneToBytes(root, bytes, error)) {
        return false;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                         &std::fclose);
    if (!file) {
        error = "cannot open '" + path + "' for writing";
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

ReferenceTarget* LoadScene(const std::string& path, std::string& error) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        error = "cannot open '" + path + "'";
        return nullptr;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
        if (bytes.size() + n > static_cast<std::size_t>(kMaxFileSize)) {
            error = "'" + path + "' is too large to be a scene file";
            return nullptr;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    if (std::ferror(file.get())) {
        error = "cannot read '" + path + "'";
        return nullptr;
    }
    ReferenceTarget* root = LoadSceneFromBytes(bytes, error);
    if (!root) {
        error = "'" + path + "': " + error;
    }
    return root;
}

} // namespace maxhost
