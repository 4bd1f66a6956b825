# standin_add_resources(<target> <rc file>)
#
# Gives a module the resources of a Win32 resource script, so that one .rc serves both platforms.
#   Windows: the script is compiled by the resource compiler and linked into the module, as usual.
#   Linux:   x86_64-w64-mingw32-windres compiles it to a .res file, whose bytes are embedded in the
#            module by a generated source. That source registers them with the stand-in when the
#            module is loaded (and withdraws them when it is unloaded) without exporting anything,
#            so LoadStringW and the host read the same compiled resources that Windows would.

if(NOT WIN32)
    find_program(STANDIN_WINDRES NAMES x86_64-w64-mingw32-windres windres
        DOC "Win32 resource compiler producing .res files (Debian: binutils-mingw-w64-x86-64)")
endif()

function(standin_add_resources target rc_file)
    get_filename_component(rc_file ${rc_file} ABSOLUTE)
    if(WIN32)
        # CMake enables the RC language by itself on Windows platforms (MSVC and MinGW alike).
        # The script must say #pragma code_page(65001) when it is saved as UTF-8.
        target_sources(${target} PRIVATE ${rc_file})
        return()
    endif()
    if(NOT STANDIN_WINDRES)
        message(FATAL_ERROR "standin_add_resources(${target}): x86_64-w64-mingw32-windres not "
            "found; install binutils-mingw-w64-x86-64")
    endif()
    # Called from other folders: find the embedding script next to this file.
    set(embed_script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedResources.cmake)
    get_filename_component(rc_name ${rc_file} NAME_WE)
    get_filename_component(rc_dir ${rc_file} DIRECTORY)
    set(stem ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name})
    # The preprocessor's dependency list makes a change to an included header recompile the script.
    add_custom_command(OUTPUT ${stem}.res
        COMMAND ${STANDIN_WINDRES} -c 65001 -I ${rc_dir} -O res
                --preprocessor-arg=-MD --preprocessor-arg=-MF --preprocessor-arg=${stem}.res.d
                --preprocessor-arg=-MT --preprocessor-arg=${stem}.res
                -i ${rc_file} -o ${stem}.res
        DEPENDS ${rc_file}
        DEPFILE ${stem}.res.d
        COMMENT "Compiling resources ${rc_name}.rc for ${target}"
        VERBATIM)
    add_custom_command(OUTPUT ${stem}_res.cpp
        COMMAND ${CMAKE_COMMAND} -DRES_FILE=${stem}.res -DOUTPUT=${stem}_res.cpp
                -DRC_NAME=${rc_name}.rc -P ${embed_script}
        DEPENDS ${stem}.res ${embed_script}
        COMMENT "Embedding resources ${rc_name}.res in ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE ${stem}_res.cpp)
endfunction()
