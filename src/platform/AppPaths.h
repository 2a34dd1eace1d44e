#pragma once

#include <QString>

// Where the program's files live. The program folder (beside the executable) holds what we
// ship; every file the program reads or writes "in its own folder" lives in the per-user data
// folder, which is created on first use and seeded from the program folder's "defaults".
class AppPaths {
public:
    // The folder of the executable, or the one set for tests.
    static QString ProgramDir();
    static void SetProgramDir(const QString& dir);

    // The per-user data folder (created and seeded on first call).
    static QString DataDir();

    // A file or folder of the program folder / of the per-user data folder.
    static QString ProgramFile(const QString& name);
    static QString DataFile(const QString& name);

    // Copies every default that the data folder does not have yet; never overwrites.
    static void Seed();

    // Forget the cached folders (tests that change the environment).
    static void Reset();
};
