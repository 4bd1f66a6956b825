# Writes a C++ source that embeds the bytes of a compiled .res file and registers them with the
# stand-in for the module it is linked into. Run as: cmake -DRES_FILE=... -DOUTPUT=... -DRC_NAME=...
# -P EmbedResources.cmake
file(READ ${RES_FILE} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes to a line keeps the generated file readable in a debugger.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")

file(WRITE ${OUTPUT}.tmp "// Generated from ${RC_NAME} by standin_add_resources(); do not edit.
// The compiled resources of this module, registered with the stand-in for as long as the module is
// loaded. Nothing here is exported.
#include <cstddef>

extern \"C\" void StandinRegisterModuleResources(const void* anchor, const unsigned char* data,
                                               std::size_t size);
extern \"C\" void StandinUnregisterModuleResources(const void* anchor);

namespace {

alignas(4) const unsigned char compiledResources[${byte_count}] = {
    ${bytes}
};

// Registered before, and withdrawn after, every ordinary static object of the module, so that
// their constructors and destructors can already and still load strings.
__attribute__((constructor(101))) void RegisterCompiledResources() {
    StandinRegisterModuleResources(compiledResources, compiledResources, sizeof compiledResources);
}

__attribute__((destructor(101))) void UnregisterCompiledResources() {
    StandinUnregisterModuleResources(compiledResources);
}

} // namespace
")
# Only a changed file touches the output, so an unchanged .res does not relink the module.
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
