# zarvex_library(NAME GLOB_DIR [LINKS...]): one static library made of every .cpp in a folder.
# A folder whose code has not been written yet gives an interface library, so that the
# dependency arrows between the subsystems can be declared from the start.
function(zarvex_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    if(ARG_SOURCES)
        add_library(${name} STATIC ${ARG_SOURCES})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_LINKS})
    endif()
endfunction()
