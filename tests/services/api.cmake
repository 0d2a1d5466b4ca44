lumivane_add_test(tst_apiclient SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tst_apiclient.cpp TIMEOUT 40)
lumivane_add_test(tst_deviceidentity SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tst_deviceidentity.cpp)
