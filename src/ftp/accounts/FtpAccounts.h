#pragma once

#include <QString>
#include <QStringList>

// One FTP account, as the five lines of its file hold it.
struct TFtpAccount {
    QString Server;    // host name or address, optionally followed by ":" and a port
    QString User;      //
    QString LocalDir;  // start folder on this computer
    QString ServerDir; // start folder on the server
    QString Password;  // in clear; the file holds it as ROT13
};

// The account files: "<name>.fta" in the folder "FTP-konton" of the per-user data folder, five
// lines of Windows-1252 text each ended by CR LF, the password obscured with ROT13 (readable by
// anyone who can read the file). The account list is always the set of these files.
namespace FtpAccounts {

// The account folder, made (readable by its owner only) when it is missing.
QString Folder();
// The file of an account; the ".fta" suffix of an existing file may have any letter case.
QString FileOf(const QString& name);
// The account names, sorted without regard to letter case.
QStringList Names();
bool Exists(const QString& name);

// A name that can name an account file: not empty, without "/", "\", ".." and control
// characters.
bool IsValidName(const QString& name);

enum class TReadResult { Ok, Unreadable, NoLines };
// Reads an account; a line that the file lacks reads as empty.
TReadResult Read(const QString& name, TFtpAccount* account);
// Writes an account whole and atomically, readable by its owner only; false when that fails
// (also for a value that holds a line break or a character Windows-1252 lacks).
bool Write(const QString& name, const TFtpAccount& account);
bool Remove(const QString& name);

// The values of a new account: no server or user, the home folder, "/", no password.
TFtpAccount NewAccount();
// The start folder on this computer for an empty line 3.
QString DefaultLocalDir();
// The account as a connection uses it: the home folder and "/" for empty start folders.
TFtpAccount WithConnectDefaults(TFtpAccount account);

// Splits line 1 into host and port: "host", "host:2121", "[::1]:2121"; port 21 when none is
// given. False when a port is given but is no number from 1 to 65535.
bool SplitServer(const QString& server, QString* host, int* port);

} // namespace FtpAccounts
