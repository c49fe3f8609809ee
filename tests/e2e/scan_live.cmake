mh_add_test(NAME test_scan_live_e2e SOURCES test_scan_live_e2e.cpp LIBS app TIMEOUT 180)
