# Tests of the io library.
add_executable(vemo_io_tests
    io_record_test.cpp
)
target_link_libraries(vemo_io_tests PRIVATE vemo_io GTest::gtest_main)
gtest_discover_tests(vemo_io_tests DISCOVERY_TIMEOUT 60)
