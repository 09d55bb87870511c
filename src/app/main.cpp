// dotrix: the desktop program.

#include "cdotrixapp.h"

#include <csignal>

int main(int argc, char **argv)
{
    // A file-size limit makes a write fail (and the command say so) instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    CDotrixApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
