cmake_minimum_required(VERSION 3.25)
# The folders of src/ are layers, and each uses only those below it: core at the bottom (the
# random generator, rounding, geometry), then the SDL-free archive format and the asset catalogue,
# then media and persist, then track, then sprites, then frontend, with shell on top. Every
# project include of every file is checked against its folder's layer, and so is every library's
# link list. A folder of src/ missing from the table is a problem too, so a new layer cannot slip
# past the check.
set(layers core archive catalogue media persist track sprites frontend shell)
set(allowed_core core)
set(allowed_archive archive core)
set(allowed_catalogue catalogue core)
set(allowed_media media archive catalogue core)
set(allowed_persist persist core)
set(allowed_track track media archive catalogue persist core)
set(allowed_sprites sprites track media archive catalogue persist core)
set(allowed_frontend frontend sprites track media archive catalogue persist core)
set(allowed_shell shell frontend sprites track media archive catalogue persist core)
# No layer below the game itself may include SDL: the core, the archive format, the catalogue,
# the road and the saves are plain C++.
set(without_sdl core archive catalogue persist track)

set(problems "")
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*)
foreach(folder ${folders})
    if(IS_DIRECTORY ${SOURCE_DIR}/src/${folder} AND NOT folder IN_LIST layers)
        string(APPEND problems "  src/${folder} is in no layer of tests/support/check_layers.cmake\n")
    endif()
endforeach()

foreach(layer ${layers})
    file(GLOB files ${SOURCE_DIR}/src/${layer}/*.cpp ${SOURCE_DIR}/src/${layer}/*.h)
    foreach(file ${files})
        file(STRINGS ${file} includes REGEX "^#include [\"<][A-Za-z_]+[/.]")
        foreach(line ${includes})
            if(line MATCHES "^#include <SDL")
                if(layer IN_LIST without_sdl)
                    string(APPEND problems "  ${file}: ${line} (${layer} knows nothing of SDL)\n")
                endif()
                continue()
            endif()
            if(NOT line MATCHES "^#include \"[a-z_]+/")
                continue()
            endif()
            string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
            if(NOT used IN_LIST allowed_${layer})
                string(APPEND problems "  ${file}: ${line} (${layer} may use ${allowed_${layer}})\n")
            endif()
        endforeach()
    endforeach()

    # Each library of the folder links only libraries of the layers it may use, whether in its
    # own definition or in a later target_link_libraries; the layers below the game link no SDL.
    file(READ ${SOURCE_DIR}/src/${layer}/CMakeLists.txt lists)
    string(REGEX MATCHALL "(zarvex_library|target_link_libraries)\\([^)]*\\)" calls "${lists}")
    foreach(call ${calls})
        if(layer IN_LIST without_sdl AND call MATCHES "SDL2")
            string(APPEND problems "  src/${layer}/CMakeLists.txt links SDL\n")
        endif()
        string(REGEX MATCHALL "zarvex_[a-z_]+" names "${call}")
        list(REMOVE_ITEM names zarvex_library)
        list(POP_FRONT names target)
        string(REGEX REPLACE "^zarvex_" "" owner "${target}")
        foreach(library ${names})
            string(REGEX REPLACE "^zarvex_" "" used "${library}")
            if(NOT used IN_LIST allowed_${owner})
                string(APPEND problems "  ${target} links ${library}\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "a layer uses one above it:\n${problems}")
endif()
