// The host's way into the stand-in SDK library.
//
// The SDK library owns all state that plug-in code can reach: the heap behind MaxHeapOperators,
// the record of plug-in faults it notices, the class directory, the resources Linux modules
// register, parameter blocks and rollouts, and the logs of the Win32 calls it answers. It exports
// these maxhost:: functions for the host library, tools and tests; nothing in the SDK calls into
// the host. This header is not on a plug-in's include path; the host's headers include it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iparamm2.h"
#include "winres/Resources.h"

#if !defined(_WIN32)
// Called by the code that standin_add_resources() generates into each Linux module: `anchor` is
// any address inside the module, `data` its .res bytes, which live as long as the module does.
extern "C" MAX_STANDIN_EXPORT void
StandinRegisterModuleResources(const void* anchor, const unsigned char* data, std::size_t size);
extern "C" MAX_STANDIN_EXPORT void StandinUnregisterModuleResources(const void* anchor);
#endif

namespace maxhost {

// ---- the heap behind MaxHeapOperators ------------------------------------------------------

struct HeapCounts {
    std::uint64_t allocations = 0; // successful allocations
    std::uint64_t frees = 0;       // non-null frees
    std::uint64_t failures = 0;    // allocations that failed
};

MAX_STANDIN_EXPORT HeapCounts GetHeapCounts();
// Objects allocated and not yet freed.
MAX_STANDIN_EXPORT std::int64_t LiveHeapBlocks();
// The next `count` allocations (from any thread) fail: the nothrow forms of MaxHeapOperators'
// operator new yield null, the plain forms throw std::bad_alloc. 0 cancels those still pending.
MAX_STANDIN_EXPORT void FailNextHeapAllocations(int count = 1);
inline void ClearHeapFailures() {
    FailNextHeapAllocations(0);
}

// ---- plug-in faults ------------------------------------------------------------------------
// Calls that 3ds Max would answer with a wrong value, a dead control or a crash much later. The
// SDK records each one (and writes it to stderr) and carries on as leniently as the real host
// would; test programs fail any test that leaves a fault behind. Broken parameter block
// descriptors are recorded apart: the loader takes those and refuses their library.

enum class FaultKind {
    ParamAccess,      // unknown parameter, wrong value type or a table index on a non-table
    RolloutBinding,   // a bound control missing from the dialog template or of the wrong class
    CloneWithoutBase, // Clone returned a copy without calling BaseClone for it
    ReferenceSlot,    // GetReference(i) differs from what the reference system installed in slot i
    Descriptor,       // a parameter block descriptor's tag list that cannot be read
};

struct HostFault {
    FaultKind kind;
    std::string message;
};

// The faults other than Descriptor recorded since the last call, oldest first; forgets them.
MAX_STANDIN_EXPORT std::vector<HostFault> TakeHostFaults();
// The Descriptor faults' messages recorded since the last call; forgets them.
MAX_STANDIN_EXPORT std::vector<std::string> TakeDescriptorErrors();

// ---- the class directory -------------------------------------------------------------------
// The classes that can be created by identity: the SDK's own (parameter block, standard texture
// output), then those the host adds. Adding a class that is already there does nothing.

MAX_STANDIN_EXPORT void RegisterClassDesc(ClassDesc* cd);
MAX_STANDIN_EXPORT void UnregisterClassDesc(ClassDesc* cd);
MAX_STANDIN_EXPORT ClassDesc* FindClassDesc(SClass_ID sclass, const Class_ID& cid);
MAX_STANDIN_EXPORT Class_ID StandardTextureOutputClassID();

// A descriptor read from a tag list held as data (for hosts that drive the reader from bytes),
// checked as the template constructor checks its arguments; problems go to
// TakeDescriptorErrors. The caller deletes it.
MAX_STANDIN_EXPORT ParamBlockDesc2*
BuildParamBlockDesc(BlockID id, const MCHAR* intName, StringResID localName, ClassDesc2* cd,
                    USHORT flags, const MaxStandin::DescArg* args, std::size_t count);

// ---- parameter blocks ----------------------------------------------------------------------

// Number of value reads (GetValue and the Get* shortcuts) the block has served since the last
// reset; atomic, safe to read while render threads evaluate. A block counts from its first
// reset on, so that blocks nobody probes keep render threads off a shared counter.
MAX_STANDIN_EXPORT std::uint64_t ParamBlockReads(IParamBlock2* pb);
MAX_STANDIN_EXPORT void ResetParamBlockReads(IParamBlock2* pb);
// Sets (or moves) a key of an animatable float parameter; the parameter is animated from then
// on. False for other parameters. GetKey reads the index-th key in time order. ClearKeys
// removes the keys; the parameter keeps its value at time 0 as a constant.
MAX_STANDIN_EXPORT bool SetKey(IParamBlock2* pb, ParamID id, TimeValue t, float value);
MAX_STANDIN_EXPORT int NumKeys(IParamBlock2* pb, ParamID id);
MAX_STANDIN_EXPORT bool GetKey(IParamBlock2* pb, ParamID id, int index, TimeValue& t, float& value);
MAX_STANDIN_EXPORT bool ClearKeys(IParamBlock2* pb, ParamID id);
// With animate mode on, SetValue on an animatable float at a time other than 0 creates a key
// (and one at 0 holding the previous value, when the parameter was not animated yet).
MAX_STANDIN_EXPORT void SetAnimateMode(bool on);
MAX_STANDIN_EXPORT bool AnimateMode();

// ---- rollouts ------------------------------------------------------------------------------

// One control of an open rollout.
struct ControlState {
    int id = 0;
    ParamID param = -1; // -1: bound to no parameter
    bool enabled = true;
    bool toggle = false; // a check box bound to an int parameter
};

// The map's controls; empty for a map that is not the SDK's.
MAX_STANDIN_EXPORT std::vector<ControlState> Controls(IParamMap2* map);
// How often the parameter's controls were asked to redraw (Invalidate, InvalidateUI).
MAX_STANDIN_EXPORT int InvalidationCount(IParamMap2* map, ParamID id);
// A user command on a dialog control, as WM_COMMAND. A check box bound to a parameter first
// writes the toggled value to the block, as the host's binding does; then the message goes to
// the map's user dialog procedure. A disabled control sends nothing; an id the descriptor does
// not bind (a plain button of the dialog template) goes straight to the procedure. Returns the
// procedure's result (0 without one).
MAX_STANDIN_EXPORT INT_PTR SendCommand(IParamMap2* map, int ctrlId, WORD notifyCode = BN_CLICKED);
// Parameter maps (rollouts) currently open, across all descriptors.
MAX_STANDIN_EXPORT int OpenParamMapCount();

#if !defined(_WIN32)
// ---- Linux modules and their resources (Windows answers these itself) ---------------------
// A module's HINSTANCE is its base address (the dli_fbase that dladdr reports for any address
// inside it); standin_add_resources() embeds a module's .res file and registers it at load time.

// The module containing `address`, or null.
MAX_STANDIN_EXPORT HINSTANCE ModuleHandleFromAddress(const void* address);
// Why the module's embedded .res could not be read; empty when it could (or there is none).
MAX_STANDIN_EXPORT std::string ModuleResourceError(HINSTANCE module);
// A resource of a module, chosen by language as FindResEntry does; valid until unloaded.
MAX_STANDIN_EXPORT std::optional<winres::ResEntry>
FindModuleResource(HINSTANCE module, const winres::ResName& type, const winres::ResName& name,
                   unsigned short languageId = winres::kLangEnglishUS);
// String `id` of the module's string table as stored (UTF-16). False when the module or the
// string's block of 16 does not exist; within a block, an id that the script left out reads as
// an empty string, as in the compiled table.
MAX_STANDIN_EXPORT bool FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text);

// ---- the Win32 calls the stand-in answers without doing anything ---------------------------

// hwnd, operation, file, parameters, directory (null ones stay distinguishable from empty
// ones) and showCommand of one ShellExecuteW call, which opens nothing here.
struct ShellExecuteCall {
    HWND hwnd = nullptr;
    std::optional<std::wstring> operation;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
    int showCommand = 0;
};

// The module handle passed to DisableThreadLibraryCalls and the result given: TRUE for a loaded
// module's handle.
struct DisableThreadLibraryCallsCall {
    HMODULE module = nullptr;
    BOOL result = FALSE;
};

// Copies of the calls recorded so far, oldest first; and forgetting them.
MAX_STANDIN_EXPORT std::vector<ShellExecuteCall> ShellExecuteLog();
MAX_STANDIN_EXPORT void ClearShellExecuteLog();
MAX_STANDIN_EXPORT std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog();
MAX_STANDIN_EXPORT void ClearDisableThreadLibraryCallsLog();
#endif

} // namespace maxhost
