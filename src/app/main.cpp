// dotrix: the desktop program.

#include "cdotrixapp.h"

int main(int argc, char **argv)
{
    CDotrixApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
