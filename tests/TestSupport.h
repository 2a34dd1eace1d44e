#pragma once

#include <QByteArray>
#include <QString>

// The fresh folder this test program runs in (XDG_CONFIG_HOME, XDG_DATA_HOME and TMPDIR
// point below it).
QString TestRootDir();

// Writes bytes to a file (a name below the test folder, or an absolute path), making its
// folders; returns its path, empty when it cannot be written.
QString WriteTestFile(const QString& name, const QByteArray& bytes);
QByteArray ReadTestFile(const QString& path);

// Makes an entry at `path` that exists but that nobody, root included, can open for reading
// or writing: a Unix socket. False when that fails.
bool MakeUnopenableFile(const QString& path);
