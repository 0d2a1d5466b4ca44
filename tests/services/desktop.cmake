lumivane_add_test(tst_engine SOURCES tst_engine.cpp)
