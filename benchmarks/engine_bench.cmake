# engine_bench: timed runs of the editing component against a bare QWebEngineView in the same
# process (load to editable, keystroke cost, save). Prints figures; run by hand:
#   QT_QPA_PLATFORM=offscreen build/benchmarks/engine_bench
if(PELION_BUILD_UI)
    add_executable(engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
    target_link_libraries(engine_bench PRIVATE pelion_engine)
    set_target_properties(engine_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                  ${CMAKE_BINARY_DIR}/benchmarks)
endif()
