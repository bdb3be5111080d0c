# engine_bench: timed runs of the editing component against a bare QWebEngineView in the same
# process (load to editable, keystroke cost, save). Prints figures; run by hand:
#   QT_QPA_PLATFORM=offscreen build/benchmarks/engine_bench
if(PELION_BUILD_UI)
    add_executable(engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
    target_link_libraries(engine_bench PRIVATE pelion_engine)
    set_target_properties(engine_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                  ${CMAKE_BINARY_DIR}/benchmarks)
endif()

# save_fidelity: faithful saving over the pages of benchmarks/corpus (see SOURCES.md there) and
# the save times of changed 0.25 MB and 5 MB pages; prints figures:
#   QT_QPA_PLATFORM=offscreen build/benchmarks/save_fidelity benchmarks/corpus [--verbose]
if(PELION_BUILD_UI)
    add_executable(save_fidelity ${CMAKE_CURRENT_LIST_DIR}/save_fidelity.cpp)
    target_link_libraries(save_fidelity PRIVATE pelion_engine)
    target_include_directories(save_fidelity PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    set_target_properties(save_fidelity PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                   ${CMAKE_BINARY_DIR}/benchmarks)
endif()
