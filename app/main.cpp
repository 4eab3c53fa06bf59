#include "AquariumApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    AquariumApp app;
    if (!app.initInstance())
        return 0;
    return qapp.exec();
}
