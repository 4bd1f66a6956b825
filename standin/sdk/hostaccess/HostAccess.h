// The one door from the stand-in host into the stand-in SDK library.
//
// The SDK library owns all state that plug-in code can reach: the heap behind MaxHeapOperators,
// the record of plug-in faults it notices, the class directory, the resources Linux modules
// register, parameter blocks and rollouts, and the logs of the Win32 calls it answers. The host
// library (standin/host) reads and drives that state through these functions only; nothing in
// the SDK calls into the host. This header is not on a plug-in's include path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "coreexp.h"
#include "iparamb2.h"
#include "iparamm2.h"
#include "winres/ResFile.h"
#include <windows.h>

#if !defined(_WIN32)
// Called by the code that standin_add_resources() generates into each Linux module: `anchor` is
// any address inside the module, `data` its .res bytes, which live as long as the module does.
extern "C" MAX_STANDIN_EXPORT void
StandinRegisterModuleResources(const void* anchor, const unsigned char* data, std::size_t size);
extern "C" MAX_STANDIN_EXPORT void StandinUnregisterModuleResources(const void* anchor);
#endif

namespace MaxStandin {

// ---- text ----------------------------------------------------------------------------------
// Wide strings to and from the UTF-16LE / UTF-8 bytes of scene files and messages.

// Appends str as UTF-16LE code units, without a terminator.
MAX_STANDIN_EXPORT void AppendUtf16(std::vector<unsigned char>& out, const std::wstring& str);
// Decodes UTF-16LE bytes; unpaired surrogates become U+FFFD.
MAX_STANDIN_EXPORT std::wstring DecodeUtf16(const unsigned char* data, std::size_t units);
MAX_STANDIN_EXPORT std::string EncodeUtf8(const std::wstring& str);
MAX_STANDIN_EXPORT std::wstring DecodeUtf8(const std::string& bytes);

namespace HostAccess {

// ---- the heap behind MaxHeapOperators ------------------------------------------------------

struct HeapCounts {
    std::uint64_t allocations = 0; // successful allocations
    std::uint64_t frees = 0;       // non-null frees
    std::uint64_t failures = 0;    // allocations that failed
};

MAX_STANDIN_EXPORT HeapCounts GetHeapCounts();
// The next `count` allocations fail; 0 cancels the ones still pending.
MAX_STANDIN_EXPORT void FailNextHeapAllocations(int count);

// ---- plug-in faults ------------------------------------------------------------------------

enum class FaultKind {
    ParamAccess,      // unknown parameter, wrong value type or a table index on a non-table
    RolloutBinding,   // a bound control missing from the dialog template or of the wrong class
    CloneWithoutBase, // Clone returned a copy without calling BaseClone for it
    ReferenceSlot,    // GetReference(i) differs from what the reference system installed in slot i
    Descriptor,       // a parameter block descriptor's tag list that cannot be read
};

struct Fault {
    FaultKind kind;
    std::string message;
};

// Records a fault and writes it to stderr; thread-safe, so that render threads may report too.
MAX_STANDIN_EXPORT void ReportFault(FaultKind kind, const std::string& message);
// Returns the recorded faults of the kinds `descriptors` selects (Descriptor faults, or all the
// others), oldest first, and forgets them.
MAX_STANDIN_EXPORT std::vector<Fault> TakeFaults(bool descriptors);
MAX_STANDIN_EXPORT std::size_t FaultCount(bool descriptors);

// ---- the class directory -------------------------------------------------------------------

// Adding a class that is already there does nothing.
MAX_STANDIN_EXPORT void AddClass(ClassDesc* cd);
MAX_STANDIN_EXPORT void RemoveClass(ClassDesc* cd);
// The SDK's own classes (parameter block, standard texture output) first, then the added ones.
MAX_STANDIN_EXPORT std::vector<ClassDesc*> Classes();
MAX_STANDIN_EXPORT ClassDesc* FindClass(SClass_ID sclass, const Class_ID& cid);
MAX_STANDIN_EXPORT Class_ID StandardTextureOutputClassID();

// A descriptor read from a tag list held as data, checked as the C-variadic constructor checks
// its arguments; problems are recorded as Descriptor faults. The caller deletes it.
MAX_STANDIN_EXPORT ParamBlockDesc2* BuildParamBlockDesc(BlockID id, const MCHAR* intName,
                                                        StringResID localName, ClassDesc2* cd,
                                                        USHORT flags, const DescArg* args,
                                                        std::size_t count);

// ---- scene checks --------------------------------------------------------------------------

// Reports each slot of maker whose GetReference differs from what the reference system
// installed in it.
MAX_STANDIN_EXPORT void CheckReferenceSlots(ReferenceMaker* maker);

// ---- parameter blocks ----------------------------------------------------------------------

// Value reads since the last reset; a block counts from its first reset on. 0 for a block that
// is not the SDK's.
MAX_STANDIN_EXPORT std::uint64_t ParamBlockReads(IParamBlock2* pb);
MAX_STANDIN_EXPORT void ResetParamBlockReads(IParamBlock2* pb);
MAX_STANDIN_EXPORT bool SetKey(IParamBlock2* pb, ParamID id, TimeValue t, float value);
MAX_STANDIN_EXPORT int NumKeys(IParamBlock2* pb, ParamID id);
// The index-th key of the parameter, in time order; false when there is none.
MAX_STANDIN_EXPORT bool GetKey(IParamBlock2* pb, ParamID id, int index, TimeValue& t, float& value);
MAX_STANDIN_EXPORT bool ClearKeys(IParamBlock2* pb, ParamID id);
MAX_STANDIN_EXPORT void SetAnimateMode(bool on);
MAX_STANDIN_EXPORT bool AnimateMode();

// ---- rollouts ------------------------------------------------------------------------------

struct ControlState {
    int id = 0;
    ParamID param = -1; // -1: bound to no parameter
    int tabIndex = 0;
    bool enabled = true;
    bool visible = true;
    bool toggle = false; // a check box or check button bound to an int parameter
    std::wstring shown;  // the block's value as of the control's last redraw
};

// The map's controls; empty for a map that is not the SDK's.
MAX_STANDIN_EXPORT std::vector<ControlState> Controls(IParamMap2* map);
MAX_STANDIN_EXPORT int Invalidations(IParamMap2* map, ParamID id);
MAX_STANDIN_EXPORT TimeValue MapTime(IParamMap2* map);
// Draws the control again from the block's current value; false for an unknown control.
MAX_STANDIN_EXPORT bool RedrawControl(IParamMap2* map, int ctrlId);
// Sends a message to the map's user dialog procedure; 0 without one.
MAX_STANDIN_EXPORT INT_PTR SendToProc(IParamMap2* map, UINT msg, WPARAM wParam, LPARAM lParam);
MAX_STANDIN_EXPORT int OpenParamMapCount();

#if !defined(_WIN32)
// ---- Linux modules and their resources (Windows answers these itself) ---------------------

// The module containing `address` (its base address), or null.
MAX_STANDIN_EXPORT HINSTANCE ModuleHandleFromAddress(const void* address);
MAX_STANDIN_EXPORT bool IsModuleHandle(HINSTANCE module);
MAX_STANDIN_EXPORT bool HasModuleResources(HINSTANCE module);
MAX_STANDIN_EXPORT std::string ModuleResourceError(HINSTANCE module);
MAX_STANDIN_EXPORT std::optional<winres::ResEntry> FindModuleResource(HINSTANCE module,
                                                                      const winres::ResName& type,
                                                                      const winres::ResName& name,
                                                                      unsigned short languageId);
MAX_STANDIN_EXPORT bool FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text);

// ---- the Win32 calls the stand-in answers without doing anything ---------------------------

struct ShellExecuteCall {
    HWND hwnd = nullptr;
    // Null string arguments stay distinguishable from empty ones.
    std::optional<std::wstring> operation;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
    int showCommand = 0;
};

struct DisableThreadLibraryCallsCall {
    HMODULE module = nullptr;
    BOOL result = FALSE;
};

MAX_STANDIN_EXPORT std::vector<ShellExecuteCall> ShellExecuteLog();
MAX_STANDIN_EXPORT void ClearShellExecuteLog();
MAX_STANDIN_EXPORT std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog();
MAX_STANDIN_EXPORT void ClearDisableThreadLibraryCallsLog();
#endif

} // namespace HostAccess
} // namespace MaxStandin
