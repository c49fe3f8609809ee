# The serial port under stress, driven from the window: adapter pulled mid-transaction,
# 1000 open/close cycles, 10 MiB through the port and back.
mh_add_test(NAME test_serial_stress SOURCES test_serial_stress.cpp LIBS app TIMEOUT 180 LABELS stress)
