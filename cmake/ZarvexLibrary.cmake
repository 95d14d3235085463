# zarvex_library(NAME SOURCES ... [LINKS ...]): one static library of a folder of src/. Its headers
# are included as "<folder>/<file>.h", so src/ is the include root of every library.
function(zarvex_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()
