// Scene files: the host's chunk streams, and the reference graph under a root saved and loaded
// through them, each object once.
//
// Loading builds only the objects the root reaches, refuses chains of references nested deeper
// than kMaxNesting, and installs an object in a slot only if it is the kind the slot holds.
//
// Layout:
//   kHeader   magic "NCSC", format version, CRC-32 of everything after this chunk
//   kObject*  kClass (super class id, class id) | kData (the object's own Save) |
//             kRefs (slot count, then per slot the object index or -1)
//   kRoot     index of the root object
#include "maxhost/SceneFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "maxhost/Host.h"

namespace maxhost {

// ---- chunk streams -------------------------------------------------------------------------

namespace {

constexpr std::size_t kChunkHeaderSize = 6;
constexpr std::size_t kMaxDepth = 256;

} // namespace

void ChunkWriter::BeginChunk(USHORT id) {
    bytes_.push_back(static_cast<unsigned char>(id & 0xff));
    bytes_.push_back(static_cast<unsigned char>(id >> 8));
    open_.push_back(bytes_.size());
    bytes_.insert(bytes_.end(), 4, 0);
}

void ChunkWriter::EndChunk() {
    if (open_.empty()) {
        healthy_ = false;
        return;
    }
    const std::size_t at = open_.back();
    open_.pop_back();
    const std::size_t length = bytes_.size() - at - 4;
    if (length > 0x7fffffff) {
        healthy_ = false;
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        bytes_[at + i] = static_cast<unsigned char>((length >> (8 * i)) & 0xff);
    }
}

IOResult ChunkWriter::Write(const void* buf, ULONG nbytes, ULONG* nwrit) {
    if (nwrit) {
        *nwrit = 0;
    }
    if (nbytes != 0 && !buf) {
        return IO_ERROR;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(buf);
    bytes_.insert(bytes_.end(), bytes, bytes + nbytes);
    if (nwrit) {
        *nwrit = nbytes;
    }
    return IO_OK;
}

IOResult ChunkWriter::WriteWString(const wchar_t* str) {
    for (char16_t unit : winres::ToUtf16(str ? str : L"")) {
        bytes_.push_back(static_cast<unsigned char>(unit & 0xff));
        bytes_.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes_.insert(bytes_.end(), 2, 0);
    return IO_OK;
}

IOResult ChunkReader::OpenChunk() {
    if (broken_) {
        return IO_ERROR;
    }
    const std::size_t left = Remaining();
    if (left == 0) {
        return IO_END;
    }
    if (left < kChunkHeaderSize || open_.size() >= kMaxDepth) {
        broken_ = true;
        return IO_ERROR;
    }
    const unsigned char* h = bytes_.data() + pos_;
    const USHORT id = static_cast<USHORT>(h[0] | (h[1] << 8));
    const std::size_t length =
        static_cast<std::size_t>(h[2]) | (static_cast<std::size_t>(h[3]) << 8) |
        (static_cast<std::size_t>(h[4]) << 16) | (static_cast<std::size_t>(h[5]) << 24);
    if (length > left - kChunkHeaderSize) {
        broken_ = true;
        return IO_ERROR;
    }
    pos_ += kChunkHeaderSize;
    open_.push_back(Open{id, pos_ + length});
    return IO_OK;
}

IOResult ChunkReader::CloseChunk() {
    if (open_.empty()) {
        return IO_ERROR;
    }
    pos_ = open_.back().end;
    open_.pop_back();
    return broken_ ? IO_ERROR : IO_OK;
}

IOResult ChunkReader::Read(void* buf, ULONG nbytes, ULONG* nread) {
    if (nread) {
        *nread = 0;
    }
    if (broken_ || (nbytes != 0 && !buf)) {
        return IO_ERROR;
    }
    const std::size_t n = std::min<std::size_t>(nbytes, Remaining());
    if (n) {
        std::memcpy(buf, bytes_.data() + pos_, n);
    }
    pos_ += n;
    if (nread) {
        *nread = static_cast<ULONG>(n);
    }
    return n == nbytes ? IO_OK : IO_ERROR;
}

// The rest of the current chunk, up to the first NUL unit or a lone last byte.
IOResult ChunkReader::ReadWStringChunk(wchar_t** buf) {
    if (!buf || open_.empty() || broken_) {
        return IO_ERROR;
    }
    std::u16string units;
    for (; Remaining() >= 2 && (bytes_[pos_] | bytes_[pos_ + 1]) != 0; pos_ += 2) {
        units.push_back(static_cast<char16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8)));
    }
    pos_ = open_.back().end;
    strings_.push_back(winres::ToWide(units));
    *buf = &strings_.back()[0];
    return IO_OK;
}

// ---- scenes --------------------------------------------------------------------------------

namespace {

constexpr USHORT kHeader = 0x5c00;
constexpr USHORT kObject = 0x5c10;
constexpr USHORT kClass = 0x5c11;
constexpr USHORT kData = 0x5c12;
constexpr USHORT kRefs = 0x5c13;
constexpr USHORT kRoot = 0x5c20;
constexpr unsigned int kMagic = 0x4353434e; // "NCSC"
constexpr unsigned int kVersion = 1;
// The longest chain of references a scene may hold, counted in objects from the root: maps
// nested deeper than any scene needs would only make each step that follows the chain recurse
// that deep.
constexpr std::size_t kMaxNesting = 64;

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

std::string Describe(ReferenceTarget* obj, std::size_t index) {
    MSTR name;
    obj->GetClassName(name, false);
    return "object #" + std::to_string(index) + " (" + winres::ToUtf8(name.data()) + ")";
}

// Objects reachable from root, root first, each once.
std::vector<ReferenceTarget*> Collect(ReferenceTarget* root) {
    std::vector<ReferenceTarget*> order{root};
    for (std::size_t next = 0; next < order.size(); ++next) {
        ReferenceTarget* obj = order[next];
        // Only references installed through the reference system can be saved and restored.
        obj->CheckSlots();
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

// Where one object's chunk lies in the file. Entries are only indexed when the file is read;
// an object is parsed and built only once the root reaches it, so entries nothing refers to
// cost neither memory nor time.
struct Entry {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// One object as the file describes it.
struct Object {
    unsigned int sclass = 0;
    Class_ID cid;
    bool hasClass = false;
    std::vector<unsigned char> data;
    bool hasData = false;
    std::vector<int> refs;
};

bool ParseObject(const std::vector<unsigned char>& bytes, const Entry& entry, Object& object) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(entry.offset);
    ChunkReader reader(
        std::vector<unsigned char>(begin, begin + static_cast<std::ptrdiff_t>(entry.size)));
    IOResult opened;
    while ((opened = reader.OpenChunk()) == IO_OK) {
        bool ok = true;
        switch (reader.CurChunkID()) {
        case kClass: {
            unsigned int a = 0, b = 0;
            ok = Get(reader, object.sclass) && Get(reader, a) && Get(reader, b);
            object.cid = Class_ID(a, b);
            object.hasClass = ok;
            break;
        }
        case kData: {
            object.data.resize(reader.Remaining());
            ULONG read = 0;
            ok = object.data.empty() ||
                 reader.Read(object.data.data(), static_cast<ULONG>(object.data.size()), &read) ==
                     IO_OK;
            object.hasData = ok;
            break;
        }
        case kRefs: {
            int count = 0;
            ok = Get(reader, count) && count >= 0;
            // Slots are read one by one, so the chunk's own length bounds them, not `count`.
            for (int i = 0, index = 0; ok && i < count; ++i) {
                ok = Get(reader, index);
                if (ok) {
                    object.refs.push_back(index);
                }
            }
            break;
        }
        default:
            break;
        }
        if (reader.CloseChunk() != IO_OK || !ok) {
            return false;
        }
    }
    return opened == IO_END && object.hasClass && object.hasData;
}

bool IndexScene(const std::vector<unsigned char>& bytes, std::vector<Entry>& entries, int& root,
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
    std::size_t next = bytes.size() - reader.Remaining();
    while ((opened = reader.OpenChunk()) == IO_OK) {
        bool ok = true;
        if (reader.CurChunkID() == kObject) {
            entries.push_back(Entry{next + kChunkHeaderSize, reader.Remaining()});
        } else if (reader.CurChunkID() == kRoot) {
            ok = Get(reader, root);
        }
        if (reader.CloseChunk() != IO_OK || !ok) {
            error = "truncated or corrupt scene file";
            return false;
        }
        next = bytes.size() - reader.Remaining();
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

// The objects the root reaches, root first, each parsed once; `order` lists their file indices
// and `objects` holds them by file index.
bool ParseReachable(const std::vector<unsigned char>& bytes, const std::vector<Entry>& entries,
                    int root, std::vector<int>& order, std::map<int, Object>& objects,
                    std::string& error) {
    order.push_back(root);
    objects[root];
    for (std::size_t next = 0; next < order.size(); ++next) {
        const int index = order[next];
        Object& object = objects[index];
        if (!ParseObject(bytes, entries[static_cast<std::size_t>(index)], object)) {
            error = "truncated or corrupt scene file";
            return false;
        }
        for (int target : object.refs) {
            if (target < -1 || target >= static_cast<int>(entries.size())) {
                error = "object #" + std::to_string(index) + " refers to a missing object";
                return false;
            }
            // A saved root is referenced by nothing; one that is would be deleted with the
            // unreachable objects that reference it.
            if (target == root) {
                error = "object #" + std::to_string(index) + " refers to the scene's root object";
                return false;
            }
            if (target >= 0 && objects.find(target) == objects.end()) {
                objects[target];
                order.push_back(target);
            }
        }
    }
    return true;
}

// Refuses cycles and chains of references longer than kMaxNesting objects, without recursion:
// loading, updating, evaluating and deleting maps all recurse along these chains.
bool CheckNesting(const std::map<int, Object>& objects, int root, std::string& error) {
    std::map<int, int> height;  // objects on the longest chain from each finished object down
    std::map<int, bool> onPath; // objects on the chain being walked
    std::vector<std::pair<int, std::size_t>> path{{root, 0}};
    height[root] = 1;
    onPath[root] = true;
    while (!path.empty()) {
        auto& [node, slot] = path.back();
        const std::vector<int>& refs = objects.at(node).refs;
        if (slot == refs.size()) {
            const int finished = height[node];
            onPath[node] = false;
            path.pop_back();
            if (!path.empty()) {
                int& parent = height[path.back().first];
                parent = std::max(parent, finished + 1);
            }
            continue;
        }
        const int child = refs[slot++];
        if (child < 0) {
            continue;
        }
        if (onPath[child]) {
            error = "the scene's references form a cycle";
            return false;
        }
        const auto known = height.find(child);
        const int below = known == height.end() ? 1 : known->second;
        if (path.size() + static_cast<std::size_t>(below) > kMaxNesting) {
            error =
                "the scene's objects are nested more than " + std::to_string(kMaxNesting) + " deep";
            return false;
        }
        if (known == height.end()) {
            height[child] = 1;
            onPath[child] = true;
            path.emplace_back(child, 0);
        } else {
            int& parent = height[node];
            parent = std::max(parent, known->second + 1);
        }
    }
    return true;
}

bool CreateObjects(const std::vector<int>& order, const std::map<int, Object>& objects,
                   std::map<int, ReferenceTarget*>& made, std::string& error) {
    for (int index : order) {
        const Object& object = objects.at(index);
        ClassDesc* cd = FindClassDesc(object.sclass, object.cid);
        if (!cd) {
            char id[64];
            std::snprintf(id, sizeof(id), "0x%x, class 0x%lx/0x%lx", object.sclass,
                          static_cast<unsigned long>(object.cid.PartA()),
                          static_cast<unsigned long>(object.cid.PartB()));
            error = "object #" + std::to_string(index) + " has an unknown class (super class " +
                    id + ")";
            return false;
        }
        auto* obj = static_cast<ReferenceTarget*>(cd->Create(TRUE));
        if (!obj) {
            error = "object #" + std::to_string(index) + ": its class could not create it";
            return false;
        }
        made[index] = obj;
        if (static_cast<int>(object.refs.size()) > obj->NumRefs()) {
            error = Describe(obj, static_cast<std::size_t>(index)) +
                    " has fewer references than the file gives it";
            return false;
        }
    }
    return true;
}

bool LoadObjects(const std::vector<int>& order, const std::map<int, Object>& objects,
                 const std::map<int, ReferenceTarget*>& made, std::string& error) {
    for (int index : order) {
        ChunkReader reader(objects.at(index).data);
        if (made.at(index)->Load(&reader) != IO_OK) {
            // The object's own reason, when it gave one, says more than its number.
            const std::string& why = reader.failure;
            error = why.empty() ? Describe(made.at(index), static_cast<std::size_t>(index)) +
                                      " failed to load"
                                : why;
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
            if ((def.flags & P_OWNERS_REF) && def.refno == slot && def.type == TYPE_TEXMAP) {
                return TEXMAP_CLASS_ID;
            }
        }
    }
    return 0;
}

// The descriptor of a parameter block, or null for any other object.
ParamBlockDesc2* BlockDesc(ReferenceTarget* obj) {
    auto* block = obj && obj->SuperClassID() == PARAMETER_BLOCK2_CLASS_ID
                      ? dynamic_cast<IParamBlock2*>(obj)
                      : nullptr;
    return block ? block->GetDesc() : nullptr;
}

// Whether `target` may go into the slot. Plug-ins cast what their slots hold to what they
// installed there, so a file may not hand them an object of another kind: a slot the object's
// construction filled takes an object of the same class (for a parameter block, a block of the
// same descriptor, as the owner reads it by its own parameter ids), and a slot its parameters
// declare takes an object of that super class.
bool FitsSlot(ReferenceTarget* owner, ClassDesc& cd, int slot, ReferenceTarget* target) {
    ReferenceTarget* installed = owner->GetReference(slot);
    if (installed) {
        return target && target->SuperClassID() == installed->SuperClassID() &&
               target->ClassID() == installed->ClassID() &&
               BlockDesc(target) == BlockDesc(installed);
    }
    const SClass_ID declared = DeclaredSuperClass(cd, slot);
    return !target || declared == 0 || target->SuperClassID() == declared;
}

bool CheckSlots(const std::vector<int>& order, const std::map<int, Object>& objects,
                const std::map<int, ReferenceTarget*>& made, std::string& error) {
    for (int index : order) {
        const Object& object = objects.at(index);
        ClassDesc* cd = FindClassDesc(object.sclass, object.cid);
        ReferenceTarget* owner = made.at(index);
        for (std::size_t slot = 0; slot < object.refs.size(); ++slot) {
            const int ref = object.refs[slot];
            ReferenceTarget* target = ref < 0 ? nullptr : made.at(ref);
            if (!FitsSlot(owner, *cd, static_cast<int>(slot), target)) {
                error = Describe(owner, static_cast<std::size_t>(index)) + " cannot hold " +
                        (target ? Describe(target, static_cast<std::size_t>(ref))
                                : std::string("nothing")) +
                        " in reference slot " + std::to_string(slot);
                return false;
            }
        }
    }
    return true;
}

void RestoreReferences(const std::vector<int>& order, const std::map<int, Object>& objects,
                       const std::map<int, ReferenceTarget*>& made) {
    for (int index : order) {
        const std::vector<int>& refs = objects.at(index).refs;
        for (std::size_t slot = 0; slot < refs.size(); ++slot) {
            ReferenceTarget* target = refs[slot] < 0 ? nullptr : made.at(refs[slot]);
            // Replaces what the constructor installed; that is deleted once unreferenced.
            made.at(index)->ReplaceReference(static_cast<int>(slot), target, TRUE);
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
    std::vector<int> order;
    std::map<int, Object> objects;
    if (!IndexScene(bytes, entries, root, error) ||
        !ParseReachable(bytes, entries, root, order, objects, error) ||
        !CheckNesting(objects, root, error)) {
        return nullptr;
    }
    std::map<int, ReferenceTarget*> made;
    if (!CreateObjects(order, objects, made, error) || !LoadObjects(order, objects, made, error) ||
        !CheckSlots(order, objects, made, error)) {
        // Objects whose references are not restored yet hold only what their own constructors
        // made, so each can be deleted on its own.
        for (auto& [index, obj] : made) {
            obj->MaybeAutoDelete();
        }
        return nullptr;
    }
    RestoreReferences(order, objects, made);
    return made.at(root);
}

} // namespace maxhost
