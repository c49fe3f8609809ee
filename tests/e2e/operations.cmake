# The standard device operations and the converter configuration, driven in the real window.
mh_add_test(NAME test_device_e2e SOURCES test_device_e2e.cpp LIBS app TIMEOUT 180)
mh_add_test(NAME test_converter_e2e SOURCES test_converter_e2e.cpp LIBS app TIMEOUT 180)
mh_add_test(NAME test_config_page_e2e SOURCES test_config_page_e2e.cpp LIBS app TIMEOUT 180)
