// One group of fault columns of the matrix; the group is chosen by the build.
#include "e2e/fault_matrix.h"

#include <QApplication>

#ifndef MH_FAULT_GROUP
#error "MH_FAULT_GROUP names the group of fault columns this test runs"
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return faultmatrix::RunGroup(MH_FAULT_GROUP, argc, argv);
}
