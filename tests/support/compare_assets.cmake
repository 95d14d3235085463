# Runs the asset generator into a scratch folder and compares every file with the build's own.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${GENERATOR}
                        --out ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the asset generator failed: ${status}")
endif()
foreach(file Res/Res1.dxg Res/Res2.dxg Res/Sounds.dxw Music/Menu.xm Music/Race.xm)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${REFERENCE}/${file} ${SCRATCH}/${file}
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${file} differs between two runs of the generator")
    endif()
    message(STATUS "${file}: identical")
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
