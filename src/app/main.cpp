#include "extlib/orvosched/TaskDialog.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The task model lives below the widgets; its Properties dialog is plugged in here.
    CTaskDialog::Install();
    return 0;
}
