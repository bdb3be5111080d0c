# run(expected_code ARGS...): runs ${TOOL} (pelion-tool) with ARGS as a script would, fails the
# test unless it exits with expected_code, and leaves its output in OUT and ERR.
function(run expected_code)
    execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "pelion-tool ${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    set(OUT "${out}" PARENT_SCOPE)
    set(ERR "${err}" PARENT_SCOPE)
endfunction()
