#pragma once
// The soak test's command line: how long, which seed, and whether this process is the driven
// window (the worker) or the supervisor that watches it.

#include <QString>
#include <QStringList>

#include <cstdint>

struct SoakOptions
{
    int Seconds = 60;
    uint64_t Seed = 0;
    bool SeedGiven = false;
    bool Worker = false;
    QString Scratch; // the worker's scratch folder (given by the supervisor)
    int Shown = 40;  // steps printed on a failure
};

// Reads the arguments; false (and the reason in error) on a bad one.
bool ParseSoakOptions(const QStringList &arguments, SoakOptions &options, QString &error);

// The supervisor: runs the worker, watches its heartbeat, output and exit, and prints the seed
// and the last steps on a failure. Returns the process exit status.
int RunSupervisor(const SoakOptions &options);

// The worker: the window under a random driver. Returns the process exit status.
int RunWorker(int &argc, char **argv, const SoakOptions &options);
