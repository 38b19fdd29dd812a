#pragma once

// Small measuring tools shared by the benchmark sections.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

namespace bench {

double Median(QList<double> values);
qint64 MonotonicNs();

// A script that writes one paragraph into the editor and selects it: what
// the toolbar-click measures start from, in the program and on the floor.
QString BoldMessage();

// Resident memory of a process tree, in KiB.
qint64 TreeRssKiB(int pid);
// The same, a page that several of the tree's processes map counted once:
// the memory the tree holds, as resident memory is for one process. Needs
// the pages' frame numbers, which only root may read; -1 without them.
qint64 TreeUniqueKiB(int pid);
// CPU time used so far by a process tree, in seconds.
double TreeCpuSeconds(int pid);
// The X server of this display, or 0 when it cannot be found.
int XServerPid();
// Runs the event loop for the given time.
void Idle(int ms);
// Percent of a core this process's tree and the X server use while the
// event loop runs for the given time.
std::pair<double, double> IdleCpu(int seconds);
// How many processes of the tree run the given executable name.
int CountInTree(int pid, const QString& exeName);

// Runs a measuring helper program in a fresh temporary directory and
// collects the "name value" lines it prints. Empty when it does not finish
// within timeoutMs (it is killed then).
QHash<QString, double> RunMeasurements(const QString& program, const QStringList& arguments,
                                       int timeoutMs);

struct Row {
    QString name;
    double value = 0;
    QString unit;
    double floor = 0;    // the same figure for the floor program; 0: none
    double maxRatio = 0; // budget as a ratio to the floor; 0: none
    double maxValue = 0; // budget as an absolute value; 0: none
};

// A section of the benchmark: a name and a function that measures and
// returns its rows.
struct Section {
    QString name;
    std::function<QList<Row>(int runs)> run;
};

void Register(const Section& section);
QList<Section>& Sections();

// Prints one row: value, floor, ratio and the budget verdict.
void Print(const Row& row);

} // namespace bench
