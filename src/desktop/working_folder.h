// Where the program keeps its data files. Started from a folder that holds a
// dictionary, or from the build tree, it works in the current folder; an
// installed program started elsewhere (from the desktop's menu, a file
// manager) works in the user's data folder, which it prepares on first start.
#pragma once

#include <QString>

namespace orv {

struct StartPlace {
    QString currentFolder; // the process's current folder
    QString programFolder; // the folder of the running executable
    QString buildFolder;   // the build tree the program was built in
    QString xdgDataHome;   // $XDG_DATA_HOME, possibly empty
    QString home;          // $HOME
};

struct WorkingFolder {
    QString folder;
    // The user's own data folder, which the program creates and fills with
    // the default data files when they are missing.
    bool prepare = false;
};

WorkingFolder chooseWorkingFolder(const StartPlace& place);

// The start place of this process: its folders and environment.
StartPlace currentStartPlace();

// The dictionary installed with the program, beside its executable's folder.
QString installedDictionary(const QString& programFolder);

// Creates the folder and the data files that it lacks: the dictionary as a
// copy of the default one (an empty one when there is none), the definitions
// empty. Existing files are never touched. Throws OrvError when it cannot.
void prepareWorkingFolder(const QString& folder, const QString& defaultDictionary);

// Chooses, prepares and enters the working folder; returns it.
QString enterWorkingFolder(const StartPlace& place, const QString& defaultDictionary);

} // namespace orv
