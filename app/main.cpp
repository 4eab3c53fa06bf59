#include "AquariumApp.h"

int main(int argc, char *argv[])
{
    AquariumApp app(argc, argv);
    if (!app.initInstance())
        return 0;
    return app.exec();
}
