# image_dialog_bench: timed runs of the Insert image dialog (preview refresh after a keystroke,
# opening with a page of 1,000 images). Prints figures; run by hand:
#   QT_QPA_PLATFORM=offscreen build/benchmarks/image_dialog_bench
if(PELION_BUILD_UI)
    add_executable(image_dialog_bench ${CMAKE_CURRENT_LIST_DIR}/image_dialog_bench.cpp)
    target_link_libraries(image_dialog_bench PRIVATE pelion_ui Qt6::Test)
    set_target_properties(image_dialog_bench PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY
                                                        ${CMAKE_BINARY_DIR}/benchmarks)
endif()
